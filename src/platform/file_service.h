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
  virtual DWORD GetFileAttributesA(LPCSTR path) = 0;
  virtual BOOL SetFileAttributesA(LPCSTR path, DWORD attributes) = 0;
  // Opens an existing file (OPEN_EXISTING) or any (OPEN_ALWAYS, which creates a missing one).
  virtual HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD share, void* security,
                             DWORD disposition, DWORD flags, HANDLE templateFile) = 0;
  // Closes a file's or a mutex's handle.
  virtual BOOL CloseHandle(HANDLE handle) = 0;
  virtual DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh) = 0;
  virtual BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read,
                        void* overlapped) = 0;
  virtual BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, LPDWORD written,
                         void* overlapped) = 0;
  virtual DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method) = 0;
  virtual BOOL DeleteFileA(LPCSTR path) = 0;
  // The 8.3 form of an existing path (what WININIT.INI understands on Windows 95/98/Me).
  virtual DWORD GetShortPathNameA(LPCSTR longPath, LPSTR shortPath, DWORD size) = 0;
};

}  // namespace platform
