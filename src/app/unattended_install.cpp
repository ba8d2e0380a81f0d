#include "app/unattended_install.h"

#include <cstdio>
#include <vector>

#include "install/target_system.h"
#include "app/wizard_parts.h"
#include "install/install_sequence.h"
#include "unattended/answering_user_service.h"
#include "unattended/answers_file.h"
#include "unattended/exit_codes.h"
#include "app/page_walk.h"
#include "unattended/installed_check.h"

namespace unattended {
namespace {

std::string Describe(const install::InstallSelection& s) {
  char serial[80] = {};
  std::snprintf(serial, sizeof(serial), "%d,%c,%d,%g,%c", static_cast<int>(s.serial.baudRate),
                s.serial.parity, static_cast<int>(s.serial.dataBits), s.serial.stopBits,
                s.serial.flowControl);
  return std::string("model ") + s.modelName + ", " +
         (s.installMode == kModeTypical ? "Typical" : "Advanced") + ", " +
         install::TargetSystemName(s.targetOs) + ", port " + s.portEntry + ", " +
         (s.driverFlavor == kFlavorGdi ? "raster (GDI)" : "text (STD)") + " driver, serial " +
         serial + ", default printer " + (s.setAsDefault != 0 ? "yes" : "no");
}

int ExitCodeOf(install::SequenceEnd end) {
  switch (end) {
    case install::SequenceEnd::kStay:
    case install::SequenceEnd::kRefused:
      return kExitNothingChanged;
    case install::SequenceEnd::kFailed:
      return kExitFailed;
    case install::SequenceEnd::kInstalled:
      return kExitDone;
    case install::SequenceEnd::kRestartPending:
      return kExitRestartRequired;
  }
  return kExitFailed;
}

const char* Meaning(int code) {
  switch (code) {
    case kExitDone:
      return "installed";
    case kExitRestartRequired:
      return "installed; restart required";
    case kExitNothingChanged:
      return "ended without changing anything";
    case kExitFailed:
      return "failed after changes began";
    default:
      return "bad answers file";
  }
}

int Finish(RunLog& log, int code) {
  return LogResult(log, code, Meaning(code));
}

// The printer is there, added or kept. Every step that failed on the way, by its result or by
// a failure message, is named, and makes the run one that failed.
int Outcome(RunLog& log, const std::string& printer, bool kept,
            const std::vector<std::string>& failedSteps,
            const std::vector<std::string>& failureMessages, int code) {
  log.Line((kept ? "already installed: " : "printer added as ") + printer);
  for (const std::string& step : failedSteps) {
    log.Line("step failed: " + step);
  }
  for (const std::string& message : failureMessages) {
    log.Line("step failed: " + message);
  }
  if (failedSteps.empty() && failureMessages.empty()) {
    return code;
  }
  log.Line("the printer " + printer + (kept ? " was kept" : " was added") +
           ", but not every step succeeded");
  return kExitFailed;
}

}  // namespace

int RunUnattendedInstall(platform::Platform& platform, const std::string& answersPath,
                         RunLog& log) {
  log.Line("unattended installation, answers from " + answersPath);
  Answers answers;
  std::string reason;
  if (!ReadAnswers(platform, answersPath, answers, reason)) {
    log.Line("bad answers file: " + reason);
    return Finish(log, kExitBadArguments);
  }
  AnsweringUserService quietUser(platform.user, log,
                                 QuestionAnswers{answers.renumberUsb, answers.restartNow});
  platform::Platform quiet{platform.profile,  platform.files,    platform.system,
                           quietUser,         platform.registry, platform.spooler,
                           platform.services, platform.libraries};

  install::SequenceEnd end = install::SequenceEnd::kStay;
  install::SequenceReport report;
  std::string kept;  // the printer found already installed, which the run keeps
  size_t shownBefore = 0;
  app::WizardParts parts(
      quiet, std::string(),
      [&](install::InstallSelection& selection, const std::function<void()>& endWizard) {
        log.Line("installing: " + Describe(selection));
        if (!answers.copyIfInstalled) {
          const install::InstallSelection chosen = selection;
          report.existingPrinter = [&, chosen](const std::string& driver, const std::string& port) {
            kept = InstalledPrinterOnPort(quiet, chosen, driver, port, log);
            return kept;
          };
        }
        // Messages the pages showed on the way (a USB probe's) are not steps of the installation.
        shownBefore = quietUser.failureMessages().size();
        end = install::InstallSequence(quiet, selection, endWizard, &report);
        return end == install::SequenceEnd::kStay ? app::FinishOutcome::kStay
                                                  : app::FinishOutcome::kClose;
      });
  PageWalk walk(parts);
  if (!walk.WalkToFinish(answers, reason)) {
    log.Line("bad answers file: " + reason);
    return Finish(log, kExitBadArguments);
  }
  walk.Finish();
  if (end != install::SequenceEnd::kInstalled && end != install::SequenceEnd::kRestartPending) {
    return Finish(log, ExitCodeOf(end));
  }
  const std::vector<std::string>& shown = quietUser.failureMessages();
  return Finish(
      log,
      Outcome(log, parts.flow.selection().modelName, !kept.empty(), report.failedSteps,
              std::vector<std::string>(shown.begin() + shownBefore, shown.end()), ExitCodeOf(end)));
}

}  // namespace unattended
