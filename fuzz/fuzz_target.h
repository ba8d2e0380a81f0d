// One fuzz target per file. Built with libFuzzer (SETUP_LIBFUZZER) a target is the program's
// LLVMFuzzerTestOneInput; otherwise it registers itself so that the replay test runs it over
// its corpus in fuzz/corpus/<name>/.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz {

using Target = int (*)(const std::uint8_t* data, std::size_t size);
bool Register(const char* name, Target target);

// A broken invariant: say which, then stop as a crash does, so that libFuzzer keeps the input.
[[noreturn]] inline void Fail(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, condition);
  std::abort();
}

// The input cut into pieces: one byte at a time, or texts that end at a separator byte.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size)
      : data_(reinterpret_cast<const char*>(data)), size_(size) {}
  std::uint8_t Byte() { return at_ < size_ ? static_cast<std::uint8_t>(data_[at_++]) : 0; }
  // The text up to the next separator byte (or the end), which is skipped.
  std::string Text(char separator = '\x01') {
    const std::size_t start = at_;
    while (at_ < size_ && data_[at_] != separator) {
      ++at_;
    }
    std::string text(data_ + start, at_ - start);
    at_ += at_ < size_ ? 1 : 0;
    return text;
  }
  std::string Rest() {
    std::string text(data_ + at_, size_ - at_);
    at_ = size_;
    return text;
  }

 private:
  const char* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace fuzz

#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : ::fuzz::Fail(#condition, __FILE__, __LINE__))

#ifdef SETUP_LIBFUZZER
#define FUZZ_TARGET(name) \
  extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
#else
#define FUZZ_TARGET(name)                                                            \
  static int FuzzTarget_##name(const std::uint8_t* data, std::size_t size);          \
  static const bool kRegistered_##name = ::fuzz::Register(#name, FuzzTarget_##name); \
  static int FuzzTarget_##name(const std::uint8_t* data, std::size_t size)
#endif
