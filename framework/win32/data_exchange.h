// Dialog data exchange: moves values between controls and members, in either direction.
#pragma once
#include <windows.h>

#include <string>

namespace framework {

class CWnd;

class CDataExchange {
 public:
  CDataExchange(HWND dialog, bool saveAndValidate) : m_hDialog(dialog), m_bSaveAndValidate(saveAndValidate) {}

  // The control of the dialog with this id; remembered as the one a refusal points at.
  HWND PrepareCtrl(int id);
  HWND PrepareEditCtrl(int id);
  // Refuses the exchange: the focus goes to the last prepared control (its text selected when
  // it is an edit box) and every later exchange of this pass is skipped.
  void Fail();

  HWND m_hDialog;
  bool m_bSaveAndValidate;
  bool m_bFailed = false;

 private:
  HWND m_hLastControl = nullptr;
  bool m_bLastIsEdit = false;
};

// Binds a control object to the dialog's control id (only when loading).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// Text of a control.
void DDX_Text(CDataExchange* dx, int id, std::string& value);
// Check state of a check box: 1 when checked, else 0 (loading checks it for any value but 0).
void DDX_Check(CDataExchange* dx, int id, int& value);

}  // namespace framework
