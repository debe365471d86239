// The framework's string-table message box and its helpers.
#pragma once
#include <windows.h>

#include <string>

namespace framework {

// Shows string id in a message box titled with the application's name. A box with only an
// OK button and no icon gets the exclamation icon.
int AfxMessageBox(UINT id, UINT type = MB_OK);
int AfxMessageBox(const std::string& text, UINT type = MB_OK);

// Loads string id and replaces "%1" by arg (the entry is read through a 256-character buffer).
std::string AfxFormatString1(UINT id, const std::string& arg);
// Loads string id and replaces "%1" by arg1 and "%2" by arg2.
std::string AfxFormatString2(UINT id, const std::string& arg1, const std::string& arg2);

}  // namespace framework
