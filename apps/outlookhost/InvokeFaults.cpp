#include "apps/outlookhost/InvokeFaults.h"

#include <utility>

#include "platform/win32/com/Bstr.h"

namespace telvane::outlookhost {
namespace {

// What a deferred EXCEPINFO is filled with when the caller asks: the callback gets nothing but
// the EXCEPINFO, and the caller asks on the thread of the call, before the next one.
thread_local std::string deferredSource;
thread_local std::string deferredDescription;
thread_local HRESULT deferredCode = E_FAIL;

HRESULT STDAPICALLTYPE FillIn(EXCEPINFO* info) {
    try {
        info->bstrSource = win32::com::Bstr::FromUtf8(deferredSource).Detach();
        info->bstrDescription = win32::com::Bstr::FromUtf8(deferredDescription).Detach();
        info->scode = deferredCode;
        info->pfnDeferredFillIn = nullptr;
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace

void InvokeFaults::Arm(std::uint64_t k, Plan plan) {
    m_armed = true;
    m_k = k;
    m_count = 0;
    m_firedAt = 0;
    m_plan = std::move(plan);
}

void InvokeFaults::Disarm() {
    m_armed = false;
    m_count = 0;
    m_firedAt = 0;
    m_plan = Plan{};
}

bool InvokeFaults::Fail(EXCEPINFO* info, HRESULT& hr) {
    if (!m_armed)
        return false;
    ++m_count;
    if (m_count != m_k || m_plan.kind == Kind::Value)
        return false;
    m_firedAt = m_count;
    if (m_plan.onFire)
        m_plan.onFire();
    if (m_plan.kind == Kind::Result || !info) {
        hr = m_plan.hr;
        return true;
    }
    *info = EXCEPINFO{};
    if (m_plan.kind == Kind::DeferredException) {
        deferredSource = m_plan.source;
        deferredDescription = m_plan.description;
        deferredCode = m_plan.hr;
        info->pfnDeferredFillIn = &FillIn;
    } else {
        info->bstrSource = win32::com::Bstr::FromUtf8(m_plan.source).Detach();
        info->bstrDescription = win32::com::Bstr::FromUtf8(m_plan.description).Detach();
        info->scode = m_plan.hr;
    }
    hr = DISP_E_EXCEPTION;
    return true;
}

void InvokeFaults::Answer(VARIANT* result) {
    if (!m_armed || m_count != m_k || m_plan.kind != Kind::Value || !result)
        return;
    m_firedAt = m_count;
    if (m_plan.onFire)
        m_plan.onFire();
    ::VariantClear(result);
    *result = win32::ComVariant(m_plan.value).Detach();
}

}  // namespace telvane::outlookhost
