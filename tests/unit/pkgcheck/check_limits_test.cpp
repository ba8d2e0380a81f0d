// The package checks at the limits of their rules: a one-model package with one value changed,
// and the findings pkgcheck then reports at that value's key. One table per family of checks;
// the broken-package cases (tests/package/broken) show the findings' texts.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "pkgcheck/native/sim_package.h"
#include "pkgcheck/run.h"
#include "platform/sim/sim_machine.h"

namespace {

using Checks = std::vector<std::string>;

struct LimitCase {
  const char* section;  // of setup_receipt.ini
  const char* key;
  std::string value;
  Checks found;  // the checks reported at the key
};

std::ostream& operator<<(std::ostream& out, const LimitCase& c) {
  return out << c.section << " " << c.key << "=" << c.value;
}

class CheckLimits : public ::testing::TestWithParam<LimitCase> {
 protected:
  // The receipt printer TP-R80 with USB ports, and the keys the tables change.
  CheckLimits() {
    machine.disk().WriteFile(
        ConfigPath("setup.ini"),
        "[DEVICENAME]\r\nDEVICENUMBER=1\r\nDEVICENAME1=TP-R80-ReceiptPrinter\r\n");
    machine.disk().WriteFile(
        ConfigPath("setup_receipt.ini"),
        "[TP-R80.PORT]\r\nAdvancedSetup=1\r\nUSBSUPPORTED=1\r\n"
        "[TP-R80.98]\r\nSTDDataFile=TPR80S.DAT\r\n"
        "[TP-R80.PRINTERINFONT]\r\nATTRIBUTES=0\r\nPRIORITY=1\r\n"
        "[TP-R80.DEVMODENT]\r\nDRIVERVERSION=256\r\nPAPERLENGTH=2970\r\nCOPIES=1\r\n");
    machine.disk().WriteFile("C:\\PACKAGE\\win98\\TPR80S.DAT", "data");
  }

  std::string ConfigPath(const std::string& file) { return "C:\\PACKAGE\\DRVCONFIG\\" + file; }

  // Rewrites the key's line in the section.
  void Set(const std::string& file, const std::string& section, const std::string& key,
           const std::string& value) {
    std::string text = *machine.disk().ReadFile(ConfigPath(file));
    const std::size_t header = text.find("[" + section + "]\r\n");
    ASSERT_NE(header, std::string::npos) << section;
    const std::size_t line = text.find("\n" + key + "=", header);
    ASSERT_LT(line, text.find("\n[", header + 1)) << key;
    const std::size_t end = text.find("\r\n", line + 1);
    text.replace(line + 1, end - line - 1, key + "=" + value);
    machine.disk().WriteFile(ConfigPath(file), text);
  }
  void Substitute(const std::string& file, const std::string& from, const std::string& to) {
    std::string text = *machine.disk().ReadFile(ConfigPath(file));
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
      text.replace(at, from.size(), to);
    }
    machine.disk().WriteFile(ConfigPath(file), text);
  }

  Checks FoundAt(const std::string& section, const std::string& key) {
    pkgcheck::SimPackageFolder folder(machine.disk());
    const pkgcheck::Report report = pkgcheck::CheckPackage(machine.platform(), folder, false);
    Checks found;
    for (const pkgcheck::Finding& finding : report.Ordered()) {
      if (finding.where.section == section && finding.where.key == key) {
        found.push_back(finding.check);
      }
    }
    return found;
  }

  Checks FoundAfterSetting(const LimitCase& c) {
    Set("setup_receipt.ini", c.section, c.key, c.value);
    return FoundAt(c.section, c.key);
  }

  platform::sim::SimMachine machine;
};

const Checks kNone;
const Checks kOutOfRange = {"number-out-of-range"};

// Numbers: the limits of each field's type are values it takes.
using NumberLimits = CheckLimits;
TEST_P(NumberLimits, ReportOnlyValuesBeyondTheField) {
  EXPECT_EQ(FoundAfterSetting(GetParam()), GetParam().found);
}
INSTANTIATE_TEST_SUITE_P(
    Table, NumberLimits,
    ::testing::Values(LimitCase{"TP-R80.DEVMODENT", "PAPERLENGTH", "32767", kNone},
                      LimitCase{"TP-R80.DEVMODENT", "PAPERLENGTH", "32768", kOutOfRange},
                      LimitCase{"TP-R80.DEVMODENT", "PAPERLENGTH", "-32768", kNone},
                      LimitCase{"TP-R80.DEVMODENT", "PAPERLENGTH", "-32769", kOutOfRange},
                      LimitCase{"TP-R80.DEVMODENT", "DRIVERVERSION", "65535", kNone},
                      LimitCase{"TP-R80.DEVMODENT", "DRIVERVERSION", "65536", kOutOfRange},
                      LimitCase{"TP-R80.PRINTERINFONT", "ATTRIBUTES", "4294967295", kNone},
                      LimitCase{"TP-R80.PRINTERINFONT", "ATTRIBUTES", "4294967296", kOutOfRange},
                      LimitCase{
                          "TP-R80.DEVMODENT", "COPIES", "9\t; copies", {"comment-in-value"}}));

// The printer queue: Windows takes priorities from 1 to 99.
using PrinterLimits = CheckLimits;
TEST_P(PrinterLimits, ReportPrioritiesOutsideOneTo99) {
  EXPECT_EQ(FoundAfterSetting(GetParam()), GetParam().found);
}
INSTANTIATE_TEST_SUITE_P(
    Table, PrinterLimits,
    ::testing::Values(LimitCase{"TP-R80.PRINTERINFONT", "PRIORITY", "0", {"priority"}},
                      LimitCase{"TP-R80.PRINTERINFONT", "PRIORITY", "1", kNone},
                      LimitCase{"TP-R80.PRINTERINFONT", "PRIORITY", "99", kNone},
                      LimitCase{"TP-R80.PRINTERINFONT", "PRIORITY", "100", {"priority"}}));

// File names: a comment behind the name, after a blank or a tab, is the one finding; a name
// without it is looked for in the package folder.
using FileNameLimits = CheckLimits;
TEST_P(FileNameLimits, ReportACommentOnceAndAMissingFileOtherwise) {
  EXPECT_EQ(FoundAfterSetting(GetParam()), GetParam().found);
}
INSTANTIATE_TEST_SUITE_P(
    Table, FileNameLimits,
    ::testing::Values(
        LimitCase{"TP-R80.98", "STDDataFile", "TPR80S.DAT\t; the data file", {"comment-in-value"}},
        LimitCase{"TP-R80.98", "STDDataFile", "TPR80S.DAT ; the data file", {"comment-in-value"}},
        LimitCase{"TP-R80.98", "STDDataFile", "TPR80S.DAT", kNone},
        LimitCase{"TP-R80.98", "STDDataFile", "TPR80X.DAT", {"file-missing"}}));

// Model names: a USB model's ports "USB_<model>_n" must fit the 29 characters of the supported
// USB list, so the name may have 23.
class ModelNameLimits : public CheckLimits {};
TEST_F(ModelNameLimits, AUsbModelNameHasAtMost23Characters) {
  std::string current = "TP-R80";
  for (const auto& [name, found] :
       {std::pair<std::string, Checks>{"TP-R80-ABCDEFGHIJKLMNOP", kNone},
        {"TP-R80-ABCDEFGHIJKLMNOPQ", {"model-name-too-long-for-usb"}}}) {
    SCOPED_TRACE(name);
    Substitute("setup.ini", current + "-", name + "-");
    Substitute("setup_receipt.ini", "[" + current + ".", "[" + name + ".");
    current = name;
    EXPECT_EQ(FoundAt("DEVICENAME", "DEVICENAME1"), found);
  }
}

}  // namespace
