// What the package's custom actions ask of the running install, with the wide API: a property
// (CustomActionData in a deferred action), a line in the install log, a registry key.
#pragma once
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <string>
#include <string_view>

#include "framework/win32/handles.h"

namespace velmora::setup {

struct MsiHandleTraits {
  using handle_type = MSIHANDLE;
  static MSIHANDLE empty() { return 0; }
  static void close(MSIHANDLE h) { MsiCloseHandle(h); }
};
using UniqueMsiHandle = framework::UniqueHandle<MsiHandleTraits>;

// The property's value, empty when it is not set or cannot be read.
std::wstring GetProperty(MSIHANDLE install, const wchar_t* name);

// Writes the line into the install log (and, as an error, into a box where the interface shows
// one). Under /qn it is only logged.
void LogLine(MSIHANDLE install, const std::wstring& line);
void ReportError(MSIHANDLE install, const std::wstring& line);

// The registry names of common/registry_names.h are ASCII; the actions pass them on wide.
std::wstring Widen(std::string_view ascii);
// A property holds UTF-16; the portable rules read bytes: UTF-8 keeps every character visible.
std::string Utf8(const std::wstring& wide);
std::wstring FromUtf8(const std::string& utf8);

// HKEY_LOCAL_MACHINE\path in the 64-bit view, opened (or created) with just these rights.
framework::UniqueKey OpenMachineKey(std::string_view path, REGSAM access, bool create = false);

}  // namespace velmora::setup
