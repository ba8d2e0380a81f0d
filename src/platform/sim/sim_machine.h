// A simulated Windows machine for the native build: it keeps the state Windows keeps, answers
// the seam's calls from it, and lets a test set the scene (version, files, message-box answers)
// and read what happened (the message-box journal, the virtual clock).
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/sim_file_tree.h"
#include "platform/sim/sim_profile_service.h"
#include "platform/sim/sim_registry.h"

namespace platform::sim {

struct MessageBoxRecord {
  std::string text;
  std::string caption;
  UINT type;
  int answer;
};

class SimMachine final : public FileService, public SystemService, public UserService {
 public:
  SimMachine();
  SimMachine(const SimMachine&) = delete;
  SimMachine& operator=(const SimMachine&) = delete;

  Platform& platform() { return platform_; }

  // Scene.
  SimFileTree& disk() { return disk_; }
  SimRegistry& registry() { return registry_; }
  void SetVersion(DWORD platformId, DWORD major, DWORD minor);
  void SetModuleFileName(std::string path) { moduleFileName_ = std::move(path); }
  void SetCurrentDirectory(std::string path) { currentDirectory_ = std::move(path); }
  void SetString(UINT id, std::string text) { strings_[id] = std::move(text); }
  // Answers for the next message boxes, in order; a box without a scripted answer gets IDOK
  // (or IDNO for a Yes/No box).
  void AnswerNextMessageBox(int answer) { answers_.push_back(answer); }

  // What happened.
  const std::vector<MessageBoxRecord>& messageBoxes() const { return journal_; }
  DWORD elapsedMilliseconds() const { return clock_; }
  const std::string& windowsDirectory() const { return windowsDirectory_; }

  // FileService
  DWORD GetModuleFileNameA(LPSTR out, DWORD size) override;
  DWORD GetCurrentDirectoryA(DWORD size, LPSTR out) override;
  UINT GetSystemDirectoryA(LPSTR out, UINT size) override;
  UINT GetWindowsDirectoryA(LPSTR out, UINT size) override;

  // SystemService
  BOOL GetVersionExA(OSVERSIONINFOA* info) override;
  void Sleep(DWORD milliseconds) override { clock_ += milliseconds; }
  DWORD GetLastError() override { return lastError_; }

  // UserService
  int MessageBoxA(LPCSTR text, LPCSTR caption, UINT type) override;
  int LoadStringA(UINT id, LPSTR out, int size) override;

 private:
  SimFileTree disk_;
  std::string windowsDirectory_ = "C:\\WINDOWS";
  std::string systemDirectory_ = "C:\\WINDOWS\\system32";
  std::string moduleFileName_ = "C:\\PACKAGE\\Setup.exe";
  std::string currentDirectory_ = "C:\\PACKAGE";
  OSVERSIONINFOA version_{};
  DWORD lastError_ = 0;
  DWORD clock_ = 0;
  std::map<UINT, std::string> strings_;
  std::deque<int> answers_;
  std::vector<MessageBoxRecord> journal_;
  SimProfileService profile_{disk_, windowsDirectory_};
  SimRegistry registry_;
  Platform platform_{profile_, *this, *this, *this, registry_};
};

}  // namespace platform::sim
