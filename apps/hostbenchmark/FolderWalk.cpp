#include "apps/hostbenchmark/FolderWalk.h"

#include <stdexcept>
#include <string>

#include "apps/outlookhost/ServerApplication.h"
#include "common/outlook/Folders.h"
#include "common/outlook/Items.h"
#include "common/outlook/MAPIFolder.h"
#include "common/outlook/NameSpace.h"
#include "platform/win32/com/Bstr.h"
#include "platform/win32/outlook/ComVariant.h"
#include "platform/win32/outlook/OutlookBridge.h"
#include "platform/win32/outlook/OutlookIds.h"

namespace telvane::bench {
namespace {

using win32::ComPtr;
using win32::ComVariant;
namespace dispid = win32::dispid;

// The product's walk below one folder.
std::int32_t WalkBelow(const std::shared_ptr<outlook::MAPIFolder>& parent) {
    std::int32_t found = 0;
    const std::int32_t count = parent->Folders()->Count();
    for (std::int32_t i = 1; i <= count; ++i) {
        auto folder = parent->Folders()->Item(i);
        if (folder->DefaultItemType() == outlook::olContactItem) {
            const std::string id = folder->EntryID();
            const std::string name = folder->Name();
            const std::int32_t items = folder->Items()->Count();
            found += !id.empty() && !name.empty() && items >= 0;
        }
        found += WalkBelow(folder);
    }
    return found;
}

std::int32_t Walk(outlook::Application& application) {
    auto stores = application.GetNamespace("MAPI")->Folders();
    std::int32_t found = 0;
    const std::int32_t count = stores->Count();
    for (std::int32_t i = 1; i <= count; ++i) {
        auto store = stores->Item(i);
        const std::string id = store->EntryID();
        const std::string name = store->Name();
        found += WalkBelow(store) + (id.empty() || name.empty() ? -1 : 0);
    }
    return found;
}

ComVariant Invoke(IDispatch* object, DISPID id, WORD flags, VARIANT* argument = nullptr) {
    DISPPARAMS params{argument, nullptr, argument ? 1u : 0u, 0};
    ComVariant result;
    EXCEPINFO info{};
    UINT argError = 0;
    if (FAILED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.Put(),
                              &info, &argError))) {
        throw std::runtime_error("a raw Invoke failed");
    }
    return result;
}

ComVariant Get(IDispatch* object, DISPID id) {
    return Invoke(object, id, DISPATCH_PROPERTYGET);
}

ComPtr<IDispatch> ItemOf(IDispatch* collection, std::int32_t index) {
    VARIANT argument;
    argument.vt = VT_I4;
    argument.lVal = index;
    return Invoke(collection, dispid::Item, DISPATCH_METHOD, &argument).ToObject();
}

std::int32_t RawBelow(IDispatch* parent) {
    std::int32_t found = 0;
    const std::int32_t count =
        Get(Get(parent, dispid::Folders).ToObject().Get(), dispid::Count).ToInt32();
    for (std::int32_t i = 1; i <= count; ++i) {
        ComPtr<IDispatch> folder = ItemOf(Get(parent, dispid::Folders).ToObject().Get(), i);
        if (Get(folder.Get(), dispid::DefaultItemType).ToInt32() == outlook::olContactItem) {
            const std::string id = Get(folder.Get(), dispid::EntryID).ToText();
            const std::string name = Get(folder.Get(), dispid::Name).ToText();
            const std::int32_t items =
                Get(Get(folder.Get(), dispid::Items).ToObject().Get(), dispid::Count).ToInt32();
            found += !id.empty() && !name.empty() && items >= 0;
        }
        found += RawBelow(folder.Get());
    }
    return found;
}

}  // namespace

FolderWalk::FolderWalk(StoreForest& forest)
    : m_context(std::make_shared<outlookhost::HostContext>()), m_client(forest.Client()) {
    auto served = win32::com::MakeComObject<outlookhost::ServerApplication>(m_context,
                                                                            m_client.Application());
    m_served = ComPtr<IDispatch>(static_cast<IDispatch*>(served.Get()));
    m_bridged = win32::WrapApplication(m_served.Get());
    if (!m_bridged)
        throw std::runtime_error("the bridge does not take the stand-in's application");
}

FolderWalk::~FolderWalk() = default;

std::int32_t FolderWalk::InProcess() {
    return Walk(*m_client.Application());
}

std::int32_t FolderWalk::Bridged() {
    return Walk(*m_bridged);
}

std::int32_t FolderWalk::Raw() {
    VARIANT mapi;
    mapi.vt = VT_BSTR;
    mapi.bstrVal = ::SysAllocString(L"MAPI");
    ComVariant nameSpace = Invoke(m_served.Get(), dispid::GetNamespace, DISPATCH_METHOD, &mapi);
    ::VariantClear(&mapi);
    ComPtr<IDispatch> stores = Get(nameSpace.ToObject().Get(), dispid::Folders).ToObject();
    std::int32_t found = 0;
    const std::int32_t count = Get(stores.Get(), dispid::Count).ToInt32();
    for (std::int32_t i = 1; i <= count; ++i) {
        ComPtr<IDispatch> store = ItemOf(stores.Get(), i);
        const std::string id = Get(store.Get(), dispid::EntryID).ToText();
        const std::string name = Get(store.Get(), dispid::Name).ToText();
        found += RawBelow(store.Get()) + (id.empty() || name.empty() ? -1 : 0);
    }
    return found;
}

}  // namespace telvane::bench
