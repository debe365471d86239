#include "app/win32/start_lock.h"

#include "app/start_turn.h"

namespace velmora {
namespace {

// Per session, like the palette windows the turn guards.
const char kStartLockName[] = "Local\\VelmoraPaletteStart";
const char kHolderName[] = "Local\\VelmoraPaletteStartHolder";

struct DialogSearch {
  DWORD pid;
  HWND found;
};

// The topmost visible, enabled dialog of a process: a start-up box, the upgrade prompt or the
// upgrade program dialog (the palette itself releases the turn once it exists).
HWND TopDialogOf(DWORD pid) {
  DialogSearch search{pid, nullptr};
  EnumWindows(
      [](HWND wnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<DialogSearch*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(wnd, &owner);
        char cls[16] = "";
        if (owner != s->pid || !IsWindowVisible(wnd) || !IsWindowEnabled(wnd)) return TRUE;
        if (GetClassNameA(wnd, cls, sizeof cls) == 0 || lstrcmpA(cls, "#32770") != 0) return TRUE;
        s->found = wnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

bool CStartLock::WaitForTurn() {
  m_mutex.reset(CreateMutexA(nullptr, FALSE, kStartLockName));
  if (!m_mutex) return true;  // no lock to be had: look unguarded, as a lone start would
  m_holderMapping.reset(
      CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG), kHolderName));
  if (m_holderMapping) {
    m_holderView.reset(MapViewOfFile(m_holderMapping.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(LONG)));
  }
  for (std::uint32_t waited = 0;; waited += kStartTurnLookMs) {
    // Abandoned: its holder ended without letting go, so it holds nothing any more.
    const DWORD got = WaitForSingleObject(m_mutex.get(), waited == 0 ? 0 : kStartTurnLookMs);
    m_bHeld = got == WAIT_OBJECT_0 || got == WAIT_ABANDONED;
    if (got == WAIT_FAILED) return true;
    const HWND dialog = m_bHeld ? nullptr : TopDialogOf(Holder());
    switch (NextStartTurn(m_bHeld, dialog != nullptr, waited)) {
      case StartTurn::kOurs:
        PublishHolder(GetCurrentProcessId());
        return true;
      case StartTurn::kHandOver:
        BringWindowToTop(dialog);
        SetForegroundWindow(dialog);
        return false;
      case StartTurn::kUnguarded:
        return true;
      case StartTurn::kKeepWaiting:
        break;
    }
  }
}

void CStartLock::Release() {
  if (m_bHeld) {
    PublishHolder(0);
    ReleaseMutex(m_mutex.get());
  }
  m_bHeld = false;
  m_holderView.reset();
  m_holderMapping.reset();
  m_mutex.reset();
}

void CStartLock::PublishHolder(DWORD pid) {
  if (m_holderView) InterlockedExchange(static_cast<LONG volatile*>(m_holderView.get()), static_cast<LONG>(pid));
}

DWORD CStartLock::Holder() const {
  if (!m_holderView) return 0;
  return static_cast<DWORD>(InterlockedCompareExchange(static_cast<LONG volatile*>(m_holderView.get()), 0, 0));
}

}  // namespace velmora
