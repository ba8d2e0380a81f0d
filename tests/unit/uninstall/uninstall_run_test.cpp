#include "unattended/unattended_uninstall.h"

#include <gtest/gtest.h>

#include "install/sample_package.h"
#include "unattended/exit_codes.h"
#include "unattended/memory_log.h"
#include "unattended/unattended_install.h"

namespace {

using unattended_test::MemoryLog;

class UninstallRun : public install_test::SamplePackageTest {
 protected:
  int Install(const std::string& answers) {
    machine.disk().WriteFile("C:\\answers.ini", "[Install]\n" + answers);
    MemoryLog installLog;
    return unattended::RunUnattendedInstall(platform(), "C:\\answers.ini", installLog);
  }
  int Uninstall(const std::string& model, bool quiet = true) {
    return unattended::RunUninstall(platform(), model, quiet, log);
  }
  MemoryLog log;
};

TEST_F(UninstallRun, Smoke) {
  ASSERT_EQ(Install("Model=TP-R80-ReceiptPrinter\nPort=KSCOM1:\n"), 0);
  EXPECT_EQ(Uninstall("TP-R80-ReceiptPrinter"), 0) << log.All();
  std::cout << log.All();
}

}  // namespace
