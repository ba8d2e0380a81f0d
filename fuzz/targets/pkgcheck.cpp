// pkgcheck over a package made of the input: the common file, the four family files and the
// names of the files in winnt\, cut apart by 0x01 bytes. Whatever it holds, the check ends, its
// exit code follows its findings and its JSON is closed.
#include <string>

#include "fuzz/fuzz_target.h"
#include "pkgcheck/native/sim_package.h"
#include "pkgcheck/run.h"

namespace {

std::string Same(const std::string& text) {
  return text;
}

}  // namespace

FUZZ_TARGET(pkgcheck) {
  fuzz::Input input(data, size);
  platform::sim::SimMachine machine;
  const std::string root = pkgcheck::kSimPackageRoot;
  for (const char* name : {"setup.ini", "setup_receipt.ini", "setup_ticket.ini", "setup_lable.ini",
                           "setup_embedded.ini"}) {
    machine.disk().WriteFile(root + "\\DRVCONFIG\\" + name, input.Text());
  }
  const std::string files = input.Rest();
  machine.disk().MakeDirectory(root + "\\winnt");
  for (std::size_t at = 0; at < files.size();) {
    const std::size_t end = std::min(files.find('\n', at), files.size());
    const std::string name = files.substr(at, end - at);
    if (!name.empty() && name.find_first_of(std::string("\\/:\0", 4)) == std::string::npos) {
      machine.disk().WriteFile(root + "\\winnt\\" + name, "x");
    }
    at = end + 1;
  }
  machine.SetModuleFileName(root + "\\Setup.exe");
  machine.SetCurrentDirectory(root);
  pkgcheck::SimPackageFolder folder(machine.disk());
  const pkgcheck::Report report = pkgcheck::CheckPackage(machine.platform(), folder, true);
  const int errors = report.Count(pkgcheck::Severity::kError);
  const int warnings = report.Count(pkgcheck::Severity::kWarning);
  FUZZ_CHECK(report.ExitCode() == (errors > 0 ? 2 : warnings > 0 ? 1 : 0));
  const std::string json = pkgcheck::FormatJson(report, "p", Same);
  FUZZ_CHECK(json.compare(json.size() - 3, 3, "]}\n") == 0);
  return 0;
}
