#pragma once

#include <windows.h>

#include "platform/win32/com/RegistryKeyHandle.h"

namespace telvane::win32::com {

// While it lives, the process's HKEY_CLASSES_ROOT is the current user's classes
// (HKCU\Software\Classes): a registration made meanwhile needs no administrator rights and
// serves that user alone. The type library functions follow the override only where oleaut32
// has been told to (Vista SP1 on); before that they follow it anyway.
class ClassesRootOverride {
public:
    ClassesRootOverride();
    ClassesRootOverride(const ClassesRootOverride&) = delete;
    ClassesRootOverride& operator=(const ClassesRootOverride&) = delete;
    ~ClassesRootOverride();

    // ERROR_SUCCESS when the override is in place, else the platform's code.
    LONG Result() const { return m_result; }

private:
    // First: the key's creation fills it in.
    LONG m_result = ERROR_SUCCESS;
    RegistryKeyHandle m_classes;
};

}  // namespace telvane::win32::com
