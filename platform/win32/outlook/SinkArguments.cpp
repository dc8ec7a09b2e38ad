#include "platform/win32/outlook/SinkArguments.h"

namespace telvane::win32 {

VARIANT* SinkArguments::At(UINT position) {
    if (position >= m_params.cArgs || !m_params.rgvarg) {
        m_failure = DISP_E_BADPARAMCOUNT;
        return nullptr;
    }
    return &m_params.rgvarg[m_params.cArgs - 1 - position];
}

ComPtr<IDispatch> SinkArguments::Object(UINT position) {
    VARIANT* arg = At(position);
    if (!arg)
        return nullptr;
    if (arg->vt == (VT_BYREF | VT_VARIANT) && arg->pvarVal)
        arg = arg->pvarVal;
    if (arg->vt == VT_DISPATCH && arg->pdispVal)
        return ComPtr<IDispatch>(arg->pdispVal);
    if (arg->vt == (VT_BYREF | VT_DISPATCH) && arg->ppdispVal && *arg->ppdispVal) {
        return ComPtr<IDispatch>(*arg->ppdispVal);
    }
    m_failure = DISP_E_TYPEMISMATCH;
    if (m_argError)
        *m_argError = m_params.cArgs - 1 - position;
    return nullptr;
}

VARIANT_BOOL* SinkArguments::BoolRef(UINT position) {
    VARIANT* arg = At(position);
    if (!arg)
        return nullptr;
    if (arg->vt == (VT_BYREF | VT_VARIANT) && arg->pvarVal && arg->pvarVal->vt == VT_BOOL) {
        return &arg->pvarVal->boolVal;
    }
    if (arg->vt == (VT_BYREF | VT_BOOL) && arg->pboolVal)
        return arg->pboolVal;
    m_failure = DISP_E_TYPEMISMATCH;
    if (m_argError)
        *m_argError = m_params.cArgs - 1 - position;
    return nullptr;
}

}  // namespace telvane::win32
