// Seam: the program file's path, the current and the system's folders, full paths, file copies
// and deletions.
#pragma once

#include "platform/win_types.h"

namespace platform {

class FileService {
 public:
  virtual ~FileService() = default;
  // Path of the running program file; same contract as GetModuleFileNameA(NULL, ...).
  virtual DWORD GetModuleFileNameA(LPSTR out, DWORD size) = 0;
  virtual DWORD GetCurrentDirectoryA(DWORD size, LPSTR out) = 0;
  virtual BOOL SetCurrentDirectoryA(LPCSTR path) = 0;
  // A path made full against the current folder; `filePart` is not asked for.
  virtual DWORD GetFullPathNameA(LPCSTR path, DWORD size, LPSTR out) = 0;
  virtual UINT GetSystemDirectoryA(LPSTR out, UINT size) = 0;
  virtual UINT GetWindowsDirectoryA(LPSTR out, UINT size) = 0;
  virtual BOOL CopyFileA(LPCSTR source, LPCSTR destination, BOOL failIfExists) = 0;
  virtual BOOL SetFileAttributesA(LPCSTR path, DWORD attributes) = 0;
  // Only the open-existing test of a file is needed: the handle is closed at once.
  virtual HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD share, void* security,
                             DWORD disposition, DWORD flags, HANDLE templateFile) = 0;
  virtual BOOL CloseHandle(HANDLE handle) = 0;
  virtual BOOL DeleteFileA(LPCSTR path) = 0;
  // The 8.3 form of an existing path (what WININIT.INI understands on Windows 95/98/Me).
  virtual DWORD GetShortPathNameA(LPCSTR longPath, LPSTR shortPath, DWORD size) = 0;
};

}  // namespace platform
