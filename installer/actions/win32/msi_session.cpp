#include "installer/actions/win32/msi_session.h"

namespace velmora::setup {
namespace {

void Message(MSIHANDLE install, INSTALLMESSAGE kind, const std::wstring& line) {
  UniqueMsiHandle record(MsiCreateRecord(1));
  if (!record) return;
  MsiRecordSetStringW(record.get(), 0, L"[1]");
  MsiRecordSetStringW(record.get(), 1, line.c_str());
  MsiProcessMessage(install, kind, record.get());
}

}  // namespace

std::wstring GetProperty(MSIHANDLE install, const wchar_t* name) {
  std::wstring value(MAX_PATH, L'\0');
  DWORD size = static_cast<DWORD>(value.size());
  UINT got = MsiGetPropertyW(install, name, value.data(), &size);
  if (got == ERROR_MORE_DATA) {
    value.assign(++size, L'\0');
    got = MsiGetPropertyW(install, name, value.data(), &size);
  }
  if (got != ERROR_SUCCESS) return std::wstring();
  value.resize(size);
  return value;
}

void LogLine(MSIHANDLE install, const std::wstring& line) { Message(install, INSTALLMESSAGE_INFO, line); }

void ReportError(MSIHANDLE install, const std::wstring& line) {
  Message(install, static_cast<INSTALLMESSAGE>(INSTALLMESSAGE_ERROR | MB_OK | MB_ICONERROR), line);
}

std::wstring Widen(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n, nullptr, nullptr);
  return text;
}

std::wstring FromUtf8(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

framework::UniqueKey OpenMachineKey(std::string_view path, REGSAM access, bool create) {
  framework::UniqueKey key;
  const std::wstring wide = Widen(path);
  if (create) {
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, wide.c_str(), 0, nullptr, 0, access | KEY_WOW64_64KEY, nullptr, key.put(),
                    nullptr);
  } else {
    RegOpenKeyExW(HKEY_LOCAL_MACHINE, wide.c_str(), 0, access | KEY_WOW64_64KEY, key.put());
  }
  return key;
}

}  // namespace velmora::setup
