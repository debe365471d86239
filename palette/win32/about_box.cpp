#include "palette/win32/about_box.h"

#include "common/version_text.h"
#include "resource.h"

namespace velmora {

CAboutBox::CAboutBox() : CDialog(IDD_ABOUTBOX), m_strVersion(ClientVersionText()) {}

void CAboutBox::DoDataExchange(framework::CDataExchange* dx) {
  framework::DDX_Text(dx, IDC_ABOUT_VERSION, m_strVersion);
}

}  // namespace velmora
