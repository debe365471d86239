#include "framework/win32/bitmap_button.h"

namespace framework {

BOOL CBitmapButton::LoadBitmaps(const char* normal, const char* selected, const char* focus, const char* disabled) {
  for (CBitmap& picture : m_pictures) picture.DeleteObject();
  if (!m_pictures[static_cast<int>(ButtonPicture::Normal)].LoadBitmap(normal)) return FALSE;
  BOOL all = TRUE;
  const char* optional[] = {selected, focus, disabled};
  for (int i = 0; i < 3; ++i) {
    if (optional[i] && !m_pictures[i + 1].LoadBitmap(optional[i])) all = FALSE;
  }
  return all;
}

void CBitmapButton::SizeToContent() {
  const CBitmap& normal = Picture(ButtonPicture::Normal);
  if (!normal || !m_hWnd) return;  // nothing to size to: the button keeps its size
  const SIZE size = normal.GetSize();
  SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}

void CBitmapButton::DrawItem(const DRAWITEMSTRUCT* item) {
  bool loaded[4];
  for (int i = 0; i < 4; ++i) loaded[i] = static_cast<bool>(m_pictures[i]);
  const ItemState state{(item->itemState & ODS_SELECTED) != 0, (item->itemState & ODS_FOCUS) != 0,
                        (item->itemState & ODS_DISABLED) != 0};
  const CBitmap& picture = Picture(ChooseButtonPicture(state, loaded));

  UniqueMemoryDc memory(CreateCompatibleDC(item->hDC));
  if (!memory) return;
  SelectGuard select(memory.get(), picture.GetSafeHandle());
  if (!select.ok()) return;  // an empty picture draws nothing
  const RECT& r = item->rcItem;
  BitBlt(item->hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, memory.get(), 0, 0, SRCCOPY);
}

bool CBitmapButton::OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (msg != WM_DRAWITEM) return CWnd::OnChildNotify(msg, wp, lp, result);
  DrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
  *result = TRUE;
  return true;
}

}  // namespace framework
