#include "platform/memory/outlook/ExplorerHandle.h"

#include "platform/memory/outlook/MemoryExplorer.h"

namespace telvane::memory {

ExplorerHandle::ExplorerHandle(std::shared_ptr<MemoryExplorer> explorer)
    : m_explorer(std::move(explorer)) {}

void ExplorerHandle::Activate() const {
    m_explorer->Activate();
}
void ExplorerHandle::Close() const {
    m_explorer->CloseWindow();
}
bool ExplorerHandle::IsOpen() const {
    return m_explorer->IsOpen();
}
std::shared_ptr<outlook::Explorer> ExplorerHandle::Object() const {
    return m_explorer;
}

}  // namespace telvane::memory
