#include "platform/win32/ui/WindowNotCreated.h"

namespace telvane::win32 {

WindowNotCreated::WindowNotCreated(const std::string& what, DWORD lastError)
    : std::runtime_error("The window of " + what + " could not be created"),
      m_lastError(lastError) {}

}  // namespace telvane::win32
