#include "app/error_box.h"

#include <cstdio>

#include "framework/format_string.h"

namespace velmora {

std::string ErrorCaption(int code) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%s %u", "Velmora Error : ", static_cast<unsigned>(code - 20000));
  return buf;
}

ErrorBoxText MakeErrorBox(int code, const char* entry) {
  ErrorBoxText box{ErrorCaption(code), {}};
  box.text = entry ? entry : box.caption;
  return box;
}

ErrorBoxText MakeErrorBoxWithArg(int code, const char* entry, const std::string& arg) {
  // The entry is read through a 256-character buffer before formatting.
  std::string pattern = entry ? std::string(entry).substr(0, 255) : std::string();
  return ErrorBoxText{ErrorCaption(code), entry ? framework::FormatString1(pattern, arg) : std::string()};
}

}  // namespace velmora
