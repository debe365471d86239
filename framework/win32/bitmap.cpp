#include "framework/win32/bitmap.h"

#include "framework/win32/win_app.h"

namespace framework {

BOOL CBitmap::LoadBitmap(const char* name) {
  m_bitmap.reset(::LoadBitmapA(AfxGetInstanceHandle(), name));
  return m_bitmap ? TRUE : FALSE;
}

SIZE CBitmap::GetSize() const {
  BITMAP bm{};
  if (!m_bitmap || !GetObjectA(m_bitmap.get(), sizeof bm, &bm)) return SIZE{0, 0};
  return SIZE{bm.bmWidth, bm.bmHeight};
}

}  // namespace framework
