#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/com/ComPtr.h"
#include "tests/win32_outlook/FakeLog.h"
#include "tests/win32_outlook/FakeObject.h"

namespace telvane::tests {

// A small mail client made of fakes, with the mail client's identifiers: an application with
// one store whose "Contacts" folder holds two contacts, a mail and a distribution list, one
// explorer window and one inspector window showing the first contact. Objects link downwards
// only, so releasing this releases every fake.
struct FakeMailClient {
    explicit FakeMailClient(std::shared_ptr<FakeLog> log);

    std::shared_ptr<FakeLog> log;
    ComPtr<FakeObject> application, nameSpace, stores, store, storeFolders, contacts, items;
    std::vector<ComPtr<FakeObject>> contactItems;
    ComPtr<FakeObject> mail, distList;
    ComPtr<FakeObject> explorers, explorer, inspectors, inspector;

    // A 1-based collection of the objects given, raising as the mail client does beyond them.
    static void MakeCollection(FakeObject& collection, std::vector<ComPtr<FakeObject>> members);
    // A contact with every field the product uses; texts are "<field> <name>".
    ComPtr<FakeObject> MakeContact(const std::string& name);
};

}  // namespace telvane::tests
