#include "installer/setup/win32/desktop_shell_start.h"

#include <windows.h>
#include <exdisp.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shobjidl.h>

#include "framework/win32/handles.h"

namespace velmora::setup {
namespace {

using framework::UniqueInterface;

// COM for this thread, for as long as the start takes.
class CComScope {
 public:
  CComScope() : m_hrInit(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
  ~CComScope() {
    if (SUCCEEDED(m_hrInit)) CoUninitialize();
  }
  CComScope(const CComScope&) = delete;
  CComScope& operator=(const CComScope&) = delete;
  bool Ready() const { return SUCCEEDED(m_hrInit); }

 private:
  HRESULT m_hrInit;
};

// A BSTR owned once.
class CBstr {
 public:
  explicit CBstr(const std::wstring& text) : m_bstr(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ~CBstr() { SysFreeString(m_bstr); }
  CBstr(const CBstr&) = delete;
  CBstr& operator=(const CBstr&) = delete;
  BSTR Get() const { return m_bstr; }

 private:
  BSTR m_bstr;
};

// The desktop window's folder view and from it the shell's automation object, which acts in
// the shell's own process: IShellWindows finds the desktop, its browser's active view hands out
// its background object, and that object's Application is the shell.
UniqueInterface<IShellDispatch2> DesktopShell() {
  UniqueInterface<IShellWindows> windows;
  if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, __uuidof(IShellWindows),
                              reinterpret_cast<void**>(windows.put()))))
    return {};
  VARIANT empty;
  VariantInit(&empty);
  long hwnd = 0;
  UniqueInterface<IDispatch> desktop;
  if (windows.get()->FindWindowSW(&empty, &empty, SWC_DESKTOP, &hwnd, SWFO_NEEDDISPATCH, desktop.put()) != S_OK ||
      !desktop)
    return {};
  UniqueInterface<IServiceProvider> services;
  if (FAILED(desktop.get()->QueryInterface(__uuidof(IServiceProvider), reinterpret_cast<void**>(services.put()))))
    return {};
  UniqueInterface<IShellBrowser> browser;
  if (FAILED(services.get()->QueryService(SID_STopLevelBrowser, __uuidof(IShellBrowser),
                                          reinterpret_cast<void**>(browser.put()))))
    return {};
  UniqueInterface<IShellView> view;
  if (FAILED(browser.get()->QueryActiveShellView(view.put())) || !view) return {};
  UniqueInterface<IDispatch> background;
  if (FAILED(view.get()->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, reinterpret_cast<void**>(background.put()))))
    return {};
  UniqueInterface<IShellFolderViewDual> folderView;
  if (FAILED(background.get()->QueryInterface(__uuidof(IShellFolderViewDual),
                                              reinterpret_cast<void**>(folderView.put()))))
    return {};
  UniqueInterface<IDispatch> application;
  if (FAILED(folderView.get()->get_Application(application.put())) || !application) return {};
  UniqueInterface<IShellDispatch2> shell;
  if (FAILED(application.get()->QueryInterface(__uuidof(IShellDispatch2), reinterpret_cast<void**>(shell.put()))))
    return {};
  return shell;
}

}  // namespace

bool StartThroughDesktopShell(const std::wstring& program, const std::wstring& folder) {
  const CComScope com;
  if (!com.Ready()) return false;
  const UniqueInterface<IShellDispatch2> shell = DesktopShell();
  if (!shell) return false;
  const CBstr file(program);
  const CBstr directory(folder);
  VARIANT none;
  VariantInit(&none);
  VARIANT dir;
  VariantInit(&dir);
  dir.vt = VT_BSTR;
  dir.bstrVal = directory.Get();
  VARIANT show;
  VariantInit(&show);
  show.vt = VT_I4;
  show.lVal = SW_SHOWNORMAL;
  return SUCCEEDED(shell.get()->ShellExecute(file.Get(), none, dir, none, show));
}

}  // namespace velmora::setup
