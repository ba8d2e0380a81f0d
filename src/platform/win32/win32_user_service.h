// Win32 message boxes and string table, one to one.
#pragma once

#include "platform/user_service.h"

namespace platform {

class Win32UserService final : public UserService {
 public:
  int MessageBoxA(LPCSTR text, LPCSTR caption, UINT type) override {
    return ::MessageBoxA(::GetActiveWindow(), text, caption, type);
  }
  int LoadStringA(UINT id, LPSTR out, int size) override {
    return ::LoadStringA(::GetModuleHandleA(nullptr), id, out, size);
  }
};

}  // namespace platform
