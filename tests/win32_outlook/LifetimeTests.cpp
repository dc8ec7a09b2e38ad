#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "apps/outlookhost/ComApartment.h"
#include "common/outlook/ContactItem.h"
#include "common/outlook/Explorer.h"
#include "common/outlook/Explorers.h"
#include "common/outlook/Folders.h"
#include "common/outlook/Inspector.h"
#include "common/outlook/Inspectors.h"
#include "common/outlook/Items.h"
#include "common/outlook/MAPIFolder.h"
#include "common/outlook/NameSpace.h"
#include "common/outlook/PropertyPages.h"
#include "platform/win32/com/ServerModule.h"
#include "platform/win32/outlook/OutlookBridge.h"
#include "platform/win32/outlook/OutlookIds.h"
#include "tests/win32_outlook/EventRecorder.h"
#include "tests/win32_outlook/FakeMailClient.h"

namespace telvane::tests {
namespace {

using namespace win32;

std::map<std::string, ULONG> References(FakeMailClient& fake) {
    return {{"application", fake.application->References()},
            {"nameSpace", fake.nameSpace->References()},
            {"stores", fake.stores->References()},
            {"store", fake.store->References()},
            {"contacts", fake.contacts->References()},
            {"items", fake.items->References()},
            {"contact 1", fake.contactItems[0]->References()},
            {"contact 2", fake.contactItems[1]->References()},
            {"mail", fake.mail->References()},
            {"explorers", fake.explorers->References()},
            {"explorer", fake.explorer->References()},
            {"inspectors", fake.inspectors->References()},
            {"inspector", fake.inspector->References()}};
}

// Uses every wrapper and every event, keeping objects the handlers were given, as the add-in
// does while attached.
void UseEverything(FakeMailClient& fake, EventRecorder& recorder) {
    auto app = WrapApplication(fake.application.Get());
    auto folder = app->GetNamespace("MAPI")->Folders()->Item(1)->Folders()->Item(1);
    auto items = folder->Items();
    auto contact = items->Item(1)->AsContactItem();
    items->Item(3)->GetProperty("Class");
    contact->Put(outlook::ContactField::HomeFaxNumber, "Fax: 1");
    contact->Close(outlook::olSave);
    auto explorer = app->ActiveExplorer();
    app->Explorers()->Count();
    auto inspectors = app->Inspectors();
    std::vector<outlook::Subscription> subscriptions;
    subscriptions.push_back(app->Advise(recorder.Application()));
    subscriptions.push_back(explorer->Advise(recorder.Explorer()));
    subscriptions.push_back(inspectors->Advise(recorder.Inspectors()));
    subscriptions.push_back(contact->Advise(recorder.ContactItem()));
    auto pages = FakeObject::Make(fake.log);
    fake.application->Fire(DIID_ApplicationEvents, eventid::OptionsPagesAdd,
                           {ComVariant(static_cast<IDispatch*>(pages.Get()))});
    fake.inspectors->Fire(DIID_InspectorsEvents, eventid::NewInspector,
                          {ComVariant(static_cast<IDispatch*>(fake.inspector.Get()))});
    subscriptions.push_back(recorder.inspector->Advise(recorder.Inspector()));
    recorder.inspector->CurrentItem()->AsContactItem();
}

TEST(BridgeLifetime, EveryReferenceTheBridgeTookIsReleasedWhenItsObjectsAreDropped) {
    outlookhost::ComApartment apartment;
    auto log = std::make_shared<FakeLog>();
    FakeMailClient fake(log);
    auto before = References(fake);
    {
        EventRecorder recorder;
        UseEverything(fake, recorder);
        EXPECT_EQ(recorder.seen.size(), 2u) << "OptionsPagesAdd and NewInspector arrived";
    }
    auto after = References(fake);
    for (const auto& [name, count] : before) {
        EXPECT_EQ(after[name], count) << name << " has references the bridge did not release";
    }
    for (FakeObject* source : {fake.application.Get(), fake.explorer.Get(), fake.inspectors.Get(),
                               fake.inspector.Get(), fake.contactItems[0].Get()}) {
        EXPECT_EQ(source->Points()[0]->SinkCount(), 0u);
    }
}

TEST(BridgeLifetime, NoObjectOutlivesTheMailClientAndNoSinkKeepsTheModuleLoaded) {
    outlookhost::ComApartment apartment;
    auto log = std::make_shared<FakeLog>();
    {
        FakeMailClient fake(log);
        EventRecorder recorder;
        UseEverything(fake, recorder);
        EXPECT_GT(log->live, 0);
    }
    EXPECT_EQ(log->live, 0) << "fakes still alive: a reference leaked";
    EXPECT_EQ(com::ServerModule::CanUnloadNow(), S_OK) << "an event sink was not released";
}

TEST(BridgeLifetime, ASubscriptionHoldsItsSourceUntilItEnds) {
    outlookhost::ComApartment apartment;
    auto log = std::make_shared<FakeLog>();
    FakeMailClient fake(log);
    EventRecorder recorder;
    outlook::Subscription subscription;
    {
        auto explorer = WrapApplication(fake.application.Get())->ActiveExplorer();
        subscription = explorer->Advise(recorder.Explorer());
    }
    ULONG held = fake.explorer->References();
    subscription.Reset();
    EXPECT_EQ(fake.explorer->References(), held - 1)
        << "the connection point (and with it the explorer) is released on unadvise";
}

}  // namespace
}  // namespace telvane::tests
