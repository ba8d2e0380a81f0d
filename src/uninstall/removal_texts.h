// The words of a removal: the question and the closing message a person sees (in the wizard's
// language), and the same lists in the log's words.
#pragma once

#include <string>
#include <vector>

#include "uninstall/removal.h"

namespace uninstall {

// "将删除 MODEL 安装的以下内容：" with the list, then whether to go on.
std::string RemovalQuestion(const std::string& model, const RemovalList& plan);
// What was removed, what goes with the restart and what could not be removed.
std::string RemovalReport(const std::string& model, const RemovalOutcome& outcome);
// Nothing of the model is installed; nothing was changed.
std::string NothingInstalledMessage(const std::string& model);
// The system would not say what is installed (the reason follows); nothing was changed.
std::string SurveyFailedMessage(const std::string& reason);

// One log line per kind that has entries: "printers: TP-R80(S), TP-R80(S)(1)".
std::vector<std::string> LogLines(const RemovalList& list);

}  // namespace uninstall
