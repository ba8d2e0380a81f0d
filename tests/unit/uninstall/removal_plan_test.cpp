// The removal plan as a table over hand-made systems: which printers leave, and which drivers,
// records, port monitors, print processors and files go with them or stay for the printers
// that remain.
#include "uninstall/removal_plan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/install_record_store.h"

namespace {

using uninstall::InstalledMonitor;
using uninstall::InstalledPrinter;
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
  package.driverNames = {"TP-R80 Text", "TP-R80 Raster"};
  package.monitors = {{"TP Serial Monitor", {"TPSERMON.DLL", "nTPSERMON.DLL", "TPSERUI.DLL"}},
                      {"TP USB Monitor", {"TPUSBMON.DLL", "nTPUSBMON.DLL", "TPUSBUI.DLL"}}};
  package.processors = {{"TP Print Processor", {"TPPROC.DLL", "nTPPROC.DLL"}}};
  package.usbPortEntries = {"USB_TP-R80_1", "USB_TP-R80_2", "USB_TP-T58_1"};
  return package;
}

// A system with the sample package's components installed and every file on the disk.
Inventory Installed(std::vector<InstalledPrinter> printers) {
  Inventory system;
  system.printers = std::move(printers);
  system.drivers = {"TP-R80 Text", "TP-R80 Raster", "TP-R58 Text"};
  system.processors = {"WinPrint", "TP Print Processor"};
  system.ports = {{"LPT1:", "Local Port"},
                  {"KSCOM1:", "TP Serial Monitor"},
                  {"KSCOM2:", "TP Serial Monitor"},
                  {"USB_TP-R80_1", "TP USB Monitor"},
                  {"USB_TP-R80_2", "TP USB Monitor"},
                  {"USB_TP-T58_1", "TP USB Monitor"}};
  system.monitors = {
      {"TP Serial Monitor", "TPSERMON.DLL", {"KSCOM1:", "KSCOM2:"}},
      {"TP USB Monitor", "TPUSBMON.DLL", {"USB_TP-R80_1", "USB_TP-R80_2", "USB_TP-T58_1"}}};
  system.systemFolder = kSystem;
  system.processorFolder = kProcessors;
  for (const char* file : {"TPSERMON.DLL", "TPSERUI.DLL", "TPUSBMON.DLL", "TPUSBUI.DLL"}) {
    system.files.push_back(std::string(kSystem) + "\\" + file);
  }
  system.files.push_back(std::string(kProcessors) + "\\TPPROC.DLL");
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

std::string Sys(const char* file) {
  return std::string(kSystem) + "\\" + file;
}
std::string Proc(const char* file) {
  return std::string(kProcessors) + "\\" + file;
}

struct PlanCase {
  const char* name;
  std::vector<InstalledPrinter> printers;
  std::vector<RegistryRecord> records;
  RemovalList expected;
};

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
};

class RemovalPlanTable : public ::testing::TestWithParam<PlanCase> {};

TEST_P(RemovalPlanTable, RemovesWhatNothingElseUses) {
  const PlanCase& c = GetParam();
  Inventory system = Installed(c.printers);
  system.records = c.records;
  const PackageComponents package = TpR80();
  const RemovalList plan =
      uninstall::ListOf(uninstall::PlanRemoval(package, system, ModelPrinters(package, system)));
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
  system.drivers = {"TP-R58 Text"};
  system.processors = {"WinPrint"};
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
