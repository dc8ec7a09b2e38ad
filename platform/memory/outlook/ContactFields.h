#pragma once

#include <string>
#include <utility>

#include "common/outlook/ContactItem.h"

namespace telvane::memory {

// The text fields of a contact. Declared names first, so a test can write
// {.FileAs = "Ann", .BusinessFaxNumber = "0123"} (designators go in this order).
struct ContactFields {
    std::string FileAs = {};
    std::string FirstName = {};
    std::string LastName = {};
    std::string CompanyName = {};
    std::string JobTitle = {};
    std::string BusinessFaxNumber = {};
    std::string HomeFaxNumber = {};
    std::string OtherFaxNumber = {};

    const std::string& Get(outlook::ContactField field) const { return this->*Member(field); }
    void Set(outlook::ContactField field, std::string text) {
        this->*Member(field) = std::move(text);
    }

    friend bool operator==(const ContactFields&, const ContactFields&) = default;

private:
    static std::string ContactFields::*Member(outlook::ContactField field) {
        using F = outlook::ContactField;
        switch (field) {
            case F::HomeFaxNumber:
                return &ContactFields::HomeFaxNumber;
            case F::OtherFaxNumber:
                return &ContactFields::OtherFaxNumber;
            case F::BusinessFaxNumber:
                return &ContactFields::BusinessFaxNumber;
            case F::FirstName:
                return &ContactFields::FirstName;
            case F::LastName:
                return &ContactFields::LastName;
            case F::FileAs:
                return &ContactFields::FileAs;
            case F::CompanyName:
                return &ContactFields::CompanyName;
            case F::JobTitle:
                return &ContactFields::JobTitle;
        }
        return &ContactFields::FileAs;
    }
};

}  // namespace telvane::memory
