// Tests over the sample driver package (package/ in the repository) laid out on the simulated
// machine, with a way to change its configuration files.
#pragma once

#include <string>

#include "install_fixture.h"
#include "tests/support/sample_package_layout.h"

namespace install_test {

class SamplePackageTest : public InstallTest {
 protected:
  void SetUp() override { LayOutSamplePackage(); }

  void LayOutSamplePackage() { sample_package::LayOut(machine, SAMPLE_PACKAGE_DIR); }
  static constexpr const char* kNtPortsKey = sample_package::kNtPortsKey;

  // A file of the package's DRVCONFIG folder with one text replaced everywhere in it.
  void EditConfig(const std::string& file, const std::string& from, const std::string& to) {
    const std::string path = std::string(kPackage) + "\\DRVCONFIG\\" + file;
    std::string text = FileAt(path);
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
      text.replace(at, from.size(), to);
      at += to.size();
    }
    machine.disk().WriteFile(path, text);
  }
};

}  // namespace install_test
