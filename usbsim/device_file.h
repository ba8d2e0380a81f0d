// KsUsbInt.ini beside the library: the attached printers it reports, read afresh on every call
// so that a test or the demo can change them between runs, and the journal of the writes the
// printers received. Format in README.md.
#pragma once

#include <windows.h>

#include <string>

namespace usbsim {

class DeviceFile {
 public:
  // The file beside the module (the library itself).
  explicit DeviceFile(HMODULE module);

  // Printers attached, 0 to 8 (no file, or Count=0: none).
  int Count() const;
  // The identity of the printer at index 0 to Count() - 1.
  WORD Identity(int index) const;
  void SetIdentity(int index, WORD identity) const;
  bool DescriptorFails() const;
  bool WriteFails() const;
  // Appends "[Writes] Write<N>=<index>:<bytes in hex>" and raises Count to N.
  void RecordWrite(int index, const BYTE* data, int length) const;

 private:
  int ReadInt(const char* section, const char* key) const;
  void WriteText(const char* section, const char* key, const std::string& value) const;

  std::string path_;
};

}  // namespace usbsim
