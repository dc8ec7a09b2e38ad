#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace telvane::win32 {

// A native window could not be made (CreateWindowEx returned null). The host turns it into the
// model's raised error where the form loads.
class WindowNotCreated : public std::runtime_error {
public:
    WindowNotCreated(const std::string& what, DWORD lastError);

    DWORD LastError() const { return m_lastError; }

private:
    DWORD m_lastError;
};

}  // namespace telvane::win32
