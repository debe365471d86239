#include "installer/actions/win32/install_log.h"

#include <msiquery.h>

namespace velmora::setup {

void LogToInstaller(MSIHANDLE install, const std::string& line) {
  // The text goes in field 1 and the template only names it, so brackets in the text are not
  // taken for the installer's formatting.
  const MSIHANDLE record = MsiCreateRecord(1);
  if (record == 0) return;
  const std::wstring text(line.begin(), line.end());  // our lines are ASCII
  MsiRecordSetStringW(record, 0, L"[1]");
  MsiRecordSetStringW(record, 1, text.c_str());
  MsiProcessMessage(install, INSTALLMESSAGE_INFO, record);
  MsiCloseHandle(record);
}

}  // namespace velmora::setup
