// The C++ runtime reports a misused container (a position past the end, a length beyond
// max_size, an empty std::function called) through a few throwing helpers. Its own versions
// throw std::logic_error and its kin, whose definitions carry the runtime's older
// reference-counted string and pull about 50 KB into Setup.exe. They are defined here instead:
// an allocation failure still throws std::bad_alloc, and every other report throws
// LibraryError, a std::exception with the runtime's message, which every Windows callback
// catches as it catches any exception. No code of the program catches the standard kinds.
#include <cstdio>
#include <exception>
#include <new>

namespace {

class LibraryError final : public std::exception {
 public:
  explicit LibraryError(const char* message) : message_(message) {}
  const char* what() const noexcept override { return message_; }

 private:
  const char* message_;
};

}  // namespace

namespace std {

void __throw_bad_alloc() {
  throw std::bad_alloc();
}

void __throw_bad_array_new_length() {
  throw std::bad_array_new_length();
}

void __throw_length_error(const char* message) {
  throw LibraryError(message);
}

void __throw_logic_error(const char* message) {
  throw LibraryError(message);
}

void __throw_out_of_range(const char* message) {
  throw LibraryError(message);
}

// The runtime formats the position into the message; the format alone says what went wrong.
void __throw_out_of_range_fmt(const char* format, ...) {
  throw LibraryError(format);
}

void __throw_invalid_argument(const char* message) {
  throw LibraryError(message);
}

void __throw_bad_function_call() {
  throw LibraryError("bad function call");
}

}  // namespace std
