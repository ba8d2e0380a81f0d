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
#include "platform/sim/sim_libraries.h"
#include "platform/sim/sim_profile_service.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_services.h"
#include "platform/sim/sim_spooler.h"

namespace platform::sim {

struct MessageBoxRecord {
  std::string text;
  std::string caption;
  UINT type;
  int answer;
};

// One setting-change broadcast.
struct BroadcastRecord {
  bool notify;  // SendNotifyMessageA rather than SendMessageTimeoutA
  UINT message;
  WPARAM wParam;
  bool hasSection;  // lParam named a section
  std::string section;
  UINT timeout;
  DWORD atMilliseconds;  // on the virtual clock
};

class SimMachine final : public FileService, public SystemService, public UserService {
 public:
  SimMachine();
  ~SimMachine() override;
  SimMachine(const SimMachine&) = delete;
  SimMachine& operator=(const SimMachine&) = delete;

  Platform& platform() { return platform_; }
  // The machine created last and still alive, for simulated library functions, which Windows
  // calls without any context.
  static SimMachine& Active();

  // Scene.
  SimFileTree& disk() { return disk_; }
  SimProfileService& profile() { return profile_; }
  SimRegistry& registry() { return registry_; }
  SimSpooler& spooler() { return spooler_; }
  SimServices& services() { return services_; }
  SimLibraries& libraries() { return libraries_; }
  // productType: VER_NT_WORKSTATION, VER_NT_SERVER or VER_NT_DOMAIN_CONTROLLER.
  void SetVersion(DWORD platformId, DWORD major, DWORD minor,
                  BYTE productType = VER_NT_WORKSTATION);
  // The program runs as a 32-bit process on 64-bit Windows (WOW64).
  void SetWow64(bool wow64) { wow64_ = wow64; }
  bool wow64() const { return wow64_; }
  void SetModuleFileName(std::string path) { moduleFileName_ = std::move(path); }
  void SetCurrentDirectory(std::string path) { currentDirectory_ = std::move(path); }
  const std::string& currentDirectory() const { return currentDirectory_; }
  // The next SetCurrentDirectoryA calls fail with `error` (a network path the system refuses);
  // 0 lets them succeed again.
  void FailSetCurrentDirectory(DWORD error) { setCurrentDirectoryError_ = error; }
  // Moves the Windows folder, and with it the system and spooler folders below it.
  void SetWindowsDirectory(std::string path);
  void SetString(UINT id, std::string text) { strings_[id] = std::move(text); }
  // Answers for the next message boxes, in order; a box without a scripted answer gets IDOK
  // (or IDNO for a Yes/No box).
  void AnswerNextMessageBox(int answer) { answers_.push_back(answer); }

  // What happened.
  const std::vector<MessageBoxRecord>& messageBoxes() const { return journal_; }
  DWORD elapsedMilliseconds() const { return clock_; }
  const std::string& windowsDirectory() const { return windowsDirectory_; }
  const std::string& systemDirectory() const { return systemDirectory_; }
  const std::vector<BroadcastRecord>& broadcasts() const { return broadcasts_; }
  int restartRequests() const { return restartRequests_; }
  // The machine restarts: files whose deletion or move was left to the restart are dealt with
  // (the NT family's PendingFileRenameOperations, Windows 95/98/Me's WININIT.INI [rename]), and
  // the spooler lets go of what it kept loaded.
  void Restart();
  void FailRestart(DWORD error) { restartError_ = error; }
  // Every later GetShortPathNameA fails with `error` (0: works again).
  void FailShortPathNames(DWORD error) { shortPathError_ = error; }
  size_t openFileHandles() const { return fileHandles_.size(); }
  size_t openMutexHandles() const { return mutexHandles_.size(); }
  // Another process holds the named mutex (as a second program would).
  void HoldMutexElsewhere(const std::string& name);

  bool IsWindows9x() const { return version_.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS; }
  bool IsNt4() const {
    return version_.dwPlatformId == VER_PLATFORM_WIN32_NT && version_.dwMajorVersion == 4;
  }
  bool IsWindows2000() const {
    return version_.dwPlatformId == VER_PLATFORM_WIN32_NT && version_.dwMajorVersion == 5 &&
           version_.dwMinorVersion == 0;
  }
  // NT 4 before SP6 and Windows 95/98/Me know only the plain version structure.
  bool KnowsExtendedVersion() const {
    return version_.dwPlatformId == VER_PLATFORM_WIN32_NT && version_.dwMajorVersion >= 5;
  }
  // kernel32.dll exports IsWow64Process from XP on.
  bool HasIsWow64Process() const {
    return version_.dwPlatformId == VER_PLATFORM_WIN32_NT &&
           (version_.dwMajorVersion > 5 ||
            (version_.dwMajorVersion == 5 && version_.dwMinorVersion >= 1));
  }
  bool IsNt5OrLater() const {
    return version_.dwPlatformId == VER_PLATFORM_WIN32_NT && version_.dwMajorVersion >= 5;
  }
  bool IsServer2003OrLater() const {
    return version_.dwPlatformId == VER_PLATFORM_WIN32_NT &&
           (version_.dwMajorVersion > 5 ||
            (version_.dwMajorVersion == 5 && version_.dwMinorVersion >= 2));
  }
  // Windows 95, 98 and Me have no spooler service: their spooler always runs.
  bool SpoolerRunning() const { return IsWindows9x() || services_.spoolerRunning(); }

  // FileService
  DWORD GetModuleFileNameA(LPSTR out, DWORD size) override;
  DWORD GetCurrentDirectoryA(DWORD size, LPSTR out) override;
  BOOL SetCurrentDirectoryA(LPCSTR path) override;
  DWORD GetFullPathNameA(LPCSTR path, DWORD size, LPSTR out) override;
  UINT GetSystemDirectoryA(LPSTR out, UINT size) override;
  UINT GetWindowsDirectoryA(LPSTR out, UINT size) override;
  BOOL CopyFileA(LPCSTR source, LPCSTR destination, BOOL failIfExists) override;
  DWORD GetFileAttributesA(LPCSTR path) override;
  BOOL SetFileAttributesA(LPCSTR path, DWORD attributes) override;
  HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD share, void* security, DWORD disposition,
                     DWORD flags, HANDLE templateFile) override;
  BOOL CloseHandle(HANDLE handle) override;
  DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh) override;
  BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, void* overlapped) override;
  BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, LPDWORD written,
                 void* overlapped) override;
  DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method) override;
  BOOL DeleteFileA(LPCSTR path) override;
  DWORD GetShortPathNameA(LPCSTR longPath, LPSTR shortPath, DWORD size) override;

  // The simulated kernel32.dll's "MoveFileExA".
  BOOL MoveFileEx(LPCSTR existing, LPCSTR newName, DWORD flags);

  // SystemService
  BOOL GetVersionExA(OSVERSIONINFOA* info) override;
  BOOL GetVersionExA(OSVERSIONINFOEXA* info) override;
  HANDLE GetCurrentProcess() override { return kCurrentProcess; }
  // The pseudo handle GetCurrentProcess gives.
  static inline HANDLE const kCurrentProcess =
      reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));
  void Sleep(DWORD milliseconds) override { clock_ += milliseconds; }
  DWORD GetLastError() override { return lastError_; }
  void SetLastError(DWORD error) override { lastError_ = error; }
  HANDLE CreateMutexA(void* security, BOOL initialOwner, LPCSTR name) override;
  BOOL ExitWindowsEx(UINT flags, DWORD reason) override;
  LRESULT SendMessageTimeoutA(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags,
                              UINT timeout, PDWORD_PTR result) override;
  BOOL SendNotifyMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  // UserService
  int MessageBoxA(LPCSTR text, LPCSTR caption, UINT type) override;
  int LoadStringA(UINT id, LPSTR out, int size) override;

 private:
  SimFileTree disk_;
  std::string windowsDirectory_ = "C:\\WINDOWS";
  std::string systemDirectory_ = "C:\\WINDOWS\\system32";
  std::string moduleFileName_ = "C:\\PACKAGE\\Setup.exe";
  std::string currentDirectory_ = "C:\\PACKAGE";
  DWORD setCurrentDirectoryError_ = 0;
  OSVERSIONINFOA version_{};
  BYTE productType_ = VER_NT_WORKSTATION;
  bool wow64_ = false;
  DWORD lastError_ = 0;
  DWORD clock_ = 0;
  std::map<UINT, std::string> strings_;
  std::deque<int> answers_;
  std::vector<MessageBoxRecord> journal_;
  std::vector<BroadcastRecord> broadcasts_;
  int restartRequests_ = 0;
  DWORD restartError_ = 0;
  DWORD shortPathError_ = 0;
  // An open file: what it was opened for, and what it lets others do meanwhile.
  struct OpenFile {
    std::string key;  // SimFileTree::Key of its path
    DWORD access;
    DWORD share;
    std::string path;
    size_t position = 0;
  };
  // The open file of a handle, or null with ERROR_INVALID_HANDLE.
  OpenFile* FileOf(HANDLE handle);
  // ERROR_SHARING_VIOLATION when an open of `path` for `access`, sharing `share`, collides with
  // a file handle already open; 0 when it does not.
  DWORD SharingConflict(const std::string& path, DWORD access, DWORD share) const;

  // ERROR_FILE_NOT_FOUND for a missing file in a folder that exists, else ERROR_PATH_NOT_FOUND.
  DWORD MissingFileError(const std::string& path) const;
  // A path written with the 8.3 names GetShortPathNameA made, as the long path they stand for.
  std::string LongPath(const std::string& path) const;
  void ApplyPendingRenames();
  void ApplyWininit();
  // Moves a file (deletes it when `to` is empty), as a restart does.
  void MoveAtRestart(const std::string& from, const std::string& to);

  std::map<std::uintptr_t, OpenFile> fileHandles_;
  // Named mutexes: how many handles (of any process) keep each alive, by upper-case name.
  std::map<std::string, int> mutexHolders_;
  std::map<std::uintptr_t, std::string> mutexHandles_;
  // Short names handed out: key of the folder + "\" + upper-case short name -> long name.
  std::map<std::string, std::string> shortNames_;
  std::uintptr_t nextFileHandle_ = 0x9000;
  SimProfileService profile_{disk_, windowsDirectory_, version_, lastError_};
  SimRegistry registry_;
  SimSpooler spooler_{*this};
  SimServices services_{*this};
  SimLibraries libraries_{*this};
  Platform platform_{profile_, *this, *this, *this, registry_, spooler_, services_, libraries_};
};

}  // namespace platform::sim
