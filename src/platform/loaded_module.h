// LoadedModule: a library loaded at run time through the seam, freed when the object goes (or
// earlier with Free), so that every path out of an operation unloads what it loaded.
#pragma once

#include "platform/library_service.h"

namespace platform {

class LoadedModule {
 public:
  LoadedModule(LibraryService& libraries, LPCSTR name)
      : libraries_(libraries), module_(libraries.LoadLibraryA(name)) {}
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;
  ~LoadedModule() { Free(); }

  bool loaded() const { return module_ != nullptr; }
  // The export as a function of its declared type; null when the library lacks it.
  template <typename Function>
  Function Find(LPCSTR name) const {
    return LookUp<Function>(libraries_, module_, name);
  }
  void Free() {
    if (module_ != nullptr) {
      libraries_.FreeLibrary(module_);
      module_ = nullptr;
    }
  }

 private:
  LibraryService& libraries_;
  HMODULE module_;
};

}  // namespace platform
