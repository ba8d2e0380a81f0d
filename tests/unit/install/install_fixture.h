// Common scene for the installation engine's tests: a simulated Windows XP machine with the
// package in C:\PACKAGE (the current folder and the program's folder), and helpers to read what
// the operations did.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/install_types.h"
#include "messages/message_box.h"
#include "platform/sim/sim_machine.h"
#include "resources/resource_ids.h"

namespace install_test {

constexpr const char* kPackage = "C:\\PACKAGE";
constexpr const char* kCommonFile = "C:\\PACKAGE\\DRVCONFIG\\setup.ini";
constexpr const char* kMonitorsKey = "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\";
constexpr const char* kNtProcessorsKey =
    "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT x86\\Print Processors\\";
constexpr const char* k9xProcessorsKey =
    "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows 4.0\\Print Processors\\";
// What a spooler refusal's message adds when the spooler denied access.
constexpr const char* kNeedsAdministrator =
    "\n拒绝访问：安装打印机驱动需要管理员权限，请以管理员身份运行本程序。";

class InstallTest : public ::testing::Test {
 protected:
  platform::Platform& platform() { return machine.platform(); }

  void UseWindows98() { machine.SetVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10); }
  void UseWindowsNt4() { machine.SetVersion(VER_PLATFORM_WIN32_NT, 4, 0); }
  void UseWindows2000() { machine.SetVersion(VER_PLATFORM_WIN32_NT, 5, 0); }

  // A file of the package, in one of its system folders ("win98", "winnt", "win2003").
  void PutPackageFile(const std::string& folder, const std::string& name,
                      const std::string& bytes) {
    machine.disk().WriteFile(std::string(kPackage) + "\\" + folder + "\\" + name, bytes);
  }
  std::string FileAt(const std::string& path) {
    const auto bytes = machine.disk().ReadFile(path);
    return bytes ? *bytes : std::string("<none>");
  }
  std::string DriverDir() { return machine.spooler().DriverDirectory(); }
  std::string ProcessorDir() { return machine.spooler().ProcessorDirectory(); }
  std::string SystemDir() { return machine.systemDirectory(); }

  // The texts of the message boxes shown so far, in order.
  std::vector<std::string> Shown() {
    std::vector<std::string> texts;
    for (const auto& box : machine.messageBoxes()) {
      texts.push_back(box.text);
    }
    return texts;
  }
  // The message table's text for an id, as the program shows it.
  std::string Message(unsigned id) { return messages::LoadMessage(platform(), id); }
  std::vector<std::string> Messages(std::initializer_list<unsigned> ids) {
    std::vector<std::string> texts;
    for (unsigned id : ids) {
      texts.push_back(Message(id));
    }
    return texts;
  }

  // Every handle, library and file opened by an operation has been given back.
  void ExpectEverythingReleased() {
    EXPECT_EQ(machine.spooler().openPrinterHandles(), 0u);
    EXPECT_EQ(machine.services().openHandles(), 0u);
    EXPECT_EQ(machine.libraries().loadedCount(), 0u);
    EXPECT_EQ(machine.openFileHandles(), 0u);
    EXPECT_EQ(machine.registry().openHandleCount(), 0u);
  }

  platform::sim::SimMachine machine;
};

}  // namespace install_test
