#include "apps/bridgebenchmark/ContactBench.h"

#include <stdexcept>

#include "apps/outlookhost/ServerItem.h"
#include "common/outlook/Folders.h"
#include "common/outlook/Items.h"
#include "common/outlook/MAPIFolder.h"
#include "common/outlook/NameSpace.h"
#include "platform/win32/outlook/ComContactItem.h"
#include "platform/win32/outlook/DispIdCache.h"
#include "platform/win32/outlook/OutlookIds.h"
#include "tests/support/SampleStore.h"

namespace telvane::bench {

ContactBench::ContactBench() : m_context(std::make_shared<outlookhost::HostContext>()) {
    testsupport::SampleStore::Small(m_client);
    auto item = m_client.Application()
                    ->GetNamespace("MAPI")
                    ->Folders()
                    ->Item(1)
                    ->Folders()
                    ->Item(2)
                    ->Items()
                    ->Item(1);
    auto server = win32::com::MakeComObject<outlookhost::ServerItem>(m_context, item);
    m_raw = win32::ComPtr<IDispatch>(static_cast<IDispatch*>(server.Get()));
    win32::ComPtr<IDispatch> contact;
    m_raw->QueryInterface(win32::IID_OlContactItem, contact.PutVoid());
    if (!contact)
        throw std::runtime_error("the stand-in's item is not a contact");
    m_bridged = std::make_shared<win32::ComContactItem>(std::move(contact),
                                                        std::make_shared<win32::DispIdCache>());
    std::wstring name = L"BusinessFaxNumber";
    LPOLESTR names[] = {name.data()};
    if (FAILED(m_raw->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &m_fieldId)))
        throw std::runtime_error("the stand-in does not know BusinessFaxNumber");
}

ContactBench::~ContactBench() = default;

}  // namespace telvane::bench
