#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "addin/AddInLibrary.h"
#include "addin/TLConnect.h"
#include "platform/memory/outlook/MailClient.h"
#include "platform/memory/registry/MemoryRegistry.h"

namespace telvane {

// A connected add-in on an in-memory mail client with one contact folder and an empty registry.
class AddInFixture : public testing::Test {
protected:
    void Connect() { connection.OnConnection(client.Application()); }
    TelvaneAddIn& AddIn() {
        EXPECT_NE(connection.AddIn(), nullptr);
        return *connection.AddIn();
    }

    // Stores the switch value "Default" as raw registry data of the given type.
    void StoreSwitch(std::uint32_t type, const std::vector<std::uint8_t>& data) {
        RegistryApi::Key key = 0;
        ASSERT_EQ(registry.RegCreateKeyExA(RegistryApi::ClassesRoot,
                                           "Software\\Merrowind\\Telvane\\Options",
                                           RegistryApi::KeyWriteAll, &key, nullptr),
                  RegistryApi::Success);
        ASSERT_EQ(registry.RegSetValueExA(key, "Default", type, data.data(),
                                          static_cast<std::uint32_t>(data.size())),
                  RegistryApi::Success);
        registry.RegCloseKey(key);
    }
    void StoreSwitch(std::int32_t value) {
        auto v = static_cast<std::uint32_t>(value);
        StoreSwitch(RegistryApi::Dword, {std::uint8_t(v), std::uint8_t(v >> 8),
                                         std::uint8_t(v >> 16), std::uint8_t(v >> 24)});
    }
    void StoreSwitchText(const std::string& text) {
        std::vector<std::uint8_t> data(text.begin(), text.end());
        data.push_back(0);
        StoreSwitch(RegistryApi::Sz, data);
    }

    std::string HandlerErrorsText() const {
        std::string text;
        for (const auto& e : client.HandlerErrors()) {
            text += e.event + " " + std::to_string(e.number) + " " + e.description + "\n";
        }
        return text;
    }

    memory::MailClient client;
    memory::MemoryRegistry registry;
    AddInLibrary library{registry};
    TLConnect connection{library};
    memory::FolderHandle contacts =
        client.AddStore("Personal Folders").AddFolder("Contacts", outlook::olContactItem);
};

}  // namespace telvane
