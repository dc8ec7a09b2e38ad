#pragma once

#include <ole2.h>
#include <windows.h>

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/win32/com/ComPtr.h"
#include "platform/win32/outlook/ComVariant.h"
#include "platform/win32/outlook/DispIdCache.h"
#include "platform/win32/outlook/Member.h"
#include "platform/win32/outlook/ObjectKind.h"

namespace telvane::win32 {

// A mail client object called late-bound through IDispatch. Every failure of the object is
// raised as RaisedError.
class DispatchObject {
public:
    // The most arguments a call passes.
    static constexpr std::size_t MaxArguments = 4;

    DispatchObject(ComPtr<IDispatch> object, ObjectKind kind, std::shared_ptr<DispIdCache> ids);

    ComVariant Get(Member member);
    // Any property, by the name the caller knows it by.
    ComVariant Get(const std::string& name);
    void Put(Member member, const ComVariant& value);
    // Arguments in the order of the member's declaration.
    ComVariant Call(Member member, std::span<const ComVariant> args = {});

    // The object a member answered; raises 91 (object not set) when it answered none.
    static ComPtr<IDispatch> RequireObject(const ComVariant& value, std::string_view name);

    IDispatch* Object() const { return m_object.Get(); }
    ObjectKind Kind() const { return m_kind; }
    const std::shared_ptr<DispIdCache>& Ids() const { return m_ids; }

private:
    static ComVariant Invoke(IDispatch* object, DISPID id, std::string_view name, WORD flags,
                             std::span<const ComVariant> args);

    ComPtr<IDispatch> m_object;
    ObjectKind m_kind;
    std::shared_ptr<DispIdCache> m_ids;
};

}  // namespace telvane::win32
