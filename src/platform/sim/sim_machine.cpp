#include "platform/sim/sim_machine.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/name_case.h"
#include "resources/message_table.h"

namespace platform::sim {
namespace {

// The path cut to size - 1 and terminated, its length returned.
DWORD CopyPath(const std::string& path, LPSTR out, DWORD size) {
  if (size == 0) {
    return 0;
  }
  const size_t count = std::min<size_t>(path.size(), size - 1);
  std::memcpy(out, path.data(), count);
  out[count] = '\0';
  return static_cast<DWORD>(count);
}

// The directory queries' contract: the length needed (terminator included) when the buffer is
// too small, else the path and its length.
DWORD CopyDirectory(const std::string& path, LPSTR out, DWORD size) {
  if (path.size() + 1 > size) {
    return static_cast<DWORD>(path.size() + 1);
  }
  std::memcpy(out, path.c_str(), path.size() + 1);
  return static_cast<DWORD>(path.size());
}

SimMachine* activeMachine = nullptr;

}  // namespace

SimMachine& SimMachine::Active() {
  return *activeMachine;
}

SimMachine::SimMachine() {
  activeMachine = this;
  SetVersion(VER_PLATFORM_WIN32_NT, 5, 1);
  for (const messages::MessageText& message : messages::kMessageTable) {
    strings_[message.id] = message.chinese;
    strings_[message.id + ENGLISH_RESOURCE_OFFSET] = message.english;
  }
  disk_.MakeDirectory(currentDirectory_);
}

SimMachine::~SimMachine() {
  if (activeMachine == this) {
    activeMachine = nullptr;
  }
}

void SimMachine::SetVersion(DWORD platformId, DWORD major, DWORD minor, BYTE productType) {
  productType_ = productType;
  version_ = OSVERSIONINFOA{};
  version_.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
  version_.dwPlatformId = platformId;
  version_.dwMajorVersion = major;
  version_.dwMinorVersion = minor;
  // Windows 95, 98 and Me keep system files in SYSTEM, the NT family in system32; the spooler's
  // folders exist from the start (the version-3 driver folder only on 2000 and later).
  systemDirectory_ = windowsDirectory_ + (IsWindows9x() ? "\\SYSTEM" : "\\system32");
  disk_.MakeDirectory(systemDirectory_);
  disk_.MakeDirectory(spooler_.DriverDirectory());
  disk_.MakeDirectory(spooler_.ProcessorDirectory());
  if (IsNt5OrLater()) {
    disk_.MakeDirectory(spooler_.DriverDirectory() + "\\3");
  }
}

void SimMachine::SetWindowsDirectory(std::string path) {
  windowsDirectory_ = std::move(path);
  SetVersion(version_.dwPlatformId, version_.dwMajorVersion, version_.dwMinorVersion, productType_);
}

// The answers test_CopyFileA in Wine's kernel32/tests/file.c records: a null path is
// ERROR_PATH_NOT_FOUND; the source is opened before the destination; a file copied onto itself
// is a sharing violation (ERROR_FILE_EXISTS on Windows 95/98/Me); a destination another
// program holds open refuses the copy as its sharing mode says, and on Windows 95/98/Me
// whenever it is held open at all. That a read-only destination is refused (5) is an
// assumption no test records.
BOOL SimMachine::CopyFileA(LPCSTR source, LPCSTR destination, BOOL failIfExists) {
  if (source == nullptr || destination == nullptr) {
    lastError_ = ERROR_PATH_NOT_FOUND;
    return FALSE;
  }
  const auto bytes = disk_.ReadFile(source);
  if (!bytes) {
    lastError_ = ERROR_FILE_NOT_FOUND;
    return FALSE;
  }
  if (SimFileTree::Key(source) == SimFileTree::Key(destination)) {
    lastError_ = IsWindows9x() ? ERROR_FILE_EXISTS : ERROR_SHARING_VIOLATION;
    return FALSE;
  }
  // The copy reads the source and writes the destination, sharing both with other openers.
  if (const DWORD conflict =
          SharingConflict(source, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE)) {
    lastError_ = conflict;
    return FALSE;
  }
  if (!disk_.DirectoryExists(SimFileTree::Parent(destination))) {
    lastError_ = ERROR_PATH_NOT_FOUND;
    return FALSE;
  }
  if (disk_.Exists(destination)) {
    if (failIfExists) {
      lastError_ = ERROR_FILE_EXISTS;
      return FALSE;
    }
    if (const DWORD lock = disk_.LockError(destination)) {
      lastError_ = lock;
      return FALSE;
    }
    // Windows 95/98/Me let no copy replace a file that is open (only its broken() answers
    // record them).
    const DWORD share = IsWindows9x() ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE;
    if (const DWORD conflict = SharingConflict(destination, GENERIC_WRITE, share)) {
      lastError_ = conflict;
      return FALSE;
    }
    if (spooler_.HoldsFile(destination)) {
      lastError_ = ERROR_SHARING_VIOLATION;
      return FALSE;
    }
    if ((disk_.Attributes(destination) & FILE_ATTRIBUTE_READONLY) != 0) {
      lastError_ = ERROR_ACCESS_DENIED;
      return FALSE;
    }
  }
  const DWORD attributes = disk_.Attributes(source) | FILE_ATTRIBUTE_ARCHIVE;
  disk_.WriteFile(destination, *bytes);
  disk_.SetAttributes(destination, attributes);
  return TRUE;
}

DWORD SimMachine::MissingFileError(const std::string& path) const {
  return disk_.DirectoryExists(SimFileTree::Parent(path)) ? ERROR_FILE_NOT_FOUND
                                                          : ERROR_PATH_NOT_FOUND;
}

// test_GetFileAttributesA in Wine's kernel32/tests/file.c: a missing file gives
// INVALID_FILE_ATTRIBUTES with ERROR_FILE_NOT_FOUND (ERROR_PATH_NOT_FOUND for a missing folder);
// a folder reports FILE_ATTRIBUTE_DIRECTORY; a file without attributes reports
// FILE_ATTRIBUTE_NORMAL.
DWORD SimMachine::GetFileAttributesA(LPCSTR path) {
  if (path == nullptr || *path == '\0') {
    lastError_ = ERROR_PATH_NOT_FOUND;
    return INVALID_FILE_ATTRIBUTES;
  }
  if (disk_.DirectoryExists(path)) {
    return FILE_ATTRIBUTE_DIRECTORY;
  }
  if (!disk_.Exists(path)) {
    lastError_ = MissingFileError(path);
    return INVALID_FILE_ATTRIBUTES;
  }
  const DWORD attributes = disk_.Attributes(path);
  return attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
}

BOOL SimMachine::SetFileAttributesA(LPCSTR path, DWORD attributes) {
  if (path == nullptr) {
    lastError_ = ERROR_INVALID_PARAMETER;
    return FALSE;
  }
  if (!disk_.SetAttributes(path, attributes)) {
    lastError_ = MissingFileError(path);
    return FALSE;
  }
  return TRUE;
}

DWORD SimMachine::SharingConflict(const std::string& path, DWORD access, DWORD share) const {
  constexpr DWORD kData = GENERIC_READ | GENERIC_WRITE;
  const std::string key = SimFileTree::Key(path);
  for (const auto& [id, open] : fileHandles_) {
    // An open that asks for no data access (the open-existing test) collides with nobody.
    if (open.key != key || (open.access & kData) == 0 || (access & kData) == 0) {
      continue;
    }
    const bool refused = ((access & GENERIC_READ) != 0 && (open.share & FILE_SHARE_READ) == 0) ||
                         ((access & GENERIC_WRITE) != 0 && (open.share & FILE_SHARE_WRITE) == 0) ||
                         ((open.access & GENERIC_READ) != 0 && (share & FILE_SHARE_READ) == 0) ||
                         ((open.access & GENERIC_WRITE) != 0 && (share & FILE_SHARE_WRITE) == 0);
    if (refused) {
      return ERROR_SHARING_VIOLATION;
    }
  }
  return 0;
}

// test_CreateFileA in Wine's kernel32/tests/file.c: OPEN_ALWAYS creates a missing file and,
// for an existing one, succeeds with ERROR_ALREADY_EXISTS; a missing folder is
// ERROR_PATH_NOT_FOUND; writing to a read-only file is refused with ERROR_ACCESS_DENIED.
HANDLE SimMachine::CreateFileA(LPCSTR path, DWORD access, DWORD share, void* /*security*/,
                               DWORD disposition, DWORD /*flags*/, HANDLE /*templateFile*/) {
  if (path == nullptr || (disposition != OPEN_EXISTING && disposition != OPEN_ALWAYS)) {
    lastError_ = ERROR_INVALID_PARAMETER;
    return INVALID_HANDLE_VALUE;
  }
  const bool exists = disk_.Exists(path);
  if (!exists &&
      (disposition == OPEN_EXISTING || !disk_.DirectoryExists(SimFileTree::Parent(path)))) {
    lastError_ = MissingFileError(path);
    return INVALID_HANDLE_VALUE;
  }
  if (exists && (access & GENERIC_WRITE) != 0 &&
      (disk_.Attributes(path) & FILE_ATTRIBUTE_READONLY) != 0) {
    lastError_ = ERROR_ACCESS_DENIED;
    return INVALID_HANDLE_VALUE;
  }
  if (const DWORD conflict = SharingConflict(path, access, share)) {
    lastError_ = conflict;
    return INVALID_HANDLE_VALUE;
  }
  if (!exists) {
    disk_.WriteFile(path, std::string());
  }
  const std::uintptr_t id = nextFileHandle_;
  nextFileHandle_ += 4;
  fileHandles_[id] = OpenFile{SimFileTree::Key(path), access, share, path, 0};
  lastError_ = exists && disposition == OPEN_ALWAYS ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS;
  return reinterpret_cast<HANDLE>(id);
}

SimMachine::OpenFile* SimMachine::FileOf(HANDLE handle) {
  const auto it = fileHandles_.find(reinterpret_cast<std::uintptr_t>(handle));
  if (it == fileHandles_.end()) {
    lastError_ = ERROR_INVALID_HANDLE;
    return nullptr;
  }
  return &it->second;
}

DWORD SimMachine::GetFileSize(HANDLE file, LPDWORD sizeHigh) {
  OpenFile* open = FileOf(file);
  if (open == nullptr) {
    return INVALID_FILE_SIZE;
  }
  if (sizeHigh != nullptr) {
    *sizeHigh = 0;
  }
  return static_cast<DWORD>(disk_.ReadFile(open->path).value_or(std::string()).size());
}

// ReadFile and WriteFile need a handle opened for reading or writing (ERROR_ACCESS_DENIED
// otherwise, as test_ReadFile and test_WriteFile in Wine's kernel32/tests/file.c record); a
// read at the end gives 0 bytes and succeeds.
BOOL SimMachine::ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read,
                          void* /*overlapped*/) {
  OpenFile* open = FileOf(file);
  if (open == nullptr) {
    return FALSE;
  }
  if ((open->access & GENERIC_READ) == 0) {
    lastError_ = ERROR_ACCESS_DENIED;
    return FALSE;
  }
  const std::string bytes = disk_.ReadFile(open->path).value_or(std::string());
  const size_t count =
      open->position >= bytes.size() ? 0 : std::min<size_t>(toRead, bytes.size() - open->position);
  std::memcpy(buffer, bytes.data() + open->position, count);
  open->position += count;
  if (read != nullptr) {
    *read = static_cast<DWORD>(count);
  }
  return TRUE;
}

BOOL SimMachine::WriteFile(HANDLE file, const void* buffer, DWORD toWrite, LPDWORD written,
                           void* /*overlapped*/) {
  OpenFile* open = FileOf(file);
  if (open == nullptr) {
    return FALSE;
  }
  if ((open->access & GENERIC_WRITE) == 0) {
    lastError_ = ERROR_ACCESS_DENIED;
    return FALSE;
  }
  std::string bytes = disk_.ReadFile(open->path).value_or(std::string());
  if (bytes.size() < open->position) {
    bytes.resize(open->position, '\0');
  }
  bytes.replace(open->position, std::min<size_t>(toWrite, bytes.size() - open->position),
                static_cast<const char*>(buffer), toWrite);
  disk_.WriteFile(open->path, bytes);
  open->position += toWrite;
  if (written != nullptr) {
    *written = toWrite;
  }
  return TRUE;
}

DWORD SimMachine::SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method) {
  OpenFile* open = FileOf(file);
  if (open == nullptr) {
    return INVALID_SET_FILE_POINTER;
  }
  const auto size =
      static_cast<std::int64_t>(disk_.ReadFile(open->path).value_or(std::string()).size());
  const std::int64_t base = method == FILE_BEGIN     ? 0
                            : method == FILE_CURRENT ? static_cast<std::int64_t>(open->position)
                                                     : size;
  const std::int64_t target = base + distance;
  if (target < 0) {
    lastError_ = ERROR_NEGATIVE_SEEK;
    return INVALID_SET_FILE_POINTER;
  }
  open->position = static_cast<size_t>(target);
  if (distanceHigh != nullptr) {
    *distanceHigh = 0;
  }
  return static_cast<DWORD>(target);
}

void SimMachine::HoldMutexElsewhere(const std::string& name) {
  ++mutexHolders_[UpperCase(name)];
}

// test_mutex in Wine's kernel32/tests/sync.c: creating a mutex whose name exists opens it and
// sets ERROR_ALREADY_EXISTS; a new one clears the last error. Kernel object names compare
// without regard to case (an assumption for the ANSI call: the test names only one spelling).
HANDLE SimMachine::CreateMutexA(void* /*security*/, BOOL /*initialOwner*/, LPCSTR name) {
  const std::string key = name == nullptr ? std::string() : UpperCase(name);
  const bool exists = !key.empty() && mutexHolders_[key] > 0;
  if (!key.empty()) {
    ++mutexHolders_[key];
  }
  const std::uintptr_t id = nextFileHandle_;
  nextFileHandle_ += 4;
  mutexHandles_[id] = key;
  lastError_ = exists ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS;
  return reinterpret_cast<HANDLE>(id);
}

BOOL SimMachine::CloseHandle(HANDLE handle) {
  const auto mutex = mutexHandles_.find(reinterpret_cast<std::uintptr_t>(handle));
  if (mutex != mutexHandles_.end()) {
    if (!mutex->second.empty()) {
      --mutexHolders_[mutex->second];
    }
    mutexHandles_.erase(mutex);
    return TRUE;
  }
  if (fileHandles_.erase(reinterpret_cast<std::uintptr_t>(handle)) == 0) {
    lastError_ = ERROR_INVALID_HANDLE;
    return FALSE;
  }
  return TRUE;
}

BOOL SimMachine::ExitWindowsEx(UINT /*flags*/, DWORD /*reason*/) {
  ++restartRequests_;
  if (restartError_ != 0) {
    lastError_ = restartError_;
    return FALSE;
  }
  return TRUE;
}

LRESULT SimMachine::SendMessageTimeoutA(HWND /*window*/, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT /*flags*/, UINT timeout, PDWORD_PTR result) {
  const bool hasSection = lParam != 0;
  broadcasts_.push_back(BroadcastRecord{
      false, message, wParam, hasSection,
      hasSection ? std::string(reinterpret_cast<const char*>(lParam)) : std::string(), timeout,
      clock_});
  if (result != nullptr) {
    *result = 0;
  }
  return 1;
}

BOOL SimMachine::SendNotifyMessageA(HWND /*window*/, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool hasSection = lParam != 0;
  broadcasts_.push_back(BroadcastRecord{
      true, message, wParam, hasSection,
      hasSection ? std::string(reinterpret_cast<const char*>(lParam)) : std::string(), 0, clock_});
  return TRUE;
}

// testGetModuleFileName in Wine's kernel32/tests/module.c: into a buffer too small the NT
// family answers size, Windows 95/98/Me size - 1. Which bytes it writes is not recorded: the
// simulation gives the NT family size bytes of the path without a terminator, as the length
// says, and Windows 95/98/Me size - 1 bytes and a terminator.
DWORD SimMachine::GetModuleFileNameA(LPSTR out, DWORD size) {
  if (IsWindows9x() || moduleFileName_.size() < size) {
    return CopyPath(moduleFileName_, out, size);
  }
  std::memcpy(out, moduleFileName_.data(), size);
  return size;
}

DWORD SimMachine::GetCurrentDirectoryA(DWORD size, LPSTR out) {
  return CopyDirectory(currentDirectory_, out, size);
}

UINT SimMachine::GetSystemDirectoryA(LPSTR out, UINT size) {
  return CopyDirectory(systemDirectory_, out, size);
}

UINT SimMachine::GetWindowsDirectoryA(LPSTR out, UINT size) {
  return CopyDirectory(windowsDirectory_, out, size);
}

// The seam's Windows side fills in the structure's size before it asks (win32_system_service.h),
// so the refusal of a wrong size that test_GetVersionEx records never reaches the program.
BOOL SimMachine::GetVersionExA(OSVERSIONINFOA* info) {
  *info = version_;
  return TRUE;
}

// As Windows answers: the plain size fills the plain fields only; the extended size is refused
// with ERROR_INSUFFICIENT_BUFFER where the system does not know it, as is any other size.
BOOL SimMachine::GetVersionExA(OSVERSIONINFOEXA* info) {
  const DWORD size = info->dwOSVersionInfoSize;
  const bool extended = size == sizeof(OSVERSIONINFOEXA) && KnowsExtendedVersion();
  if (size != sizeof(OSVERSIONINFOA) && !extended) {
    lastError_ = ERROR_INSUFFICIENT_BUFFER;
    return FALSE;
  }
  std::memcpy(info, &version_, sizeof(OSVERSIONINFOA));
  info->dwOSVersionInfoSize = size;
  if (extended) {
    info->wProductType = productType_;
  }
  return TRUE;
}

int SimMachine::MessageBoxA(LPCSTR text, LPCSTR caption, UINT type) {
  int answer = ((type & 0xF) == MB_YESNO) ? IDNO : IDOK;
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  journal_.push_back(MessageBoxRecord{text == nullptr ? "" : text,
                                      caption == nullptr ? "" : caption, type, answer});
  return answer;
}

int SimMachine::LoadStringA(UINT id, LPSTR out, int size) {
  if (out == nullptr || size <= 0) {
    return 0;
  }
  const auto it = strings_.find(id);
  const std::string text = it == strings_.end() ? std::string() : it->second;
  return static_cast<int>(CopyPath(text, out, static_cast<DWORD>(size)));
}

}  // namespace platform::sim
