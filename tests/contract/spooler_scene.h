// Steps the spooler contract tests share: placing the package's DLLs where the spooler wants
// them, adding a driver or printer of a test's own, and reading what the spooler wrote.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace contract {

// "<prefix> <current test's name>": a name no other test uses.
std::string OwnName(const std::string& prefix);

std::string SystemDirectory();
std::string DriverDirectory();
std::string ProcessorDirectory();

// Copies a package DLL (PackageDll) to folder\<as> unless a file of that name is there
// already: an earlier test may have had the spooler load it, and Windows does not let a loaded
// DLL be replaced. True when the file is there.
bool PlaceDll(const std::string& dll, const std::string& folder, const std::string& as);

// Adds a driver of this name with the package's driver and configuration DLLs (TPSTD.DLL,
// TPSTDUI.DLL), placed in the driver directory first; the environment is the running one.
// A language monitor is named only when one is given.
bool AddTestDriver(const std::string& name, const std::string& languageMonitor = "");
// Adds a printer on LPT1: with WinPrint and the given driver; closes the handle. On failure
// the last error is the platform's.
bool AddTestPrinter(const std::string& name, const std::string& driver,
                    const std::string& processor = "WinPrint", const std::string& port = "LPT1:");

std::vector<std::string> PortNames();

// Names as the spooler compares them: without regard to the case of ASCII letters.
bool SameWithoutCase(const std::string& a, const std::string& b);

// A REG_SZ value under HKEY_LOCAL_MACHINE; "<missing>" when the key or value is absent.
std::string RegistryText(const std::string& key, const char* value);
bool RegistryKeyExists(const std::string& key);

// "SYSTEM\CurrentControlSet\Control\Print\Environments\<running environment>"
std::string EnvironmentKey();

}  // namespace contract
