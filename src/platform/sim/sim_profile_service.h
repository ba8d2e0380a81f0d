// The simulated profile reader and win.ini writer, following the Windows reader's rules:
// names matched without regard to case or surrounding blanks, values trimmed, one pair of
// surrounding quotes removed, the answer cut to the buffer size minus one.
#pragma once

#include <string>

#include "platform/profile_service.h"
#include "platform/sim/sim_file_tree.h"

namespace platform::sim {

class SimProfileService final : public ProfileService {
 public:
  // windowsDirectory resolves file names given without a full path, as Windows does.
  SimProfileService(SimFileTree& disk, const std::string& windowsDirectory)
      : disk_(disk), windowsDirectory_(windowsDirectory) {}

  DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR out,
                                 DWORD size, LPCSTR fileName) override;
  BOOL WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) override;

 private:
  std::string Resolve(const std::string& fileName) const;

  SimFileTree& disk_;
  const std::string& windowsDirectory_;
};

}  // namespace platform::sim
