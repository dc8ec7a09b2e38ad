#pragma once

#include <ole2.h>
#include <windows.h>

#include "platform/win32/com/ComPtr.h"

namespace telvane::win32 {

// Reads the arguments of an event call. position counts from the left as the event declares
// them; automation stores them last to first. Each answers null when the argument is missing
// or of another type, and then names it in argError for the caller of Invoke.
class SinkArguments {
public:
    SinkArguments(DISPPARAMS& params, UINT* argError) : m_params(params), m_argError(argError) {}

    // An object argument (VT_DISPATCH, also by reference).
    ComPtr<IDispatch> Object(UINT position);
    // A Boolean passed by reference (VT_BYREF|VT_BOOL, or a VARIANT by reference holding one).
    VARIANT_BOOL* BoolRef(UINT position);

    // The HRESULT to return after a null answer.
    HRESULT Failure() const { return m_failure; }

private:
    VARIANT* At(UINT position);

    DISPPARAMS& m_params;
    UINT* m_argError;
    HRESULT m_failure = S_OK;
};

}  // namespace telvane::win32
