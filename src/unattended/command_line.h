// Setup.exe's command line. Without arguments the wizard runs as always; the switches choose an
// installation, removal or query without a person in front of the screen. Switches are matched
// without regard to case, "-" may stand for "/", and a value may be quoted. /quiet holds
// wherever it stands, even on a line that is otherwise refused: no window then appears.
#pragma once

#include <string>
#include <vector>

#include "language/language.h"

namespace unattended {

struct CommandLine {
  bool help = false;                                        // /?
  bool quiet = false;                                       // /quiet
  std::string answersPath;                                  // /answers:FILE
  std::string logPath;                                      // /log:FILE
  std::string uninstallModel;                               // /uninstall:MODEL
  std::string queryModel;                                   // /query:MODEL
  language::Request language = language::Request::kSystem;  // /lang:zh or /lang:en
  std::string error;  // the first reason the arguments are not usable; empty when none

  bool interactive() const {
    return !help && !quiet && uninstallModel.empty() && queryModel.empty() && error.empty();
  }
};

// The words of a command line as Windows programs split them: blanks separate, double quotes
// group (and are dropped) anywhere in a word.
std::vector<std::string> SplitCommandLine(const std::string& text);

// `arguments` is the command line after the program's name (WinMain's lpCmdLine).
CommandLine ParseCommandLine(const std::string& arguments);

// The usage text /? shows.
std::string UsageText();

}  // namespace unattended
