#pragma once

// Product headers come before <windows.h>, whose macros share their names.
#include "apps/outlookhost/ComApartment.h"
#include "apps/outlookhost/HostContext.h"
#include "common/outlook/ContactItem.h"
#include "platform/memory/outlook/MailClient.h"
#include "platform/win32/com/ComPtr.h"

#include <ole2.h>
#include <windows.h>

#include <memory>
#include <string>

namespace telvane::bench {

// One contact of the stand-in mail client served over COM, reached twice: through the bridge,
// as the product reaches it, and as the bare IDispatch with the field's DISPID fetched once.
class ContactBench {
public:
    ContactBench();
    ContactBench(const ContactBench&) = delete;
    ContactBench& operator=(const ContactBench&) = delete;
    ~ContactBench();

    outlook::ContactItem& Bridged() { return *m_bridged; }
    IDispatch* Raw() const { return m_raw.Get(); }
    DISPID FieldId() const { return m_fieldId; }
    long LiveObjects() const { return m_context->liveObjects; }

    static constexpr outlook::ContactField Field = outlook::ContactField::BusinessFaxNumber;

private:
    outlookhost::ComApartment m_apartment;
    std::shared_ptr<outlookhost::HostContext> m_context;
    memory::MailClient m_client;
    win32::ComPtr<IDispatch> m_raw;
    std::shared_ptr<outlook::ContactItem> m_bridged;
    DISPID m_fieldId = DISPID_UNKNOWN;
};

}  // namespace telvane::bench
