#include "unattended/unattended_uninstall.h"

#include "install/target_system.h"
#include "config/driver_config.h"
#include "config/model_entry.h"
#include "messages/message_box.h"
#include "resources/resource_ids.h"
#include "uninstall/package_components.h"
#include "uninstall/removal.h"
#include "uninstall/removal_texts.h"
#include "unattended/answering_user_service.h"
#include "unattended/exit_codes.h"

namespace unattended {
namespace {

const char* Meaning(int code) {
  switch (code) {
    case kExitDone:
      return "removed";
    case kExitRestartRequired:
      return "removed; restart required";
    case kExitNothingChanged:
      return "not confirmed; nothing changed";
    case kExitNothingInstalled:
      return "nothing of the model is installed; nothing changed";
    case kExitBadArguments:
      return "not a model of this package";
    default:
      return "failed after removal began";
  }
}

void LogList(RunLog& log, const char* heading, const uninstall::RemovalList& list) {
  for (const std::string& line : uninstall::LogLines(list)) {
    log.Line(std::string(heading) + line);
  }
}

// One run, with the user service that speaks to the person (or, with /quiet, to the log).
class UninstallRun {
 public:
  UninstallRun(platform::Platform& platform, const std::string& model, bool quiet, RunLog& log)
      : platform_(platform), model_(model), quiet_(quiet), log_(log) {}

  int Run();

 private:
  int Finish(int code) { return LogResult(log_, code, Meaning(code)); }
  // The model's family and name, or false after saying why.
  bool FindModel(config::DriverConfig& config, Text& name);
  // Shown to a person; with /quiet only the log speaks.
  void Show(const std::string& text, bool news);
  bool Confirmed(const uninstall::RemovalList& plan);
  int Report(const uninstall::RemovalOutcome& outcome);

  platform::Platform& platform_;
  const std::string& model_;
  bool quiet_;
  RunLog& log_;
};

bool UninstallRun::FindModel(config::DriverConfig& config, Text& name) {
  const int n = config::FindModelEntry(config, model_);
  const int family = n > 0 ? config.ModelEntry(n, name) : -1;
  if (family >= 0) {
    config.SetPrinterType(family);
    return true;
  }
  const std::string reason =
      model_ + " is not an entry of setup.ini [DEVICENAME] with a " + "family suffix";
  log_.Line("bad arguments: " + reason);
  Show(reason, false);
  return false;
}

void UninstallRun::Show(const std::string& text, bool news) {
  if (quiet_) {
    return;
  }
  if (news) {
    messages::ShowInformationText(platform_, text);
  } else {
    messages::ShowWarningText(platform_, text);
  }
}

bool UninstallRun::Confirmed(const uninstall::RemovalList& plan) {
  if (quiet_) {
    return true;
  }
  const bool yes = messages::AskYesNoText(platform_, uninstall::RemovalQuestion(model_, plan));
  log_.Line(std::string("question answered ") + (yes ? "Yes" : "No"));
  return yes;
}

int UninstallRun::Report(const uninstall::RemovalOutcome& outcome) {
  LogList(log_, "removed ", outcome.removed);
  for (const std::string& file : outcome.atRestart) {
    log_.Line("removed at the next restart: " + file);
  }
  LogList(log_, "still there: ", outcome.remaining);
  const bool complete = outcome.remaining.empty();
  Show(uninstall::RemovalReport(model_, outcome), complete);
  if (!complete) {
    return Finish(kExitFailed);
  }
  return Finish(outcome.atRestart.empty() ? kExitDone : kExitRestartRequired);
}

int UninstallRun::Run() {
  const install::TargetSystem system = install::RunningTargetSystem(platform_.system);
  if (!system.supportedPlatform) {
    // Nothing of the package can be installed on a system the program does not support.
    messages::ShowMessage(platform_, IDS_UNSUPPORTED_SYSTEM);
    return Finish(kExitNothingInstalled);
  }
  config::DriverConfig config(platform_);
  Text name{};
  if (!FindModel(config, name)) {
    return Finish(kExitBadArguments);
  }
  log_.Line(std::string("removing what the package installed for ") + model_ + " on " +
            install::TargetSystemName(system.targetOs));
  uninstall::Removal removal(
      platform_, uninstall::ReadPackageComponents(platform_, config, name, system.targetOs),
      model_);
  std::string failure;
  if (!removal.Survey(failure)) {
    log_.Line("nothing was changed: " + failure);
    Show(uninstall::SurveyFailedMessage(failure), false);
    return Finish(kExitFailed);
  }
  for (const std::string& foreign : removal.plan().foreign) {
    log_.Line("stays, " + foreign);
  }
  for (const std::string& kept : removal.plan().kept) {
    log_.Line("stays, still in use: " + kept);
  }
  const uninstall::RemovalList plan = uninstall::ListOf(removal.plan());
  if (plan.empty()) {
    log_.Line("nothing of " + model_ + " is installed");
    Show(uninstall::NothingInstalledMessage(model_), true);
    return Finish(kExitNothingInstalled);
  }
  LogList(log_, "to remove: ", plan);
  if (!Confirmed(plan)) {
    return Finish(kExitNothingChanged);
  }
  return Report(removal.CarryOut([this](const std::string& line) { log_.Line(line); }));
}

}  // namespace

int RunUninstall(platform::Platform& platform, const std::string& model, bool quiet, RunLog& log) {
  log.Line("removal of " + model + (quiet ? ", without windows" : ""));
  AnsweringUserService quietUser(platform.user, log, QuestionAnswers{});
  platform::Platform quietPlatform{platform.profile,  platform.files,    platform.system,
                                   quietUser,         platform.registry, platform.spooler,
                                   platform.services, platform.libraries};
  return UninstallRun(quiet ? quietPlatform : platform, model, quiet, log).Run();
}

}  // namespace unattended
