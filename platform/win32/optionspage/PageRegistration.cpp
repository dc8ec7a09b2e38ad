#include "platform/win32/optionspage/PageRegistration.h"

#include "TelvanePPE.h"
#include "platform/win32/com/GuidText.h"
#include "platform/win32/optionspage/TelvanePageObject.h"

namespace telvane::win32 {

com::RegistrationTable PageRegistration::Table(const std::wstring& modulePath,
                                               const std::wstring& typeLibraryId) {
    using com::RegistrationTable;
    const HKEY root = HKEY_CLASSES_ROOT;
    const std::wstring progId = ProgId;
    const std::wstring clsid = com::GuidText(__uuidof(::TelvanePage));
    const std::wstring classKey = L"CLSID\\" + clsid;
    const std::wstring miscStatus = std::to_wstring(TelvanePageObject::MiscStatus);
    return RegistrationTable({
        RegistrationTable::OwnedKey(root, progId),
        RegistrationTable::Text(root, progId, L"", progId),
        RegistrationTable::Text(root, progId + L"\\CLSID", L"", clsid),
        RegistrationTable::OwnedKey(root, classKey),
        RegistrationTable::Text(root, classKey, L"", progId),
        RegistrationTable::Text(root, classKey + L"\\InprocServer32", L"", modulePath),
        RegistrationTable::Text(root, classKey + L"\\InprocServer32", L"ThreadingModel",
                                L"Apartment"),
        RegistrationTable::Text(root, classKey + L"\\ProgID", L"", progId),
        RegistrationTable::Text(root, classKey + L"\\TypeLib", L"", typeLibraryId),
        RegistrationTable::Text(root, classKey + L"\\Version", L"", L"1.0"),
        RegistrationTable::OwnedKey(root, classKey + L"\\Control"),
        // The flags for every aspect, and again for DVASPECT_CONTENT (1).
        RegistrationTable::Text(root, classKey + L"\\MiscStatus", L"", miscStatus),
        RegistrationTable::Text(root, classKey + L"\\MiscStatus\\1", L"", miscStatus),
        RegistrationTable::Text(root, classKey + L"\\ToolboxBitmap32", L"",
                                modulePath + L", " + std::to_wstring(ToolboxBitmapId)),
    });
}

}  // namespace telvane::win32
