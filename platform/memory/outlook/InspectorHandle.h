#pragma once

#include <memory>
#include <string>

#include "common/outlook/Inspector.h"
#include "common/outlook/Item.h"
#include "platform/memory/outlook/ContactFields.h"

namespace telvane::memory {

class MemoryInspector;

// A test's handle on an item window: the user types into it, saves from it or closes it.
// None of these counts as an object-model call or can be made to fail.
class InspectorHandle {
public:
    explicit InspectorHandle(std::shared_ptr<MemoryInspector> inspector);

    // Changes the open copy of the window's item, as typing into a field does.
    void Edit(outlook::ContactField field, std::string text) const;
    // Saves the window's item: Write on that item object, then the store unless cancelled.
    void Save() const;
    // Closes without saving; Close is raised while the window is still counted.
    void Close() const;
    bool IsOpen() const;
    // The open copy of the window's item.
    ContactFields Shown() const;

    // The window object, the same one NewInspector passed.
    std::shared_ptr<outlook::Inspector> Object() const;
    // The item object the window shows, the same one Inspector.CurrentItem answers.
    std::shared_ptr<outlook::Item> Item() const;

private:
    std::shared_ptr<MemoryInspector> m_inspector;
};

}  // namespace telvane::memory
