// A line of the package's custom actions in the installer's log (a verbose log shows it).
#pragma once
#include <windows.h>
#include <msi.h>

#include <string>

namespace velmora::setup {

void LogToInstaller(MSIHANDLE install, const std::string& line);

}  // namespace velmora::setup
