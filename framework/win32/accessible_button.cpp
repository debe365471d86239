#include "framework/win32/accessible_button.h"

#include <oleacc.h>
#include <servprov.h>

#include <memory>
#include <new>
#include <utility>

#include "framework/win32/handles.h"
#include "framework/win32/system_library.h"

namespace framework {
namespace {

const wchar_t kPressAction[] = L"Press";

// MinGW declares IAccIdentity without a uuid for __uuidof, and its IID_ from a static link is
// an import stub: the system's value, written out.
const IID kIidAccIdentity = {0x7852b78d, 0x1cfd, 0x41c1, {0xa6, 0x15, 0x9c, 0x0c, 0x85, 0x96, 0x0b, 0x5f}};

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT AnswerString(const wchar_t* text, BSTR* out) {
  if (!out) return E_POINTER;
  auto* allocate = AutomationLibrary().Find<decltype(::SysAllocString)>("SysAllocString");
  *out = allocate ? allocate(text) : nullptr;
  return *out ? S_OK : E_OUTOFMEMORY;
}

// Everything the standard object says, but for the name, the role and a missing default action.
// Its lifetime is the clients' references (COM's own counting), not the button's; once the
// button's window is gone (the name's owner let go of it) every call answers that the object
// is no longer connected. The standard object's other interfaces are handed out under this
// object's identity, each call passed on to the standard object's own.
class CAccessibleButton final : public IAccessible,
                                public IEnumVARIANT,
                                public IOleWindow,
                                public IServiceProvider,
                                public IAccIdentity {
 public:
  CAccessibleButton(HWND button, UniqueInterface<IAccessible> standard, const std::shared_ptr<const std::wstring>& name)
      : m_hButton(button), m_pStandard(std::move(standard)), m_pName(name) {
    Find(__uuidof(IEnumVARIANT), m_pEnum);
    Find(__uuidof(IOleWindow), m_pWindow);
    Find(__uuidof(IServiceProvider), m_pServices);
    Find(kIidAccIdentity, m_pIdentity);
  }
  CAccessibleButton(const CAccessibleButton&) = delete;
  CAccessibleButton& operator=(const CAccessibleButton&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
    } else if (iid == __uuidof(IEnumVARIANT) && m_pEnum) {
      *out = static_cast<IEnumVARIANT*>(this);
    } else if (iid == __uuidof(IOleWindow) && m_pWindow) {
      *out = static_cast<IOleWindow*>(this);
    } else if (iid == __uuidof(IServiceProvider) && m_pServices) {
      *out = static_cast<IServiceProvider*>(this);
    } else if (iid == kIidAccIdentity && m_pIdentity) {
      *out = static_cast<IAccIdentity*>(this);
    } else if (Connected()) {
      // Anything else the standard object has, it hands out itself.
      return m_pStandard.get()->QueryInterface(iid, out);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_nRefs)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&m_nRefs);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return Connected() ? Std()->GetTypeInfoCount(count) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
    return Connected() ? Std()->GetTypeInfo(index, lcid, info) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override {
    return Connected() ? Std()->GetIDsOfNames(iid, names, count, lcid, ids) : CO_E_OBJNOTCONNECTED;
  }
  // Late-bound calls go through the standard object's type description to this object's own
  // members, so they answer what early-bound ones do.
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* badArgument) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    UniqueInterface<ITypeInfo> info;
    const HRESULT hr = Std()->GetTypeInfo(0, lcid, info.put());
    if (FAILED(hr)) return hr;
    return info.get()->Invoke(static_cast<IAccessible*>(this), id, flags, params, result, exception, badArgument);
  }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return Connected() ? Std()->get_accParent(parent) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return Connected() ? Std()->get_accChildCount(count) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    return Connected() ? Std()->get_accChild(child, out) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    const std::shared_ptr<const std::wstring> current = m_pName.lock();
    if (!current) return CO_E_OBJNOTCONNECTED;
    if (!IsSelf(child)) return Std()->get_accName(child, name);
    return AnswerString(current->c_str(), name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return Connected() ? Std()->get_accValue(child, value) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return Connected() ? Std()->get_accDescription(child, description) : CO_E_OBJNOTCONNECTED;
  }
  // The standard client object of a button calls itself a client area under Wine.
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (!IsSelf(child)) return Std()->get_accRole(child, role);
    if (!role) return E_POINTER;
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_PUSHBUTTON;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return Connected() ? Std()->get_accState(child, state) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return Connected() ? Std()->get_accHelp(child, help) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return Connected() ? Std()->get_accHelpTopic(file, child, topic) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return Connected() ? Std()->get_accKeyboardShortcut(child, shortcut) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    return Connected() ? Std()->get_accFocus(focus) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return Connected() ? Std()->get_accSelection(selection) : CO_E_OBJNOTCONNECTED;
  }
  // The system's own word where it has one (translated with the system), else ours.
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    const HRESULT hr = Std()->get_accDefaultAction(child, action);
    if (!IsSelf(child) || (hr == S_OK && action && *action)) return hr;
    return AnswerString(kPressAction, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return Connected() ? Std()->accSelect(flags, child) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
    return Connected() ? Std()->accLocation(left, top, width, height, child) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return Connected() ? Std()->accNavigate(direction, start, end) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    return Connected() ? Std()->accHitTest(x, y, child) : CO_E_OBJNOTCONNECTED;
  }
  // Posted, not sent: a click that opens a modal box must not hold the caller's call.
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    const HRESULT hr = Std()->accDoDefaultAction(child);
    if (!IsSelf(child) || SUCCEEDED(hr)) return hr;
    return PostMessageA(m_hButton, BM_CLICK, 0, 0) ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return Connected() ? Std()->put_accName(child, name) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return Connected() ? Std()->put_accValue(child, value) : CO_E_OBJNOTCONNECTED;
  }

  // The children, the window, the services and the identity of the standard object. An
  // enumeration's copy is the standard object's own.
  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override {
    return Connected() ? m_pEnum.get()->Next(count, items, fetched) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    return Connected() ? m_pEnum.get()->Skip(count) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE Reset() override { return Connected() ? m_pEnum.get()->Reset() : CO_E_OBJNOTCONNECTED; }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override {
    return Connected() ? m_pEnum.get()->Clone(copy) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* wnd) override {
    return Connected() ? m_pWindow.get()->GetWindow(wnd) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override {
    return Connected() ? m_pWindow.get()->ContextSensitiveHelp(enter) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid, void** out) override {
    if (out) *out = nullptr;
    return Connected() ? m_pServices.get()->QueryService(service, iid, out) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE GetIdentityString(DWORD child, BYTE** identity, DWORD* length) override {
    return Connected() ? m_pIdentity.get()->GetIdentityString(child, identity, length) : CO_E_OBJNOTCONNECTED;
  }

 private:
  ~CAccessibleButton() = default;  // only Release ends it
  IAccessible* Std() const { return m_pStandard.get(); }
  bool Connected() const { return !m_pName.expired(); }
  template <typename I>
  void Find(REFIID iid, UniqueInterface<I>& out) {
    if (FAILED(m_pStandard.get()->QueryInterface(iid, reinterpret_cast<void**>(out.put())))) out.reset();
  }

  LONG m_nRefs = 1;
  HWND m_hButton;
  UniqueInterface<IAccessible> m_pStandard;
  UniqueInterface<IEnumVARIANT> m_pEnum;
  UniqueInterface<IOleWindow> m_pWindow;
  UniqueInterface<IServiceProvider> m_pServices;
  UniqueInterface<IAccIdentity> m_pIdentity;
  std::weak_ptr<const std::wstring> m_pName;  // expires with the button's window
};

}  // namespace

LRESULT AnswerAccessibleButton(HWND button, WPARAM wp, const std::shared_ptr<const std::wstring>& name) {
  CSystemLibrary& oleacc = AccessibilityLibrary();
  auto* createStandard = oleacc.Find<decltype(::CreateStdAccessibleObject)>("CreateStdAccessibleObject");
  auto* answer = oleacc.Find<decltype(::LresultFromObject)>("LresultFromObject");
  if (!createStandard || !answer || !name) return 0;
  UniqueInterface<IAccessible> standard;
  if (FAILED(createStandard(button, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(standard.put())))) {
    return 0;
  }
  if (!standard) return 0;
  // COM objects count their own references: the one raw allocation, ended by Release.
  UniqueInterface<IAccessible> object(new (std::nothrow) CAccessibleButton(button, std::move(standard), name));
  if (!object) return 0;
  const LRESULT result = answer(__uuidof(IAccessible), wp, object.get());
  return result > 0 ? result : 0;  // the marshalled object holds its own reference
}

}  // namespace framework
