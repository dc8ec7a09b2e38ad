#include "tests/win32_outlook/FakeObject.h"

#include <olectl.h>

#include <stdexcept>
#include <utility>

namespace telvane::tests {

using outlookhost::DispatchArguments;

namespace {

HRESULT STDMETHODCALLTYPE FillInLater(EXCEPINFO* info) {
    info->bstrDescription = ::SysAllocString(FakeObject::DeferredDescription);
    return S_OK;
}

}  // namespace

ComPtr<FakeObject> FakeObject::Make(std::shared_ptr<FakeLog> log, std::vector<IID> interfaces,
                                    std::vector<IID> events) {
    return win32::com::MakeComObject<FakeObject>(std::move(log), std::move(interfaces),
                                                 std::move(events));
}

FakeObject::FakeObject(std::shared_ptr<FakeLog> log, std::vector<IID> interfaces,
                       std::vector<IID> events)
    : m_log(std::move(log)), m_count(m_log->live), m_interfaces(std::move(interfaces)) {
    for (const IID& each : events) {
        m_points.push_back(std::make_unique<outlookhost::ConnectionPoint>(*this, each));
    }
}

void FakeObject::Declare(const wchar_t* name, DISPID id) {
    m_names.emplace_back(name);
    m_members.push_back({m_names.back().c_str(), id});
}

FakeObject& FakeObject::Property(const wchar_t* name, DISPID id, ComVariant value) {
    Declare(name, id);
    m_values[id] = std::move(value);
    return *this;
}

FakeObject& FakeObject::Object(const wchar_t* name, DISPID id, IDispatch* object) {
    return Property(name, id, ComVariant(object));
}

FakeObject& FakeObject::Method(const wchar_t* name, DISPID id, Body body) {
    Declare(name, id);
    m_methods[id] = std::move(body);
    return *this;
}

void FakeObject::FailNextCall(DISPID id, Failure failure) {
    m_failures[id] = std::move(failure);
}

outlookhost::ConnectionPoint& FakeObject::Point(const IID& events) {
    for (auto& point : m_points) {
        if (IsEqualIID(point->Events(), events))
            return *point;
    }
    throw std::logic_error("the fake has no connection point for that interface");
}

HRESULT FakeObject::Fire(const IID& events, DISPID id, std::vector<ComVariant> args,
                         EXCEPINFO* info) {
    return Point(events).Fire(id, args, info);
}

ULONG FakeObject::References() {
    AddRef();
    return Release();
}

STDMETHODIMP FakeObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                       DISPID* ids) {
    if (names && count > 0)
        m_log->lookedUp.emplace_back(names[0]);
    return DispatchServer::GetIDsOfNames(iid, names, count, locale, ids);
}

STDMETHODIMP FakeObject::Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                VARIANT* result, EXCEPINFO* info, UINT* argError) {
    if (params) {
        FakeLog::Call call{id, flags, {}, {}};
        for (UINT i = params->cArgs; i > params->cNamedArgs; --i) {
            call.args.push_back(ComVariant::CopyOf(params->rgvarg[i - 1]));
        }
        for (UINT i = 0; i < params->cNamedArgs; ++i) {
            call.named.push_back(params->rgdispidNamedArgs[i]);
        }
        m_log->calls.push_back(std::move(call));
    }
    if (auto planned = m_failures.find(id); planned != m_failures.end()) {
        Failure failure = std::move(planned->second);
        m_failures.erase(planned);
        if (info) {
            *info = EXCEPINFO{};
            info->wCode = failure.wCode;
            info->scode = failure.scode;
            info->bstrSource = ::SysAllocString(failure.source.c_str());
            if (failure.deferred) {
                info->pfnDeferredFillIn = &FillInLater;
            } else {
                info->bstrDescription = ::SysAllocString(failure.description.c_str());
            }
        }
        return failure.hr;
    }
    return DispatchServer::Invoke(id, iid, locale, flags, params, result, info, argError);
}

ComVariant FakeObject::Call(DISPID id, DispatchArguments& args) {
    if (auto method = m_methods.find(id); method != m_methods.end()) {
        if (!args.IsMethod())
            outlookhost::NoSuchMember();
        return method->second(args);
    }
    auto value = m_values.find(id);
    if (value == m_values.end())
        outlookhost::NoSuchMember();
    if (args.IsPut()) {
        value->second = args.PutValue();
        return {};
    }
    if (!args.IsGet())
        outlookhost::NoSuchMember();
    return value->second;
}

STDMETHODIMP FakeObject::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (points)
        *points = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP FakeObject::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (!point)
        return E_POINTER;
    *point = nullptr;
    for (auto& each : m_points) {
        if (IsEqualIID(each->Events(), iid)) {
            *point = each.get();
            each->AddRef();
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

void* FakeObject::FindInterface(REFIID iid) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        return static_cast<IDispatch*>(this);
    }
    if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
        if (m_points.empty())
            return nullptr;
        return static_cast<IConnectionPointContainer*>(this);
    }
    for (const IID& each : m_interfaces) {
        if (IsEqualIID(iid, each))
            return static_cast<IDispatch*>(this);
    }
    return nullptr;
}

}  // namespace telvane::tests
