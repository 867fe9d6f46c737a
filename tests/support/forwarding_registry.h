// A registry that passes every call on to another, for tests that change
// what one call does (refuse it, record it) and leave the rest alone.
#pragma once

#include "platform/registry_api.h"

namespace vb::test {

using namespace vb::win;

class ForwardingRegistry : public platform::RegistryApi {
 public:
  explicit ForwardingRegistry(platform::RegistryApi& inner) : inner_(inner) {}

  LONG RegOpenKeyA(HKEY k, const char* s, HKEY* o) override { return inner_.RegOpenKeyA(k, s, o); }
  LONG RegOpenKeyExA(HKEY k, const char* s, DWORD op, DWORD a, HKEY* o) override {
    return inner_.RegOpenKeyExA(k, s, op, a, o);
  }
  LONG RegCreateKeyA(HKEY k, const char* s, HKEY* o) override {
    return inner_.RegCreateKeyA(k, s, o);
  }
  LONG RegCreateKeyExA(HKEY k, const char* s, DWORD re, const char* c, DWORD op, DWORD a, HKEY* o,
                       DWORD* d) override {
    return inner_.RegCreateKeyExA(k, s, re, c, op, a, o, d);
  }
  LONG RegQueryValueExA(HKEY k, const char* n, DWORD* t, BYTE* d, DWORD* s) override {
    return inner_.RegQueryValueExA(k, n, t, d, s);
  }
  LONG RegSetValueExA(HKEY k, const char* n, DWORD t, const BYTE* d, DWORD s) override {
    return inner_.RegSetValueExA(k, n, t, d, s);
  }
  LONG RegDeleteValueA(HKEY k, const char* n) override { return inner_.RegDeleteValueA(k, n); }
  LONG RegDeleteKeyA(HKEY k, const char* s) override { return inner_.RegDeleteKeyA(k, s); }
  LONG RegEnumKeyA(HKEY k, DWORD i, char* n, DWORD s) override {
    return inner_.RegEnumKeyA(k, i, n, s);
  }
  LONG RegEnumValueA(HKEY k, DWORD i, char* n, DWORD* ns, DWORD* t, BYTE* d, DWORD* ds) override {
    return inner_.RegEnumValueA(k, i, n, ns, t, d, ds);
  }
  LONG RegQueryInfoKeyA(HKEY k, platform::RegKeyInfo* i) override {
    return inner_.RegQueryInfoKeyA(k, i);
  }
  LONG RegCloseKey(HKEY k) override { return inner_.RegCloseKey(k); }
  LONG BeginChanges() override { return inner_.BeginChanges(); }
  LONG EndChanges(bool keep) override { return inner_.EndChanges(keep); }

 private:
  platform::RegistryApi& inner_;
};

}  // namespace vb::test
