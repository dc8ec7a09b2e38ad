#include "platform/win32/outlook/DispatchObject.h"

#include <algorithm>
#include <utility>

#include "common/outlook/RaisedError.h"
#include "platform/win32/outlook/ComError.h"

namespace telvane::win32 {

DispatchObject::DispatchObject(ComPtr<IDispatch> object, ObjectKind kind,
                               std::shared_ptr<DispIdCache> ids)
    : m_object(std::move(object)), m_kind(kind), m_ids(std::move(ids)) {
    if (!m_object) {
        throw RaisedError(RaisedError::ObjectNotSet, "",
                          "Object variable or With block variable not set");
    }
}

ComVariant DispatchObject::Get(const std::string& name) {
    std::vector<ComVariant> none;
    return Invoke(name, DISPATCH_PROPERTYGET, none);
}

void DispatchObject::Put(const std::string& name, ComVariant value) {
    std::vector<ComVariant> args;
    args.push_back(std::move(value));
    Invoke(name, DISPATCH_PROPERTYPUT, args);
}

ComVariant DispatchObject::Call(const std::string& name, std::vector<ComVariant> args) {
    return Invoke(name, DISPATCH_METHOD, args);
}

ComPtr<IDispatch> DispatchObject::RequireObject(const ComVariant& value, const std::string& name) {
    ComPtr<IDispatch> object = value.ToObject();
    if (!object) {
        throw RaisedError(RaisedError::ObjectNotSet, "",
                          name + ": Object variable or With block variable not set");
    }
    return object;
}

ComVariant DispatchObject::Invoke(const std::string& name, WORD flags,
                                  std::vector<ComVariant>& args) {
    // Held for the whole call: a handler the call raises may release this wrapper, and with it
    // what may be the last reference to the callee.
    ComPtr<IDispatch> object = m_object;
    DISPID id = m_ids->Find(m_kind, object.Get(), name);
    // Automation passes arguments last to first.
    std::vector<VARIANT> reversed;
    reversed.reserve(args.size());
    for (auto it = args.rbegin(); it != args.rend(); ++it)
        reversed.push_back(**it);
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{};
    params.rgvarg = reversed.empty() ? nullptr : reversed.data();
    params.cArgs = static_cast<UINT>(reversed.size());
    if (flags == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    ComVariant result;
    EXCEPINFO info{};
    UINT argError = 0;
    HRESULT hr =
        object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                       flags == DISPATCH_PROPERTYPUT ? nullptr : result.Put(), &info, &argError);
    if (FAILED(hr))
        RaiseComError(hr, &info, name);
    return result;
}

}  // namespace telvane::win32
