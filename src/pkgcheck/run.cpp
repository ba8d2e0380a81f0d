#include "pkgcheck/run.h"

#include <cstdio>
#include <cstring>

#include "pkgcheck/check_context.h"
#include "pkgcheck/common_checks.h"
#include "pkgcheck/config_files.h"
#include "pkgcheck/dropped_models.h"
#include "pkgcheck/model_checks.h"
#include "pkgcheck/model_list.h"
#include "pkgcheck/package_files.h"
#include "pkgcheck/plan_output.h"

namespace pkgcheck {
namespace {

// The title by which Setup.exe finds an open help window, in code page 936.
constexpr const char* kHelpTitle = "打印机驱动安装手册";

// A laid-out package: the program beside DRVCONFIG and the help file F1 opens.
void CheckLayout(CheckContext& context) {
  const std::optional<std::string> program = context.folder.Read("Setup.exe");
  if (!program) {
    context.Add(Severity::kError, Where{"Setup.exe", 0, "", ""}, "layout",
                "missing beside DRVCONFIG");
  } else if (program->compare(0, 2, "MZ") != 0) {
    context.Add(Severity::kError, Where{"Setup.exe", 0, "", ""}, "layout", "not a Windows program");
  }
  const std::optional<std::string> help = context.folder.Read("Guide.CHM");
  if (!help) {
    context.Add(Severity::kNote, Where{"Guide.CHM", 0, "", ""}, "layout",
                "missing: F1 in the wizard opens no help");
  } else if (help->compare(0, 4, "ITSF") != 0) {
    context.Add(Severity::kError, Where{"Guide.CHM", 0, "", ""}, "layout",
                "not a compiled HTML help file");
  } else if (help->find(kHelpTitle) == std::string::npos) {
    context.Add(Severity::kError, Where{"Guide.CHM", 0, "", ""}, "layout",
                std::string("does not carry the title ") + kHelpTitle +
                    ", by which Setup.exe finds an open help window");
  }
}

}  // namespace

const char* const kUsage =
    "usage: pkgcheck [--json] [--layout] [PACKAGE_FOLDER]\n"
    "       pkgcheck [--json] --plan MODEL SYSTEM [PACKAGE_FOLDER]\n"
    "Checks a driver package (DRVCONFIG\\ and the win98\\, winnt\\ and win2003\\ folders) the way\n"
    "Setup.exe reads it. PACKAGE_FOLDER defaults to the current folder.\n"
    "  --json     the findings (or the plan) as JSON\n"
    "  --layout   also check Setup.exe and Guide.CHM beside DRVCONFIG\n"
    "  --plan     what installing MODEL on SYSTEM (98, NT, 2K, XP or 2003) would do\n"
    "Exit code: 0 clean, 1 warnings only, 2 errors.\n";

std::optional<Options> ParseOptions(int argc, const char* const* argv, std::string& error) {
  Options options;
  bool folderGiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--json") {
      options.json = true;
    } else if (arg == "--layout") {
      options.layout = true;
    } else if (arg == "--plan") {
      if (i + 2 >= argc) {
        error = "--plan needs a model and a system";
        return std::nullopt;
      }
      options.plan = true;
      options.planModel = argv[++i];
      options.planSystem = argv[++i];
    } else if (arg.compare(0, 1, "-") == 0 || folderGiven) {
      error = "unexpected argument: " + arg;
      return std::nullopt;
    } else {
      options.folder = arg;
      folderGiven = true;
    }
  }
  return options;
}

Report CheckPackage(platform::Platform& platform, PackageFolder& folder, bool layout) {
  Report report;
  CheckContext context(platform, folder, report);
  LoadConfigFiles(context);
  ListSystemFolders(context);
  CheckModelList(context);
  CheckModels(context);
  CheckPackageVersion(context);
  CheckSupportedUsbPorts(context);
  CheckPortMonitors(context);
  CheckPackageFiles(context);
  ReportDroppedModels(context);
  if (layout) {
    CheckLayout(context);
  }
  return report;
}

int Run(platform::Platform& platform, PackageFolder& folder, const Options& options,
        const Output& output, std::string& out) {
  if (options.plan) {
    Report unused;
    CheckContext context(platform, folder, unused);
    return PrintPlan(context, options.planModel, options.planSystem,
                     options.json ? output.json : output.text, out, options.json);
  }
  const Report report = CheckPackage(platform, folder, options.layout);
  out = options.json ? FormatJson(report, options.folder, output.json)
                     : FormatText(report, options.folder, output.text);
  return report.ExitCode();
}

std::string EscapeByte(unsigned char byte) {
  char text[8];
  std::snprintf(text, sizeof(text), "\\x%02X", byte);
  return text;
}

}  // namespace pkgcheck
