// pkgcheck's command line and its two runs, the same for the native and the Windows program:
// the check of a whole package, and the plan of one installation.
#pragma once

#include <optional>
#include <string>

#include "pkgcheck/package_folder.h"
#include "pkgcheck/report.h"
#include "platform/platform.h"

namespace pkgcheck {

struct Options {
  bool json = false;
  bool layout = false;  // also Setup.exe and Guide.CHM beside DRVCONFIG
  bool plan = false;
  std::string planModel;
  std::string planSystem;
  std::string folder = ".";
};

extern const char* const kUsage;

// nullopt (and the reason in error) for a command line that is no call of pkgcheck.
std::optional<Options> ParseOptions(int argc, const char* const* argv, std::string& error);

// The platform reads the package as Setup.exe would from that folder: its program file lies
// in the folder and the folder is the current one. Returns the exit code: 0 clean, 1
// warnings only, 2 errors (or a plan that cannot be made).
// The whole check of the package; layout: also Setup.exe and Guide.CHM.
Report CheckPackage(platform::Platform& platform, PackageFolder& folder, bool layout);

struct Output {
  TextConverter text;  // for the readable report
  TextConverter json;  // to UTF-8
};
int Run(platform::Platform& platform, PackageFolder& folder, const Options& options,
        const Output& output, std::string& out);

// How output shows a byte that is no character of code page 936: "\xNN". Used by both
// converters.
std::string EscapeByte(unsigned char byte);

}  // namespace pkgcheck
