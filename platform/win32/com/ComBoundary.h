#pragma once

#include <ole2.h>
#include <windows.h>

#include <cstdint>
#include <utility>

namespace telvane::win32::com {

// The one place where failures cross a COM method: a RaisedError (or any other exception)
// becomes an HRESULT plus the thread's error info, because an exception that reaches the host
// brings the host down.
class ComBoundary {
public:
    // Runs body, which returns the method's HRESULT; whatever it throws becomes a failed one.
    template <class Body>
    static HRESULT Call(Body&& body) noexcept {
        try {
            return std::forward<Body>(body)();
        } catch (...) {
            return FromCurrentException();
        }
    }

    // Inside a catch block only: the HRESULT for the exception being handled, with its number,
    // source and description recorded through SetErrorInfo.
    static HRESULT FromCurrentException() noexcept;

    // How a raised error number travels: an HRESULT stays as it is, a small number is an
    // automation error of the control facility (13 -> 0x800A000D), anything else is E_FAIL.
    static HRESULT ResultOf(std::int32_t number) noexcept;

    // For IDispatch::Invoke, after DispInvoke with the thread's error info cleared: when the
    // method failed and left error info, moves it into excepInfo and answers DISP_E_EXCEPTION;
    // DispInvoke's own DISP_E_ codes, and failures without error info, are returned as they are.
    static HRESULT ToExcepInfo(HRESULT hr, EXCEPINFO* excepInfo) noexcept;
};

}  // namespace telvane::win32::com
