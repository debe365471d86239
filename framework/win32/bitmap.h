// A bitmap resource owned by one object: loaded by name or number, deleted with the object or
// on the next load.
#pragma once
#include <windows.h>

#include "framework/win32/handles.h"

namespace framework {

class CBitmap {
 public:
  // From the program's resources; false (and empty) when there is no such bitmap.
  BOOL LoadBitmap(const char* name);
  BOOL LoadBitmap(UINT id) { return LoadBitmap(MAKEINTRESOURCEA(id)); }
  void DeleteObject() { m_bitmap.reset(); }

  HBITMAP GetSafeHandle() const { return m_bitmap.get(); }
  explicit operator bool() const { return static_cast<bool>(m_bitmap); }
  // Width and height; 0 x 0 when empty.
  SIZE GetSize() const;

 private:
  UniqueBitmap m_bitmap;
};

}  // namespace framework
