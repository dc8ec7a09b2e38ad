#include "platform/memory/outlook/MemoryApplication.h"

#include <algorithm>
#include <cctype>

#include "common/outlook/RaisedError.h"
#include "platform/memory/outlook/MemoryExplorer.h"
#include "platform/memory/outlook/MemoryExplorers.h"
#include "platform/memory/outlook/MemoryInspectors.h"
#include "platform/memory/outlook/MemoryNameSpace.h"
#include "platform/memory/outlook/OutlookErrors.h"

namespace telvane::memory {

MemoryApplication::MemoryApplication(std::shared_ptr<ClientState> state)
    : ClientObject(std::move(state)) {}

std::shared_ptr<outlook::NameSpace> MemoryApplication::GetNamespace(const std::string& type) {
    m_state->Enter(Operation::ApplicationGetNamespace);
    // "MAPI" is the only namespace the mail client has.
    bool mapi =
        type.size() == 4 && std::equal(type.begin(), type.end(), "MAPI", [](char a, char b) {
            return std::toupper(static_cast<unsigned char>(a)) == b;
        });
    if (!mapi) {
        throw RaisedError(RaisedError::InvalidArgument, OutlookErrors::Source,
                          "Could not open the namespace \"" + type + "\"");
    }
    return std::make_shared<MemoryNameSpace>(m_state);
}

std::shared_ptr<outlook::Explorer> MemoryApplication::ActiveExplorer() {
    m_state->Enter(Operation::ApplicationActiveExplorer);
    return m_state->ActiveExplorer();
}

std::shared_ptr<outlook::Explorers> MemoryApplication::Explorers() {
    m_state->Enter(Operation::ApplicationExplorers);
    return std::make_shared<MemoryExplorers>(m_state);
}

std::shared_ptr<outlook::Inspectors> MemoryApplication::Inspectors() {
    m_state->Enter(Operation::ApplicationInspectors);
    return std::make_shared<MemoryInspectors>(m_state);
}

outlook::Subscription MemoryApplication::Advise(const Events& handlers) {
    m_state->Enter(Operation::ApplicationAdvise);
    return m_state->Track(m_state->applicationEvents.Advise(handlers));
}

}  // namespace telvane::memory
