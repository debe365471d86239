#include "framework/win32/accessible_button.h"

#include <oleacc.h>

#include <new>
#include <utility>

#include "framework/win32/handles.h"
#include "framework/win32/system_library.h"

namespace framework {
namespace {

const wchar_t kPressAction[] = L"Press";

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT AnswerString(const wchar_t* text, BSTR* out) {
  if (!out) return E_POINTER;
  auto* allocate = AutomationLibrary().Find<decltype(::SysAllocString)>("SysAllocString");
  *out = allocate ? allocate(text) : nullptr;
  return *out ? S_OK : E_OUTOFMEMORY;
}

// Everything the standard object says, but for the name, the role and a missing default action.
// Its lifetime is the clients' references (COM's own counting), not the button's.
class CAccessibleButton final : public IAccessible {
 public:
  CAccessibleButton(HWND button, UniqueInterface<IAccessible> standard, std::shared_ptr<const std::wstring> name)
      : m_hButton(button), m_pStandard(std::move(standard)), m_pName(std::move(name)) {}
  CAccessibleButton(const CAccessibleButton&) = delete;
  CAccessibleButton& operator=(const CAccessibleButton&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_nRefs)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&m_nRefs);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return Std()->GetTypeInfoCount(count); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
    return Std()->GetTypeInfo(index, lcid, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override {
    return Std()->GetIDsOfNames(iid, names, count, lcid, ids);
  }
  // Late-bound calls go through the standard object's type description to this object's own
  // members, so they answer what early-bound ones do.
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* badArgument) override {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    UniqueInterface<ITypeInfo> info;
    const HRESULT hr = Std()->GetTypeInfo(0, lcid, info.put());
    if (FAILED(hr)) return hr;
    return info.get()->Invoke(static_cast<IAccessible*>(this), id, flags, params, result, exception, badArgument);
  }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return Std()->get_accParent(parent); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override { return Std()->get_accChildCount(count); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    return Std()->get_accChild(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child)) return Std()->get_accName(child, name);
    return AnswerString(m_pName->c_str(), name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return Std()->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return Std()->get_accDescription(child, description);
  }
  // The standard client object of a button calls itself a client area under Wine.
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child)) return Std()->get_accRole(child, role);
    if (!role) return E_POINTER;
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_PUSHBUTTON;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return Std()->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override { return Std()->get_accHelp(child, help); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return Std()->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return Std()->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override { return Std()->get_accFocus(focus); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return Std()->get_accSelection(selection);
  }
  // The system's own word where it has one (translated with the system), else ours.
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    const HRESULT hr = Std()->get_accDefaultAction(child, action);
    if (!IsSelf(child) || (hr == S_OK && action && *action)) return hr;
    return AnswerString(kPressAction, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override { return Std()->accSelect(flags, child); }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
    return Std()->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return Std()->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    return Std()->accHitTest(x, y, child);
  }
  // Posted, not sent: a click that opens a modal box must not hold the caller's call.
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    const HRESULT hr = Std()->accDoDefaultAction(child);
    if (!IsSelf(child) || SUCCEEDED(hr)) return hr;
    return PostMessageA(m_hButton, BM_CLICK, 0, 0) ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return Std()->put_accName(child, name); }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return Std()->put_accValue(child, value);
  }

 private:
  ~CAccessibleButton() = default;  // only Release ends it
  IAccessible* Std() const { return m_pStandard.get(); }

  LONG m_nRefs = 1;
  HWND m_hButton;
  UniqueInterface<IAccessible> m_pStandard;
  std::shared_ptr<const std::wstring> m_pName;
};

}  // namespace

LRESULT AnswerAccessibleButton(HWND button, WPARAM wp, std::shared_ptr<const std::wstring> name) {
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
  UniqueInterface<IAccessible> object(new (std::nothrow) CAccessibleButton(button, std::move(standard), std::move(name)));
  if (!object) return 0;
  const LRESULT result = answer(__uuidof(IAccessible), wp, object.get());
  return result > 0 ? result : 0;  // the marshalled object holds its own reference
}

}  // namespace framework
