// The contract tests' machine access, against Windows (Wine on the bench).
#include <windows.h>
#include <winspool.h>

#include <cstdlib>
#include <string>

#include "contract_machine.h"

namespace contract {
namespace {

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\'));
}

}  // namespace

std::string FreshFolder(const std::string& name) {
  ::CreateDirectoryA("C:\\contract", nullptr);
  const std::string folder = "C:\\contract\\" + name;
  ::CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

void WriteTestFile(const std::string& path, const std::string& bytes) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return;
  }
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
}

std::string ReadTestFile(const std::string& path) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return "<missing>";
  }
  std::string bytes;
  char chunk[4096];
  DWORD read = 0;
  while (::ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read > 0) {
    bytes.append(chunk, read);
  }
  ::CloseHandle(file);
  return bytes;
}

// The build copies the package DLLs into packagedlls\ below the test program's folder.
std::string PackageDll(const std::string& fileName) {
  return ProgramFolder() + "\\packagedlls\\" + fileName;
}

std::string SpoolerEnvironment() {
#ifdef _WIN64
  return "Windows x64";
#else
  return "Windows NT x86";
#endif
}

std::string SpoolerFolder() {
#ifdef _WIN64
  return "x64";
#else
  return "w32x86";
#endif
}

std::string DefaultPrinter() {
  char name[512] = {};
  DWORD size = sizeof(name);
  return ::GetDefaultPrinterA(name, &size) ? std::string(name) : std::string();
}

bool BeginWindows98() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof(version);
  return ::GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

void EndWindows98() {}

bool WineRunsAsRoot() {
  const char* flag = std::getenv("CONTRACT_WINE_AS_ROOT");
  return flag != nullptr && std::string(flag) == "1";
}

}  // namespace contract
