#pragma once

// Product headers come before <windows.h>, whose macros share their names.
#include "apps/hostbenchmark/StoreForest.h"
#include "apps/outlookhost/HostContext.h"
#include "common/outlook/Application.h"
#include "platform/win32/com/ComPtr.h"

#include <ole2.h>
#include <windows.h>

#include <cstdint>
#include <memory>

namespace telvane::bench {

// The fax manager's walk of the stores without its window: the object model's calls it makes
// for each folder, in its order, on a forest's mail client reached three ways: in process, over
// COM through the bridge, and over COM with bare Invoke calls on DISPIDs known in advance. What
// the second costs over the third is the bridge's; what the third costs over the first, the
// stand-in mail client's and COM's.
class FolderWalk {
public:
    explicit FolderWalk(StoreForest& forest);
    FolderWalk(const FolderWalk&) = delete;
    FolderWalk& operator=(const FolderWalk&) = delete;
    ~FolderWalk();

    // Each returns the contact folders it found.
    std::int32_t InProcess();
    std::int32_t Bridged();
    std::int32_t Raw();

    // Invoke calls the stand-in answered since the last ResetInvokes: counted by a failure
    // planned for a call that never comes.
    std::uint64_t Invokes() const { return m_context->faults.Count(); }
    void ResetInvokes() { m_context->faults.Arm(UINT64_MAX, {}); }

private:
    std::shared_ptr<outlookhost::HostContext> m_context;
    memory::MailClient& m_client;
    win32::ComPtr<IDispatch> m_served;
    std::shared_ptr<outlook::Application> m_bridged;
};

}  // namespace telvane::bench
