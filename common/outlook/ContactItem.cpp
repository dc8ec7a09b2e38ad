#include "common/outlook/ContactItem.h"

namespace telvane::outlook {

const char* ContactFieldName(ContactField field) {
    switch (field) {
        case ContactField::HomeFaxNumber:
            return "HomeFaxNumber";
        case ContactField::OtherFaxNumber:
            return "OtherFaxNumber";
        case ContactField::BusinessFaxNumber:
            return "BusinessFaxNumber";
        case ContactField::FirstName:
            return "FirstName";
        case ContactField::LastName:
            return "LastName";
        case ContactField::FileAs:
            return "FileAs";
        case ContactField::CompanyName:
            return "CompanyName";
        case ContactField::JobTitle:
            return "JobTitle";
    }
    return "";
}

}  // namespace telvane::outlook
