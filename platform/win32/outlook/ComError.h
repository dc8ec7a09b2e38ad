#pragma once

#include <ole2.h>
#include <windows.h>

#include <cstdint>
#include <string_view>

#include "common/outlook/RaisedError.h"

namespace telvane::win32 {

// Where COM failures and raised errors turn into each other for IDispatch calls. Numbers
// travel as the COM servers' boundary sends them (com::ComBoundary::ResultOf): a failed
// HRESULT as it is, an automation error number n as the HRESULT 0x800A0000 + n.

// The number a failed HRESULT stands for: n for 0x800A0000 + n (as an automation client reads
// it, 0x800A000D is error 13), the HRESULT itself otherwise.
std::int32_t NumberOf(HRESULT hr);

// From the caller's side of Invoke. The number is the EXCEPINFO's wCode, else its scode, else
// the HRESULT (through NumberOf); source and description come from the EXCEPINFO. A failure
// without one is described by the system's message for the HRESULT, prefixed with the member
// that failed. Any BSTRs in info are freed.
RaisedError ErrorFromCom(HRESULT hr, EXCEPINFO* info, std::string_view member);
[[noreturn]] void RaiseComError(HRESULT hr, EXCEPINFO* info, std::string_view member);

// From the caller's side of a vtable call: source and description from the thread's error
// info when the callee left one.
RaisedError ErrorFromResult(HRESULT hr, std::string_view member);

// From the callee's side of Invoke: fills info (when the caller gave one) and returns the
// HRESULT for the caller. ErrorFromCom reads back the same number.
HRESULT ReportError(const RaisedError& error, EXCEPINFO* info);
// For a catch (...) block: reports whatever is being handled, never throws.
HRESULT ReportCurrentException(EXCEPINFO* info) noexcept;

}  // namespace telvane::win32
