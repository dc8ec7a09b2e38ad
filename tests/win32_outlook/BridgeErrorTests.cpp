#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "apps/outlookhost/ComApartment.h"
#include "common/outlook/ContactItem.h"
#include "common/outlook/Folders.h"
#include "common/outlook/Items.h"
#include "common/outlook/MAPIFolder.h"
#include "common/outlook/NameSpace.h"
#include "common/outlook/RaisedError.h"
#include "platform/win32/outlook/ComError.h"
#include "platform/win32/outlook/OutlookBridge.h"
#include "platform/win32/outlook/OutlookIds.h"
#include "tests/win32_outlook/FakeMailClient.h"

namespace telvane::tests {
namespace {

using namespace win32;

class BridgeErrors : public ::testing::Test {
protected:
    std::shared_ptr<outlook::ContactItem> FirstContact() {
        return WrapApplication(fake.application.Get())
            ->GetNamespace("MAPI")
            ->Folders()
            ->Item(1)
            ->Folders()
            ->Item(1)
            ->Items()
            ->Item(1)
            ->AsContactItem();
    }

    outlookhost::ComApartment apartment;
    std::shared_ptr<FakeLog> log = std::make_shared<FakeLog>();
    FakeMailClient fake{log};
};

struct ErrorCase {
    const char* what;
    FakeObject::Failure failure;
    std::int32_t number;
    std::string source;
    std::string description;
};

TEST_F(BridgeErrors, AFailedCallRaisesTheNumberSourceAndDescriptionTheMailClientGave) {
    const ErrorCase cases[] = {
        {"wCode",
         {DISP_E_EXCEPTION, 4096, 0, L"Microsoft Outlook", L"The item has been moved."},
         4096,
         "Microsoft Outlook",
         "The item has been moved."},
        {"automation error in scode",
         {DISP_E_EXCEPTION, 0, static_cast<SCODE>(0x800A000D), L"Telvane", L"Type mismatch"},
         13,
         "Telvane",
         "Type mismatch"},
        {"HRESULT in scode",
         {DISP_E_EXCEPTION, 0, E_ACCESSDENIED, L"Microsoft Outlook", L"No permission"},
         static_cast<std::int32_t>(E_ACCESSDENIED),
         "Microsoft Outlook",
         "No permission"},
        {"neither code",
         {DISP_E_EXCEPTION, 0, 0, L"Microsoft Outlook", L"Something"},
         static_cast<std::int32_t>(DISP_E_EXCEPTION),
         "Microsoft Outlook",
         "Something"},
        {"description filled in on demand",
         {DISP_E_EXCEPTION, 0, E_FAIL, L"Microsoft Outlook", L"", true},
         static_cast<std::int32_t>(E_FAIL),
         "Microsoft Outlook",
         "Described on demand"},
        {"text outside ASCII",
         {DISP_E_EXCEPTION, 7, 0, L"Outlook \u00E9", L"\u00C9chec \u65E5"},
         7,
         "Outlook \xC3\xA9",
         "\xC3\x89"
         "chec \xE6\x97\xA5"},
    };
    auto contact = FirstContact();
    for (const ErrorCase& each : cases) {
        SCOPED_TRACE(each.what);
        fake.contactItems[0]->FailNextCall(dispid::BusinessFaxNumber, each.failure);
        try {
            contact->BusinessFaxNumber();
            ADD_FAILURE() << "the call must raise";
        } catch (const RaisedError& error) {
            EXPECT_EQ(error.Number(), each.number);
            EXPECT_EQ(error.Source(), each.source);
            EXPECT_EQ(error.Description(), each.description);
        }
    }
}

TEST_F(BridgeErrors, AFailureWithoutExceptionInfoRaisesItsHresultNamingTheMember) {
    struct Case {
        HRESULT hr;
        std::int32_t number;
    };
    auto contact = FirstContact();
    for (Case each : {Case{E_NOINTERFACE, static_cast<std::int32_t>(E_NOINTERFACE)},
                      Case{DISP_E_MEMBERNOTFOUND, static_cast<std::int32_t>(DISP_E_MEMBERNOTFOUND)},
                      Case{static_cast<HRESULT>(0x800A01B6), 438}}) {
        SCOPED_TRACE(each.number);
        FakeObject::Failure failure;
        failure.hr = each.hr;
        fake.contactItems[0]->FailNextCall(dispid::Save, failure);
        try {
            contact->Save();
            ADD_FAILURE() << "the call must raise";
        } catch (const RaisedError& error) {
            EXPECT_EQ(error.Number(), each.number);
            EXPECT_EQ(error.Source(), "");
            EXPECT_EQ(error.Description().rfind("Save: ", 0), 0u) << error.Description();
        }
    }
}

TEST_F(BridgeErrors, ANameTheObjectDoesNotKnowRaisesNamingIt) {
    auto item = WrapApplication(fake.application.Get())
                    ->GetNamespace("MAPI")
                    ->Folders()
                    ->Item(1)
                    ->Folders()
                    ->Item(1)
                    ->Items()
                    ->Item(3);
    try {
        item->GetProperty("NoSuchThing");
        FAIL() << "an unknown name must raise";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.Number(), static_cast<std::int32_t>(DISP_E_UNKNOWNNAME));
        EXPECT_EQ(error.Description().rfind("NoSuchThing: ", 0), 0u) << error.Description();
    }
}

TEST_F(BridgeErrors, ARaisedErrorReportedToCallersComesBackWithItsNumber) {
    struct Case {
        std::int32_t number;
        HRESULT scode;
    };
    for (Case each :
         {Case{13, static_cast<HRESULT>(0x800A000D)}, Case{91, static_cast<HRESULT>(0x800A005B)},
          Case{35602, static_cast<HRESULT>(0x800A8B12)},
          Case{static_cast<std::int32_t>(E_OUTOFMEMORY), E_OUTOFMEMORY}}) {
        SCOPED_TRACE(each.number);
        EXCEPINFO info{};
        HRESULT hr = ReportError(RaisedError(each.number, "Telvane", "It failed"), &info);
        EXPECT_EQ(hr, DISP_E_EXCEPTION);
        EXPECT_EQ(info.scode, each.scode);
        EXPECT_EQ(info.wCode, 0) << "wCode and scode are never both set";
        RaisedError back = ErrorFromCom(hr, &info, "Member");
        EXPECT_EQ(back.Number(), each.number);
        EXPECT_EQ(back.Source(), "Telvane");
        EXPECT_EQ(back.Description(), "It failed");
        EXPECT_EQ(info.bstrSource, nullptr) << "reading the error takes its texts";
    }
    EXPECT_EQ(ReportError(RaisedError(13, "", ""), nullptr), static_cast<HRESULT>(0x800A000D))
        << "without EXCEPINFO the number travels in the HRESULT";
}

}  // namespace
}  // namespace telvane::tests
