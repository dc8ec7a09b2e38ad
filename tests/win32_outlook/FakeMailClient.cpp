#include "tests/win32_outlook/FakeMailClient.h"

#include <utility>

#include "common/outlook/ContactItem.h"
#include "common/outlook/RaisedError.h"
#include "platform/win32/outlook/OutlookIds.h"

namespace telvane::tests {

using namespace win32;

namespace {

constexpr std::int32_t IndexOutOfBounds = -2147352567;  // as the mail client raises it

}  // namespace

void FakeMailClient::MakeCollection(FakeObject& collection,
                                    std::vector<ComPtr<FakeObject>> members) {
    collection
        .Property(L"Count", dispid::Count, ComVariant(static_cast<std::int32_t>(members.size())))
        .Method(L"Item", dispid::Item, [members](outlookhost::DispatchArguments& args) {
            std::int32_t index = args.Int32(0);
            if (index < 1 || index > static_cast<std::int32_t>(members.size())) {
                throw RaisedError(IndexOutOfBounds, "Microsoft Outlook",
                                  "Array index out of bounds.");
            }
            return ComVariant(static_cast<IDispatch*>(members[index - 1].Get()));
        });
}

ComPtr<FakeObject> FakeMailClient::MakeContact(const std::string& name) {
    auto contact = FakeObject::Make(log, {IID_OlContactItem}, {DIID_ItemEvents});
    contact->Property(L"Class", dispid::Class, ComVariant(std::int32_t{outlook::olContact}));
    struct Field {
        outlook::ContactField field;
        DISPID id;
    };
    for (Field each : {Field{outlook::ContactField::HomeFaxNumber, dispid::HomeFaxNumber},
                       Field{outlook::ContactField::OtherFaxNumber, dispid::OtherFaxNumber},
                       Field{outlook::ContactField::BusinessFaxNumber, dispid::BusinessFaxNumber},
                       Field{outlook::ContactField::FirstName, dispid::FirstName},
                       Field{outlook::ContactField::LastName, dispid::LastName},
                       Field{outlook::ContactField::FileAs, dispid::FileAs},
                       Field{outlook::ContactField::CompanyName, dispid::CompanyName},
                       Field{outlook::ContactField::JobTitle, dispid::JobTitle}}) {
        std::string fieldName = outlook::ContactFieldName(each.field);
        std::wstring wide(fieldName.begin(), fieldName.end());
        contact->Property(wide.c_str(), each.id, ComVariant(fieldName + " " + name));
    }
    contact->Method(L"Save", dispid::Save, [](auto&) { return ComVariant(); })
        .Method(L"Close", dispid::ItemClose, [](auto&) { return ComVariant(); });
    return contact;
}

FakeMailClient::FakeMailClient(std::shared_ptr<FakeLog> sharedLog) : log(std::move(sharedLog)) {
    contactItems = {MakeContact("Ann"), MakeContact("Bob")};
    mail = FakeObject::Make(log, {IID_OlMailItem}, {DIID_ItemEvents});
    mail->Property(L"Class", dispid::Class, ComVariant(std::int32_t{outlook::olMail}))
        .Property(L"Subject", 0x37, ComVariant("Hello"));
    distList = FakeObject::Make(log, {IID_OlDistListItem}, {DIID_ItemEvents});
    distList->Property(L"Class", dispid::Class,
                       ComVariant(std::int32_t{outlook::olDistributionList}));

    items = FakeObject::Make(log, {IID_OlItems});
    MakeCollection(*items.Get(), {contactItems[0], contactItems[1], mail, distList});

    contacts = FakeObject::Make(log, {IID_OlMAPIFolder});
    auto noSubfolders = FakeObject::Make(log, {IID_OlFolders});
    MakeCollection(*noSubfolders.Get(), {});
    contacts->Property(L"Name", dispid::Name, ComVariant("Contacts"))
        .Property(L"EntryID", dispid::EntryID, ComVariant("00000000ABCDEF"))
        .Property(L"DefaultItemType", dispid::DefaultItemType,
                  ComVariant(std::int32_t{outlook::olContactItem}))
        .Object(L"Folders", dispid::Folders, noSubfolders.Get())
        .Object(L"Items", dispid::Items, items.Get());

    storeFolders = FakeObject::Make(log, {IID_OlFolders});
    MakeCollection(*storeFolders.Get(), {contacts});
    store = FakeObject::Make(log, {IID_OlMAPIFolder});
    store->Property(L"Name", dispid::Name, ComVariant("Personal Folders"))
        .Property(L"EntryID", dispid::EntryID, ComVariant("0000000012345678"))
        .Property(L"DefaultItemType", dispid::DefaultItemType,
                  ComVariant(std::int32_t{outlook::olMailItem}))
        .Object(L"Folders", dispid::Folders, storeFolders.Get());
    stores = FakeObject::Make(log, {IID_OlFolders});
    MakeCollection(*stores.Get(), {store});

    nameSpace = FakeObject::Make(log, {IID_OlNameSpace});
    nameSpace->Object(L"Folders", dispid::Folders, stores.Get());

    explorer = FakeObject::Make(log, {IID_OlExplorer}, {DIID_ExplorerEvents});
    explorers = FakeObject::Make(log, {IID_OlExplorers}, {DIID_ExplorersEvents});
    explorers->Property(L"Count", dispid::Count, ComVariant(std::int32_t{1}));
    inspector = FakeObject::Make(log, {IID_OlInspector}, {DIID_InspectorEvents});
    inspector->Object(L"CurrentItem", dispid::CurrentItem, contactItems[0].Get());
    inspectors = FakeObject::Make(log, {IID_OlInspectors}, {DIID_InspectorsEvents});
    inspectors->Property(L"Count", dispid::Count, ComVariant(std::int32_t{1}));

    application = FakeObject::Make(log, {IID_OlApplication}, {DIID_ApplicationEvents});
    ComPtr<FakeObject> ns = nameSpace, active = explorer;
    application
        ->Method(L"GetNamespace", dispid::GetNamespace,
                 [ns](outlookhost::DispatchArguments& args) {
                     if (args.Text(0) != "MAPI") {
                         throw RaisedError(5, "Microsoft Outlook", "Unknown namespace");
                     }
                     return ComVariant(static_cast<IDispatch*>(ns.Get()));
                 })
        .Method(L"ActiveExplorer", dispid::ActiveExplorer,
                [active](auto&) { return ComVariant(static_cast<IDispatch*>(active.Get())); })
        .Object(L"Explorers", dispid::Explorers, explorers.Get())
        .Object(L"Inspectors", dispid::Inspectors, inspectors.Get());
}

}  // namespace telvane::tests
