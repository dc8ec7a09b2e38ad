#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "platform/memory/outlook/MailClient.h"
#include "platform/memory/registry/MemoryRegistry.h"

namespace telvane::demo {

// Narrates the demo: numbered steps, and after each one what changed in the stored contacts
// and in the switch's registry value since the step before.
class Transcript {
public:
    Transcript(std::ostream& out, memory::MailClient& client, memory::MemoryRegistry& registry);

    void Step(const std::string& text);
    void Say(const std::string& text);
    // Prints what changed since the last call, or that nothing did.
    void Changes();

    std::string SwitchText();

private:
    struct Snapshot {
        std::map<std::string, std::string> contacts;  // "Folder/FileAs #n" -> fax fields
        std::string switchText;
    };
    Snapshot Take();
    void Walk(const memory::FolderHandle& folder, const std::string& path, Snapshot& into);

    std::ostream& m_out;
    memory::MailClient& m_client;
    memory::MemoryRegistry& m_registry;
    Snapshot m_last;
    int m_step = 0;
};

}  // namespace telvane::demo
