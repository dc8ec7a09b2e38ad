#include "platform/win32/outlook/DispatchObject.h"

#include <stdexcept>
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

// Property reads and writes raise no event the product handles, so nothing can release this
// wrapper during them: the object is borrowed.
ComVariant DispatchObject::Get(Member member) {
    IDispatch* object = m_object.Get();
    return Invoke(object, m_ids->Find(m_kind, object, member), NameOf(member), DISPATCH_PROPERTYGET,
                  {});
}

ComVariant DispatchObject::Get(const std::string& name) {
    if (auto member = MemberNamed(name))
        return Get(*member);
    IDispatch* object = m_object.Get();
    return Invoke(object, m_ids->Find(m_kind, object, name), name, DISPATCH_PROPERTYGET, {});
}

void DispatchObject::Put(Member member, const ComVariant& value) {
    IDispatch* object = m_object.Get();
    Invoke(object, m_ids->Find(m_kind, object, member), NameOf(member), DISPATCH_PROPERTYPUT,
           {&value, 1});
}

ComVariant DispatchObject::Call(Member member, std::span<const ComVariant> args) {
    // Held for the whole call: a handler the method raises (Write, Close) may release this
    // wrapper, and with it what may be the last reference to the callee.
    ComPtr<IDispatch> object = m_object;
    return Invoke(object.Get(), m_ids->Find(m_kind, object.Get(), member), NameOf(member),
                  DISPATCH_METHOD, args);
}

ComPtr<IDispatch> DispatchObject::RequireObject(const ComVariant& value, std::string_view name) {
    ComPtr<IDispatch> object = value.ToObject();
    if (!object) {
        throw RaisedError(RaisedError::ObjectNotSet, "",
                          std::string(name) + ": Object variable or With block variable not set");
    }
    return object;
}

ComVariant DispatchObject::Invoke(IDispatch* object, DISPID id, std::string_view name, WORD flags,
                                  std::span<const ComVariant> args) {
    if (args.size() > MaxArguments)
        throw std::length_error("too many arguments for an IDispatch call");
    // Automation passes arguments last to first. The VARIANTs are borrowed: args own them.
    VARIANT reversed[MaxArguments];
    for (std::size_t i = 0; i < args.size(); ++i)
        reversed[args.size() - 1 - i] = *args[i];
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{};
    params.rgvarg = args.empty() ? nullptr : reversed;
    params.cArgs = static_cast<UINT>(args.size());
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
