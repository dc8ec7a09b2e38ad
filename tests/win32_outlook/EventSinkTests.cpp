#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <olectl.h>

#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "apps/outlookhost/ComApartment.h"
#include "common/outlook/ContactItem.h"
#include "common/outlook/Explorer.h"
#include "common/outlook/Folders.h"
#include "common/outlook/Inspector.h"
#include "common/outlook/Inspectors.h"
#include "common/outlook/Items.h"
#include "common/outlook/MAPIFolder.h"
#include "common/outlook/NameSpace.h"
#include "common/outlook/PropertyPages.h"
#include "common/outlook/RaisedError.h"
#include "common/outlook/WithEvents.h"
#include "platform/win32/outlook/ComError.h"
#include "platform/win32/outlook/EventSink.h"
#include "platform/win32/outlook/OutlookBridge.h"
#include "platform/win32/outlook/OutlookIds.h"
#include "tests/win32_outlook/EventRecorder.h"
#include "tests/win32_outlook/FakeMailClient.h"

namespace telvane::tests {
namespace {

using namespace win32;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

ComVariant CancelRef(VARIANT_BOOL* cancel) {
    ComVariant arg;
    arg.Get()->vt = VT_BYREF | VT_BOOL;
    arg.Get()->pboolVal = cancel;
    return arg;
}

ComVariant Object(const ComPtr<FakeObject>& object) {
    return ComVariant(static_cast<IDispatch*>(object.Get()));
}

// Every source of the fake mail client wrapped and subscribed with one recorder.
class EventSinks : public ::testing::Test {
protected:
    void SetUp() override {
        app = WrapApplication(fake.application.Get());
        ASSERT_TRUE(app);
        explorer = app->ActiveExplorer();
        inspectors = app->Inspectors();
        contact = app->GetNamespace("MAPI")
                      ->Folders()
                      ->Item(1)
                      ->Folders()
                      ->Item(1)
                      ->Items()
                      ->Item(1)
                      ->AsContactItem();
        subscriptions.push_back(app->Advise(recorder.Application()));
        subscriptions.push_back(explorer->Advise(recorder.Explorer()));
        subscriptions.push_back(inspectors->Advise(recorder.Inspectors()));
        subscriptions.push_back(contact->Advise(recorder.ContactItem()));
    }

    HRESULT Write(VARIANT_BOOL* cancel, EXCEPINFO* info = nullptr) {
        return fake.contactItems[0]->Fire(DIID_ItemEvents, eventid::Write, {CancelRef(cancel)},
                                          info);
    }

    outlookhost::ComApartment apartment;
    std::shared_ptr<FakeLog> log = std::make_shared<FakeLog>();
    FakeMailClient fake{log};
    EventRecorder recorder;
    std::shared_ptr<outlook::Application> app;
    std::shared_ptr<outlook::Explorer> explorer;
    std::shared_ptr<outlook::Inspectors> inspectors;
    std::shared_ptr<outlook::ContactItem> contact;
    std::vector<outlook::Subscription> subscriptions;
};

TEST_F(EventSinks, EachEventReachesTheHandlerOfItsSourceOnTheOriginalInterfaces) {
    for (FakeObject* source : {fake.application.Get(), fake.explorer.Get(), fake.inspectors.Get(),
                               fake.contactItems[0].Get()}) {
        ASSERT_EQ(source->Points().size(), 1u) << "the fakes offer only the 2000-level interface";
        EXPECT_EQ(source->Points()[0]->SinkCount(), 1u);
    }
    auto pages = FakeObject::Make(log);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    EXPECT_EQ(
        fake.application->Fire(DIID_ApplicationEvents, eventid::OptionsPagesAdd, {Object(pages)}),
        S_OK);
    EXPECT_EQ(fake.application->Fire(DIID_ApplicationEvents, eventid::Quit, {}), S_OK);
    EXPECT_EQ(fake.explorer->Fire(DIID_ExplorerEvents, eventid::WindowClose, {}), S_OK);
    EXPECT_EQ(fake.inspectors->Fire(DIID_InspectorsEvents, eventid::NewInspector,
                                    {Object(fake.inspector)}),
              S_OK);
    EXPECT_EQ(Write(&cancel), S_OK);
    EXPECT_THAT(recorder.seen,
                ElementsAre("Application.OptionsPagesAdd", "Application.Quit", "Explorer.Close",
                            "Inspectors.NewInspector", "ContactItem.Write"));
}

TEST_F(EventSinks, TheWindowAHandlerWasGivenIsWatchedInTurn) {
    EXPECT_EQ(fake.inspectors->Fire(DIID_InspectorsEvents, eventid::NewInspector,
                                    {Object(fake.inspector)}),
              S_OK);
    ASSERT_TRUE(recorder.inspector);
    EXPECT_EQ(recorder.inspector->CurrentItem()->GetProperty("Class"), Variant(std::int32_t{40}));
    auto subscription = recorder.inspector->Advise(recorder.Inspector());
    EXPECT_EQ(fake.inspector->Fire(DIID_InspectorEvents, eventid::WindowClose, {}), S_OK);
    EXPECT_THAT(recorder.seen, ElementsAre("Inspectors.NewInspector", "Inspector.Close"));
}

TEST_F(EventSinks, PagesGivenToOptionsPagesAddTakeThePageAndTitleInOrder) {
    auto pages = FakeObject::Make(log, {IID_OlPropertyPages});
    std::vector<std::string> added;
    pages->Method(L"Add", dispid::Add, [&](outlookhost::DispatchArguments& args) {
        added = {args.Text(0), args.Text(1)};
        return ComVariant();
    });
    recorder.during = [&](const std::string&) {
        recorder.pages->Add(Variant("TelvanePPE.TelvanePage"), "Telvane");
    };
    EXPECT_EQ(
        fake.application->Fire(DIID_ApplicationEvents, eventid::OptionsPagesAdd, {Object(pages)}),
        S_OK);
    EXPECT_THAT(added, ElementsAre("TelvanePPE.TelvanePage", "Telvane"));
    EXPECT_EQ(log->calls.back().args[0].Type(), VT_BSTR) << "the page goes as text in a VARIANT";
}

TEST_F(EventSinks, EventsTheProductDoesNotHandleAreAcceptedAndIgnored) {
    struct Case {
        FakeObject* source;
        IID events;
        DISPID id;
    };
    VARIANT_BOOL cancel = VARIANT_FALSE;
    const Case cases[] = {
        {fake.application.Get(), DIID_ApplicationEvents, eventid::NewMail},
        {fake.application.Get(), DIID_ApplicationEvents, eventid::Startup},
        {fake.application.Get(), DIID_ApplicationEvents, 0x7777},
        {fake.explorer.Get(), DIID_ExplorerEvents, eventid::Activate},
        {fake.explorer.Get(), DIID_ExplorerEvents, 0xF007},
        {fake.inspectors.Get(), DIID_InspectorsEvents, 0xF002},
        {fake.contactItems[0].Get(), DIID_ItemEvents, eventid::Read},
        {fake.contactItems[0].Get(), DIID_ItemEvents, eventid::ItemClose},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.id);
        EXPECT_EQ(each.source->Fire(each.events, each.id, {CancelRef(&cancel)}), S_OK);
    }
    EXPECT_THAT(recorder.seen, IsEmpty());
    EXPECT_EQ(cancel, VARIANT_FALSE);
}

TEST_F(EventSinks, WriteCancelTravelsByReference) {
    struct Case {
        VARIANT_BOOL onEntry;
        int handlerSets;  // -1: leaves it
        VARIANT_BOOL expected;
    };
    for (Case each : {Case{VARIANT_FALSE, -1, VARIANT_FALSE}, Case{VARIANT_FALSE, 1, VARIANT_TRUE},
                      Case{VARIANT_TRUE, -1, VARIANT_TRUE}, Case{VARIANT_TRUE, 0, VARIANT_FALSE}}) {
        SCOPED_TRACE(testing::Message()
                     << "on entry " << each.onEntry << ", set to " << each.handlerSets);
        recorder.cancelTo = each.handlerSets;
        VARIANT_BOOL cancel = each.onEntry;
        EXPECT_EQ(Write(&cancel), S_OK);
        EXPECT_EQ(recorder.cancelOnEntry, each.onEntry != VARIANT_FALSE);
        EXPECT_EQ(cancel, each.expected);
    }
}

TEST_F(EventSinks, ACancelSetBeforeTheHandlerRaisesStillReachesTheMailClient) {
    recorder.cancelTo = 1;
    recorder.during = [](const std::string&) { throw RaisedError(440, "Outlook", "Close failed"); };
    VARIANT_BOOL cancel = VARIANT_FALSE;
    EXCEPINFO info{};
    EXPECT_EQ(Write(&cancel, &info), DISP_E_EXCEPTION);
    EXPECT_EQ(cancel, VARIANT_TRUE);
    EXPECT_EQ(ErrorFromCom(DISP_E_EXCEPTION, &info, "").Number(), 440);
}

TEST_F(EventSinks, WriteCancelAlsoArrivesAsAVariantByReference) {
    recorder.cancelTo = 1;
    ComVariant inner;
    inner.Get()->vt = VT_BOOL;
    inner.Get()->boolVal = VARIANT_FALSE;
    ComVariant arg;
    arg.Get()->vt = VT_BYREF | VT_VARIANT;
    arg.Get()->pvarVal = inner.Get();
    EXPECT_EQ(fake.contactItems[0]->Fire(DIID_ItemEvents, eventid::Write, {arg}), S_OK);
    EXPECT_EQ((*inner).boolVal, VARIANT_TRUE);
}

TEST_F(EventSinks, ArgumentsAnEventCannotUseAreRefusedWithoutCallingTheHandler) {
    ComVariant byValue;
    byValue.Get()->vt = VT_BOOL;
    byValue.Get()->boolVal = VARIANT_FALSE;
    EXPECT_EQ(fake.contactItems[0]->Fire(DIID_ItemEvents, eventid::Write, {}),
              DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(fake.contactItems[0]->Fire(DIID_ItemEvents, eventid::Write, {byValue}),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(fake.inspectors->Fire(DIID_InspectorsEvents, eventid::NewInspector,
                                    {ComVariant(std::int32_t{3})}),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(fake.application->Fire(DIID_ApplicationEvents, eventid::OptionsPagesAdd, {}),
              DISP_E_BADPARAMCOUNT);
    EXPECT_THAT(recorder.seen, IsEmpty());
}

TEST_F(EventSinks, AnErrorRaisedInAHandlerReturnsAsAFailedCallWithExceptionInfo) {
    struct Case {
        const char* what;
        std::function<void()> raise;
        HRESULT hr;
        SCODE scode;
        std::string source;
        std::string description;
    };
    const Case cases[] = {
        {"raised error", [] { throw RaisedError(13, "Telvane", "Type mismatch"); },
         DISP_E_EXCEPTION, static_cast<SCODE>(0x800A000D), "Telvane", "Type mismatch"},
        {"raised HRESULT",
         [] { throw RaisedError(static_cast<std::int32_t>(E_ACCESSDENIED), "Registry", "Denied"); },
         DISP_E_EXCEPTION, E_ACCESSDENIED, "Registry", "Denied"},
        {"standard exception", [] { throw std::runtime_error("broken"); }, DISP_E_EXCEPTION, E_FAIL,
         "", "broken"},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.what);
        recorder.during = [&](const std::string&) { each.raise(); };
        VARIANT_BOOL cancel = VARIANT_FALSE;
        EXCEPINFO info{};
        EXPECT_EQ(Write(&cancel, &info), each.hr);
        EXPECT_EQ(info.scode, each.scode);
        RaisedError error = ErrorFromCom(DISP_E_EXCEPTION, &info, "");
        EXPECT_EQ(error.Source(), each.source);
        EXPECT_EQ(error.Description(), each.description);
    }
    recorder.during = [](const std::string&) { throw 42; };
    EXPECT_EQ(fake.application->Fire(DIID_ApplicationEvents, eventid::Quit, {}), E_UNEXPECTED)
        << "even what is not an exception class stays inside the sink";
}

TEST_F(EventSinks, EndingTheSubscriptionUnadvisesAndSilencesTheHandler) {
    subscriptions.clear();
    for (FakeObject* source : {fake.application.Get(), fake.explorer.Get(), fake.inspectors.Get(),
                               fake.contactItems[0].Get()}) {
        EXPECT_EQ(source->Points()[0]->SinkCount(), 0u);
    }
    VARIANT_BOOL cancel = VARIANT_FALSE;
    EXPECT_EQ(Write(&cancel), S_OK);
    EXPECT_EQ(fake.explorer->Fire(DIID_ExplorerEvents, eventid::WindowClose, {}), S_OK);
    EXPECT_THAT(recorder.seen, IsEmpty());
}

TEST_F(EventSinks, AHandlerMayEndItsOwnSubscription) {
    recorder.during = [&](const std::string&) { subscriptions[1].Reset(); };
    EXPECT_EQ(fake.explorer->Fire(DIID_ExplorerEvents, eventid::WindowClose, {}), S_OK);
    EXPECT_EQ(fake.explorer->Points()[0]->SinkCount(), 0u);
    EXPECT_EQ(fake.explorer->Fire(DIID_ExplorerEvents, eventid::WindowClose, {}), S_OK);
    EXPECT_THAT(recorder.seen, ElementsAre("Explorer.Close"));
}

TEST_F(EventSinks, WithEventsMovesTheSubscriptionWithTheObject) {
    subscriptions.clear();
    outlook::WithEvents<outlook::ContactItem> watched(recorder.ContactItem());
    watched = contact;
    EXPECT_EQ(fake.contactItems[0]->Points()[0]->SinkCount(), 1u);
    auto second = app->GetNamespace("MAPI")
                      ->Folders()
                      ->Item(1)
                      ->Folders()
                      ->Item(1)
                      ->Items()
                      ->Item(2)
                      ->AsContactItem();
    watched = second;
    EXPECT_EQ(fake.contactItems[0]->Points()[0]->SinkCount(), 0u);
    EXPECT_EQ(fake.contactItems[1]->Points()[0]->SinkCount(), 1u);
    watched = nullptr;
    EXPECT_EQ(fake.contactItems[1]->Points()[0]->SinkCount(), 0u);
}

TEST_F(EventSinks, ASourceWithoutTheOriginalInterfaceRefusesTheSubscription) {
    const IID itemEvents10 = OutlookGuid(0x0006302B);
    auto modernOnly = FakeObject::Make(log, {IID_OlContactItem}, {itemEvents10});
    auto items = FakeObject::Make(log);
    FakeMailClient::MakeCollection(*items.Get(), {modernOnly});
    fake.contacts->Object(L"Items", dispid::Items, items.Get());
    auto modern = app->GetNamespace("MAPI")
                      ->Folders()
                      ->Item(1)
                      ->Folders()
                      ->Item(1)
                      ->Items()
                      ->Item(1)
                      ->AsContactItem();
    try {
        modern->Advise(recorder.ContactItem());
        FAIL() << "advising on ItemEvents must fail when only ItemEvents_10 is offered";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.Number(), static_cast<std::int32_t>(CONNECT_E_NOCONNECTION));
    }
    try {
        auto none = FakeObject::Make(log, {IID_OlApplication});
        WrapApplication(none.Get())->Advise(recorder.Application());
        FAIL() << "an object without connection points cannot be advised";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.Number(), static_cast<std::int32_t>(E_NOINTERFACE));
    }
}

// A handler whose copies fail once it is in place, as any copy may when memory runs out.
struct HandlerWithFailingCopies {
    std::shared_ptr<bool> failCopies = std::make_shared<bool>(false);
    std::shared_ptr<int> calls = std::make_shared<int>(0);
    HandlerWithFailingCopies() = default;
    HandlerWithFailingCopies(const HandlerWithFailingCopies& other)
        : failCopies(other.failCopies), calls(other.calls) {
        if (*failCopies)
            throw std::bad_alloc();
    }
    HandlerWithFailingCopies& operator=(const HandlerWithFailingCopies&) = delete;
    HRESULT operator()(DISPID, DISPPARAMS&, UINT*) const {
        ++*calls;
        return S_OK;
    }
};

TEST(EventSinkInvoke, AnswersOnlyForIidNullAndKeepsEveryExceptionInside) {
    outlookhost::ComApartment apartment;
    HandlerWithFailingCopies handler;
    const ComPtr<EventSink> sink = com::MakeComObject<EventSink>(DIID_ItemEvents, handler);
    DISPPARAMS none{};
    struct Case {
        const char* what;
        IID iid;
        HRESULT expected;
        int calls;
    };
    const Case cases[] = {
        {"IID_NULL", IID_NULL, S_OK, 1},
        {"the events' own IID", DIID_ItemEvents, DISP_E_UNKNOWNINTERFACE, 0},
        {"IID_IDispatch", IID_IDispatch, DISP_E_UNKNOWNINTERFACE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        *handler.calls = 0;
        EXPECT_EQ(sink->Invoke(eventid::Write, c.iid, 0, DISPATCH_METHOD, &none, nullptr, nullptr,
                               nullptr),
                  c.expected);
        EXPECT_EQ(*handler.calls, c.calls);
    }

    *handler.failCopies = true;
    *handler.calls = 0;
    EXCEPINFO info{};
    HRESULT hr = S_OK;
    EXPECT_NO_THROW(hr = sink->Invoke(eventid::Write, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr,
                                      &info, nullptr));
    EXPECT_EQ(hr, E_OUTOFMEMORY);
    EXPECT_EQ(*handler.calls, 0);
}

}  // namespace
}  // namespace telvane::tests
