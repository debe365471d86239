#include "framework/win32/data_exchange_int.h"

#include <string>

#include "framework/integer_field.h"
#include "framework/win32/framework_ids.h"
#include "framework/win32/message_box.h"

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
      AfxMessageBox(kIdpParseInt, MB_OK);
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
  AfxMessageBox(AfxFormatString2(kIdpParseIntRange, std::to_string(min), std::to_string(max)), MB_OK);
  dx->Fail();
}

}  // namespace framework
