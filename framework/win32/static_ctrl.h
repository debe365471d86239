// A static control of a dialog (text, icon or frame), bound through data exchange.
#pragma once
#include "framework/win32/wnd.h"

namespace framework {

class CStatic : public CWnd {};

}  // namespace framework
