// Window classes registered through the framework.
#pragma once
#include <windows.h>

#include <string>

namespace framework {

// Registers a window class; succeeds at once when the class already exists.
BOOL AfxRegisterClass(const WNDCLASSA* wc);

// A class registration that its owner ends: only a class this object registered is
// unregistered, once, at Unregister or at the latest when the object goes.
class CClassRegistration {
 public:
  CClassRegistration() = default;
  CClassRegistration(const CClassRegistration&) = delete;
  CClassRegistration& operator=(const CClassRegistration&) = delete;
  ~CClassRegistration() { Unregister(); }

  // True when the class can be used now (registered here or already there).
  bool Register(const WNDCLASSA& wc);
  void Unregister();

 private:
  std::string m_strName;
  HINSTANCE m_hInstance = nullptr;
  bool m_bRegistered = false;
};

}  // namespace framework
