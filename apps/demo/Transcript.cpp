#include "apps/demo/Transcript.h"

#include <cstring>

#include "registry/RegistryApi.h"

namespace telvane::demo {

namespace {

std::string FaxFields(const memory::ItemHandle& item) {
    std::string text;
    const std::pair<const char*, outlook::ContactField> fields[] = {
        {"home", outlook::ContactField::HomeFaxNumber},
        {"other", outlook::ContactField::OtherFaxNumber},
        {"business", outlook::ContactField::BusinessFaxNumber},
    };
    for (const auto& [name, field] : fields) {
        std::string value = item.Stored(field);
        if (value.empty())
            continue;
        if (!text.empty())
            text += ", ";
        text += std::string(name) + " \"" + value + "\"";
    }
    return text.empty() ? "no fax number" : text;
}

}  // namespace

Transcript::Transcript(std::ostream& out, memory::MailClient& client,
                       memory::MemoryRegistry& registry)
    : m_out(out), m_client(client), m_registry(registry) {
    m_last = Take();
}

void Transcript::Step(const std::string& text) {
    m_out << "\n" << ++m_step << ". " << text << "\n";
}

void Transcript::Say(const std::string& text) {
    m_out << "   " << text << "\n";
}

std::string Transcript::SwitchText() {
    RegistryApi::Key key = 0;
    if (m_registry.RegOpenKeyExA(RegistryApi::ClassesRoot, "Software\\Merrowind\\Telvane\\Options",
                                 0, RegistryApi::KeyQueryValue, &key) != RegistryApi::Success) {
        return "not stored";
    }
    std::uint32_t type = 0;
    std::uint8_t data[64] = {};
    std::uint32_t size = sizeof data;
    long result = m_registry.RegQueryValueExA(key, "Default", &type, data, &size);
    m_registry.RegCloseKey(key);
    if (result != RegistryApi::Success)
        return "not stored";
    if (type == RegistryApi::Dword && size == 4) {
        std::int32_t value = 0;
        std::memcpy(&value, data, 4);
        return "REG_DWORD " + std::to_string(value);
    }
    return "type " + std::to_string(type) + ", " + std::to_string(size) + " bytes";
}

void Transcript::Walk(const memory::FolderHandle& folder, const std::string& path, Snapshot& into) {
    for (std::int32_t i = 1; i <= folder.ItemCount(); ++i) {
        auto item = folder.Item(i);
        if (item.Class() != outlook::olContact)
            continue;
        into.contacts[path + " / " + item.Stored(outlook::ContactField::FileAs) + " #" +
                      std::to_string(i)] = FaxFields(item);
    }
    for (std::int32_t i = 1; i <= folder.FolderCount(); ++i) {
        auto sub = folder.Folder(i);
        Walk(sub, path + " / " + sub.Name(), into);
    }
}

Transcript::Snapshot Transcript::Take() {
    Snapshot snapshot;
    for (std::int32_t i = 1; i <= m_client.StoreCount(); ++i) {
        auto store = m_client.Store(i);
        Walk(store, store.Name(), snapshot);
    }
    snapshot.switchText = SwitchText();
    return snapshot;
}

void Transcript::Changes() {
    Snapshot now = Take();
    bool any = false;
    for (const auto& [contact, fax] : now.contacts) {
        auto before = m_last.contacts.find(contact);
        if (before != m_last.contacts.end() && before->second == fax)
            continue;
        m_out << "   * contact " << contact << ": "
              << (before == m_last.contacts.end() ? "(new)" : before->second) << "  ->  " << fax
              << "\n";
        any = true;
    }
    if (now.switchText != m_last.switchText) {
        m_out << "   * registry HKCR\\Software\\Merrowind\\Telvane\\Options \"Default\": "
              << m_last.switchText << "  ->  " << now.switchText << "\n";
        any = true;
    }
    if (!any)
        m_out << "   (no contact and no setting changed)\n";
    m_last = std::move(now);
}

}  // namespace telvane::demo
