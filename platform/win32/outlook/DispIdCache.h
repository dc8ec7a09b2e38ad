#pragma once

#include <ole2.h>
#include <windows.h>

#include <map>
#include <string>
#include <utility>

#include "platform/win32/outlook/ObjectKind.h"

namespace telvane::win32 {

// Member identifiers looked up by name once per kind of object and remembered: every object
// of one interface answers a name with the same DISPID. Shared by all objects reached from one
// wrapped root, so a fresh root starts with a fresh cache.
class DispIdCache {
public:
    // Raises the mail client's error when the object does not know the name.
    DISPID Find(ObjectKind kind, IDispatch* object, const std::string& name);

private:
    std::map<std::pair<ObjectKind, std::string>, DISPID> m_ids;
};

}  // namespace telvane::win32
