#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "apps/outlookhost/ComApartment.h"
#include "common/outlook/ContactItem.h"
#include "common/outlook/Explorers.h"
#include "common/outlook/Folders.h"
#include "common/outlook/Inspector.h"
#include "common/outlook/Inspectors.h"
#include "common/outlook/Items.h"
#include "common/outlook/MAPIFolder.h"
#include "common/outlook/NameSpace.h"
#include "common/outlook/RaisedError.h"
#include "platform/win32/outlook/OutlookBridge.h"
#include "platform/win32/outlook/OutlookIds.h"
#include "tests/win32_outlook/FakeMailClient.h"

namespace telvane::tests {
namespace {

using namespace win32;
using outlook::ContactField;

class BridgeCalls : public ::testing::Test {
protected:
    std::shared_ptr<outlook::Application> App() {
        auto app = WrapApplication(fake.application.Get());
        EXPECT_TRUE(app) << "the fake answers _Application, so it must be wrapped";
        return app;
    }
    std::shared_ptr<outlook::MAPIFolder> ContactsFolder() {
        return App()->GetNamespace("MAPI")->Folders()->Item(1)->Folders()->Item(1);
    }
    std::shared_ptr<outlook::ContactItem> FirstContact() {
        return ContactsFolder()->Items()->Item(1)->AsContactItem();
    }
    const FakeLog::Call& LastCall() const {
        EXPECT_FALSE(log->calls.empty());
        return log->calls.back();
    }

    outlookhost::ComApartment apartment;
    std::shared_ptr<FakeLog> log = std::make_shared<FakeLog>();
    FakeMailClient fake{log};
};

struct FieldCase {
    ContactField field;
    DISPID id;
};

const FieldCase kFields[] = {
    {ContactField::HomeFaxNumber, dispid::HomeFaxNumber},
    {ContactField::OtherFaxNumber, dispid::OtherFaxNumber},
    {ContactField::BusinessFaxNumber, dispid::BusinessFaxNumber},
    {ContactField::FirstName, dispid::FirstName},
    {ContactField::LastName, dispid::LastName},
    {ContactField::FileAs, dispid::FileAs},
    {ContactField::CompanyName, dispid::CompanyName},
    {ContactField::JobTitle, dispid::JobTitle},
};

TEST_F(BridgeCalls, ContactFieldsAreReadByNameAsPropertyGets) {
    auto contact = FirstContact();
    for (const FieldCase& each : kFields) {
        std::string name = outlook::ContactFieldName(each.field);
        SCOPED_TRACE(name);
        EXPECT_EQ(contact->Get(each.field), name + " Ann");
        EXPECT_EQ(LastCall().id, each.id) << "the DISPID the fake answered for the name";
        EXPECT_EQ(LastCall().flags, DISPATCH_PROPERTYGET);
        EXPECT_TRUE(LastCall().args.empty()) << "a getter takes no arguments";
    }
}

TEST_F(BridgeCalls, ContactFieldWritesArePropertyPutsWithTheNamedPutArgument) {
    auto contact = FirstContact();
    for (const FieldCase& each : kFields) {
        std::string name = outlook::ContactFieldName(each.field);
        SCOPED_TRACE(name);
        contact->Put(each.field, "Fax: 0123 456");
        const FakeLog::Call& call = LastCall();
        EXPECT_EQ(call.id, each.id);
        EXPECT_EQ(call.flags, DISPATCH_PROPERTYPUT);
        ASSERT_EQ(call.named.size(), 1u);
        EXPECT_EQ(call.named[0], DISPID_PROPERTYPUT);
        EXPECT_EQ(fake.contactItems[0]->Value(each.id).Type(), VT_BSTR);
        EXPECT_EQ(fake.contactItems[0]->Value(each.id).ToText(), "Fax: 0123 456");
        EXPECT_EQ(contact->Get(each.field), "Fax: 0123 456") << "read back through the bridge";
    }
}

TEST_F(BridgeCalls, TextCrossesAsUtf16AndReturnsAsTheSameUtf8) {
    const std::string text = "Zo\xC3\xAB \xC3\x9Cnal \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x93\xA0";
    auto contact = FirstContact();
    contact->Put(ContactField::FileAs, text);
    BSTR stored = (*fake.contactItems[0]->Value(dispid::FileAs)).bstrVal;
    EXPECT_EQ(std::wstring(stored, ::SysStringLen(stored)),
              L"Zo\u00EB \u00DCnal \u65E5\u672C \U0001F4E0");
    EXPECT_EQ(contact->Get(ContactField::FileAs), text);
}

TEST_F(BridgeCalls, CollectionItemsAreAskedForWithA1BasedLongIndex) {
    auto items = ContactsFolder()->Items();
    EXPECT_EQ(items->Count(), 4);
    auto second = items->Item(2)->AsContactItem();
    const FakeLog::Call& call = LastCall();
    EXPECT_EQ(call.id, dispid::Item);
    EXPECT_EQ(call.flags, DISPATCH_METHOD);
    ASSERT_EQ(call.args.size(), 1u);
    EXPECT_EQ(call.args[0].Type(), VT_I4);
    EXPECT_EQ((*call.args[0]).lVal, 2);
    EXPECT_EQ(second->FileAs(), "FileAs Bob") << "Item(2) is the second contact, not the third";
}

TEST_F(BridgeCalls, AnIndexTheCollectionRefusesRaisesTheMailClientsError) {
    auto folders = App()->GetNamespace("MAPI")->Folders();
    EXPECT_EQ(folders->Count(), 1);
    try {
        folders->Item(2);
        FAIL() << "Item(2) of one folder must raise";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.Number(), -2147352567);
        EXPECT_EQ(error.Source(), "Microsoft Outlook");
        EXPECT_EQ(error.Description(), "Array index out of bounds.");
    }
}

TEST_F(BridgeCalls, FolderPropertiesAreReadByName) {
    auto store = App()->GetNamespace("MAPI")->Folders()->Item(1);
    EXPECT_EQ(store->Name(), "Personal Folders");
    EXPECT_EQ(store->EntryID(), "0000000012345678");
    EXPECT_EQ(store->DefaultItemType(), outlook::olMailItem);
    auto contacts = store->Folders()->Item(1);
    EXPECT_EQ(contacts->Name(), "Contacts");
    EXPECT_EQ(contacts->DefaultItemType(), outlook::olContactItem);
    EXPECT_EQ(contacts->Folders()->Count(), 0);
}

TEST_F(BridgeCalls, ClassIsReadByNameOnEveryKindOfItem) {
    auto items = ContactsFolder()->Items();
    struct Case {
        std::int32_t position;
        std::int32_t expected;
    };
    for (Case each : {Case{1, outlook::olContact}, Case{2, outlook::olContact},
                      Case{3, outlook::olMail}, Case{4, outlook::olDistributionList}}) {
        SCOPED_TRACE(each.position);
        Variant itemClass = items->Item(each.position)->GetProperty("Class");
        ASSERT_EQ(itemClass.GetKind(), Variant::Kind::Int32) << "Class arrives as VT_I4";
        EXPECT_EQ(itemClass.AsInt32(), each.expected);
        EXPECT_EQ(LastCall().id, dispid::Class);
    }
    EXPECT_EQ(items->Item(3)->GetProperty("Subject"), Variant("Hello"))
        << "any other property is read by name the same way";
}

TEST_F(BridgeCalls, PropertiesOfEveryAutomationTypeArriveAsVariants) {
    ComPtr<FakeObject> contact = fake.contactItems[0];
    auto item = ContactsFolder()->Items()->Item(1);
    auto make = [](VARTYPE type, auto assign) {
        ComVariant value;
        value.Get()->vt = type;
        assign(*value.Get());
        return value;
    };
    LONG byRefTarget = 77;
    struct Case {
        const char* what;
        ComVariant value;
        Variant expected;
    };
    const Case cases[] = {
        {"empty", ComVariant(), Variant()},
        {"null", make(VT_NULL, [](VARIANT&) {}), Variant()},
        {"VT_I2", make(VT_I2, [](VARIANT& v) { v.iVal = -2; }), Variant(std::int16_t{-2})},
        {"VT_I4", ComVariant(std::int32_t{40}), Variant(std::int32_t{40})},
        {"VT_BOOL", make(VT_BOOL, [](VARIANT& v) { v.boolVal = VARIANT_TRUE; }), Variant(true)},
        {"VT_R8", make(VT_R8, [](VARIANT& v) { v.dblVal = 2.5; }), Variant(2.5)},
        {"VT_BSTR", ComVariant("text"), Variant("text")},
        {"VT_UI1", make(VT_UI1, [](VARIANT& v) { v.bVal = 200; }), Variant(std::int16_t{200})},
        {"VT_UI4", make(VT_UI4, [](VARIANT& v) { v.ulVal = 7; }), Variant(std::int32_t{7})},
        {"VT_UI4 beyond long", make(VT_UI4, [](VARIANT& v) { v.ulVal = 0xFFFFFFFFu; }),
         Variant(4294967295.0)},
        {"VT_DATE", make(VT_DATE, [](VARIANT& v) { v.date = 36526.5; }), Variant(36526.5)},
        {"VT_BYREF|VT_I4", make(VT_BYREF | VT_I4, [&](VARIANT& v) { v.plVal = &byRefTarget; }),
         Variant(std::int32_t{77})},
        {"bytes", ComVariant(Variant(Variant::Bytes{1, 2, 3})), Variant(Variant::Bytes{1, 2, 3})},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.what);
        contact->Property(L"Probe", 0x7001, each.value);
        EXPECT_EQ(item->GetProperty("Probe"), each.expected);
    }
    contact->Property(L"Probe", 0x7001, ComVariant(static_cast<IDispatch*>(contact.Get())));
    try {
        item->GetProperty("Probe");
        FAIL() << "an object cannot be read as a Variant";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.Number(), RaisedError::TypeMismatch);
    }
}

TEST_F(BridgeCalls, MethodArgumentsArriveInDeclaredOrderWithAutomationTypes) {
    auto app = App();
    app->GetNamespace("MAPI");
    ASSERT_EQ(LastCall().args.size(), 1u);
    EXPECT_EQ(LastCall().id, dispid::GetNamespace);
    EXPECT_EQ(LastCall().flags, DISPATCH_METHOD);
    EXPECT_EQ(LastCall().args[0].Type(), VT_BSTR);
    EXPECT_EQ(LastCall().args[0].ToText(), "MAPI");

    auto contact = FirstContact();
    contact->Close(outlook::olSave);
    EXPECT_EQ(LastCall().id, dispid::ItemClose);
    ASSERT_EQ(LastCall().args.size(), 1u);
    EXPECT_EQ(LastCall().args[0].Type(), VT_I4);
    EXPECT_EQ((*LastCall().args[0]).lVal, 0);
    contact->Save();
    EXPECT_EQ(LastCall().id, dispid::Save);
    EXPECT_TRUE(LastCall().args.empty());
}

TEST_F(BridgeCalls, MemberIdentifiersAreLookedUpOncePerKindOfObject) {
    auto items = ContactsFolder()->Items();
    for (int round = 0; round < 2; ++round) {
        items->Item(1)->AsContactItem()->HomeFaxNumber();
        items->Item(2)->AsContactItem()->HomeFaxNumber();
    }
    EXPECT_EQ(log->Lookups(L"HomeFaxNumber"), 1) << "two contacts, four reads, one lookup";
    EXPECT_EQ(log->Lookups(L"Item"), 2) << "Item of Folders and Item of Items are two kinds";
    EXPECT_EQ(log->Lookups(L"Folders"), 2) << "on the namespace and on a folder";

    auto again = WrapApplication(fake.application.Get());
    again->GetNamespace("MAPI");
    EXPECT_EQ(log->Lookups(L"GetNamespace"), 2) << "a new root starts a new cache";
}

TEST_F(BridgeCalls, NoActiveExplorerIsAnEmptyExplorer) {
    auto app = App();
    EXPECT_TRUE(app->ActiveExplorer()) << "the fake has an explorer window";
    fake.application->Method(L"ActiveExplorer", dispid::ActiveExplorer,
                             [](auto&) { return ComVariant(static_cast<IDispatch*>(nullptr)); });
    EXPECT_FALSE(app->ActiveExplorer());
}

TEST_F(BridgeCalls, AnObjectTheMailClientDoesNotAnswerRaisesObjectNotSet) {
    fake.inspector->Property(L"CurrentItem", dispid::CurrentItem, ComVariant());
    auto app = App();
    ComPtr<FakeObject> inspector = fake.inspector;
    int notified = 0;
    outlook::Inspectors::Events events;
    events.NewInspector = [&](const std::shared_ptr<outlook::Inspector>& window) {
        ++notified;
        try {
            window->CurrentItem();
            ADD_FAILURE() << "an empty CurrentItem must raise";
        } catch (const RaisedError& error) {
            EXPECT_EQ(error.Number(), RaisedError::ObjectNotSet);
        }
    };
    auto subscription = app->Inspectors()->Advise(events);
    EXPECT_EQ(fake.inspectors->Fire(DIID_InspectorsEvents, eventid::NewInspector,
                                    {ComVariant(static_cast<IDispatch*>(inspector.Get()))}),
              S_OK);
    EXPECT_EQ(notified, 1);
}

TEST_F(BridgeCalls, OnlyAContactIsTakenAsContactItem) {
    auto items = ContactsFolder()->Items();
    EXPECT_EQ(items->Item(1)->AsContactItem()->FirstName(), "FirstName Ann");
    for (std::int32_t position : {3, 4}) {
        SCOPED_TRACE(position);
        try {
            items->Item(position)->AsContactItem();
            FAIL() << "a mail or a distribution list is not a contact";
        } catch (const RaisedError& error) {
            EXPECT_EQ(error.Number(), RaisedError::TypeMismatch);
        }
    }
    auto contact = items->Item(2)->AsContactItem();
    EXPECT_EQ(contact->AsContactItem(), contact) << "a contact taken as contact is itself";
}

TEST_F(BridgeCalls, OnlyTheMailClientsApplicationIsWrapped) {
    EXPECT_FALSE(WrapApplication(nullptr));
    auto stranger = FakeObject::Make(log, {}, {DIID_ApplicationEvents});
    EXPECT_FALSE(WrapApplication(stranger.Get())) << "no _Application: not the mail client";
    EXPECT_TRUE(WrapApplication(fake.application.Get()));
}

TEST_F(BridgeCalls, APageSiteLeadsBackToTheApplicationAndReportsChanges) {
    auto site = FakeObject::Make(log, {IID_OlPropertyPageSite});
    int statusChanges = 0;
    site->Object(L"Application", dispid::Application, fake.application.Get())
        .Method(L"OnStatusChange", dispid::OnStatusChange, [&](auto&) {
            ++statusChanges;
            return ComVariant();
        });
    auto wrapped = WrapPropertyPageSite(static_cast<IDispatch*>(site.Get()));
    ASSERT_TRUE(wrapped);
    wrapped->OnStatusChange();
    EXPECT_EQ(statusChanges, 1);
    EXPECT_EQ(wrapped->Application()->Explorers()->Count(), 1);

    auto notASite = FakeObject::Make(log);
    EXPECT_FALSE(WrapPropertyPageSite(static_cast<IDispatch*>(notASite.Get())));
    EXPECT_FALSE(WrapPropertyPageSite(nullptr));
}

TEST_F(BridgeCalls, WindowCountsAreReadAsLongs) {
    auto app = App();
    fake.explorers->Property(L"Count", dispid::Count, ComVariant(std::int32_t{2}));
    fake.inspectors->Property(L"Count", dispid::Count, ComVariant("0"));
    EXPECT_EQ(app->Explorers()->Count(), 2);
    EXPECT_EQ(app->Inspectors()->Count(), 0) << "a count in another type is converted";
}

}  // namespace
}  // namespace telvane::tests
