// Move-only owners for Win32 handles. Each traits type names the handle's "empty" value and
// how it is released, so an owner can never release the wrong way or twice.
#pragma once
#include <windows.h>

#include <memory>
#include <utility>

namespace framework {

template <typename Traits>
class UniqueHandle {
 public:
  using handle_type = typename Traits::handle_type;

  UniqueHandle() = default;
  explicit UniqueHandle(handle_type h) : m_h(h) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : m_h(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  handle_type get() const { return m_h; }
  explicit operator bool() const { return m_h != Traits::empty(); }
  handle_type release() { return std::exchange(m_h, Traits::empty()); }
  void reset(handle_type h = Traits::empty()) {
    handle_type old = std::exchange(m_h, h);
    if (old != Traits::empty()) Traits::close(old);
  }
  // For out-parameters of creating calls: releases what is held and lends the slot.
  handle_type* put() {
    reset();
    return &m_h;
  }

 private:
  handle_type m_h = Traits::empty();
};

struct KeyTraits {
  using handle_type = HKEY;
  static HKEY empty() { return nullptr; }
  static void close(HKEY h) { RegCloseKey(h); }
};
struct KernelHandleTraits {  // process, thread, event: empty is NULL
  using handle_type = HANDLE;
  static HANDLE empty() { return nullptr; }
  static void close(HANDLE h) { CloseHandle(h); }
};
struct FileHandleTraits {  // files, devices, pipes: empty is INVALID_HANDLE_VALUE
  using handle_type = HANDLE;
  static HANDLE empty() { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) { CloseHandle(h); }
};
template <typename T>
struct GdiObjectTraits {
  using handle_type = T;
  static T empty() { return nullptr; }
  static void close(T h) { DeleteObject(h); }
};
struct IconTraits {  // from LoadImage without LR_SHARED
  using handle_type = HICON;
  static HICON empty() { return nullptr; }
  static void close(HICON h) { DestroyIcon(h); }
};
struct ModuleTraits {  // from LoadLibrary
  using handle_type = HMODULE;
  static HMODULE empty() { return nullptr; }
  static void close(HMODULE h) { FreeLibrary(h); }
};
struct MemoryDcTraits {  // from CreateCompatibleDC
  using handle_type = HDC;
  static HDC empty() { return nullptr; }
  static void close(HDC h) { DeleteDC(h); }
};
template <typename I>
struct InterfaceTraits {  // a COM interface pointer: one reference, released once
  using handle_type = I*;
  static I* empty() { return nullptr; }
  static void close(I* p) { p->Release(); }
};

struct ServiceHandleTraits {  // from OpenSCManager, OpenService
  using handle_type = SC_HANDLE;
  static SC_HANDLE empty() { return nullptr; }
  static void close(SC_HANDLE h) { CloseServiceHandle(h); }
};
struct MappedViewTraits {  // from MapViewOfFile
  using handle_type = void*;
  static void* empty() { return nullptr; }
  static void close(void* view) { UnmapViewOfFile(view); }
};

// Memory the system hands out with LocalAlloc (descriptors, access lists, SDDL text).
struct LocalFreeDeleter {
  void operator()(void* memory) const { LocalFree(memory); }
};
template <typename T>
using UniqueLocal = std::unique_ptr<T, LocalFreeDeleter>;

using UniqueKey = UniqueHandle<KeyTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueMappedView = UniqueHandle<MappedViewTraits>;
using UniqueServiceHandle = UniqueHandle<ServiceHandleTraits>;
template <typename I>
using UniqueInterface = UniqueHandle<InterfaceTraits<I>>;

// Selects an object into a device context and selects the previous one back on scope exit.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(SelectObject(dc, obj)) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() {
    if (ok()) SelectObject(m_dc, m_old);
  }
  // Selection fails (for example for an empty bitmap) with NULL or HGDI_ERROR.
  bool ok() const { return m_old != nullptr && m_old != HGDI_ERROR; }

 private:
  HDC m_dc;
  HGDIOBJ m_old;
};

// BeginPaint / EndPaint.
class CPaintDC {
 public:
  explicit CPaintDC(HWND wnd) : m_wnd(wnd) { m_dc = BeginPaint(wnd, &m_ps); }
  CPaintDC(const CPaintDC&) = delete;
  CPaintDC& operator=(const CPaintDC&) = delete;
  ~CPaintDC() { EndPaint(m_wnd, &m_ps); }
  HDC get() const { return m_dc; }

 private:
  HWND m_wnd;
  PAINTSTRUCT m_ps{};
  HDC m_dc = nullptr;
};

}  // namespace framework
