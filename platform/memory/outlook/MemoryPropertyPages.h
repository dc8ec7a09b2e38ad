#pragma once

#include <memory>
#include <string>
#include <vector>

#include "common/outlook/PropertyPages.h"
#include "platform/memory/outlook/AddedPage.h"
#include "platform/memory/outlook/ClientObject.h"

namespace telvane::memory {

// The pages collection of one Options dialog being built; it records every page added.
class MemoryPropertyPages : public outlook::PropertyPages, private ClientObject {
public:
    explicit MemoryPropertyPages(std::shared_ptr<ClientState> state);

    void Add(const Variant& page, const std::string& title) override;

    const std::vector<AddedPage>& Added() const { return m_added; }

private:
    std::vector<AddedPage> m_added;
};

}  // namespace telvane::memory
