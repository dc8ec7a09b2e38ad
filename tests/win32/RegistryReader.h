#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <set>
#include <string>

// The registry as tests read it, through the W functions, independent of the code under test.
namespace telvane::win32::test {

std::optional<std::wstring> ReadText(HKEY root, const std::wstring& key, const wchar_t* name);
std::optional<DWORD> ReadNumber(HKEY root, const std::wstring& key, const wchar_t* name);
bool WriteText(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& text);
bool WriteNumber(HKEY root, const std::wstring& key, const wchar_t* name, DWORD number);
bool KeyExists(HKEY root, const std::wstring& key);
std::set<std::wstring> SubKeyNames(HKEY root, const std::wstring& key);

// Every key and value below root\key: "relative\path" -> "" for a key, and
// "relative\path|name" -> "type:data" for a value. Empty when the key is missing.
std::map<std::wstring, std::wstring> Snapshot(HKEY root, const std::wstring& key);

}  // namespace telvane::win32::test
