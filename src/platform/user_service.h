// Seam: message boxes and the program's string table.
#pragma once

#include "platform/win_types.h"

namespace platform {

class UserService {
 public:
  virtual ~UserService() = default;
  // A modal box owned by the program's active window; returns the button pressed (IDOK, IDYES...).
  virtual int MessageBoxA(LPCSTR text, LPCSTR caption, UINT type) = 0;
  // String-table text; same contract as LoadStringA (0 when the id has no text).
  virtual int LoadStringA(UINT id, LPSTR out, int size) = 0;
};

}  // namespace platform
