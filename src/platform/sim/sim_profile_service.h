// The simulated profile reader and win.ini writer. It answers byte for byte as Windows does for
// an ANSI INI file and an ANSI call (see ini_document.h for how a file is read):
// - a value loses one pair of surrounding quotes ("..." or '...'), then is cut to size - 1
//   bytes, even inside a double-byte character, and terminated;
// - a missing file, section or key gives the default: trailing spaces are cut off by a NUL
//   written over the first of them (the spaces stay in the buffer behind it), one pair of
//   surrounding quotes is removed, and it is cut to size - 1 bytes like a value;
// - nothing is written past the terminator otherwise, and never past size bytes; size 0
//   writes nothing;
// - a NULL section lists the section names, a NULL key the section's entry names (the default
//   when there are none), each name terminated and the list ended by one more NUL; a list too
//   long is cut to size - 2 bytes followed by two NULs, and size - 2 is returned. A section
//   list that fills the buffer but for the list's own last NUL is the one answer that depends
//   on the version (test_profile_sections_names in Wine's kernel32/tests/profile.c): Windows NT
//   4, 2000 and XP leave that last byte unwritten, as Wine does; Server 2003 writes the second
//   NUL there. No test records Windows 95/98/Me; the simulation gives them the two NULs;
// - a section read whole gives its lines as a list in the same way (test_profile_sections).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/profile_service.h"
#include "platform/sim/ini_document.h"
#include "platform/sim/sim_file_tree.h"

namespace platform::sim {

class SimProfileService final : public ProfileService {
 public:
  // windowsDirectory holds bare file names (and win.ini), as on Windows; version is the
  // running system's.
  // lastError is the machine's thread error, which the section calls set; a reader on its own
  // keeps one of its own.
  SimProfileService(SimFileTree& disk, const std::string& windowsDirectory,
                    const OSVERSIONINFOA& version, DWORD& lastError)
      : disk_(disk),
        windowsDirectory_(windowsDirectory),
        version_(version),
        lastError_(lastError) {}
  SimProfileService(SimFileTree& disk, const std::string& windowsDirectory,
                    const OSVERSIONINFOA& version)
      : SimProfileService(disk, windowsDirectory, version, ownLastError_) {}

  DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR out,
                                 DWORD size, LPCSTR fileName) override;
  BOOL WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) override;
  DWORD GetPrivateProfileSectionA(LPCSTR section, LPSTR out, DWORD size, LPCSTR fileName) override;
  BOOL WritePrivateProfileSectionA(LPCSTR section, LPCSTR lines, LPCSTR fileName) override;

  // The file as this reader reads it (an empty document when it is missing): parsed again only
  // when the file has been written since, so that the thousands of reads of a package check
  // cost one parse per file, and a tool that reads the same file answers from the same parse.
  std::shared_ptr<const IniDocument> Document(const std::string& path);

 private:
  std::string Resolve(const std::string& fileName) const;

  // Whether an exactly filled section list keeps its last byte unwritten (NT 4 to XP).
  bool LeavesLastByteOfExactSectionList() const;

  struct Parsed {
    std::uint64_t revision = 0;
    std::shared_ptr<const IniDocument> document;
  };
  std::map<std::string, Parsed> parsed_;  // by SimFileTree::Key of the path
  // The last path asked for as given, and the disk's revision then: while no file has been
  // written since, the same path needs no lookup.
  std::string lastPath_;
  std::uint64_t lastDiskRevision_ = 0;
  std::shared_ptr<const IniDocument> lastDocument_;
  SimFileTree& disk_;
  const std::string& windowsDirectory_;
  const OSVERSIONINFOA& version_;
  DWORD ownLastError_ = 0;
  DWORD& lastError_;
};

}  // namespace platform::sim
