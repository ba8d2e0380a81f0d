// LoadedModule: a library loaded at run time through the seam, freed when the object goes, so
// that every path out of an operation unloads what it loaded.
#pragma once

#include "platform/library_service.h"

namespace ports {

class LoadedModule {
 public:
  LoadedModule(platform::LibraryService& libraries, const char* name)
      : libraries_(libraries), module_(libraries.LoadLibraryA(name)) {}
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;
  ~LoadedModule() {
    if (module_ != nullptr) {
      libraries_.FreeLibrary(module_);
    }
  }

  bool loaded() const { return module_ != nullptr; }
  // The export as a function of its declared type; null when the library lacks it.
  template <typename Function>
  Function Find(const char* name) const {
    return platform::LookUp<Function>(libraries_, module_, name);
  }

 private:
  platform::LibraryService& libraries_;
  HMODULE module_;
};

}  // namespace ports
