#include "platform/win32/com/ClassesRootOverride.h"

namespace telvane::win32::com {
namespace {

// Looked up at run time: Windows XP's oleaut32 lacks it, and needs it not.
void LetTypeLibrariesFollowTheOverride() {
    using Enable = void(WINAPI*)();
    const HMODULE automation = ::GetModuleHandleW(L"oleaut32.dll");
    if (!automation)
        return;
    const FARPROC found = ::GetProcAddress(automation, "OaEnablePerUserTLibRegistration");
    if (found)
        reinterpret_cast<Enable>(reinterpret_cast<void*>(found))();
}

}  // namespace

ClassesRootOverride::ClassesRootOverride()
    : m_classes(RegistryKeyHandle::Create(HKEY_CURRENT_USER, L"Software\\Classes", &m_result)) {
    if (!m_classes)
        return;
    LetTypeLibrariesFollowTheOverride();
    m_result = ::RegOverridePredefKey(HKEY_CLASSES_ROOT, m_classes.Get());
    if (m_result != ERROR_SUCCESS)
        m_classes = RegistryKeyHandle();
}

ClassesRootOverride::~ClassesRootOverride() {
    if (m_classes)
        ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
}

}  // namespace telvane::win32::com
