#include "unattended/command_line.h"

#include <cctype>

namespace unattended {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return text;
}

// The first reason is the one reported; the words after it are still read for /quiet.
void Refuse(CommandLine& line, const std::string& reason) {
  if (line.error.empty()) {
    line.error = reason;
  }
}

// Sets a switch's value once; a second one is an error, since which one wins is a guess.
void SetOnce(std::string& target, const std::string& value, const std::string& name,
             CommandLine& line) {
  if (!target.empty()) {
    Refuse(line, "/" + name + " is given twice");
  } else if (value.empty()) {
    Refuse(line, "/" + name + " needs a value: /" + name + ":...");
  } else {
    target = value;
  }
}

void SetLanguage(const std::string& value, CommandLine& line) {
  if (line.language != language::Request::kSystem) {
    Refuse(line, "/lang is given twice");
  } else if (value == "zh") {
    line.language = language::Request::kChinese;
  } else if (value == "en") {
    line.language = language::Request::kEnglish;
  } else {
    Refuse(line, "/lang needs zh or en: /lang:zh, /lang:en");
  }
}

void ApplyWord(const std::string& word, CommandLine& line) {
  if (word.size() < 2 || (word[0] != '/' && word[0] != '-')) {
    Refuse(line, "unknown argument \"" + word + "\"");
    return;
  }
  const std::string body = word.substr(1);
  const size_t colon = body.find(':');
  const std::string name = Lower(body.substr(0, colon));
  const std::string value = colon == std::string::npos ? std::string() : body.substr(colon + 1);
  const bool hasValue = colon != std::string::npos;
  if (name == "?" && !hasValue) {
    line.help = true;
  } else if (name == "quiet" && !hasValue) {
    line.quiet = true;
  } else if (name == "answers") {
    SetOnce(line.answersPath, value, name, line);
  } else if (name == "log") {
    SetOnce(line.logPath, value, name, line);
  } else if (name == "lang") {
    SetLanguage(Lower(value), line);
  } else if (name == "uninstall") {
    SetOnce(line.uninstallModel, value, name, line);
  } else if (name == "query") {
    SetOnce(line.queryModel, value, name, line);
  } else {
    Refuse(line, "unknown switch \"" + word + "\"");
  }
}

// Which switches go together.
void CheckCombination(CommandLine& line) {
  if (!line.error.empty()) {
    return;
  }
  if (line.help) {
    if (line.quiet) {
      line.error = "/? shows the usage in a window, which /quiet does not allow";
    }
    return;
  }
  if (!line.queryModel.empty()) {
    if (!line.answersPath.empty() || !line.uninstallModel.empty()) {
      line.error = "/query cannot be used with /answers or /uninstall";
    }
    return;
  }
  if (!line.uninstallModel.empty()) {
    if (!line.answersPath.empty()) {
      line.error = "/uninstall and /answers cannot be used together";
    }
    return;
  }
  if (line.quiet && line.answersPath.empty()) {
    line.error = "/quiet needs /answers:FILE, /uninstall:MODEL or /query:MODEL";
  } else if (!line.quiet && !line.answersPath.empty()) {
    line.error = "/answers needs /quiet";
  } else if (!line.quiet && !line.logPath.empty()) {
    line.error = "/log needs /quiet or /uninstall";
  }
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  bool quoted = false;
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inWord) {
        words.push_back(word);
        word.clear();
        inWord = false;
      }
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) {
    words.push_back(word);
  }
  return words;
}

CommandLine ParseCommandLine(const std::string& arguments) {
  CommandLine line;
  for (const std::string& word : SplitCommandLine(arguments)) {
    ApplyWord(word, line);
  }
  CheckCombination(line);
  return line;
}

std::string UsageText() {
  return "Setup.exe                                  the installation wizard\n"
         "Setup.exe /quiet /answers:FILE [/log:FILE]  installs without windows, as FILE says\n"
         "Setup.exe /uninstall:MODEL [/quiet] [/log:FILE]\n"
         "                                           removes what the package installed for MODEL\n"
         "Setup.exe /query:MODEL [/log:FILE]         whether MODEL is installed; changes nothing\n"
         "/lang:zh or /lang:en                       Chinese or English texts (without it: "
         "Chinese\n"
         "                                           on a Chinese Windows, English on any other)\n"
         "\n"
         "Relative paths are taken from the folder current when Setup.exe starts; the package\n"
         "is always the folder of Setup.exe. Without /log the log is Setup.log in the user's\n"
         "temporary folder. Exit codes: 0 done (or installed, for /query), 3010 done (restart\n"
         "required), 1602 nothing changed, 1603 failed, 1605 nothing of the model is\n"
         "installed, 1618 another run of Setup.exe is in progress, 1633 64-bit Windows (not\n"
         "supported), 87 bad arguments or a bad answers file.";
}

}  // namespace unattended
