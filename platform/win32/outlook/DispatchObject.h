#pragma once

#include <ole2.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/com/ComPtr.h"
#include "platform/win32/outlook/ComVariant.h"
#include "platform/win32/outlook/DispIdCache.h"
#include "platform/win32/outlook/ObjectKind.h"

namespace telvane::win32 {

// A mail client object called late-bound through IDispatch, by member name. Every failure of
// the object is raised as RaisedError.
class DispatchObject {
public:
    DispatchObject(ComPtr<IDispatch> object, ObjectKind kind, std::shared_ptr<DispIdCache> ids);

    ComVariant Get(const std::string& name);
    void Put(const std::string& name, ComVariant value);
    // Arguments in the order of the member's declaration.
    ComVariant Call(const std::string& name, std::vector<ComVariant> args = {});

    // The object a member answered; raises 91 (object not set) when it answered none.
    static ComPtr<IDispatch> RequireObject(const ComVariant& value, const std::string& name);

    IDispatch* Object() const { return m_object.Get(); }
    ObjectKind Kind() const { return m_kind; }
    const std::shared_ptr<DispIdCache>& Ids() const { return m_ids; }

private:
    ComVariant Invoke(const std::string& name, WORD flags, std::vector<ComVariant>& args);

    ComPtr<IDispatch> m_object;
    ObjectKind m_kind;
    std::shared_ptr<DispIdCache> m_ids;
};

}  // namespace telvane::win32
