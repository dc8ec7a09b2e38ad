#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "common/outlook/Item.h"
#include "common/outlook/Subscription.h"

namespace telvane::outlook {

// The text properties of a contact that the product reads or writes.
enum class ContactField {
    HomeFaxNumber,
    OtherFaxNumber,
    BusinessFaxNumber,
    FirstName,
    LastName,
    FileAs,
    CompanyName,
    JobTitle,
};

// The property name the mail client knows each field by.
const char* ContactFieldName(ContactField field);

class ContactItem : public Item {
public:
    struct Events {
        // Cancel arrives false; setting it true cancels the write that raised the event.
        std::function<void(bool& cancel)> Write = {};
    };

    // Field reads and writes; a write changes the item in memory only.
    virtual std::string Get(ContactField field) = 0;
    virtual void Put(ContactField field, const std::string& text) = 0;

    // Stores the item (raises Write first).
    virtual void Save() = 0;
    // With olSave: stores the item and closes its window; Write and the window's Close may be
    // raised before it returns.
    virtual void Close(OlInspectorClose saveMode) = 0;

    virtual Subscription Advise(const Events& handlers) = 0;

    std::string HomeFaxNumber() { return Get(ContactField::HomeFaxNumber); }
    std::string OtherFaxNumber() { return Get(ContactField::OtherFaxNumber); }
    std::string BusinessFaxNumber() { return Get(ContactField::BusinessFaxNumber); }
    std::string FirstName() { return Get(ContactField::FirstName); }
    std::string LastName() { return Get(ContactField::LastName); }
    std::string FileAs() { return Get(ContactField::FileAs); }
    std::string CompanyName() { return Get(ContactField::CompanyName); }
    std::string JobTitle() { return Get(ContactField::JobTitle); }
};

}  // namespace telvane::outlook
