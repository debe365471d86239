// The About box (template 100): the program icon, "Velmora version" with the client's
// version, and the maker's notice.
#pragma once
#include <string>

#include "framework/win32/dialog.h"

namespace velmora {

class CAboutBox : public framework::CDialog {
 public:
  CAboutBox();

  std::string m_strVersion;  // "4.5.1 (370)"

 protected:
  void DoDataExchange(framework::CDataExchange* dx) override;
};

}  // namespace velmora
