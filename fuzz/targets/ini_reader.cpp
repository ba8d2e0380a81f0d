// The simulated profile reader over any file: every read stays inside its buffer, terminates
// it and reports what it copied; the win.ini writer's value reads back as written.
#include <cstring>
#include <memory>
#include <string>

#include "fuzz/fuzz_target.h"
#include "platform/sim/sim_machine.h"

namespace {

constexpr const char* kFile = "C:\\PACKAGE\\DRVCONFIG\\setup.ini";

// A read into a heap buffer of exactly `size` bytes, so that the sanitizer sees any overrun.
std::string Read(platform::sim::SimMachine& machine, const char* section, const char* key,
                 const char* fallback, std::size_t size, bool list) {
  auto out = std::make_unique<char[]>(size == 0 ? 1 : size);
  const DWORD copied = machine.platform().profile.GetPrivateProfileStringA(
      section, key, fallback, size == 0 ? nullptr : out.get(), static_cast<DWORD>(size), kFile);
  if (size == 0) {
    FUZZ_CHECK(copied == 0);
    return "";
  }
  FUZZ_CHECK(copied < size);
  FUZZ_CHECK(out[copied] == '\0');
  if (!list) {
    FUZZ_CHECK(std::strlen(out.get()) == copied);
  }
  return std::string(out.get(), copied);
}

bool Plain(const std::string& text) {
  return !text.empty() &&
         text.find_first_of(std::string("\r\n\t\v\f\x1a \"'=[]\0;", 15)) == std::string::npos;
}

}  // namespace

FUZZ_TARGET(ini_reader) {
  fuzz::Input input(data, size);
  const std::size_t bufferSize = input.Byte();
  const std::string section = input.Text();
  const std::string key = input.Text();
  const std::string fallback = input.Text();
  platform::sim::SimMachine machine;
  machine.disk().WriteFile(kFile, input.Rest());
  Read(machine, section.c_str(), key.c_str(), fallback.c_str(), bufferSize, false);
  Read(machine, section.c_str(), nullptr, fallback.c_str(), bufferSize, true);
  Read(machine, nullptr, nullptr, fallback.c_str(), bufferSize, true);
  // What the writer stores under plain names reads back unchanged.
  if (Plain(section) && Plain(key) && Plain(fallback)) {
    machine.platform().profile.WriteProfileStringA(section.c_str(), key.c_str(), fallback.c_str());
    char back[300] = {};
    machine.platform().profile.GetPrivateProfileStringA(section.c_str(), key.c_str(), "", back,
                                                        sizeof(back), "win.ini");
    FUZZ_CHECK(fallback.size() >= sizeof(back) - 1 || fallback == back);
  }
  return 0;
}
