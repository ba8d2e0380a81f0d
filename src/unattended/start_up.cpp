#include "unattended/start_up.h"

#include <vector>

#include "config/code_page.h"

namespace unattended {
namespace {

// Longer than any path the ANSI calls accept, so that a cut result is always noticed.
constexpr DWORD kPathCapacity = 1024;

bool MakeFull(platform::FileService& files, std::string& path) {
  if (path.empty()) {
    return true;
  }
  std::vector<char> full(kPathCapacity, '\0');
  const DWORD length = files.GetFullPathNameA(path.c_str(), kPathCapacity, full.data());
  if (length == 0 || length >= kPathCapacity) {
    return false;
  }
  path.assign(full.data(), length);
  return true;
}

}  // namespace

void ResolveRelativePaths(platform::FileService& files, CommandLine& line) {
  const struct {
    std::string& path;
    const char* name;
  } paths[] = {{line.answersPath, "/answers"}, {line.logPath, "/log"}};
  for (const auto& each : paths) {
    if (!MakeFull(files, each.path) && line.error.empty()) {
      line.error = std::string(each.name) + ":" + each.path + " is not a usable path";
    }
  }
}

bool EnterProgramFolder(platform::FileService& files, std::string& failure) {
  std::vector<char> program(kPathCapacity, '\0');
  const DWORD length = files.GetModuleFileNameA(program.data(), kPathCapacity);
  const std::string path(program.data(), length < kPathCapacity ? length : 0);
  // A backslash that is the second byte of a double-byte character separates nothing.
  const size_t slash = config::LastPathSeparator(path);
  if (slash == std::string::npos) {
    failure = "the program's own path cannot be read";
    return false;
  }
  // "C:\" keeps its backslash: "C:" alone would mean the drive's current folder.
  const std::string folder = path.substr(0, slash == 2 && path[1] == ':' ? slash + 1 : slash);
  if (files.SetCurrentDirectoryA(folder.c_str()) == FALSE) {
    failure = "the program's folder " + folder + " cannot be made the current folder";
    return false;
  }
  return true;
}

StartUp BeginRun(platform::FileService& files, const std::string& arguments) {
  StartUp start;
  start.line = ParseCommandLine(arguments);
  ResolveRelativePaths(files, start.line);
  EnterProgramFolder(files, start.state.folderFailure);
  return start;
}

}  // namespace unattended
