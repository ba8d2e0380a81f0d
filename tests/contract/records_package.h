// Puts the package's DRVCONFIG files where the program file's folder is, for records_dump.
#pragma once

namespace contract {

// Native build: copies hostFolder/DRVCONFIG/*.ini into the simulated disk beside the simulated
// program file. Windows build: nothing to do (the program runs from the package folder).
bool LoadPackage(const char* hostFolder);

}  // namespace contract
