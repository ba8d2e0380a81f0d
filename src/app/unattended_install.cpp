#include "app/unattended_install.h"

#include <cstdio>

#include "install/target_system.h"
#include "app/wizard_parts.h"
#include "install/install_sequence.h"
#include "unattended/answering_user_service.h"
#include "unattended/answers_file.h"
#include "unattended/exit_codes.h"
#include "app/page_walk.h"

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
  app::WizardParts parts(
      quiet, std::string(),
      [&](install::InstallSelection& selection, const std::function<void()>& endWizard) {
        log.Line("installing: " + Describe(selection));
        end = install::InstallSequence(quiet, selection, endWizard);
        return end == install::SequenceEnd::kStay ? app::FinishOutcome::kStay
                                                  : app::FinishOutcome::kClose;
      });
  PageWalk walk(parts);
  if (!walk.WalkToFinish(answers, reason)) {
    log.Line("bad answers file: " + reason);
    return Finish(log, kExitBadArguments);
  }
  walk.Finish();
  if (end == install::SequenceEnd::kInstalled || end == install::SequenceEnd::kRestartPending) {
    log.Line(std::string("printer added as ") + parts.flow.selection().modelName);
  }
  return Finish(log, ExitCodeOf(end));
}

}  // namespace unattended
