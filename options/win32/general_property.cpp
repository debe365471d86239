#include "options/win32/general_property.h"

#include "resource.h"

namespace velmora {

CGeneralProperty::CGeneralProperty() : CPropertyPage(IDD_GENERAL_PAGE) {}

}  // namespace velmora
