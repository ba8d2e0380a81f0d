// pkgcheck.exe: the package folder read through the real profile reader; the readable report
// in the console's code page 936, the JSON report in UTF-8.
#include <windows.h>

#include <cstdio>
#include <string>

#include "pkgcheck/run.h"
#include "pkgcheck/win32/win32_package.h"
#include "platform/win32/win32_platform.h"

namespace {

// DriverConfig's paths are 200-byte texts: "DRVCONFIG\setup_embedded.ini" must fit after the
// folder, as it must for Setup.exe started from there.
constexpr std::size_t kLongestConfigPath = sizeof("\\DRVCONFIG\\setup_embedded.ini");
constexpr std::size_t kPathText = 200;

std::string Unchanged(const std::string& text) {
  return text;
}

std::string ToUtf8(const std::string& text) {
  if (text.empty()) {
    return text;
  }
  const int wide =
      ::MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring utf16(static_cast<std::size_t>(wide), L'\0');
  ::MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), &utf16[0], wide);
  const int bytes =
      ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, &utf8[0], bytes, nullptr, nullptr);
  return utf8;
}

std::string FullPath(const std::string& folder) {
  char full[MAX_PATH] = {};
  const DWORD length = ::GetFullPathNameA(folder.c_str(), MAX_PATH, full, nullptr);
  std::string path = length > 0 && length < MAX_PATH ? std::string(full) : folder;
  while (path.size() > 3 && path.back() == '\\') {
    path.pop_back();
  }
  return path;
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto options = pkgcheck::ParseOptions(argc, argv, error);
  if (!options) {
    std::fprintf(stderr, "pkgcheck: %s\n%s", error.c_str(), pkgcheck::kUsage);
    return 2;
  }
  const std::string folder = FullPath(options->folder);
  const DWORD attributes = ::GetFileAttributesA(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    std::fprintf(stderr, "pkgcheck: %s is not a folder\n", options->folder.c_str());
    return 2;
  }
  if (folder.size() + kLongestConfigPath > kPathText) {
    std::fprintf(stderr,
                 "pkgcheck: %s is too long a path: Setup.exe started there could not read its "
                 "INI files (paths of at most 199 characters); move the package\n",
                 folder.c_str());
    return 2;
  }
  platform::Win32Platform win32;
  pkgcheck::PackageFileService files(folder);
  platform::Platform& real = win32.Get();
  platform::Platform platform{real.profile,  files,        real.system,   real.user,
                              real.registry, real.spooler, real.services, real.libraries};
  pkgcheck::Win32PackageFolder package(folder);
  std::string out;
  const int code =
      pkgcheck::Run(platform, package, *options, pkgcheck::Output{Unchanged, ToUtf8}, out);
  std::fputs(out.c_str(), stdout);
  return code;
}
