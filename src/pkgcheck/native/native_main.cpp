// pkgcheck on Linux: the package folder read through the simulated Windows, findings printed
// in UTF-8.
#include <iconv.h>

#include <cstdio>
#include <string>

#include "pkgcheck/native/sim_package.h"
#include "pkgcheck/run.h"

namespace {

// Code page 936 to UTF-8; a byte that starts no character comes out as "\xNN".
std::string ToUtf8(const std::string& text) {
  iconv_t converter = iconv_open("UTF-8", "GBK");
  if (converter == reinterpret_cast<iconv_t>(-1)) {
    return text;
  }
  std::string out;
  std::size_t at = 0;
  while (at < text.size()) {
    char buffer[256];
    char* in = const_cast<char*>(text.data() + at);
    std::size_t inLeft = text.size() - at;
    char* outPointer = buffer;
    std::size_t outLeft = sizeof(buffer);
    const std::size_t result = iconv(converter, &in, &inLeft, &outPointer, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPointer - buffer));
    at = text.size() - inLeft;
    if (result == static_cast<std::size_t>(-1) && outLeft == sizeof(buffer)) {
      out += pkgcheck::EscapeByte(static_cast<unsigned char>(text[at]));
      ++at;
    }
  }
  iconv_close(converter);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const std::optional<pkgcheck::Options> options = pkgcheck::ParseOptions(argc, argv, error);
  if (!options) {
    std::fprintf(stderr, "pkgcheck: %s\n%s", error.c_str(), pkgcheck::kUsage);
    return 2;
  }
  platform::sim::SimMachine machine;
  if (!pkgcheck::LoadPackage(options->folder, machine)) {
    std::fprintf(stderr, "pkgcheck: %s is not a folder\n", options->folder.c_str());
    return 2;
  }
  pkgcheck::SimPackageFolder folder(machine);
  std::string out;
  const int code =
      pkgcheck::Run(machine.platform(), folder, *options, pkgcheck::Output{ToUtf8, ToUtf8}, out);
  std::fputs(out.c_str(), stdout);
  return code;
}
