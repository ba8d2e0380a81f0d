// The simulated print spooler. Monitors, print processors and drivers live where Windows keeps
// them, in the registry under Control\Print, so that a test can preset them there; printers,
// ports and the default printer are held here. Each call refuses or accepts as the running
// version of Windows does according to Wine's winspool.drv/tests/info.c (and not as Wine does,
// where the two differ); sim_spooler.cpp names the test behind each answer, or says that no
// test records it. Any call can be made to fail on demand.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/spooler_service.h"

namespace platform::sim {

class SimMachine;

constexpr const char* kPrintKey = "SYSTEM\\CurrentControlSet\\Control\\Print";

// The bytes of a simulated port-monitor DLL. The spooler loads a monitor by the entry point its
// export table names; a file of these bytes names one, as a real monitor's export table does.
std::string PortMonitorImage(const std::string& label);

class SimSpooler final : public SpoolerService {
 public:
  struct Printer {
    std::string name;
    std::string port;
    std::string driver;
    std::string processor;
    std::string datatype;
    std::string comment;
    std::string location;
    std::string parameters;
    std::string sepFile;
    DWORD attributes = 0;
    std::string devMode;  // the bytes handed over (dmSize + dmDriverExtra)
  };
  struct Driver {
    std::string name;
    std::string environment;
    DWORD version = 0;
    std::string driverPath;
    std::string dataFile;
    std::string configFile;
    std::string helpFile;
    std::vector<std::string> dependentFiles;
    std::string monitorName;
  };

  explicit SimSpooler(SimMachine& machine) : machine_(machine) {}

  // Scene.
  // The ports a monitor DLL offers once it is added (EnumPorts lists them).
  void SetMonitorPorts(const std::string& dll, std::vector<std::string> ports);
  // The monitor name the DLL itself reports for its ports in EnumPortsA level 2, whatever name
  // it was registered under.
  void SetMonitorOwnName(const std::string& dll, std::string name);
  // Every later call of `call` ("AddPrinterA", "AddMonitorA", ...) fails with `error`;
  // `times` limits it to that many calls (-1: until cleared with error 0).
  void FailCall(const std::string& call, DWORD error, int times = -1);
  void AddExistingPrinter(Printer printer);
  // Every printer has documents waiting: DeletePrinter succeeds, and the printer stays until
  // they are printed (it is only marked for deletion).
  void SetJobsWaiting(bool waiting) { jobsWaiting_ = waiting; }

  // What is there.
  // How many times `call` was made, failed calls included.
  int callCount(const std::string& call) const;
  const std::map<std::string, Printer>& printers() const { return printers_; }
  const Printer* FindPrinter(const std::string& name) const;
  std::vector<Driver> drivers() const { return drivers_; }
  bool MonitorInstalled(const std::string& name) const;
  bool ProcessorInstalled(const std::string& environment, const std::string& name) const;
  const std::string& defaultPrinter() const { return defaultPrinter_; }
  size_t openPrinterHandles() const { return handles_.size(); }
  std::vector<std::string> Ports() const;
  // Whether the running spooler has this file loaded (a monitor or processor DLL).
  bool HoldsFile(const std::string& path) const;

  // The running system's spooler environment and folders.
  std::string NativeEnvironment() const;
  std::string DriverDirectory() const { return DriverDirectoryFor(NativeEnvironment()); }
  std::string ProcessorDirectory() const { return ProcessorDirectoryFor(NativeEnvironment()); }
  // The folders of an environment the running system knows.
  std::string DriverDirectoryFor(const std::string& environment) const;
  std::string ProcessorDirectoryFor(const std::string& environment) const;

  // Called by the simulated "SetDefaultPrinterA" and "DeletePrintProcessorA".
  BOOL SetDefaultPrinter(LPCSTR name);
  BOOL DeletePrintProcessor(LPSTR environment, LPSTR name);
  // A restart: Windows 95/98/Me's spooler lets go of the monitors it kept loaded.
  void Restart() { keptLoaded_.clear(); }

  HANDLE AddPrinterA(LPSTR server, DWORD level, LPBYTE info) override;
  BOOL ClosePrinter(HANDLE printer) override;
  BOOL AddPrinterDriverA(LPSTR server, DWORD level, LPBYTE info) override;
  BOOL AddMonitorA(LPSTR server, DWORD level, LPBYTE info) override;
  BOOL AddPrintProcessorA(LPSTR server, LPSTR environment, LPSTR path, LPSTR name) override;
  BOOL EnumPortsA(LPSTR server, DWORD level, LPBYTE ports, DWORD size, LPDWORD needed,
                  LPDWORD returned) override;
  BOOL OpenPrinterA(LPSTR name, HANDLE* printer, void* defaults) override;
  BOOL GetPrinterA(HANDLE printer, DWORD level, LPBYTE info, DWORD size, LPDWORD needed) override;
  BOOL SetPrinterA(HANDLE printer, DWORD level, LPBYTE info, DWORD command) override;
  BOOL GetPrinterDriverDirectoryA(LPSTR server, LPSTR environment, DWORD level, LPBYTE directory,
                                  DWORD size, LPDWORD needed) override;
  BOOL GetPrintProcessorDirectoryA(LPSTR server, LPSTR environment, DWORD level, LPBYTE directory,
                                   DWORD size, LPDWORD needed) override;
  BOOL EnumPrintersA(DWORD flags, LPSTR name, DWORD level, LPBYTE printers, DWORD size,
                     LPDWORD needed, LPDWORD returned) override;
  BOOL DeletePrinter(HANDLE printer) override;
  BOOL EnumPrinterDriversA(LPSTR server, LPSTR environment, DWORD level, LPBYTE drivers, DWORD size,
                           LPDWORD needed, LPDWORD returned) override;
  BOOL DeletePrinterDriverA(LPSTR server, LPSTR environment, LPSTR driverName) override;
  BOOL DeleteMonitorA(LPSTR server, LPSTR environment, LPSTR monitorName) override;
  BOOL EnumMonitorsA(LPSTR server, DWORD level, LPBYTE monitors, DWORD size, LPDWORD needed,
                     LPDWORD returned) override;
  BOOL EnumPrintProcessorsA(LPSTR server, LPSTR environment, DWORD level, LPBYTE processors,
                            DWORD size, LPDWORD needed, LPDWORD returned) override;

 private:
  struct Failure {
    DWORD error;
    int times;
  };
  struct Port {
    std::string name;
    std::string monitor;   // the name the monitor is registered under
    std::string reported;  // the name EnumPortsA level 2 gives
  };
  // False (with the last error set) when the call is made to fail or the spooler is down.
  bool Enter(const std::string& call);
  // An Enum call's size and count pointers: the NT family's RPC layer refuses a null one
  // (false, last error set); Windows 95/98/Me do without, and a null one points into `spare`.
  bool CountPointers(LPDWORD& needed, LPDWORD& returned, DWORD (&spare)[2]);
  BOOL Fail(DWORD error);
  struct Handle {
    std::string printer;  // upper-case name
    DWORD access;
  };
  std::vector<Port> PortList() const;
  Printer* PrinterOf(HANDLE handle);
  HANDLE NewHandle(const std::string& printer, DWORD access);
  // Bytes a text takes in an enumeration's buffer: UTF-16 on the NT family, whose A calls
  // report what their W calls need, ANSI on Windows 95/98/Me.
  size_t RecordTextSize(const std::string& text) const;
  // Whether a printer prints to one of these ports (a printer's port may be a list).
  bool PrinterUsesPort(const Printer& printer, const std::vector<std::string>& ports) const;
  // GetPrinterDriverDirectoryA and GetPrintProcessorDirectoryA: the same checks, either folder.
  BOOL QueryDirectory(const std::string& call, LPSTR environment, DWORD level, LPBYTE out,
                      DWORD size, LPDWORD needed, bool driverFolder);
  void WritePrinterKey(const Printer& printer);
  void WriteDriverKey(const Driver& driver, const std::string& datatype);

  SimMachine& machine_;
  std::map<std::string, Printer> printers_;  // by upper-case name
  std::vector<Driver> drivers_;
  std::map<std::string, std::vector<std::string>> monitorPorts_;  // by upper-case DLL name
  std::map<std::string, std::string> monitorOwnNames_;            // likewise
  std::map<std::string, Failure> failures_;
  std::map<std::string, int> callCounts_;
  std::map<std::uintptr_t, Handle> handles_;
  // Windows 95/98/Me: DLLs of monitors deleted since the last restart, still loaded.
  std::set<std::string> keptLoaded_;
  std::uintptr_t nextHandle_ = 0x5000;
  std::string defaultPrinter_;
  bool jobsWaiting_ = false;
};

}  // namespace platform::sim
