#include "pkgcheck/plan_output.h"

#include <gtest/gtest.h>

#include <string>

#include "pkgcheck/native/sim_package.h"
#include "platform/sim/sim_machine.h"

namespace {

std::string Same(const std::string& text) {
  return text;
}

class PlanOutputTest : public ::testing::Test {
 protected:
  PlanOutputTest() {
    machine.disk().WriteFile(
        "C:\\PACKAGE\\DRVCONFIG\\setup.ini",
        "[DEVICENAME]\r\nDEVICENUMBER=1\r\nDEVICENAME1=M-ReceiptPrinter\r\n"
        "[COMMON-MONITOR.XP]\r\nCOMMONitorPName=Serial\r\nCOMMONitorPDLLName=SER.DLL\r\n");
    machine.disk().WriteFile("C:\\PACKAGE\\DRVCONFIG\\setup_receipt.ini",
                             "[M.PORT]\r\nAdvancedSetup=1\r\nUSBSUPPORTED=1\r\nBaudRate=19200\r\n"
                             "[M.XP]\r\nSTDDriverPath=D.DLL\r\nGDIDriverPath=G.DLL\r\n"
                             "[M.PRINTERINFO2K]\r\nSTDDRIVERNAME=M Text\r\n");
  }
  int Plan(const std::string& model, const std::string& system, bool json = false) {
    pkgcheck::SimPackageFolder folder(machine.disk());
    pkgcheck::CheckContext context(machine.platform(), folder, report);
    return pkgcheck::PrintPlan(context, model, system, Same, out, json);
  }
  platform::sim::SimMachine machine;
  pkgcheck::Report report;
  std::string out;
};

TEST_F(PlanOutputTest, NamesPortsMonitorsFilesAndRecords) {
  ASSERT_EQ(Plan("m-receiptprinter", "XP"), 0);
  for (const char* part : {"KSCOM1: to KSCOM8:", "printer M(S)", "USB_M_4  (Advanced mode)",
                           "printer M(U) 4", "baud rate 19200", "\"Serial\" version 0",
                           "winnt\\SER.DLL", "winnt\\D.DLL -> printer-driver folder",
                           "driver \"M Text\", version 3", "device name \"M\""}) {
    EXPECT_NE(out.find(part), std::string::npos) << part << "\n" << out;
  }
}

TEST_F(PlanOutputTest, RefusalsAndUnknownNames) {
  EXPECT_EQ(Plan("M", "2003"), 0);
  EXPECT_NE(out.find("refused: System2003Supported is 0"), std::string::npos);
  EXPECT_EQ(Plan("M", "NT"), 0);
  EXPECT_NE(out.find("Windows NT 4 has no USB"), std::string::npos);
  EXPECT_EQ(Plan("N", "XP"), 2);
  EXPECT_NE(out.find("no model \"N\""), std::string::npos);
  EXPECT_EQ(Plan("M", "95"), 2);
}

TEST_F(PlanOutputTest, MarksMissingFilesAndSectionsAndGivesMessageTexts) {
  machine.disk().WriteFile("C:\\PACKAGE\\winnt\\G.DLL", "MZ");
  ASSERT_EQ(Plan("M", "XP"), 0);
  EXPECT_NE(out.find("winnt\\D.DLL -> printer-driver folder  (STDDriverPath)  -- MISSING"),
            std::string::npos)
      << out;
  EXPECT_EQ(out.find("winnt\\G.DLL -> printer-driver folder  (GDIDriverPath)  -- MISSING"),
            std::string::npos)
      << out;
  ASSERT_EQ(Plan("M", "NT"), 0);
  EXPECT_NE(out.find("[M.NT] is MISSING from DRVCONFIG/setup_receipt.ini"), std::string::npos);
  EXPECT_EQ(out.find("not copied"), std::string::npos) << "one line for the section, not per file";
  ASSERT_EQ(Plan("M", "2003"), 0);
  EXPECT_NE(out.find("message 145 \"\xB4\xCB\xD6\xD6"), std::string::npos) << out;
}

TEST_F(PlanOutputTest, JsonCarriesTheSchemaAndEachFilesState) {
  ASSERT_EQ(Plan("M", "XP", true), 0);
  for (const char* part :
       {"{\"schema\": 1, \"model\": \"M\", \"system\": \"Windows XP\"", "\"refused\": null",
        "{\"file\": \"winnt\\\\D.DLL\", \"destination\": \"printer-driver folder\", "
        "\"key\": \"STDDriverPath\", \"when\": \"\", \"state\": \"missing\"}",
        "\"sectionMissing\": false"}) {
    EXPECT_NE(out.find(part), std::string::npos) << part << "\n" << out;
  }
  ASSERT_EQ(Plan("M", "NT", true), 0);
  EXPECT_NE(out.find("\"sectionMissing\": true, \"files\": []"), std::string::npos) << out;
  EXPECT_EQ(Plan("M", "95", true), 2);
  EXPECT_EQ(out.rfind("{\"schema\": 1, \"error\": \"unknown system", 0), 0u) << out;
}

}  // namespace
