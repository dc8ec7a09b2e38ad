#include "platform/win32/addin/AddInRegistration.h"

#include "Telvane.h"
#include "platform/win32/com/GuidText.h"

namespace telvane::win32 {
namespace {

using com::RegistrationTable;

// The registration of one creatable class of the library.
void AddClass(std::vector<com::RegistrationEntry>& entries, const std::wstring& progId,
              const std::wstring& clsid, const std::wstring& modulePath,
              const std::wstring& typeLibraryId) {
    const HKEY root = HKEY_CLASSES_ROOT;
    const std::wstring classKey = L"CLSID\\" + clsid;
    entries.insert(
        entries.end(),
        {
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
            RegistrationTable::OwnedKey(root, classKey + L"\\Programmable"),
        });
}

}  // namespace

com::RegistrationTable AddInRegistration::Table(const std::wstring& modulePath,
                                                const std::wstring& typeLibraryId) {
    std::vector<com::RegistrationEntry> entries;
    AddClass(entries, L"Telvane.TLConnect", com::GuidText(__uuidof(::TLConnect)), modulePath,
             typeLibraryId);
    AddClass(entries, L"Telvane.TelvaneAddIn", com::GuidText(__uuidof(::TelvaneAddIn)), modulePath,
             typeLibraryId);

    // The mail client's add-in entry, for the current user: load at start-up (3).
    const HKEY user = HKEY_CURRENT_USER;
    entries.insert(
        entries.end(),
        {
            RegistrationTable::ParentKey(user, L"Software\\Microsoft\\Office"),
            RegistrationTable::ParentKey(user, L"Software\\Microsoft\\Office\\Outlook"),
            RegistrationTable::ParentKey(user, L"Software\\Microsoft\\Office\\Outlook\\Addins"),
            RegistrationTable::OwnedKey(user, AddInKey),
            RegistrationTable::Text(user, AddInKey, L"FriendlyName", L"Telvane for Outlook"),
            RegistrationTable::Text(user, AddInKey, L"Description", L"Telvane for Outlook"),
            RegistrationTable::Number(user, AddInKey, L"LoadBehavior", 3),
            RegistrationTable::Number(user, AddInKey, L"CommandLineSafe", 0),
        });
    return RegistrationTable(std::move(entries));
}

}  // namespace telvane::win32
