// The universal-driver dependent-file list of a driver record: a multi-string (each entry
// terminated, the list closed by one more terminator, and a further one after it).
#pragma once

#include <cstddef>

namespace config {

// Entries in order: the data file, "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD", then the OEM
// plug-in DLL and INI unless their value begins with "0". An empty value adds no entry: an empty
// entry would end the list early and hide the entries after it. An entry that does not fit
// with the closing terminators is left out, and so are the ones after it; false then.
bool BuildUnidrvDependents(const char* dataFile, const char* oemDll, const char* oemIni, char* list,
                           std::size_t size);

}  // namespace config
