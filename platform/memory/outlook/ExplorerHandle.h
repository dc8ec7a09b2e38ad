#pragma once

#include <memory>

#include "common/outlook/Explorer.h"

namespace telvane::memory {

class MemoryExplorer;

// A test's handle on a folder window: the user activates or closes it.
class ExplorerHandle {
public:
    explicit ExplorerHandle(std::shared_ptr<MemoryExplorer> explorer);

    // Makes it the active explorer.
    void Activate() const;
    // Raises its Close while it is still counted; closing a closed window does nothing.
    void Close() const;
    bool IsOpen() const;
    // The window object, the same one Application.ActiveExplorer answers.
    std::shared_ptr<outlook::Explorer> Object() const;

private:
    std::shared_ptr<MemoryExplorer> m_explorer;
};

}  // namespace telvane::memory
