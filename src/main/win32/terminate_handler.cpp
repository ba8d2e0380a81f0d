// The C++ runtime's default terminate handler writes the uncaught exception's demangled type
// name to standard error, and so links the whole demangler (about 50 KB) into Setup.exe, a
// program without a console. No exception is meant to get that far (every Windows callback
// catches), so ending the program as std::terminate always does is all it needs.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
  std::abort();
}

}  // namespace __gnu_cxx
