// What a contract test needs of the machine beyond the seam: files of its own on the disk, the
// package's DLLs, the spooler's architecture and the default printer. Implemented against the
// simulated machine (contract_machine_sim.cpp) and against Windows (contract_machine_win32.cpp).
#pragma once

#include <string>

namespace contract {

// A folder of one test's own, C:\contract\<name>, made when it is missing. Tests use their
// own names for folders, files, printers, drivers, monitors and processors, since the Wine run
// keeps one prefix for the whole suite.
std::string FreshFolder(const std::string& name);
// Writes a file (its folder must exist).
void WriteTestFile(const std::string& path, const std::string& bytes);
// The file's bytes; "<missing>" when it cannot be read.
std::string ReadTestFile(const std::string& path);

// Where a DLL that the build makes for the sample package can be copied from (TPSERMON.DLL,
// TPSTD.DLL, TPSTDUI.DLL, TPPROC.DLL...). Never the program's own folder: Wine's spooler
// loads monitors by plain LoadLibrary, which would find a copy there and hide a DLL missing
// from the system directory.
std::string PackageDll(const std::string& fileName);

// The spooler environment of this program on the running system, and the name of its folder
// below spool\drivers and spool\prtprocs. The simulation is 32-bit Windows running a 32-bit
// program: "Windows NT x86" in "w32x86". On the bench a 64-bit build runs in a 64-bit Wine
// prefix, whose spooler gives a 64-bit program "Windows x64" in "x64".
std::string SpoolerEnvironment();
std::string SpoolerFolder();

// The default printer's name ("" when there is none), as GetDefaultPrinterA reports it.
std::string DefaultPrinter();

// For the tests of what Windows 95/98/Me do differently: makes the machine report Windows 98,
// and back. The simulation changes its version; a real system cannot, so the Windows build
// answers whether the running system already is Windows 98 (the bench runs these tests in a
// prefix of their own that reports win98) and EndWindows98 does nothing there.
bool BeginWindows98();
void EndWindows98();

// Whether Wine runs as the Unix superuser on this bench: Wine then lets a program write files
// that carry the read-only attribute, which Windows refuses.
bool WineRunsAsRoot();

}  // namespace contract
