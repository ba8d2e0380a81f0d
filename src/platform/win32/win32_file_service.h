// Win32 file and folder calls, one to one.
#pragma once

#include "platform/file_service.h"

namespace platform {

class Win32FileService final : public FileService {
 public:
  DWORD GetModuleFileNameA(LPSTR out, DWORD size) override {
    return ::GetModuleFileNameA(nullptr, out, size);
  }
  DWORD GetCurrentDirectoryA(DWORD size, LPSTR out) override {
    return ::GetCurrentDirectoryA(size, out);
  }
  BOOL SetCurrentDirectoryA(LPCSTR path) override { return ::SetCurrentDirectoryA(path); }
  DWORD GetFullPathNameA(LPCSTR path, DWORD size, LPSTR out) override {
    return ::GetFullPathNameA(path, size, out, nullptr);
  }
  UINT GetSystemDirectoryA(LPSTR out, UINT size) override {
    return ::GetSystemDirectoryA(out, size);
  }
  UINT GetWindowsDirectoryA(LPSTR out, UINT size) override {
    return ::GetWindowsDirectoryA(out, size);
  }
  BOOL CopyFileA(LPCSTR source, LPCSTR destination, BOOL failIfExists) override {
    return ::CopyFileA(source, destination, failIfExists);
  }
  DWORD GetFileAttributesA(LPCSTR path) override { return ::GetFileAttributesA(path); }
  BOOL SetFileAttributesA(LPCSTR path, DWORD attributes) override {
    return ::SetFileAttributesA(path, attributes);
  }
  HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD share, void* security, DWORD disposition,
                     DWORD flags, HANDLE templateFile) override {
    return ::CreateFileA(path, access, share, static_cast<LPSECURITY_ATTRIBUTES>(security),
                         disposition, flags, templateFile);
  }
  BOOL CloseHandle(HANDLE handle) override { return ::CloseHandle(handle); }
  DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh) override {
    return ::GetFileSize(file, sizeHigh);
  }
  BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, void* overlapped) override {
    return ::ReadFile(file, buffer, toRead, read, static_cast<LPOVERLAPPED>(overlapped));
  }
  BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, LPDWORD written,
                 void* overlapped) override {
    return ::WriteFile(file, buffer, toWrite, written, static_cast<LPOVERLAPPED>(overlapped));
  }
  DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method) override {
    return ::SetFilePointer(file, distance, distanceHigh, method);
  }
  BOOL DeleteFileA(LPCSTR path) override { return ::DeleteFileA(path); }
  DWORD GetShortPathNameA(LPCSTR longPath, LPSTR shortPath, DWORD size) override {
    return ::GetShortPathNameA(longPath, shortPath, size);
  }
};

}  // namespace platform
