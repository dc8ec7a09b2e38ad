#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "apps/outlookhost/ConnectionPoint.h"
#include "apps/outlookhost/DispatchServer.h"
#include "apps/outlookhost/HostContext.h"
#include "apps/outlookhost/LiveCount.h"
#include "common/outlook/RaisedError.h"
#include "platform/win32/com/HResultText.h"
#include "platform/win32/outlook/ComError.h"

namespace telvane::outlookhost {

// A mail client object the host serves over COM: counted in the context while it lives.
template <class Primary, class... Others>
class ServerObject : public DispatchServer<Primary, Others...> {
public:
    // Every call from the client first meets the failures planned for it.
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* info, UINT* argError) override {
        HRESULT hr = S_OK;
        if (m_context->faults.Fail(info, hr))
            return hr;
        hr = DispatchServer<Primary, Others...>::Invoke(id, iid, lcid, flags, params, result, info,
                                                        argError);
        if (SUCCEEDED(hr))
            m_context->faults.Answer(result);
        return hr;
    }

protected:
    explicit ServerObject(std::shared_ptr<HostContext> context)
        : m_context(std::move(context)), m_count(m_context->liveObjects) {}

    const std::shared_ptr<HostContext>& Context() const { return m_context; }

    // Raises an event on point's sinks. A sink's failure is written to the log and raised to
    // the mail client, which records it as the handler's error.
    void Raise(ConnectionPoint& point, DISPID id, const char* event, std::vector<ComVariant> args) {
        EXCEPINFO info{};
        HRESULT hr = point.Fire(id, args, &info);
        Check(hr, info, event);
    }
    void Check(HRESULT hr, EXCEPINFO& info, const char* event) {
        if (SUCCEEDED(hr))
            return;
        RaisedError error = win32::ErrorFromCom(hr, &info, event);
        m_context->log(std::string(event) + " failed in the add-in with " + win32::com::Hex(hr) +
                       ": error " + std::to_string(error.Number()) + " (" + error.Source() + ") " +
                       error.Description());
        throw error;
    }

private:
    std::shared_ptr<HostContext> m_context;
    LiveCount m_count;
};

// An object answer for Invoke.
template <class T>
ComVariant ObjectValue(const ComPtr<T>& object) {
    return ComVariant(static_cast<IDispatch*>(object.Get()));
}

}  // namespace telvane::outlookhost
