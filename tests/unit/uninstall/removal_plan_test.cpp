// The removal plan as a table over hand-made systems: which printers leave, and which drivers,
// records, port monitors, print processors and files go with them or stay for the printers
// that remain, for what others registered, or for being Windows' own.
#include "uninstall/removal_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "registry/install_record_store.h"

namespace {

using uninstall::InstalledDriver;
using uninstall::InstalledMonitor;
using uninstall::InstalledPrinter;
using uninstall::InstalledProcessor;
using uninstall::Inventory;
using uninstall::PackageComponents;
using uninstall::PortOwner;
using uninstall::RegistryRecord;
using uninstall::RemovalList;

using Names = std::vector<std::string>;

constexpr const char* kSystem = "C:\\WINDOWS\\system32";
constexpr const char* kProcessors = "C:\\WINDOWS\\system32\\spool\\prtprocs\\w32x86";

// TP-R80's names on Windows XP, as the sample package gives them.
PackageComponents TpR80() {
  PackageComponents package;
  package.targetOs = kTargetWinXp;
  package.model = "TP-R80";
  package.drivers = {{"TP-R80 Text", "TPSTD.DLL", false}, {"TP-R80 Raster", "TPGDI.DLL", false}};
  package.monitors = {{"TP Serial Monitor",
                       {"TPSERMON.DLL", "nTPSERMON.DLL", "TPSERUI.DLL"},
                       {"TPSERMON.DLL", "nTPSERMON.DLL"}},
                      {"TP USB Monitor",
                       {"TPUSBMON.DLL", "nTPUSBMON.DLL", "TPUSBUI.DLL"},
                       {"TPUSBMON.DLL", "nTPUSBMON.DLL"}}};
  package.processors = {
      {"TP Print Processor", {"TPPROC.DLL", "nTPPROC.DLL"}, {"TPPROC.DLL", "nTPPROC.DLL"}}};
  package.usbPortEntries = {"USB_TP-R80_1", "USB_TP-R80_2", "USB_TP-T58_1"};
  return package;
}

std::string Sys(const char* file) {
  return std::string(kSystem) + "\\" + file;
}
std::string Proc(const char* file) {
  return std::string(kProcessors) + "\\" + file;
}

std::vector<InstalledPrinter> ModelPrinters(const PackageComponents& package,
                                            const Inventory& system) {
  return uninstall::FindOwnership(package, system).printers;
}

// A system with the sample package's components installed and every file on the disk.
Inventory Installed(std::vector<InstalledPrinter> printers) {
  Inventory system;
  system.printers = std::move(printers);
  system.drivers = {{"TP-R80 Text", true, "TPSTD.DLL", {"TPSTD.DLL", "TPR80S.DAT"}},
                    {"TP-R80 Raster", true, "TPGDI.DLL", {"TPGDI.DLL", "TPR80G.DAT"}},
                    {"TP-R58 Text", true, "TPSTD.DLL", {"TPSTD.DLL", "TPR58S.DAT"}}};
  system.processors = {{"WinPrint", true, "winprint.dll"},
                       {"TP Print Processor", true, "TPPROC.DLL"}};
  system.ports = {{"LPT1:", "Local Port"},
                  {"KSCOM1:", "TP Serial Monitor"},
                  {"KSCOM2:", "TP Serial Monitor"},
                  {"USB_TP-R80_1", "TP USB Monitor"},
                  {"USB_TP-R80_2", "TP USB Monitor"},
                  {"USB_TP-T58_1", "TP USB Monitor"}};
  system.monitors = {
      {"Local Port", "localspl.dll", {"LPT1:"}},
      {"TP Serial Monitor", "TPSERMON.DLL", {"KSCOM1:", "KSCOM2:"}},
      {"TP USB Monitor", "TPUSBMON.DLL", {"USB_TP-R80_1", "USB_TP-R80_2", "USB_TP-T58_1"}}};
  system.systemFolder = kSystem;
  system.processorFolder = kProcessors;
  for (const char* file : {"TPSERMON.DLL", "TPSERUI.DLL", "TPUSBMON.DLL", "TPUSBUI.DLL"}) {
    system.files.push_back(std::string(kSystem) + "\\" + file);
  }
  system.files.push_back(std::string(kProcessors) + "\\TPPROC.DLL");
  // Windows' own files lie there too.
  system.files.push_back(std::string(kSystem) + "\\localspl.dll");
  system.files.push_back(std::string(kProcessors) + "\\winprint.dll");
  return system;
}

InstalledPrinter R80(const std::string& name, const std::string& port,
                     const std::string& driver = "TP-R80 Text") {
  return {name, port, driver, "TP Print Processor"};
}
InstalledPrinter R58(const std::string& name, const std::string& port,
                     const std::string& processor = "WinPrint") {
  return {name, port, "TP-R58 Text", processor};
}

// Changes a case makes to the package or the system before the plan.
using Scene = void (*)(PackageComponents&, Inventory&);

struct PlanCase {
  const char* name;
  std::vector<InstalledPrinter> printers;
  std::vector<RegistryRecord> records;
  RemovalList expected;
  Scene scene = nullptr;
  const char* logged = nullptr;  // a line of plan.kept or plan.foreign
};

// The package's serial monitor as a slip (or a hostile package) names it: with a DLL of Windows'
// own, which is what the system registered for that name.
void SerialMonitorIsWindowsOwn(PackageComponents& package, Inventory& system) {
  package.monitors[0].files = {"localspl.dll", "nlocalspl.dll", "TPSERUI.DLL"};
  package.monitors[0].dlls = {"localspl.dll", "nlocalspl.dll"};
  system.monitors[1].dll = "localspl.dll";
}
// The same with a trailing dot, which Windows drops from file names.
void SerialMonitorIsPjlmonWithADot(PackageComponents& package, Inventory& system) {
  package.monitors[0].files = {"pjlmon.dll.", "TPSERUI.DLL"};
  package.monitors[0].dlls = {"pjlmon.dll."};
  system.monitors[1].dll = "PJLMON.DLL";
  system.files.push_back(Sys("pjlmon.dll."));
}
void ProcessorIsWinprint(PackageComponents& package, Inventory& system) {
  package.processors[0].files = {"winprint.dll", "nwinprint.dll"};
  package.processors[0].dlls = package.processors[0].files;
  system.processors[1].dll = "winprint.dll";
}
// Another program's monitor is registered with the package's USB monitor DLL.
void AnotherMonitorRegistersTheUsbDll(PackageComponents&, Inventory& system) {
  system.monitors.push_back({"Other Monitor", "tpusbmon.dll", {}});
}
// The package's USB monitor name is registered with another program's DLL.
void UsbMonitorNameHasAForeignDll(PackageComponents&, Inventory& system) {
  system.monitors[2].dll = "OTHERMON.DLL";
  system.files.push_back(Sys("OTHERMON.DLL"));
}
// The package's USB monitor name is registered with the serial monitor's DLL, so only the
// registration names that file for a monitor that stays.
void UsbMonitorNameRegistersTheSerialDll(PackageComponents&, Inventory& system) {
  system.monitors[2].dll = "TPSERMON.DLL";
}
// The USB monitor's DLL reports its ports under a name of its own.
void UsbMonitorReportsItsOwnName(PackageComponents&, Inventory& system) {
  for (PortOwner& port : system.ports) {
    if (port.monitor == "TP USB Monitor") {
      port.monitor = "KS USB";
    }
  }
  system.monitors[2].ports.clear();
}
// Another model of the package (TP-R81) registers the text driver under the same name.
void TextDriverShared(PackageComponents& package, Inventory&) {
  package.drivers[0].sharedWithOtherModel = true;
}
// The text driver's name is one whose registration names another driver file (an in-box one).
void TextDriverIsInbox(PackageComponents&, Inventory& system) {
  system.drivers[0].driverFile = "UNIDRV.DLL";
}

// The USB ports' records, as USB installations of TP-R80 on port 1 and TP-T58 leave them.
const std::vector<RegistryRecord> kUsbRecords = {{registry::kPortNameKey, "USB_TP-R80_1"},
                                                 {registry::kPortNameKey, "USB_TP-T58_1"},
                                                 {registry::kPrinterPortKey, "D1"},
                                                 {registry::kPrinterPortKey, "USB_TP-R80_1"},
                                                 {registry::kPrinterPortKey, "USB_TP-R80_2"},
                                                 {registry::kPrinterPortKey, "USB_TP-T58_1"},
                                                 {registry::kInstallPrinterKey, "TP-R80(U) 1"},
                                                 {registry::kInstallPrinterKey, "TP-T58(U) 1"}};

const PlanCase kPlanCases[] = {
    {"EverythingGoesWithTheOnlyPrinter",
     {R80("TP-R80(S)", "KSCOM1:")},
     {},
     {{"TP-R80(S)"},
      {"TP-R80 Text", "TP-R80 Raster"},
      {},
      {"TP Serial Monitor", "TP USB Monitor"},
      {"TP Print Processor"},
      {Sys("TPSERMON.DLL"), Sys("TPSERUI.DLL"), Sys("TPUSBMON.DLL"), Sys("TPUSBUI.DLL"),
       Proc("TPPROC.DLL")}}},
    {"NumberedCopiesAndBothFlavoursGo",
     {R80("TP-R80(S)", "KSCOM1:"), R80("TP-R80(S)(1)", "KSCOM2:"),
      R80("Front desk", "LPT1:", "TP-R80 Raster"), R80("TP-R80(S)(2)", "KSCOM1:")},
     {},
     {{"TP-R80(S)", "TP-R80(S)(1)", "Front desk", "TP-R80(S)(2)"},
      {"TP-R80 Text", "TP-R80 Raster"},
      {},
      {"TP Serial Monitor", "TP USB Monitor"},
      {"TP Print Processor"},
      {Sys("TPSERMON.DLL"), Sys("TPSERUI.DLL"), Sys("TPUSBMON.DLL"), Sys("TPUSBUI.DLL"),
       Proc("TPPROC.DLL")}}},
    {"AMonitorWhosePortAnotherPrinterUsesStays",
     {R80("TP-R80(S)", "KSCOM1:"), R58("TP-R58(S)", "KSCOM2:")},
     {},
     {{"TP-R80(S)"},
      {"TP-R80 Text", "TP-R80 Raster"},
      {},
      {"TP USB Monitor"},
      {"TP Print Processor"},
      {Sys("TPUSBMON.DLL"), Sys("TPUSBUI.DLL"), Proc("TPPROC.DLL")}}},
    {"APooledPortKeepsItsMonitor",
     {R80("TP-R80(S)", "KSCOM1:"), R58("Pool", "LPT1:,KSCOM2:")},
     {},
     {{"TP-R80(S)"},
      {"TP-R80 Text", "TP-R80 Raster"},
      {},
      {"TP USB Monitor"},
      {"TP Print Processor"},
      {Sys("TPUSBMON.DLL"), Sys("TPUSBUI.DLL"), Proc("TPPROC.DLL")}}},
    {"APortNoMonitorClaimsKeepsEveryMonitor",
     {R80("TP-R80(S)", "KSCOM1:"), R58("Elsewhere", "NE01:")},
     {},
     {{"TP-R80(S)"},
      {"TP-R80 Text", "TP-R80 Raster"},
      {},
      {},
      {"TP Print Processor"},
      {Proc("TPPROC.DLL")}}},
    {"AProcessorAnotherPrinterUsesStays",
     {R80("TP-R80(S)", "KSCOM1:"), R58("TP-R58(P)", "LPT1:", "TP Print Processor")},
     {},
     {{"TP-R80(S)"},
      {"TP-R80 Text", "TP-R80 Raster"},
      {},
      {"TP Serial Monitor", "TP USB Monitor"},
      {},
      {Sys("TPSERMON.DLL"), Sys("TPSERUI.DLL"), Sys("TPUSBMON.DLL"), Sys("TPUSBUI.DLL")}}},
    {"NoPrinterOfTheModelLeavesTheUnusedComponents",
     {R58("TP-R58(S)", "KSCOM1:")},
     {},
     {{},
      {"TP-R80 Text", "TP-R80 Raster"},
      {},
      {"TP USB Monitor"},
      {"TP Print Processor"},
      {Sys("TPUSBMON.DLL"), Sys("TPUSBUI.DLL"), Proc("TPPROC.DLL")}}},
    {"TheUsbPortsRecordsGoWithTheirPrinter",
     {R80("TP-R80(U) 1", "USB_TP-R80_1", "TP-R80 Raster"),
      {"TP-T58(U) 1", "USB_TP-T58_1", "TP-T58 Raster", "WinPrint"}},
     kUsbRecords,
     {{"TP-R80(U) 1"},
      {"TP-R80 Text", "TP-R80 Raster"},
      {"SOFTWARE\\KESTREL\\PORTNAME\\USB_TP-R80_1", "SOFTWARE\\KESTREL\\PRINTERPORT\\USB_TP-R80_1",
       "SOFTWARE\\KESTREL\\INSTALLPRINTER\\TP-R80(U) 1"},
      {"TP Serial Monitor"},
      {"TP Print Processor"},
      {Sys("TPSERMON.DLL"), Sys("TPSERUI.DLL"), Proc("TPPROC.DLL")}}},
    {"AUsbPortARemainingPrinterAlsoUsesKeepsItsRecords",
     {R80("TP-R80(U) 1", "USB_TP-R80_1"), R58("Pool", "LPT1:,USB_TP-R80_1")},
     kUsbRecords,
     {{"TP-R80(U) 1"},
      {"TP-R80 Text", "TP-R80 Raster"},
      {"SOFTWARE\\KESTREL\\PORTNAME\\USB_TP-T58_1", "SOFTWARE\\KESTREL\\PRINTERPORT\\USB_TP-T58_1",
       "SOFTWARE\\KESTREL\\INSTALLPRINTER\\TP-R80(U) 1"},
      {"TP Serial Monitor"},
      {"TP Print Processor"},
      {Sys("TPSERMON.DLL"), Sys("TPSERUI.DLL"), Proc("TPPROC.DLL")}}},
    // A printer deleted by hand left its port's records; no printer uses the port any more.
    {"TheRecordsOfAPortNoPrinterUsesGo",
     {R58("TP-R58(P)", "LPT1:")},
     {{registry::kPortNameKey, "USB_TP-R80_2"},
      {registry::kPrinterPortKey, "USB_TP-R80_2"},
      {registry::kPrinterPortKey, "USB_TP-T58_1"},
      {registry::kPrinterPortKey, "D1"}},
     {{},
      {"TP-R80 Text", "TP-R80 Raster"},
      {"SOFTWARE\\KESTREL\\PORTNAME\\USB_TP-R80_2", "SOFTWARE\\KESTREL\\PRINTERPORT\\USB_TP-R80_2"},
      {"TP Serial Monitor", "TP USB Monitor"},
      {"TP Print Processor"},
      {Sys("TPSERMON.DLL"), Sys("TPSERUI.DLL"), Sys("TPUSBMON.DLL"), Sys("TPUSBUI.DLL"),
       Proc("TPPROC.DLL")}}},
    {"AMonitorRegisteredWithAWindowsDllIsNotThePackages",
     {R80("TP-R80(P)", "LPT1:")},
     {},
     {{"TP-R80(P)"},
      {"TP-R80 Text", "TP-R80 Raster"},
      {},
      {"TP USB Monitor"},
      {"TP Print Processor"},
      {Sys("TPUSBMON.DLL"), Sys("TPUSBUI.DLL"), Proc("TPPROC.DLL")}},
     SerialMonitorIsWindowsOwn,
     "TP Serial Monitor: not installed by this package (DLL localspl.dll)"},
    {"TheLanguageMonitorsDllWithATrailingDotIsWindowsOwn",
     {R80("TP-R80(P)", "LPT1:")},
     {},
     {{"TP-R80(P)"},
      {"TP-R80 Text", "TP-R80 Raster"},
      {},
      {"TP USB Monitor"},
      {"TP Print Processor"},
      {Sys("TPUSBMON.DLL"), Sys("TPUSBUI.DLL"), Proc("TPPROC.DLL")}},
     SerialMonitorIsPjlmonWithADot,
     "TP Serial Monitor: not installed by this package (DLL PJLMON.DLL)"},
    {"AProcessorRegisteredWithWinprintIsNotThePackages",
     {R80("TP-R80(P)", "LPT1:")},
     {},
     {{"TP-R80(P)"},
      {"TP-R80 Text", "TP-R80 Raster"},
      {},
      {"TP Serial Monitor", "TP USB Monitor"},
      {},
      {Sys("TPSERMON.DLL"), Sys("TPSERUI.DLL"), Sys("TPUSBMON.DLL"), Sys("TPUSBUI.DLL")}},
     ProcessorIsWinprint,
     "TP Print Processor: not installed by this package (DLL winprint.dll)"},
    {"ADllAnotherMonitorRegistersStays",
     {R80("TP-R80(P)", "LPT1:")},
     {},
     {{"TP-R80(P)"},
      {"TP-R80 Text", "TP-R80 Raster"},
      {},
      {"TP Serial Monitor", "TP USB Monitor"},
      {"TP Print Processor"},
      {Sys("TPSERMON.DLL"), Sys("TPSERUI.DLL"), Sys("TPUSBUI.DLL"), Proc("TPPROC.DLL")}},
     AnotherMonitorRegistersTheUsbDll},
    {"AMonitorNameWithAForeignDllStaysWithItsDll",
     {R80("TP-R80(P)", "LPT1:")},
     {},
     {{"TP-R80(P)"},
      {"TP-R80 Text", "TP-R80 Raster"},
      {},
      {"TP Serial Monitor"},
      {"TP Print Processor"},
      {Sys("TPSERMON.DLL"), Sys("TPSERUI.DLL"), Proc("TPPROC.DLL")}},
     UsbMonitorNameHasAForeignDll,
     "TP USB Monitor: not installed by this package (DLL OTHERMON.DLL)"},
    {"AMonitorThatStaysProtectsTheDllItIsRegisteredWith",
     {R80("TP-R80(P)", "LPT1:")},
     {},
     {{"TP-R80(P)"},
      {"TP-R80 Text", "TP-R80 Raster"},
      {},
      {"TP Serial Monitor"},
      {"TP Print Processor"},
      {Sys("TPSERUI.DLL"), Proc("TPPROC.DLL")}},
     UsbMonitorNameRegistersTheSerialDll},
    {"AMonitorReportingItsOwnNameStaysWhileItsPortIsUsed",
     {R80("TP-R80(P)", "LPT1:"), {"TP-T58(U) 1", "USB_TP-T58_1", "TP-T58 Raster", "WinPrint"}},
     {},
     // A port whose monitor is no registered one may belong to any monitor: both stay.
     {{"TP-R80(P)"},
      {"TP-R80 Text", "TP-R80 Raster"},
      {},
      {},
      {"TP Print Processor"},
      {Proc("TPPROC.DLL")}},
     UsbMonitorReportsItsOwnName,
     "TP USB Monitor: TP-T58(U) 1 prints to USB_TP-T58_1"},
    {"TwoModelsSharingADriverNameTakeOnlyTheirOwnPrinters",
     {R80("TP-R80(S)", "KSCOM1:"), R80("TP-R80(P)(1)", "LPT1:"), R80("TP-R81(S)", "KSCOM2:"),
      R80("Front desk", "LPT1:")},
     {},
     {{"TP-R80(S)", "TP-R80(P)(1)"},
      {"TP-R80 Raster"},
      {},
      {"TP USB Monitor"},
      {},
      {Sys("TPUSBMON.DLL"), Sys("TPUSBUI.DLL")}},
     TextDriverShared,
     "TP-R80 Text: used by TP-R81(S)"},
    {"ADriverNameRegisteredWithAnotherDriverFileIsNotThePackages",
     {R80("TP-R80(S)", "KSCOM1:")},
     {},
     {{}, {"TP-R80 Raster"}, {}, {"TP USB Monitor"}, {}, {Sys("TPUSBMON.DLL"), Sys("TPUSBUI.DLL")}},
     TextDriverIsInbox,
     "TP-R80 Text: not installed by this package (driver file UNIDRV.DLL)"},
};

class RemovalPlanTable : public ::testing::TestWithParam<PlanCase> {};

TEST_P(RemovalPlanTable, RemovesWhatNothingElseUses) {
  const PlanCase& c = GetParam();
  Inventory system = Installed(c.printers);
  system.records = c.records;
  PackageComponents package = TpR80();
  if (c.scene != nullptr) {
    c.scene(package, system);
  }
  const auto planned = uninstall::PlanRemoval(package, system, ModelPrinters(package, system));
  const RemovalList plan = uninstall::ListOf(planned);
  if (c.logged != nullptr) {
    Names lines = planned.kept;
    lines.insert(lines.end(), planned.foreign.begin(), planned.foreign.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), c.logged), lines.end()) << c.logged;
  }
  EXPECT_EQ(plan.printers, c.expected.printers);
  EXPECT_EQ(plan.drivers, c.expected.drivers);
  EXPECT_EQ(plan.records, c.expected.records);
  EXPECT_EQ(plan.monitors, c.expected.monitors);
  EXPECT_EQ(plan.processors, c.expected.processors);
  EXPECT_EQ(plan.files, c.expected.files);
}

INSTANTIATE_TEST_SUITE_P(Table, RemovalPlanTable, ::testing::ValuesIn(kPlanCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RemovalPlan, NothingOfThePackageInstalledIsAnEmptyPlan) {
  Inventory system;
  system.printers = {R58("TP-R58(S)", "LPT1:")};
  system.drivers = {{"TP-R58 Text", true, "TPSTD.DLL", {"TPSTD.DLL"}}};
  system.processors = {{"WinPrint", true, "winprint.dll"}};
  const PackageComponents package = TpR80();
  const auto plan = uninstall::PlanRemoval(package, system, ModelPrinters(package, system));
  EXPECT_TRUE(plan.empty());
  EXPECT_TRUE(uninstall::ListOf(plan).empty());
}

// A printer that would not go (it is not among those leaving) keeps the driver, monitor and
// processor it uses, as the removal decides again after its first step.
TEST(RemovalPlan, APrinterThatStayedKeepsWhatItUses) {
  const PackageComponents package = TpR80();
  const Inventory system = Installed({R80("TP-R80(S)(1)", "KSCOM1:")});
  const auto plan = uninstall::PlanRemoval(package, system, {R80("TP-R80(S)", "KSCOM2:")});
  const RemovalList list = uninstall::ListOf(plan);
  EXPECT_TRUE(list.printers.empty());
  EXPECT_EQ(list.drivers, Names{"TP-R80 Raster"});
  EXPECT_EQ(list.monitors, Names{"TP USB Monitor"});
  EXPECT_EQ(list.processors, Names{});
  EXPECT_EQ(plan.kept, (Names{"TP-R80 Text: used by TP-R80(S)(1)",
                              "TP Serial Monitor: TP-R80(S)(1) prints to KSCOM1:",
                              "TP Print Processor: used by TP-R80(S)(1)"}));
}

// A file that a monitor which stays also names is not removed with the other monitor.
TEST(RemovalPlan, AFileAMonitorThatStaysNamesStays) {
  PackageComponents package = TpR80();
  package.monitors[1].files.push_back("TPSERUI.DLL");
  Inventory system = Installed({R80("TP-R80(U) 1", "USB_TP-R80_1"), R58("TP-R58(S)", "KSCOM2:")});
  const auto plan = uninstall::PlanRemoval(package, system, ModelPrinters(package, system));
  EXPECT_EQ(uninstall::ListOf(plan).files,
            (Names{Sys("TPUSBMON.DLL"), Sys("TPUSBUI.DLL"), Proc("TPPROC.DLL")}));
}

}  // namespace
