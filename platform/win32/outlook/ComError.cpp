#include "platform/win32/outlook/ComError.h"

#include <exception>
#include <new>
#include <string>
#include <utility>

#include "platform/win32/com/Bstr.h"
#include "platform/win32/com/ComBoundary.h"
#include "platform/win32/com/ComPtr.h"
#include "platform/win32/com/HResultText.h"
#include "platform/win32/com/TextConversion.h"

namespace telvane::win32 {
namespace {

using com::Bstr;

std::string SystemMessage(HRESULT hr) {
    wchar_t* buffer = nullptr;
    DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text;
    if (buffer) {
        while (length > 0 && (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' ||
                              buffer[length - 1] == L' ' || buffer[length - 1] == L'.')) {
            --length;
        }
        text = com::Utf8FromWide({buffer, length});
        ::LocalFree(buffer);
    }
    if (text.empty())
        text = "error " + com::Hex(hr);
    return text;
}

std::string Described(HRESULT hr, std::string_view member) {
    std::string description = SystemMessage(hr);
    if (!member.empty())
        description = std::string(member) + ": " + description;
    return description;
}

}  // namespace

std::int32_t NumberOf(HRESULT hr) {
    if (HRESULT_SEVERITY(hr) == SEVERITY_ERROR && HRESULT_FACILITY(hr) == FACILITY_CONTROL) {
        return HRESULT_CODE(hr);
    }
    return static_cast<std::int32_t>(hr);
}

RaisedError ErrorFromCom(HRESULT hr, EXCEPINFO* info, std::string_view member) {
    if (hr == DISP_E_EXCEPTION && info) {
        if (info->pfnDeferredFillIn)
            info->pfnDeferredFillIn(info);
        Bstr source = Bstr::Attach(std::exchange(info->bstrSource, nullptr));
        Bstr description = Bstr::Attach(std::exchange(info->bstrDescription, nullptr));
        Bstr helpFile = Bstr::Attach(std::exchange(info->bstrHelpFile, nullptr));
        std::int32_t number = info->wCode != 0      ? info->wCode
                              : FAILED(info->scode) ? NumberOf(info->scode)
                                                    : NumberOf(hr);
        return RaisedError(number, source.Utf8(), description.Utf8());
    }
    return RaisedError(NumberOf(hr), std::string(), Described(hr, member));
}

void RaiseComError(HRESULT hr, EXCEPINFO* info, std::string_view member) {
    throw ErrorFromCom(hr, info, member);
}

RaisedError ErrorFromResult(HRESULT hr, std::string_view member) {
    ComPtr<IErrorInfo> info;
    if (::GetErrorInfo(0, info.Put()) == S_OK && info) {
        Bstr source, description;
        info->GetSource(source.Put());
        info->GetDescription(description.Put());
        return RaisedError(NumberOf(hr), source.Utf8(), description.Utf8());
    }
    return RaisedError(NumberOf(hr), std::string(), Described(hr, member));
}

HRESULT ReportError(const RaisedError& error, EXCEPINFO* info) {
    HRESULT hr = com::ComBoundary::ResultOf(error.Number());
    if (!info)
        return hr;
    *info = EXCEPINFO{};
    info->scode = hr;
    try {
        info->bstrSource = Bstr::FromUtf8(error.Source()).Detach();
        info->bstrDescription = Bstr::FromUtf8(error.Description()).Detach();
    } catch (const std::bad_alloc&) {
        // The number alone still tells the caller what failed.
    }
    return DISP_E_EXCEPTION;
}

HRESULT ReportCurrentException(EXCEPINFO* info) noexcept {
    try {
        throw;
    } catch (const RaisedError& error) {
        return ReportError(error, info);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::exception& error) {
        try {
            return ReportError(RaisedError(static_cast<std::int32_t>(E_FAIL), "", error.what()),
                               info);
        } catch (...) {
            return E_FAIL;
        }
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace telvane::win32
