#pragma once

#include "registry/RegistryApi.h"

namespace telvane {

// An open registry key that is closed when the holder goes, on every path out of a call.
// Closing a predefined root, which opening an empty path can hand back, is harmless.
class RegistryKeyHandle {
public:
    explicit RegistryKeyHandle(RegistryApi& api) : m_api(&api) {}
    RegistryKeyHandle(const RegistryKeyHandle&) = delete;
    RegistryKeyHandle& operator=(const RegistryKeyHandle&) = delete;
    ~RegistryKeyHandle() { Close(); }

    RegistryApi::Key Get() const { return m_key; }

    // Takes over a handle that an open, create or connect call returned with success.
    void Adopt(RegistryApi::Key key) {
        Close();
        m_key = key;
    }

    void Close() {
        if (m_key != 0)
            m_api->RegCloseKey(m_key);
        m_key = 0;
    }

private:
    RegistryApi* m_api;
    RegistryApi::Key m_key = 0;
};

}  // namespace telvane
