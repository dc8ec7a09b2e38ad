#pragma once

#include <ocidl.h>
#include <ole2.h>
#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "apps/outlookhost/ConnectionPoint.h"
#include "apps/outlookhost/DispatchServer.h"
#include "apps/outlookhost/LiveCount.h"
#include "platform/win32/com/ComPtr.h"
#include "tests/win32_outlook/FakeLog.h"

namespace telvane::tests {

using win32::ComPtr;
using win32::ComVariant;

// A counting COM fake of one mail client object: members declared by the test with their
// DISPIDs, the interfaces it answers QueryInterface for, and connection points for the event
// interfaces given. Every lookup and call is recorded in the shared log.
class FakeObject final : public outlookhost::DispatchServer<IDispatch, IConnectionPointContainer> {
public:
    using Body = std::function<ComVariant(outlookhost::DispatchArguments&)>;

    // How a call fails, field by field as a server fills EXCEPINFO.
    struct Failure {
        HRESULT hr = DISP_E_EXCEPTION;
        WORD wCode = 0;
        SCODE scode = 0;
        std::wstring source;
        std::wstring description;
        // Leaves the description to pfnDeferredFillIn, which writes DeferredDescription.
        bool deferred = false;
    };
    static constexpr const wchar_t* DeferredDescription = L"Described on demand";

    static ComPtr<FakeObject> Make(std::shared_ptr<FakeLog> log, std::vector<IID> interfaces = {},
                                   std::vector<IID> events = {});

    FakeObject(std::shared_ptr<FakeLog> log, std::vector<IID> interfaces, std::vector<IID> events);

    // A property the caller can read and write; reads answer value.
    FakeObject& Property(const wchar_t* name, DISPID id, ComVariant value);
    FakeObject& Object(const wchar_t* name, DISPID id, IDispatch* object);
    FakeObject& Method(const wchar_t* name, DISPID id, Body body);
    // The next call of id fails exactly as described.
    void FailNextCall(DISPID id, Failure failure);

    const ComVariant& Value(DISPID id) const { return m_values.at(id); }
    outlookhost::ConnectionPoint& Point(const IID& events);
    const std::vector<std::unique_ptr<outlookhost::ConnectionPoint>>& Points() const {
        return m_points;
    }
    // Raises an event on every sink; args in declared order.
    HRESULT Fire(const IID& events, DISPID id, std::vector<ComVariant> args,
                 EXCEPINFO* info = nullptr);
    // The references held on this object, the caller's included.
    ULONG References();

    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                               DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* info, UINT* argError) override;
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

protected:
    void* FindInterface(REFIID iid) override;
    std::span<const outlookhost::DispatchMember> Members() const override { return m_members; }
    ComVariant Call(DISPID id, outlookhost::DispatchArguments& args) override;

private:
    void Declare(const wchar_t* name, DISPID id);

    std::shared_ptr<FakeLog> m_log;
    outlookhost::LiveCount m_count;
    std::vector<IID> m_interfaces;
    std::deque<std::wstring> m_names;
    std::vector<outlookhost::DispatchMember> m_members;
    std::map<DISPID, ComVariant> m_values;
    std::map<DISPID, Body> m_methods;
    std::map<DISPID, Failure> m_failures;
    std::vector<std::unique_ptr<outlookhost::ConnectionPoint>> m_points;
};

}  // namespace telvane::tests
