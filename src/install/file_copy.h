// One file an installation copies from the package folder of the target system.
#pragma once

namespace install {

struct FileCopy {
  const char* name;  // a bare file name
  int destination;   // kDriverDir and its siblings (driver_file.h)
  // The driver-section key that names the file, without its STD or GDI; "" for a name the
  // installer knows itself.
  const char* key;
};

}  // namespace install
