// What an error box says: the caption carries the error's number, the text comes from the
// string table.
#pragma once
#include <string>

namespace velmora {

struct ErrorBoxText {
  std::string caption;
  std::string text;
};

// "Velmora Error : " followed by one more blank and code - 20000 as an unsigned number.
std::string ErrorCaption(int code);

// entry is the string-table text of the code, or nullptr when the table has none.
// Without an entry the caption doubles as the text.
ErrorBoxText MakeErrorBox(int code, const char* entry);
// As MakeErrorBox, with "%1" replaced by arg; without an entry the text is empty.
ErrorBoxText MakeErrorBoxWithArg(int code, const char* entry, const std::string& arg);

}  // namespace velmora
