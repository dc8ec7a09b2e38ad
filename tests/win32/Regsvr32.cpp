#include "tests/win32/Regsvr32.h"

#include <utility>

namespace telvane::win32::test {
namespace {

// Owns a handle of a started process or thread.
class Handle {
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (m_handle)
            ::CloseHandle(m_handle);
    }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

}  // namespace

DWORD RunRegsvr32(const std::wstring& options, const std::wstring& dll) {
    std::wstring command = L"regsvr32.exe /s " + options + L" \"" + dll + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &started)) {
        return static_cast<DWORD>(-1);
    }
    const Handle process(started.hProcess);
    const Handle thread(started.hThread);
    ::WaitForSingleObject(process.Get(), INFINITE);
    DWORD exitCode = static_cast<DWORD>(-1);
    ::GetExitCodeProcess(process.Get(), &exitCode);
    return exitCode;
}

}  // namespace telvane::win32::test
