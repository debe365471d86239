#include "framework/win32/data_exchange_int.h"

#include <string>

#include "framework/format_string.h"
#include "framework/integer_field.h"
#include "framework/win32/message_box.h"
#include "resource.h"

namespace framework {

void DDX_Text(CDataExchange* dx, int id, int& value) {
  if (dx->m_bFailed) return;
  HWND ctrl = dx->PrepareEditCtrl(id);
  if (!ctrl) return;
  if (dx->m_bSaveAndValidate) {
    char text[kIntegerFieldChars + 1] = {};
    GetWindowTextA(ctrl, text, sizeof text);
    const auto parsed = ParseIntegerField(text);
    if (!parsed) {
      AfxMessageBox(AFX_IDP_PARSE_INT, MB_OK);
      dx->Fail();
      return;
    }
    value = *parsed;
  } else {
    SetWindowTextA(ctrl, FormatIntegerField(value).c_str());
  }
}

void DDV_RefuseRange(CDataExchange* dx, int id, int min, int max) {
  dx->PrepareEditCtrl(id);
  const std::string text = FormatString1(LoadResourceString(AFX_IDP_PARSE_INT_RANGE), std::to_string(min));
  std::string shown = text;
  const std::size_t at = shown.find("%2");
  if (at != std::string::npos) shown.replace(at, 2, std::to_string(max));
  AfxMessageBox(shown, MB_OK, 0x30000 + AFX_IDP_PARSE_INT_RANGE);
  dx->Fail();
}

}  // namespace framework
