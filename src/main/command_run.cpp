#include "main/command_run.h"

#include "messages/message_box.h"
#include "unattended/exit_codes.h"
#include "app/unattended_install.h"
#include "unattended/unattended_query.h"
#include "unattended/unattended_uninstall.h"

namespace launch {

using namespace unattended;

int RunCommandLine(platform::Platform& platform, const unattended::CommandLine& line,
                   const unattended::StartState& start, unattended::RunLog& log) {
  // A run that leaves no log cannot be judged afterwards: nothing is changed.
  const std::string error = !line.error.empty() ? line.error : start.logProblem;
  if (!error.empty()) {
    log.Line("bad arguments: " + error);
    if (!line.quiet) {
      messages::ShowText(platform, error + "\n\n" + UsageText());
    }
    return LogResult(log, kExitBadArguments, "bad arguments");
  }
  if (line.help) {
    messages::ShowText(platform, UsageText());
    return kExitDone;
  }
  if (!start.folderFailure.empty()) {
    log.Line("nothing was changed: " + start.folderFailure);
    if (!line.quiet) {
      messages::ShowText(platform, start.folderFailure);
    }
    return LogResult(log, kExitFailed, "the package cannot be read");
  }
  if (!line.queryModel.empty()) {
    return RunQuery(platform, line.queryModel, log);
  }
  if (!line.uninstallModel.empty()) {
    return RunUninstall(platform, line.uninstallModel, line.quiet, log);
  }
  return RunUnattendedInstall(platform, line.answersPath, log);
}

}  // namespace launch
