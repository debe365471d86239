// The session's start turn (app/start_turn.h): a named mutex held from the look for a running
// palette until this start's palette exists or the start ends, and beside it the process id of
// the start that holds it, so a start that has to wait can show the user what the other one asks.
#pragma once
#include <windows.h>

#include "framework/win32/handles.h"

namespace velmora {

class CStartLock {
 public:
  CStartLock() = default;
  CStartLock(const CStartLock&) = delete;
  CStartLock& operator=(const CStartLock&) = delete;
  ~CStartLock() { Release(); }

  // Waits for the turn. False when the start that has it shows a box or dialog instead: that
  // window was brought forward and this start is to end. True otherwise (the turn is held, or
  // no lock could be had, or the wait reached its limit: this start goes on as a lone one).
  bool WaitForTurn();
  // This start's palette exists (or it will have none): the next start may look for it.
  void Release();

 private:
  void PublishHolder(DWORD pid);
  DWORD Holder() const;

  framework::UniqueKernelHandle m_mutex;
  framework::UniqueKernelHandle m_holderMapping;
  framework::UniqueMappedView m_holderView;
  bool m_bHeld = false;
};

}  // namespace velmora
