#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The whole object model, so that a test can walk it from Application() with this one header.
#include "common/outlook/Application.h"
#include "common/outlook/ContactItem.h"
#include "common/outlook/Explorer.h"
#include "common/outlook/Explorers.h"
#include "common/outlook/Folders.h"
#include "common/outlook/Inspector.h"
#include "common/outlook/Inspectors.h"
#include "common/outlook/Item.h"
#include "common/outlook/Items.h"
#include "common/outlook/MAPIFolder.h"
#include "common/outlook/NameSpace.h"
#include "common/outlook/PropertyPageSite.h"
#include "common/outlook/PropertyPages.h"
#include "platform/memory/outlook/AddedPage.h"
#include "platform/memory/outlook/CallCounter.h"
#include "platform/memory/outlook/ExplorerHandle.h"
#include "platform/memory/outlook/Failure.h"
#include "platform/memory/outlook/FolderHandle.h"
#include "platform/memory/outlook/HandlerError.h"
#include "platform/memory/outlook/InspectorHandle.h"
#include "platform/memory/outlook/ItemHandle.h"
#include "platform/memory/outlook/MemoryPropertyPageSite.h"
#include "platform/memory/outlook/OutlookErrors.h"
#include "platform/memory/outlook/RecordedCall.h"

namespace telvane::memory {

class ClientState;
class MemoryApplication;

// The in-memory mail client: its stores, its windows, the user's actions on them, failures
// on demand and a count of the calls made through the object model.
class MailClient {
public:
    MailClient();
    ~MailClient();
    MailClient(const MailClient&) = delete;
    MailClient& operator=(const MailClient&) = delete;

    // The object the product is connected with.
    std::shared_ptr<outlook::Application> Application() const;

    // Stores are the top-level folders (default item type mail).
    FolderHandle AddStore(std::string name) const;
    std::int32_t StoreCount() const;
    FolderHandle Store(std::int32_t position) const;
    void RemoveStore(std::int32_t position) const;

    ExplorerHandle OpenExplorer();
    // Opens a window on a fresh object of the item and raises NewInspector with it.
    InspectorHandle OpenInspector(const ItemHandle& item);
    // Opens a window on this very item object (one the mail client handed out); when a
    // window already shows it, that window is answered and nothing is raised.
    InspectorHandle OpenInspector(const std::shared_ptr<outlook::Item>& item);
    // Until an explorer is opened or activated, ActiveExplorer answers none.
    void ClearActiveExplorer();
    std::int32_t ExplorerCount() const;
    std::int32_t InspectorCount() const;

    // Builds the Options dialog: raises OptionsPagesAdd with a fresh pages collection and
    // answers the pages added to it.
    std::vector<AddedPage> ShowOptionsDialog();
    void Quit();
    std::shared_ptr<MemoryPropertyPageSite> NewPropertyPageSite() const;

    // Fails a call on every object, e.g. FailOn("Inspectors.Count", 440) or
    // FailOn("Items.Item", {.number = 1, .times = 1, .position = 3}).
    void FailOn(std::string_view call, std::int32_t number);
    void FailOn(std::string_view call, Failure failure);
    // Fails the k-th object-model call from now (k >= 1), whichever object it is made on;
    // FailCallsFromNow fails that one and every call after it. Both last until ClearFailures.
    void FailCallFromNow(std::uint64_t k, Failure failure);
    void FailCallsFromNow(std::uint64_t k, Failure failure);
    // The calls counted since that plan was made, and the ordinal of the first one it failed
    // (0 while none did).
    std::uint64_t CountdownCalls() const;
    std::uint64_t CountdownFiredAt() const;
    // Clears the failures planned here and on every folder and item.
    void ClearFailures();

    // Starts recording every call, in order, dropping an earlier record; or stops.
    void RecordCalls(bool on);
    const std::vector<RecordedCall>& RecordedCalls() const;

    // Errors that event handlers raised into the mail client, oldest first.
    const std::vector<HandlerError>& HandlerErrors() const;
    void ClearHandlerErrors();

    CallCounter& Calls();
    const CallCounter& Calls() const;
    // Subscriptions made through Advise and not yet ended.
    std::int32_t LiveSubscriptions() const;
    // Objects of the mail client alive, the application held here included.
    std::int32_t LiveObjects() const;

private:
    std::shared_ptr<ClientState> m_state;
    std::shared_ptr<MemoryApplication> m_application;
};

}  // namespace telvane::memory
