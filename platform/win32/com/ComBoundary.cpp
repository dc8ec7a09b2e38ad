#include "platform/win32/com/ComBoundary.h"

#include <oleauto.h>

#include <exception>
#include <new>
#include <string>

#include "common/outlook/RaisedError.h"
#include "platform/win32/com/ComPtr.h"
#include "platform/win32/com/TextConversion.h"

namespace telvane::win32::com {
namespace {

HRESULT Record(HRESULT hr, const std::string& source, const std::string& description) noexcept {
    try {
        ComPtr<ICreateErrorInfo> create;
        if (FAILED(::CreateErrorInfo(create.Put())))
            return hr;
        const std::wstring wideSource = WideFromUtf8(source);
        const std::wstring wideDescription = WideFromUtf8(description);
        create->SetGUID(GUID_NULL);
        create->SetSource(const_cast<LPOLESTR>(wideSource.c_str()));
        create->SetDescription(const_cast<LPOLESTR>(wideDescription.c_str()));
        ComPtr<IErrorInfo> info;
        if (SUCCEEDED(create.As(info)))
            ::SetErrorInfo(0, info.Get());
    } catch (...) {
        // Out of memory while describing a failure: the HRESULT alone still reaches the caller.
    }
    return hr;
}

}  // namespace

HRESULT ComBoundary::ResultOf(std::int32_t number) noexcept {
    if (number < 0)
        return static_cast<HRESULT>(number);
    if (number > 0 && number <= 0xFFFF)
        return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number);
    return E_FAIL;
}

HRESULT ComBoundary::FromCurrentException() noexcept {
    try {
        throw;
    } catch (const RaisedError& error) {
        return Record(ResultOf(error.Number()), error.Source(), error.Description());
    } catch (const std::bad_alloc&) {
        return Record(E_OUTOFMEMORY, "", "Out of memory");
    } catch (const std::exception& error) {
        return Record(E_FAIL, "", error.what());
    } catch (...) {
        return Record(E_UNEXPECTED, "", "Unexpected failure");
    }
}

HRESULT ComBoundary::ToExcepInfo(HRESULT hr, EXCEPINFO* excepInfo) noexcept {
    // DispInvoke's own failures (unknown member, wrong argument count...) never reached the
    // method, so no error info the thread holds can belong to them.
    if (!excepInfo || SUCCEEDED(hr) || hr == DISP_E_EXCEPTION ||
        HRESULT_FACILITY(hr) == FACILITY_DISPATCH) {
        return hr;
    }
    ComPtr<IErrorInfo> info;
    if (::GetErrorInfo(0, info.Put()) != S_OK || !info)
        return hr;
    *excepInfo = EXCEPINFO{};
    info->GetSource(&excepInfo->bstrSource);
    info->GetDescription(&excepInfo->bstrDescription);
    excepInfo->scode = hr;
    return DISP_E_EXCEPTION;
}

}  // namespace telvane::win32::com
