// The General page (template 110): the network-type choice. The program keeps no network type,
// so the page moves nothing and stores nothing.
#pragma once
#include "framework/win32/property_page.h"

namespace velmora {

class CGeneralProperty : public framework::CPropertyPage {
 public:
  CGeneralProperty();
};

}  // namespace velmora
