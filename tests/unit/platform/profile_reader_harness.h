// Test harness for the simulated profile reader: puts INI bytes on the simulated disk and reads
// them into a buffer followed by guard bytes, both prefilled with a sentinel, so that a test
// sees the answer, what was written behind the terminator and any write past the buffer.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_file_tree.h"
#include "platform/sim/sim_profile_service.h"

namespace platform::sim::testing {

constexpr char kSentinel = '\xCC';
constexpr size_t kGuardBytes = 32;
constexpr const char* kIniPath = "C:\\PACKAGE\\DRVCONFIG\\setup.ini";

struct Answer {
  DWORD result = 0;
  std::string buffer;  // the size bytes handed to the reader, as it left them
  std::string guard;   // the bytes just past the buffer

  // The answer as a C string.
  std::string Text() const { return buffer.substr(0, buffer.find('\0')); }
  bool GuardIntact() const { return guard == std::string(kGuardBytes, kSentinel); }
  // True when no byte behind the terminator at result was written.
  bool NothingBehindTerminator() const {
    return buffer.find_first_not_of(kSentinel, result + 1) == std::string::npos;
  }
};

class ProfileReaderTest : public ::testing::Test {
 protected:
  void UseFile(const std::string& bytes, const std::string& path = kIniPath) {
    disk_.WriteFile(path, bytes);
  }

  Answer Ask(const char* section, const char* key, const char* defaultValue, DWORD size,
             const char* path = kIniPath) {
    std::vector<char> memory(size + kGuardBytes, kSentinel);
    Answer answer;
    answer.result =
        profile_.GetPrivateProfileStringA(section, key, defaultValue, memory.data(), size, path);
    answer.buffer.assign(memory.data(), size);
    answer.guard.assign(memory.data() + size, kGuardBytes);
    return answer;
  }

  // The usual read: a key with the program's default "0" and a roomy buffer.
  std::string Value(const char* section, const char* key, const char* path = kIniPath) {
    const Answer answer = Ask(section, key, "0", 200, path);
    EXPECT_EQ(answer.result, answer.Text().size());
    return answer.Text();
  }

  // The system the reader runs on (Windows XP unless a test says otherwise).
  void UseVersion(DWORD platformId, DWORD major, DWORD minor) {
    version_.dwPlatformId = platformId;
    version_.dwMajorVersion = major;
    version_.dwMinorVersion = minor;
  }

  SimFileTree disk_;
  const std::string windowsDirectory_ = "C:\\WINDOWS";
  OSVERSIONINFOA version_{sizeof(OSVERSIONINFOA), 5, 1, 2600, VER_PLATFORM_WIN32_NT, {}};
  SimProfileService profile_{disk_, windowsDirectory_, version_};
};

}  // namespace platform::sim::testing
