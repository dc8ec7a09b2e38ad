#pragma once

#include <ole2.h>
#include <windows.h>

#include <array>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "platform/win32/outlook/Member.h"
#include "platform/win32/outlook/ObjectKind.h"

namespace telvane::win32 {

// Member identifiers looked up once per kind of object and remembered: every object of one
// interface answers a name with the same DISPID. Shared by all objects reached from one
// wrapped root, so a fresh root starts with a fresh cache.
class DispIdCache {
public:
    // Raise the mail client's error when the object does not know the member.
    DISPID Find(ObjectKind kind, IDispatch* object, Member member) {
        std::optional<DISPID>& id =
            m_members[static_cast<std::size_t>(kind)][static_cast<std::size_t>(member)];
        if (!id)
            id = Look(object, WideNameOf(member), NameOf(member));
        return *id;
    }
    // A member the bridge has no enumerator for, by name.
    DISPID Find(ObjectKind kind, IDispatch* object, const std::string& name);

private:
    static DISPID Look(IDispatch* object, const wchar_t* wide, std::string_view name);

    std::array<std::array<std::optional<DISPID>, MemberCount>, ObjectKindCount> m_members{};
    std::map<std::pair<ObjectKind, std::string>, DISPID> m_named;
};

}  // namespace telvane::win32
