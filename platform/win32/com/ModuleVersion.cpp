#include "platform/win32/com/ModuleVersion.h"

#include <cstddef>
#include <cstring>

#include <winver.h>

namespace telvane::win32::com {

std::optional<ModuleVersion> ModuleVersion::Of(HMODULE module) {
    // FindResource and LoadResource instead of GetFileVersionInfo: no file access, and no
    // dependency on version.dll for one structure in our own image.
    constexpr WORD versionType = 16;  // RT_VERSION, which <winuser.h> gives only as ANSI here
    HRSRC found =
        ::FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(versionType));
    if (!found)
        return std::nullopt;
    HGLOBAL loaded = ::LoadResource(module, found);
    const auto* data = static_cast<const BYTE*>(loaded ? ::LockResource(loaded) : nullptr);
    const DWORD size = ::SizeofResource(module, found);
    // VS_VERSIONINFO: three WORDs, the key L"VS_VERSION_INFO", padding to a DWORD boundary, then
    // the fixed file info.
    constexpr std::size_t keyEnd = 3 * sizeof(WORD) + sizeof(L"VS_VERSION_INFO");
    constexpr std::size_t fixedAt = (keyEnd + 3) & ~std::size_t{3};
    if (!data || size < fixedAt + sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    WORD valueLength = 0;
    std::memcpy(&valueLength, data + sizeof(WORD), sizeof valueLength);
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, data + fixedAt, sizeof fixed);
    if (valueLength < sizeof fixed || fixed.dwSignature != VS_FFI_SIGNATURE)
        return std::nullopt;
    return ModuleVersion{HIWORD(fixed.dwFileVersionMS), LOWORD(fixed.dwFileVersionMS),
                         HIWORD(fixed.dwFileVersionLS), LOWORD(fixed.dwFileVersionLS)};
}

}  // namespace telvane::win32::com
