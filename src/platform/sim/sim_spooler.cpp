#include "platform/sim/sim_spooler.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/sim/name_case.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/spooler_environment.h"
#include "platform/sim/wide_text.h"

namespace platform::sim {
namespace {

constexpr const char* kDefaultPorts[] = {
    "COM1:", "COM2:", "COM3:", "COM4:", "FILE:", "LPT1:", "LPT2:", "LPT3:"};
constexpr const char* kLocalPortMonitor = "Local Port";

// The entry points a port monitor may export. Which one each version needs is not recorded;
// any of them makes a DLL a monitor.
constexpr const char* kMonitorEntryPoints[] = {"InitializePrintMonitor2", "InitializePrintMonitor",
                                               "InitializeMonitorEx", "InitializeMonitor"};

bool ExportsMonitorEntryPoint(const std::string& bytes) {
  return std::any_of(std::begin(kMonitorEntryPoints), std::end(kMonitorEntryPoints),
                     [&](const char* name) { return bytes.find(name) != std::string::npos; });
}

std::string Str(LPCSTR text) {
  return text == nullptr ? std::string() : std::string(text);
}

std::string MonitorKey(const std::string& name) {
  return std::string(kPrintKey) + "\\Monitors\\" + name;
}

std::string ProcessorKey(const std::string& environment, const std::string& name) {
  return std::string(kPrintKey) + "\\Environments\\" + environment + "\\Print Processors\\" + name;
}

std::string PrinterKey(const std::string& name) {
  return std::string(kPrintKey) + "\\Printers\\" + name;
}

std::string DriverKey(const std::string& environment, DWORD version, const std::string& name) {
  return std::string(kPrintKey) + "\\Environments\\" + environment + "\\Drivers\\Version-" +
         std::to_string(version) + "\\" + name;
}

// Packs structures and their strings into a caller's buffer the way the spooler does: the
// fixed part first, the strings after it.
class Packer {
 public:
  Packer(LPBYTE buffer, size_t fixed) : buffer_(buffer), used_(fixed) {}
  char* Put(const std::string& text) {
    char* at = reinterpret_cast<char*>(buffer_ + used_);
    std::memcpy(at, text.c_str(), text.size() + 1);
    used_ += text.size() + 1;
    return at;
  }
  LPBYTE PutBytes(const std::string& bytes) {
    used_ = (used_ + 7) & ~size_t{7};  // keep the device mode aligned
    LPBYTE at = buffer_ + used_;
    std::memcpy(at, bytes.data(), bytes.size());
    used_ += bytes.size();
    return at;
  }

 private:
  LPBYTE buffer_;
  size_t used_;
};

size_t TextSize(const std::string& text) {
  return text.size() + 1;
}

}  // namespace

std::string PortMonitorImage(const std::string& label) {
  return "MZ " + label + " exports " + kMonitorEntryPoints[0];
}

void SimSpooler::SetMonitorPorts(const std::string& dll, std::vector<std::string> ports) {
  monitorPorts_[UpperCase(dll)] = std::move(ports);
}

void SimSpooler::SetMonitorOwnName(const std::string& dll, std::string name) {
  monitorOwnNames_[UpperCase(dll)] = std::move(name);
}

void SimSpooler::FailCall(const std::string& call, DWORD error, int times) {
  if (error == 0) {
    failures_.erase(call);
  } else {
    failures_[call] = Failure{error, times};
  }
}

void SimSpooler::AddExistingPrinter(Printer printer) {
  printers_[UpperCase(printer.name)] = std::move(printer);
}

int SimSpooler::callCount(const std::string& call) const {
  const auto it = callCounts_.find(call);
  return it == callCounts_.end() ? 0 : it->second;
}

const SimSpooler::Printer* SimSpooler::FindPrinter(const std::string& name) const {
  const auto it = printers_.find(UpperCase(name));
  return it == printers_.end() ? nullptr : &it->second;
}

bool SimSpooler::MonitorInstalled(const std::string& name) const {
  return machine_.registry().KeyExists(MonitorKey(name));
}

bool SimSpooler::ProcessorInstalled(const std::string& environment, const std::string& name) const {
  return machine_.registry().KeyExists(ProcessorKey(environment, name));
}

std::string SimSpooler::NativeEnvironment() const {
  return machine_.IsWindows9x() ? kEnvironment9x : kEnvironmentNt;
}

// Windows 95/98/Me keep drivers and processors in the system folder (no test records it).
std::string SimSpooler::DriverDirectoryFor(const std::string& environment) const {
  return machine_.IsWindows9x()
             ? machine_.systemDirectory()
             : machine_.systemDirectory() + "\\spool\\drivers\\" + EnvironmentFolder(environment);
}

std::string SimSpooler::ProcessorDirectoryFor(const std::string& environment) const {
  return machine_.IsWindows9x()
             ? machine_.systemDirectory()
             : machine_.systemDirectory() + "\\spool\\prtprocs\\" + EnvironmentFolder(environment);
}

std::vector<SimSpooler::Port> SimSpooler::PortList() const {
  std::vector<Port> ports;
  for (const char* name : kDefaultPorts) {
    ports.push_back(Port{name, kLocalPortMonitor, kLocalPortMonitor});
  }
  const std::string monitors = std::string(kPrintKey) + "\\Monitors";
  for (const std::string& monitor : machine_.registry().SubKeyNames(monitors)) {
    const auto dll = machine_.registry().GetValue(monitors + "\\" + monitor, "Driver");
    if (!dll) {
      continue;
    }
    const std::string key = UpperCase(std::string(dll->data.c_str()));
    const auto it = monitorPorts_.find(key);
    const auto own = monitorOwnNames_.find(key);
    const std::string reported = own == monitorOwnNames_.end() ? monitor : own->second;
    if (it != monitorPorts_.end()) {
      for (const std::string& name : it->second) {
        ports.push_back(Port{name, monitor, reported});
      }
    }
  }
  return ports;
}

std::vector<std::string> SimSpooler::Ports() const {
  std::vector<std::string> names;
  for (const Port& port : PortList()) {
    names.push_back(port.name);
  }
  return names;
}

bool SimSpooler::HoldsFile(const std::string& path) const {
  if (!machine_.SpoolerRunning()) {
    return false;
  }
  const std::string wanted = SimFileTree::Key(path);
  if (keptLoaded_.count(wanted) != 0) {
    return true;
  }
  SimRegistry& registry = machine_.registry();
  const std::string monitors = std::string(kPrintKey) + "\\Monitors";
  for (const std::string& monitor : registry.SubKeyNames(monitors)) {
    const auto dll = registry.GetValue(monitors + "\\" + monitor, "Driver");
    if (dll && SimFileTree::Key(machine_.systemDirectory() + "\\" + dll->data.c_str()) == wanted) {
      return true;
    }
  }
  const std::string processors =
      std::string(kPrintKey) + "\\Environments\\" + NativeEnvironment() + "\\Print Processors";
  for (const std::string& processor : registry.SubKeyNames(processors)) {
    const auto dll = registry.GetValue(processors + "\\" + processor, "Driver");
    if (dll && SimFileTree::Key(ProcessorDirectory() + "\\" + dll->data.c_str()) == wanted) {
      return true;
    }
  }
  return false;
}

BOOL SimSpooler::Fail(DWORD error) {
  machine_.SetLastError(error);
  return FALSE;
}

bool SimSpooler::Enter(const std::string& call) {
  ++callCounts_[call];
  if (!machine_.SpoolerRunning()) {
    machine_.SetLastError(RPC_S_SERVER_UNAVAILABLE);
    return false;
  }
  const auto it = failures_.find(call);
  if (it == failures_.end()) {
    return true;
  }
  machine_.SetLastError(it->second.error);
  if (it->second.times > 0 && --it->second.times == 0) {
    failures_.erase(it);
  }
  return false;
}

// No test records AddPrinterA's refusals (1801, 1802, 1797, 1798, 1796): they are
// assumptions, and so is the order of the checks.
HANDLE SimSpooler::AddPrinterA(LPSTR /*server*/, DWORD level, LPBYTE info) {
  if (!Enter("AddPrinterA")) {
    return nullptr;
  }
  const auto* record = reinterpret_cast<const PRINTER_INFO_2A*>(info);
  if (level != 2 || record == nullptr || record->pPrinterName == nullptr ||
      record->pPortName == nullptr || record->pDriverName == nullptr ||
      record->pPrintProcessor == nullptr) {
    Fail(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const std::string name = record->pPrinterName;
  if (name.empty()) {
    Fail(ERROR_INVALID_PRINTER_NAME);
    return nullptr;
  }
  if (printers_.count(UpperCase(name)) != 0) {
    Fail(ERROR_PRINTER_ALREADY_EXISTS);
    return nullptr;
  }
  const bool driverKnown = std::any_of(drivers_.begin(), drivers_.end(), [&](const Driver& d) {
    return UpperCase(d.name) == UpperCase(record->pDriverName) &&
           d.environment == NativeEnvironment();
  });
  if (!driverKnown) {
    Fail(ERROR_UNKNOWN_PRINTER_DRIVER);
    return nullptr;
  }
  const std::string processor = record->pPrintProcessor;
  if (UpperCase(processor) != "WINPRINT" && !ProcessorInstalled(NativeEnvironment(), processor)) {
    Fail(ERROR_UNKNOWN_PRINTPROCESSOR);
    return nullptr;
  }
  const auto ports = Ports();
  if (std::none_of(ports.begin(), ports.end(), [&](const std::string& p) {
        return UpperCase(p) == UpperCase(record->pPortName);
      })) {
    Fail(ERROR_UNKNOWN_PORT);
    return nullptr;
  }
  Printer printer;
  printer.name = name;
  printer.port = record->pPortName;
  printer.driver = record->pDriverName;
  printer.processor = processor;
  printer.datatype = Str(record->pDatatype);
  printer.comment = Str(record->pComment);
  printer.location = Str(record->pLocation);
  printer.parameters = Str(record->pParameters);
  printer.sepFile = Str(record->pSepFile);
  printer.attributes = record->Attributes;
  if (record->pDevMode != nullptr) {
    const auto* bytes = reinterpret_cast<const char*>(record->pDevMode);
    printer.devMode.assign(bytes, record->pDevMode->dmSize + record->pDevMode->dmDriverExtra);
  }
  printers_[UpperCase(name)] = printer;
  WritePrinterKey(printer);
  return NewHandle(name, PRINTER_ALL_ACCESS);
}

HANDLE SimSpooler::NewHandle(const std::string& printer, DWORD access) {
  const std::uintptr_t id = nextHandle_;
  nextHandle_ += 4;
  handles_[id] = Handle{UpperCase(printer), access};
  return reinterpret_cast<HANDLE>(id);
}

// The values Windows keeps for a printer, which an installer may read back.
void SimSpooler::WritePrinterKey(const Printer& printer) {
  SimRegistry& registry = machine_.registry();
  const std::string key = PrinterKey(printer.name);
  registry.PutValue(key, "Name", REG_SZ, printer.name + '\0');
  registry.PutValue(key, "Port", REG_SZ, printer.port + '\0');
  registry.PutValue(key, "Printer Driver", REG_SZ, printer.driver + '\0');
  registry.PutValue(key, "Print Processor", REG_SZ, printer.processor + '\0');
  registry.PutValue(key, "Datatype", REG_SZ, printer.datatype + '\0');
  registry.PutDword(key, "Attributes", printer.attributes);
  if (!printer.devMode.empty()) {
    registry.PutValue(key, "Default DevMode", REG_BINARY, printer.devMode);
  }
}

// The values Windows keeps for a driver: its files as given, its monitor and data type.
void SimSpooler::WriteDriverKey(const Driver& driver, const std::string& datatype) {
  SimRegistry& registry = machine_.registry();
  const std::string key = DriverKey(driver.environment, driver.version, driver.name);
  registry.PutValue(key, "Driver", REG_SZ, driver.driverPath + '\0');
  registry.PutValue(key, "Data File", REG_SZ, driver.dataFile + '\0');
  registry.PutValue(key, "Configuration File", REG_SZ, driver.configFile + '\0');
  registry.PutValue(key, "Help File", REG_SZ, driver.helpFile + '\0');
  registry.PutValue(key, "Monitor", REG_SZ, driver.monitorName + '\0');
  registry.PutValue(key, "Datatype", REG_SZ, datatype + '\0');
  std::string dependent;
  for (const std::string& file : driver.dependentFiles) {
    dependent += file + '\0';
  }
  registry.PutValue(key, "Dependent Files", REG_MULTI_SZ, dependent + '\0');
  registry.PutDword(key, "Version", driver.version);
}

BOOL SimSpooler::ClosePrinter(HANDLE printer) {
  if (handles_.erase(reinterpret_cast<std::uintptr_t>(printer)) == 0) {
    return Fail(ERROR_INVALID_HANDLE);
  }
  return TRUE;
}

BOOL SimSpooler::AddPrinterDriverA(LPSTR /*server*/, DWORD level, LPBYTE info) {
  if (!Enter("AddPrinterDriverA")) {
    return FALSE;
  }
  const auto* record = reinterpret_cast<const DRIVER_INFO_3A*>(info);
  if (level != 3 || record == nullptr || record->pName == nullptr ||
      record->pDriverPath == nullptr || record->pDataFile == nullptr ||
      record->pConfigFile == nullptr) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  // The environment as the directory calls read it (no test records AddPrinterDriverA's).
  const std::string environment = ResolveEnvironment(record->pEnvironment, machine_.IsWindows9x());
  if (environment.empty()) {
    return Fail(ERROR_INVALID_ENVIRONMENT);
  }
  // The files must already lie in the running system's driver directory (or its version
  // folder). No test records this.
  const std::string directory = DriverDirectory();
  for (const char* file : {record->pDriverPath, record->pDataFile, record->pConfigFile}) {
    const std::string inDirectory = directory + "\\" + file;
    const std::string inVersion = directory + "\\" + std::to_string(record->cVersion) + "\\" + file;
    if (!machine_.disk().Exists(inDirectory) && !machine_.disk().Exists(inVersion)) {
      return Fail(ERROR_FILE_NOT_FOUND);
    }
  }
  // The language monitor a driver names must be installed first: the NT family refuses the
  // driver with ERROR_UNKNOWN_PRINT_MONITOR (3000, "The specified print monitor is unknown").
  // Microsoft's driver kit ("Print Monitor Installation") has the monitor installed with
  // AddMonitor and then tied to the driver through pMonitorName. No test records the refusal:
  // Wine's winspool.drv/tests/info.c has no AddPrinterDriver test, and Wine's localspl
  // (myAddPrinterDriverEx) stores the name unchecked, so Wine accepts it (measured). Windows
  // 95/98/Me are not recorded either; the simulation accepts there.
  const std::string monitor = Str(record->pMonitorName);
  if (!machine_.IsWindows9x() && !monitor.empty() && !MonitorInstalled(monitor)) {
    return Fail(ERROR_UNKNOWN_PRINT_MONITOR);
  }
  Driver driver;
  driver.name = record->pName;
  driver.environment = environment;
  driver.version = record->cVersion;
  driver.driverPath = record->pDriverPath;
  driver.dataFile = record->pDataFile;
  driver.configFile = record->pConfigFile;
  driver.helpFile = Str(record->pHelpFile);
  driver.monitorName = monitor;
  for (const char* entry = record->pDependentFiles; entry != nullptr && *entry != '\0';
       entry += std::strlen(entry) + 1) {
    driver.dependentFiles.emplace_back(entry);
  }
  drivers_.erase(std::remove_if(drivers_.begin(), drivers_.end(),
                                [&](const Driver& d) {
                                  return UpperCase(d.name) == UpperCase(driver.name) &&
                                         d.environment == driver.environment;
                                }),
                 drivers_.end());
  drivers_.push_back(driver);
  WriteDriverKey(driver, Str(record->pDefaultDataType));
  return TRUE;
}

// Every answer here is recorded by test_AddMonitor in Wine's winspool.drv/tests/info.c, with
// the Windows 95/98/Me answer where it differs from the NT family's; the order of the checks
// and the environment check are not recorded.
BOOL SimSpooler::AddMonitorA(LPSTR /*server*/, DWORD level, LPBYTE info) {
  if (!Enter("AddMonitorA")) {
    return FALSE;
  }
  const bool windows9x = machine_.IsWindows9x();
  if (level != 2) {
    return Fail(ERROR_INVALID_LEVEL);
  }
  const auto* record = reinterpret_cast<const MONITOR_INFO_2A*>(info);
  if (record == nullptr) {
    // The NT family fails without touching the last error.
    return windows9x ? Fail(ERROR_PRIVILEGE_NOT_HELD) : FALSE;
  }
  if (windows9x && record->pEnvironment == nullptr) {
    return Fail(ERROR_INVALID_ENVIRONMENT);
  }
  const DWORD badArgument = windows9x ? ERROR_PRIVILEGE_NOT_HELD : ERROR_INVALID_PARAMETER;
  if (record->pName == nullptr || *record->pName == '\0' || record->pDLLName == nullptr) {
    return Fail(badArgument);
  }
  if (*record->pDLLName == '\0') {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  if (ResolveEnvironment(record->pEnvironment, windows9x) != NativeEnvironment()) {
    return Fail(ERROR_INVALID_ENVIRONMENT);
  }
  if (MonitorInstalled(record->pName)) {
    return Fail(windows9x ? ERROR_ALREADY_EXISTS : ERROR_PRINT_MONITOR_ALREADY_INSTALLED);
  }
  // The spooler loads the monitor from the system directory and calls its entry point.
  const auto image = machine_.disk().ReadFile(machine_.systemDirectory() + "\\" + record->pDLLName);
  if (!image) {
    return Fail(windows9x ? ERROR_INVALID_PARAMETER : ERROR_MOD_NOT_FOUND);
  }
  if (!ExportsMonitorEntryPoint(*image)) {
    return Fail(windows9x ? ERROR_INVALID_PARAMETER : ERROR_PROC_NOT_FOUND);
  }
  machine_.registry().PutValue(MonitorKey(record->pName), "Driver", REG_SZ,
                               std::string(record->pDLLName) + '\0');
  // Programs rely on the last error also after a success.
  machine_.SetLastError(ERROR_SUCCESS);
  return TRUE;
}

BOOL SimSpooler::AddPrintProcessorA(LPSTR /*server*/, LPSTR environment, LPSTR path, LPSTR name) {
  if (!Enter("AddPrintProcessorA")) {
    return FALSE;
  }
  if (path == nullptr || name == nullptr) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  // The environment as the directory calls read it (no test records AddPrintProcessorA's).
  const std::string env = ResolveEnvironment(environment, machine_.IsWindows9x());
  if (env.empty()) {
    return Fail(ERROR_INVALID_ENVIRONMENT);
  }
  // No test records the refusal of an installed processor (3005) or of a missing DLL.
  if (ProcessorInstalled(env, name)) {
    return Fail(ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED);
  }
  // The spooler loads the processor from the running system's directory.
  if (!machine_.disk().Exists(ProcessorDirectory() + "\\" + path)) {
    return Fail(ERROR_MOD_NOT_FOUND);
  }
  machine_.registry().PutValue(ProcessorKey(env, name), "Driver", REG_SZ, std::string(path) + '\0');
  return TRUE;
}

// test_EnumPorts in Wine's winspool.drv/tests/info.c: levels 1 and 2, the size first, then
// the records. Level 2's monitor name is the one the monitor's DLL fills in from its own
// EnumPorts: Wine's localspl passes it through unchanged (monitor_enumports), so a DLL that
// hard-codes a name other than the registered one reports that name. The simulation gives the
// monitor name as the description too.
BOOL SimSpooler::EnumPortsA(LPSTR /*server*/, DWORD level, LPBYTE ports, DWORD size, LPDWORD needed,
                            LPDWORD returned) {
  if (!Enter("EnumPortsA")) {
    return FALSE;
  }
  const bool windows9x = machine_.IsWindows9x();
  DWORD ignoredNeeded = 0;
  DWORD ignoredReturned = 0;
  const bool nullPointer = needed == nullptr || returned == nullptr;
  if (nullPointer) {
    // The NT family's RPC layer refuses a null pointer; Windows 95/98/Me do without.
    if (!windows9x) {
      return Fail(RPC_X_NULL_REF_POINTER);
    }
    needed = needed == nullptr ? &ignoredNeeded : needed;
    returned = returned == nullptr ? &ignoredReturned : returned;
  }
  if (level != 1 && level != 2) {
    // Windows 95/98/Me answer another level with an empty list.
    if (!windows9x) {
      return Fail(ERROR_INVALID_LEVEL);
    }
    *needed = 0;
    *returned = 0;
    return TRUE;
  }
  const auto list = PortList();
  const size_t record = level == 1 ? sizeof(PORT_INFO_1A) : sizeof(PORT_INFO_2A);
  size_t total = list.size() * record;
  for (const Port& port : list) {
    total += TextSize(port.name) + (level == 2 ? 2 * TextSize(port.reported) : 0);
  }
  *needed = static_cast<DWORD>(total);
  *returned = 0;
  if (ports == nullptr || size < total) {
    return Fail(ERROR_INSUFFICIENT_BUFFER);
  }
  Packer packer(ports, list.size() * record);
  for (size_t i = 0; i < list.size(); ++i) {
    if (level == 1) {
      reinterpret_cast<PORT_INFO_1A*>(ports)[i].pName = packer.Put(list[i].name);
    } else {
      PORT_INFO_2A& info = reinterpret_cast<PORT_INFO_2A*>(ports)[i];
      info.pPortName = packer.Put(list[i].name);
      info.pMonitorName = packer.Put(list[i].reported);
      info.pDescription = packer.Put(list[i].reported);
      info.fPortType = PORT_TYPE_WRITE;
      info.Reserved = 0;
    }
  }
  *returned = static_cast<DWORD>(list.size());
  if (nullPointer) {
    machine_.SetLastError(ERROR_SUCCESS);
  }
  return TRUE;
}

// test_OpenPrinter in Wine's winspool.drv/tests/info.c. A null name asks the NT family for the
// print server, which the simulation does not offer: it answers 87, as the test allows.
// Without defaults a handle may only use the printer (PRINTER_ACCESS_USE).
BOOL SimSpooler::OpenPrinterA(LPSTR name, HANDLE* printer, void* defaults) {
  if (!Enter("OpenPrinterA")) {
    return FALSE;
  }
  const bool windows9x = machine_.IsWindows9x();
  // Windows 95/98/Me open a printer without a handle pointer; the NT family refuses.
  if (name == nullptr || (printer == nullptr && !windows9x)) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  if (*name == '\0') {
    return Fail(windows9x ? ERROR_INVALID_PARAMETER : ERROR_INVALID_PRINTER_NAME);
  }
  if (printers_.count(UpperCase(name)) == 0) {
    return Fail(ERROR_INVALID_PRINTER_NAME);
  }
  if (printer == nullptr) {
    return TRUE;
  }
  const auto* wanted = static_cast<const PRINTER_DEFAULTSA*>(defaults);
  *printer = NewHandle(name, wanted != nullptr ? wanted->DesiredAccess : PRINTER_ACCESS_USE);
  return TRUE;
}

SimSpooler::Printer* SimSpooler::PrinterOf(HANDLE handle) {
  const auto it = handles_.find(reinterpret_cast<std::uintptr_t>(handle));
  if (it == handles_.end()) {
    return nullptr;
  }
  const auto printer = printers_.find(it->second.printer);
  return printer == printers_.end() ? nullptr : &printer->second;
}

BOOL SimSpooler::GetPrinterA(HANDLE handle, DWORD level, LPBYTE info, DWORD size, LPDWORD needed) {
  if (!Enter("GetPrinterA")) {
    return FALSE;
  }
  Printer* printer = PrinterOf(handle);
  if (printer == nullptr) {
    return Fail(ERROR_INVALID_HANDLE);
  }
  if (level != 2 || needed == nullptr) {
    return Fail(ERROR_INVALID_LEVEL);
  }
  const std::string* texts[] = {&printer->name,      &printer->port,     &printer->driver,
                                &printer->comment,   &printer->location, &printer->sepFile,
                                &printer->processor, &printer->datatype, &printer->parameters};
  // The NT family reports the size GetPrinterW needs (test_GetPrinter in Wine's
  // winspool.drv/tests/info.c), the ANSI record fitting inside it; no test records Windows
  // 95/98/Me, whose spooler keeps ANSI records: the simulation reports the ANSI size there.
  const bool wide = !machine_.IsWindows9x();
  size_t total = sizeof(PRINTER_INFO_2A) + 8 +
                 (wide ? WideDevModeSize(printer->devMode) : printer->devMode.size());
  for (const std::string* text : texts) {
    total += wide ? WideTextSize(*text) : TextSize(*text);
  }
  *needed = static_cast<DWORD>(total);
  if (info == nullptr || size < total) {
    return Fail(ERROR_INSUFFICIENT_BUFFER);
  }
  std::memset(info, 0, total);
  Packer packer(info, sizeof(PRINTER_INFO_2A));
  auto* record = reinterpret_cast<PRINTER_INFO_2A*>(info);
  record->pPrinterName = packer.Put(printer->name);
  record->pPortName = packer.Put(printer->port);
  record->pDriverName = packer.Put(printer->driver);
  record->pComment = packer.Put(printer->comment);
  record->pLocation = packer.Put(printer->location);
  record->pSepFile = packer.Put(printer->sepFile);
  record->pPrintProcessor = packer.Put(printer->processor);
  record->pDatatype = packer.Put(printer->datatype);
  record->pParameters = packer.Put(printer->parameters);
  if (!printer->devMode.empty()) {
    record->pDevMode = reinterpret_cast<DEVMODEA*>(packer.PutBytes(printer->devMode));
  }
  record->Attributes = printer->attributes;
  return TRUE;
}

BOOL SimSpooler::SetPrinterA(HANDLE handle, DWORD level, LPBYTE info, DWORD /*command*/) {
  if (!Enter("SetPrinterA")) {
    return FALSE;
  }
  Printer* printer = PrinterOf(handle);
  if (printer == nullptr) {
    return Fail(ERROR_INVALID_HANDLE);
  }
  const auto* record = reinterpret_cast<const PRINTER_INFO_2A*>(info);
  if (level != 2 || record == nullptr) {
    return Fail(ERROR_INVALID_LEVEL);
  }
  printer->attributes = record->Attributes;
  WritePrinterKey(*printer);
  // The default attribute names the default printer on Windows 95, 98 and Me only (an
  // assumption no test records).
  if (machine_.IsWindows9x() && (record->Attributes & PRINTER_ATTRIBUTE_DEFAULT) != 0) {
    defaultPrinter_ = printer->name;
    for (auto& [key, other] : printers_) {
      if (&other != printer) {
        other.attributes &= ~PRINTER_ATTRIBUTE_DEFAULT;
      }
    }
  }
  return TRUE;
}

// test_GetPrinterDriverDirectory and test_GetPrintProcessorDirectory in Wine's
// winspool.drv/tests/info.c: the NT family refuses a level other than 1 and a null
// needed-size pointer (its RPC layer), Windows 95/98/Me ignore both; the environment is read
// by ResolveEnvironment. The needed size (characters + 1) is not recorded.
BOOL SimSpooler::QueryDirectory(const std::string& call, LPSTR environment, DWORD level, LPBYTE out,
                                DWORD size, LPDWORD needed, bool driverFolder) {
  if (!Enter(call)) {
    return FALSE;
  }
  const bool windows9x = machine_.IsWindows9x();
  if (level != 1 && !windows9x) {
    return Fail(ERROR_INVALID_LEVEL);
  }
  const std::string resolved = ResolveEnvironment(environment, windows9x);
  if (resolved.empty()) {
    return Fail(ERROR_INVALID_ENVIRONMENT);
  }
  if (needed == nullptr && !windows9x) {
    return Fail(RPC_X_NULL_REF_POINTER);
  }
  const std::string directory =
      driverFolder ? DriverDirectoryFor(resolved) : ProcessorDirectoryFor(resolved);
  const auto total = static_cast<DWORD>(directory.size() + 1);
  if (needed != nullptr) {
    *needed = total;
  }
  if (out == nullptr || size < total) {
    return Fail(ERROR_INSUFFICIENT_BUFFER);
  }
  std::memcpy(out, directory.c_str(), total);
  return TRUE;
}

BOOL SimSpooler::GetPrinterDriverDirectoryA(LPSTR /*server*/, LPSTR environment, DWORD level,
                                            LPBYTE directory, DWORD size, LPDWORD needed) {
  return QueryDirectory("GetPrinterDriverDirectoryA", environment, level, directory, size, needed,
                        true);
}

BOOL SimSpooler::GetPrintProcessorDirectoryA(LPSTR /*server*/, LPSTR environment, DWORD level,
                                             LPBYTE directory, DWORD size, LPDWORD needed) {
  return QueryDirectory("GetPrintProcessorDirectoryA", environment, level, directory, size, needed,
                        false);
}

BOOL SimSpooler::SetDefaultPrinter(LPCSTR name) {
  if (!Enter("SetDefaultPrinterA")) {
    return FALSE;
  }
  const Printer* printer = name == nullptr ? nullptr : FindPrinter(name);
  if (printer == nullptr) {
    return Fail(ERROR_INVALID_PRINTER_NAME);
  }
  defaultPrinter_ = printer->name;
  return TRUE;
}

bool SimSpooler::CountPointers(LPDWORD& needed, LPDWORD& returned, DWORD (&spare)[2]) {
  if (needed != nullptr && returned != nullptr) {
    return true;
  }
  if (!machine_.IsWindows9x()) {
    Fail(RPC_X_NULL_REF_POINTER);
    return false;
  }
  needed = needed == nullptr ? &spare[0] : needed;
  returned = returned == nullptr ? &spare[1] : returned;
  return true;
}

size_t SimSpooler::RecordTextSize(const std::string& text) const {
  return machine_.IsWindows9x() ? TextSize(text) : WideTextSize(text);
}

bool SimSpooler::PrinterUsesPort(const Printer& printer,
                                 const std::vector<std::string>& ports) const {
  size_t start = 0;
  while (start <= printer.port.size()) {
    const size_t comma = printer.port.find(',', start);
    const std::string one =
        printer.port.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    for (const std::string& port : ports) {
      if (EqualsIgnoringCase(one, port)) {
        return true;
      }
    }
    if (comma == std::string::npos) {
      break;
    }
    start = comma + 1;
  }
  return false;
}

// test_EnumPrinters in Wine's winspool.drv/tests/info.c: the size query of an NT-family system
// reports what EnumPrintersW needs, with nothing returned; without printers it succeeds with
// a size of 0. Levels 2 and 4 are listed (Windows 95/98/Me have no level 4, an assumption no
// test records); only local printers exist here.
BOOL SimSpooler::EnumPrintersA(DWORD flags, LPSTR /*name*/, DWORD level, LPBYTE out, DWORD size,
                               LPDWORD needed, LPDWORD returned) {
  if (!Enter("EnumPrintersA")) {
    return FALSE;
  }
  const bool windows9x = machine_.IsWindows9x();
  if (level != 2 && (level != 4 || windows9x)) {
    return Fail(ERROR_INVALID_LEVEL);
  }
  if (needed == nullptr || returned == nullptr) {
    return Fail(windows9x ? ERROR_INVALID_PARAMETER : RPC_X_NULL_REF_POINTER);
  }
  std::vector<const Printer*> listed;
  if ((flags & PRINTER_ENUM_LOCAL) != 0) {
    for (const auto& [key, printer] : printers_) {
      listed.push_back(&printer);
    }
  }
  const size_t record = level == 2 ? sizeof(PRINTER_INFO_2A) : sizeof(PRINTER_INFO_4A);
  size_t total = listed.size() * record;
  for (const Printer* p : listed) {
    total += RecordTextSize(p->name);
    if (level == 2) {
      for (const std::string* text : {&p->port, &p->driver, &p->comment, &p->location, &p->sepFile,
                                      &p->processor, &p->datatype, &p->parameters}) {
        total += RecordTextSize(*text);
      }
      total += 8 + (windows9x ? p->devMode.size() : WideDevModeSize(p->devMode));
    }
  }
  *needed = static_cast<DWORD>(total);
  *returned = 0;
  if (out == nullptr || size < total) {
    if (total == 0) {
      machine_.SetLastError(ERROR_SUCCESS);
      return TRUE;
    }
    return Fail(ERROR_INSUFFICIENT_BUFFER);
  }
  std::memset(out, 0, total);
  Packer packer(out, listed.size() * record);
  for (size_t i = 0; i < listed.size(); ++i) {
    const Printer& p = *listed[i];
    if (level == 4) {
      PRINTER_INFO_4A& info = reinterpret_cast<PRINTER_INFO_4A*>(out)[i];
      info.pPrinterName = packer.Put(p.name);
      info.Attributes = p.attributes;
      continue;
    }
    PRINTER_INFO_2A& info = reinterpret_cast<PRINTER_INFO_2A*>(out)[i];
    info.pPrinterName = packer.Put(p.name);
    info.pPortName = packer.Put(p.port);
    info.pDriverName = packer.Put(p.driver);
    info.pComment = packer.Put(p.comment);
    info.pLocation = packer.Put(p.location);
    info.pSepFile = packer.Put(p.sepFile);
    info.pPrintProcessor = packer.Put(p.processor);
    info.pDatatype = packer.Put(p.datatype);
    info.pParameters = packer.Put(p.parameters);
    if (!p.devMode.empty()) {
      info.pDevMode = reinterpret_cast<DEVMODEA*>(packer.PutBytes(p.devMode));
    }
    info.Attributes = p.attributes;
  }
  *returned = static_cast<DWORD>(listed.size());
  return TRUE;
}

// No test records DeletePrinter's refusals: that the NT family wants a handle opened for
// administration (PRINTER_ALL_ACCESS) is an assumption, as is the choice of the next default
// printer (the first remaining one by name) when the default printer goes.
BOOL SimSpooler::DeletePrinter(HANDLE handle) {
  if (!Enter("DeletePrinter")) {
    return FALSE;
  }
  const auto it = handles_.find(reinterpret_cast<std::uintptr_t>(handle));
  Printer* printer = PrinterOf(handle);
  if (printer == nullptr) {
    return Fail(ERROR_INVALID_HANDLE);
  }
  if (!machine_.IsWindows9x() && (it->second.access & PRINTER_ACCESS_ADMINISTER) == 0) {
    return Fail(ERROR_ACCESS_DENIED);
  }
  if (jobsWaiting_) {
    return TRUE;
  }
  const bool wasDefault = EqualsIgnoringCase(defaultPrinter_, printer->name);
  machine_.registry().RemoveKey(PrinterKey(printer->name));
  printers_.erase(it->second.printer);
  if (wasDefault) {
    defaultPrinter_ = printers_.empty() ? std::string() : printers_.begin()->second.name;
  }
  return TRUE;
}

// test_EnumPrinterDrivers in Wine's winspool.drv/tests/info.c: an NT-family system reports
// the size EnumPrinterDriversW needs, and its RPC layer refuses a null size or count pointer.
// Levels 1 to 3 are listed (level 3 adds the help file, the dependent files and the language
// monitor); others are refused. An environment the system does not know is refused as the
// directory calls refuse it (an assumption).
BOOL SimSpooler::EnumPrinterDriversA(LPSTR /*server*/, LPSTR environment, DWORD level, LPBYTE out,
                                     DWORD size, LPDWORD needed, LPDWORD returned) {
  if (!Enter("EnumPrinterDriversA")) {
    return FALSE;
  }
  const bool windows9x = machine_.IsWindows9x();
  if (level < 1 || level > 3) {
    return Fail(ERROR_INVALID_LEVEL);
  }
  const std::string env = ResolveEnvironment(environment, windows9x);
  if (env.empty()) {
    return Fail(ERROR_INVALID_ENVIRONMENT);
  }
  DWORD spare[2] = {};
  if (!CountPointers(needed, returned, spare)) {
    return FALSE;
  }
  std::vector<const Driver*> listed;
  for (const Driver& driver : drivers_) {
    if (driver.environment == env) {
      listed.push_back(&driver);
    }
  }
  // Level 2 and 3 records name the files by full path; the dependent files are a list of
  // terminated names ended by one more terminator.
  // A file the driver was added without (no help file) is an empty text (an assumption).
  const auto fullPath = [&](const Driver& d, const std::string& file) {
    const std::string folder = DriverDirectoryFor(env);
    if (file.empty()) {
      return file;
    }
    return windows9x ? folder + "\\" + file
                     : folder + "\\" + std::to_string(d.version) + "\\" + file;
  };
  const auto dependents = [&](const Driver& d) {
    std::string list;
    for (const std::string& file : d.dependentFiles) {
      list += fullPath(d, file) + '\0';
    }
    return list;  // Put() adds the final terminator
  };
  const size_t record = level == 1   ? sizeof(DRIVER_INFO_1A)
                        : level == 2 ? sizeof(DRIVER_INFO_2A)
                                     : sizeof(DRIVER_INFO_3A);
  size_t total = listed.size() * record;
  for (const Driver* d : listed) {
    total += RecordTextSize(d->name);
    if (level >= 2) {
      total += RecordTextSize(d->environment) + RecordTextSize(fullPath(*d, d->driverPath)) +
               RecordTextSize(fullPath(*d, d->dataFile)) +
               RecordTextSize(fullPath(*d, d->configFile));
    }
    if (level == 3) {
      total += RecordTextSize(fullPath(*d, d->helpFile)) + RecordTextSize(dependents(*d)) +
               RecordTextSize(d->monitorName) + RecordTextSize(std::string());
    }
  }
  *needed = static_cast<DWORD>(total);
  *returned = 0;
  if (out == nullptr || size < total) {
    if (total == 0) {
      return TRUE;
    }
    return Fail(ERROR_INSUFFICIENT_BUFFER);
  }
  Packer packer(out, listed.size() * record);
  for (size_t i = 0; i < listed.size(); ++i) {
    const Driver& d = *listed[i];
    if (level == 1) {
      reinterpret_cast<DRIVER_INFO_1A*>(out)[i].pName = packer.Put(d.name);
      continue;
    }
    DRIVER_INFO_3A info{};
    info.cVersion = d.version;
    info.pName = packer.Put(d.name);
    info.pEnvironment = packer.Put(d.environment);
    info.pDriverPath = packer.Put(fullPath(d, d.driverPath));
    info.pDataFile = packer.Put(fullPath(d, d.dataFile));
    info.pConfigFile = packer.Put(fullPath(d, d.configFile));
    if (level == 2) {
      std::memcpy(out + i * record, &info, sizeof(DRIVER_INFO_2A));
      continue;
    }
    info.pHelpFile = packer.Put(fullPath(d, d.helpFile));
    info.pDependentFiles = packer.Put(dependents(d));
    info.pMonitorName = packer.Put(d.monitorName);
    info.pDefaultDataType = packer.Put(std::string());
    reinterpret_cast<DRIVER_INFO_3A*>(out)[i] = info;
  }
  *returned = static_cast<DWORD>(listed.size());
  return TRUE;
}

// No test records DeletePrinterDriverA's refusals: an unknown driver (1797) and a driver that a
// printer still uses (ERROR_PRINTER_DRIVER_IN_USE) are assumptions. The driver's files stay
// in the driver directory.
BOOL SimSpooler::DeletePrinterDriverA(LPSTR /*server*/, LPSTR environment, LPSTR driverName) {
  if (!Enter("DeletePrinterDriverA")) {
    return FALSE;
  }
  const std::string env = ResolveEnvironment(environment, machine_.IsWindows9x());
  if (env.empty()) {
    return Fail(ERROR_INVALID_ENVIRONMENT);
  }
  if (driverName == nullptr || *driverName == '\0') {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  const auto it = std::find_if(drivers_.begin(), drivers_.end(), [&](const Driver& d) {
    return EqualsIgnoringCase(d.name, driverName) && d.environment == env;
  });
  if (it == drivers_.end()) {
    return Fail(ERROR_UNKNOWN_PRINTER_DRIVER);
  }
  const bool inUse = env == NativeEnvironment() &&
                     std::any_of(printers_.begin(), printers_.end(), [&](const auto& entry) {
                       return EqualsIgnoringCase(entry.second.driver, it->name);
                     });
  if (inUse) {
    return Fail(ERROR_PRINTER_DRIVER_IN_USE);
  }
  machine_.registry().RemoveKey(DriverKey(it->environment, it->version, it->name));
  drivers_.erase(it);
  return TRUE;
}

// test_DeleteMonitor in Wine's winspool.drv/tests/info.c: any environment will do (NULL, empty
// or unknown); no name is 87 (Windows 95/98/Me: ERROR_INVALID_NAME); a monitor that is not
// installed is ERROR_UNKNOWN_PRINT_MONITOR (Windows 95/98/Me: 87). That a monitor whose port a
// printer uses is refused (ERROR_PRINT_MONITOR_IN_USE) is an assumption, and so is Windows
// 95/98/Me's spooler keeping the monitor's DLL loaded until the next restart.
BOOL SimSpooler::DeleteMonitorA(LPSTR /*server*/, LPSTR /*environment*/, LPSTR monitorName) {
  if (!Enter("DeleteMonitorA")) {
    return FALSE;
  }
  const bool windows9x = machine_.IsWindows9x();
  if (monitorName == nullptr || *monitorName == '\0') {
    return Fail(windows9x ? ERROR_INVALID_NAME : ERROR_INVALID_PARAMETER);
  }
  if (!MonitorInstalled(monitorName)) {
    return Fail(windows9x ? ERROR_INVALID_PARAMETER : ERROR_UNKNOWN_PRINT_MONITOR);
  }
  std::vector<std::string> offered;
  for (const Port& port : PortList()) {
    if (EqualsIgnoringCase(port.monitor, monitorName)) {
      offered.push_back(port.name);
    }
  }
  if (std::any_of(printers_.begin(), printers_.end(),
                  [&](const auto& entry) { return PrinterUsesPort(entry.second, offered); })) {
    return Fail(ERROR_PRINT_MONITOR_IN_USE);
  }
  const auto dll = machine_.registry().GetValue(MonitorKey(monitorName), "Driver");
  if (windows9x && dll && machine_.SpoolerRunning()) {
    keptLoaded_.insert(SimFileTree::Key(machine_.systemDirectory() + "\\" + dll->data.c_str()));
  }
  machine_.registry().RemoveKey(MonitorKey(monitorName));
  return TRUE;
}

// test_EnumMonitors in Wine's winspool.drv/tests/info.c: levels 1 and 2 (others
// ERROR_INVALID_LEVEL), the size first and then the records; the NT family's RPC layer refuses
// a null size or count pointer. Level 2 names each monitor's environment and the DLL it is
// registered with. The system's own "Local Port" is always there; that its DLL is
// "localspl.dll" on Windows 95/98/Me too is an assumption.
BOOL SimSpooler::EnumMonitorsA(LPSTR /*server*/, DWORD level, LPBYTE out, DWORD size,
                               LPDWORD needed, LPDWORD returned) {
  if (!Enter("EnumMonitorsA")) {
    return FALSE;
  }
  if (level != 1 && level != 2) {
    return Fail(ERROR_INVALID_LEVEL);
  }
  DWORD spare[2] = {};
  if (!CountPointers(needed, returned, spare)) {
    return FALSE;
  }
  std::vector<std::pair<std::string, std::string>> listed{{kLocalPortMonitor, "localspl.dll"}};
  const std::string monitors = std::string(kPrintKey) + "\\Monitors";
  for (const std::string& name : machine_.registry().SubKeyNames(monitors)) {
    const auto dll = machine_.registry().GetValue(monitors + "\\" + name, "Driver");
    if (!EqualsIgnoringCase(name, kLocalPortMonitor)) {
      listed.emplace_back(name, dll ? std::string(dll->data.c_str()) : std::string());
    }
  }
  const std::string env = NativeEnvironment();
  const size_t record = level == 1 ? sizeof(MONITOR_INFO_1A) : sizeof(MONITOR_INFO_2A);
  size_t total = listed.size() * record;
  for (const auto& [name, dll] : listed) {
    total +=
        RecordTextSize(name) + (level == 2 ? RecordTextSize(env) + RecordTextSize(dll) : size_t{0});
  }
  *needed = static_cast<DWORD>(total);
  *returned = 0;
  if (out == nullptr || size < total) {
    return Fail(ERROR_INSUFFICIENT_BUFFER);
  }
  Packer packer(out, listed.size() * record);
  for (size_t i = 0; i < listed.size(); ++i) {
    if (level == 1) {
      reinterpret_cast<MONITOR_INFO_1A*>(out)[i].pName = packer.Put(listed[i].first);
      continue;
    }
    MONITOR_INFO_2A& info = reinterpret_cast<MONITOR_INFO_2A*>(out)[i];
    info.pName = packer.Put(listed[i].first);
    info.pEnvironment = packer.Put(env);
    info.pDLLName = packer.Put(listed[i].second);
  }
  *returned = static_cast<DWORD>(listed.size());
  return TRUE;
}

// test_EnumPrintProcessors in Wine's winspool.drv/tests/info.c: level 1; an empty environment
// is the running system's; an unknown one is refused with ERROR_INVALID_ENVIRONMENT (Windows
// 95/98/Me: 87), while NT 4 lists its own; the NT family's RPC layer refuses a null size or
// count pointer, which Windows 95/98/Me ignore. The system's own "WinPrint" is always there.
// That the size is what EnumPrintProcessorsW needs is an assumption.
BOOL SimSpooler::EnumPrintProcessorsA(LPSTR /*server*/, LPSTR environment, DWORD level, LPBYTE out,
                                      DWORD size, LPDWORD needed, LPDWORD returned) {
  if (!Enter("EnumPrintProcessorsA")) {
    return FALSE;
  }
  const bool windows9x = machine_.IsWindows9x();
  if (level != 1) {
    return Fail(ERROR_INVALID_LEVEL);
  }
  std::string env = ResolveEnvironment(environment, windows9x);
  if (env.empty()) {
    if (windows9x) {
      return Fail(ERROR_INVALID_PARAMETER);
    }
    if (!machine_.IsNt4()) {
      return Fail(ERROR_INVALID_ENVIRONMENT);
    }
    env = NativeEnvironment();
  }
  DWORD spare[2] = {};
  if (!CountPointers(needed, returned, spare)) {
    return FALSE;
  }
  std::vector<std::string> listed{"WinPrint"};
  const std::string processors =
      std::string(kPrintKey) + "\\Environments\\" + env + "\\Print Processors";
  for (const std::string& name : machine_.registry().SubKeyNames(processors)) {
    if (!EqualsIgnoringCase(name, "WinPrint")) {
      listed.push_back(name);
    }
  }
  size_t total = listed.size() * sizeof(PRINTPROCESSOR_INFO_1A);
  for (const std::string& name : listed) {
    total += RecordTextSize(name);
  }
  *needed = static_cast<DWORD>(total);
  *returned = 0;
  if (out == nullptr || size < total) {
    return Fail(ERROR_INSUFFICIENT_BUFFER);
  }
  Packer packer(out, listed.size() * sizeof(PRINTPROCESSOR_INFO_1A));
  for (size_t i = 0; i < listed.size(); ++i) {
    reinterpret_cast<PRINTPROCESSOR_INFO_1A*>(out)[i].pName = packer.Put(listed[i]);
  }
  *returned = static_cast<DWORD>(listed.size());
  return TRUE;
}

// No test records DeletePrintProcessorA: an unknown processor (1798) is an assumption. The
// processor's DLL stays in the print-processor directory.
BOOL SimSpooler::DeletePrintProcessor(LPSTR environment, LPSTR name) {
  if (!Enter("DeletePrintProcessorA")) {
    return FALSE;
  }
  const std::string env = ResolveEnvironment(environment, machine_.IsWindows9x());
  if (env.empty()) {
    return Fail(ERROR_INVALID_ENVIRONMENT);
  }
  if (name == nullptr || *name == '\0') {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  if (!ProcessorInstalled(env, name)) {
    return Fail(ERROR_UNKNOWN_PRINTPROCESSOR);
  }
  machine_.registry().RemoveKey(ProcessorKey(env, name));
  return TRUE;
}

}  // namespace platform::sim
