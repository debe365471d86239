#include "framework/win32/bitmap_button.h"

#include <utility>

#include "framework/win32/accessible_button.h"
#include "framework/win32/common_controls.h"
#include "framework/win32/dialog.h"

namespace framework {
namespace {

const UINT_PTR kSubclassId = 1;

std::wstring Widened(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
  return wide;
}

// Border and bevel of the pictures plus one pixel of space.
constexpr int kFocusCueInset = 4;

// Keyboard cues show after Tab or Alt and stay hidden while the window is used with the mouse.
// In a framework dialog the cue waits for its keys even where the system shows cues always
// (Wine), so mouse use draws the pictures alone.
bool ShowsFocusCue(const DRAWITEMSTRUCT* item) {
  if (item->itemState & ODS_NOFOCUSRECT) return false;
  if (SendMessageA(item->hwndItem, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) return false;
  const auto* dialog = dynamic_cast<const CDialog*>(CWnd::FromHandlePermanent(GetAncestor(item->hwndItem, GA_ROOT)));
  return !dialog || dialog->KeyboardUsed();
}

}  // namespace

CBitmapButton::~CBitmapButton() { StopAnswering(); }

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
  if (state.focus && ShowsFocusCue(item)) {
    // Inside the picture's raised border, as a standard push button draws it.
    RECT cue = r;
    InflateRect(&cue, -kFocusCueInset, -kFocusCueInset);
    DrawFocusRect(item->hDC, &cue);
  }
}

bool CBitmapButton::OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (msg != WM_DRAWITEM) return CWnd::OnChildNotify(msg, wp, lp, result);
  DrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
  *result = TRUE;
  return true;
}

void CBitmapButton::SetAccessibleName(const std::string& name) {
  if (m_hAnswering != m_hWnd) StopAnswering();  // bound to another window since
  std::wstring wide = Widened(name);
  const bool renamed = m_hAnswering && *m_pAccessibleName != wide;
  *m_pAccessibleName = std::move(wide);
  if (m_hWnd && !m_hAnswering && IsWindow(m_hWnd) &&
      SubclassWindow(m_hWnd, &CBitmapButton::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
    m_hAnswering = m_hWnd;
  }
  if (renamed) NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, m_hAnswering, OBJID_CLIENT, CHILDID_SELF);
}

void CBitmapButton::StopAnswering() {
  // Objects already handed out describe a window nobody answers for any more.
  m_pAccessibleName = std::make_shared<std::wstring>(*m_pAccessibleName);
  HWND wnd = std::exchange(m_hAnswering, nullptr);
  if (wnd && IsWindow(wnd)) RemoveSubclass(wnd, &CBitmapButton::SubclassProc, kSubclassId);
}

LRESULT CALLBACK CBitmapButton::SubclassProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<CBitmapButton*>(data);
  // The object id travels as a 32-bit value in lParam.
  if (msg == WM_GETOBJECT && static_cast<LONG>(static_cast<DWORD>(lp)) == OBJID_CLIENT) {
    if (const LRESULT answer = AnswerAccessibleButton(wnd, wp, self->m_pAccessibleName)) return answer;
  }
  switch (msg) {
    case WM_GETDLGCODE:
      // A push button to the dialog manager, so Enter presses the focused picture button; it
      // is the default button while it has the focus.
      return DLGC_BUTTON | (GetFocus() == wnd ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case BM_SETSTYLE:
      // The dialog manager moves the default role with push-button styles; the button stays
      // owner-drawn.
      wp = (wp & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW;
      break;
    case WM_UPDATEUISTATE: {
      const LRESULT result = DefaultSubclassProc(wnd, msg, wp, lp);
      if (GetFocus() == wnd) InvalidateRect(wnd, nullptr, FALSE);  // the focus cue comes or goes
      return result;
    }
    case WM_NCDESTROY:
      self->StopAnswering();
      break;
    default:
      break;
  }
  return DefaultSubclassProc(wnd, msg, wp, lp);
}

}  // namespace framework
