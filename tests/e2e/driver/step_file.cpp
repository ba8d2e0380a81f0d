#include "step_file.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

namespace e2e {
namespace {

bool ParseInt(const std::string& word, int& value) {
  if (word.empty()) {
    return false;
  }
  char* end = nullptr;
  const long parsed = std::strtol(word.c_str(), &end, 0);
  if (*end != '\0') {
    return false;
  }
  value = static_cast<int>(parsed);
  return true;
}

// Splits off the next blank-separated word; the rest stays in `rest`.
std::string NextWord(std::string& rest) {
  size_t start = rest.find_first_not_of(" \t");
  if (start == std::string::npos) {
    rest.clear();
    return {};
  }
  size_t end = rest.find_first_of(" \t", start);
  std::string word = rest.substr(start, end == std::string::npos ? std::string::npos : end - start);
  rest = end == std::string::npos ? std::string() : rest.substr(end);
  return word;
}

// A quoted text: "..." with \" \\ and \n escapes (any other backslash stays, so that Windows
// paths are written as they are); nothing may follow it.
bool ParseQuoted(const std::string& rest, std::string& text) {
  size_t start = rest.find_first_not_of(" \t");
  if (start == std::string::npos || rest[start] != '"') {
    return false;
  }
  text.clear();
  for (size_t i = start + 1; i < rest.size(); ++i) {
    const char c = rest[i];
    if (c == '"') {
      return rest.find_first_not_of(" \t", i + 1) == std::string::npos;
    }
    if (c == '\\' && i + 1 < rest.size() && std::strchr("\"\\n", rest[i + 1]) != nullptr) {
      const char escaped = rest[++i];
      text += escaped == 'n' ? '\n' : escaped;
      continue;
    }
    text += c;
  }
  return false;
}

// An optional quoted text: nothing at all leaves `out` empty.
bool ParseOptionalQuoted(const std::string& rest, std::wstring& out) {
  if (rest.find_first_not_of(" \t") == std::string::npos) {
    return true;
  }
  std::string text;
  if (!ParseQuoted(rest, text)) {
    return false;
  }
  out = FromUtf8(text);
  return true;
}

bool ParseState(const std::string& word, ControlState& state) {
  static const std::map<std::string, ControlState> kStates = {
      {"checked", ControlState::kChecked}, {"unchecked", ControlState::kUnchecked},
      {"enabled", ControlState::kEnabled}, {"disabled", ControlState::kDisabled},
      {"visible", ControlState::kVisible}, {"hidden", ControlState::kHidden}};
  auto found = kStates.find(word);
  if (found == kStates.end()) {
    return false;
  }
  state = found->second;
  return true;
}

bool ParseAnswer(const std::string& word, int& button) {
  if (word == "ok") {
    button = IDOK;
  } else if (word == "yes") {
    button = IDYES;
  } else if (word == "no") {
    button = IDNO;
  } else {
    return false;
  }
  return true;
}

// Parses one non-empty, non-comment line into step; returns false on a syntax error.
bool ParseLine(std::string rest, Step& step) {
  const std::string verb = NextWord(rest);
  std::string text;
  if (verb == "timeout") {
    step.kind = StepKind::kTimeout;
    return ParseInt(NextWord(rest), step.number) && step.number > 0 && NextWord(rest).empty();
  }
  if (verb == "wait-wizard") {
    step.kind = StepKind::kWaitWizard;
    return ParseOptionalQuoted(rest, step.text);
  }
  if (verb == "expect-ascii") {
    step.kind = StepKind::kExpectAscii;
    return NextWord(rest).empty();
  }
  if (verb == "expect-acp") {
    step.kind = StepKind::kExpectAcp;
    return ParseInt(NextWord(rest), step.number) && NextWord(rest).empty();
  }
  if (verb == "expect") {
    step.kind = StepKind::kExpectState;
    return ParseInt(NextWord(rest), step.number) && ParseState(NextWord(rest), step.state) &&
           NextWord(rest).empty();
  }
  if (verb == "expect-text") {
    step.kind = StepKind::kExpectText;
    if (!ParseInt(NextWord(rest), step.number) || !ParseQuoted(rest, text)) {
      return false;
    }
    step.text = FromUtf8(text);
    return true;
  }
  if (verb == "click") {
    step.kind = StepKind::kClick;
    return ParseInt(NextWord(rest), step.number) && NextWord(rest).empty();
  }
  if (verb == "expect-message") {
    step.kind = StepKind::kExpectMessage;
    if (!ParseQuoted(rest, text)) {
      return false;
    }
    step.text = FromUtf8(text);
    return true;
  }
  if (verb == "answer") {
    step.kind = StepKind::kAnswer;
    return ParseAnswer(NextWord(rest), step.number) && NextWord(rest).empty();
  }
  if (verb == "expect-exit") {
    step.kind = StepKind::kExpectExit;
    const std::string code = NextWord(rest);
    step.hasNumber = !code.empty();
    return (!step.hasNumber || ParseInt(code, step.number)) && NextWord(rest).empty();
  }
  if (verb == "select" || verb == "expect-selected" || verb == "expect-entries") {
    step.kind = verb == "select"            ? StepKind::kSelect
                : verb == "expect-selected" ? StepKind::kExpectSelected
                                            : StepKind::kExpectEntries;
    if (!ParseInt(NextWord(rest), step.number) || !ParseQuoted(rest, text)) {
      return false;
    }
    step.text = FromUtf8(text);
    return true;
  }
  if (verb == "press-f1") {
    step.kind = StepKind::kPressF1;
    return NextWord(rest).empty();
  }
  if (verb == "press-key") {
    step.kind = StepKind::kPressKey;
    if (!ParseInt(NextWord(rest), step.number)) {
      return false;
    }
    const std::string key = NextWord(rest);
    step.text = FromUtf8(key);
    return (key == "enter" || key == "escape") && NextWord(rest).empty();
  }
  if (verb == "syscommand") {
    step.kind = StepKind::kSysCommand;
    return ParseInt(NextWord(rest), step.number) && NextWord(rest).empty();
  }
  if (verb == "dialog-click") {
    step.kind = StepKind::kDialogClick;
    if (!ParseInt(NextWord(rest), step.number) || !ParseQuoted(rest, text)) {
      return false;
    }
    step.text = FromUtf8(text);
    return true;
  }
  if (verb == "expect-dialog") {
    step.kind = StepKind::kExpectDialog;
    if (!ParseQuoted(rest, text)) {
      return false;
    }
    step.text = FromUtf8(text);
    return true;
  }
  if (verb == "expect-windows") {
    step.kind = StepKind::kExpectWindows;
    if (!ParseInt(NextWord(rest), step.number) || step.number < 0 || !ParseQuoted(rest, text)) {
      return false;
    }
    step.text = FromUtf8(text);
    return true;
  }
  if (verb == "mark") {
    step.kind = StepKind::kMark;
    const std::string name = NextWord(rest);
    step.text = FromUtf8(name);
    return !name.empty() && NextWord(rest).empty();
  }
  if (verb == "start-setup") {
    step.kind = StepKind::kStartSetup;
    return ParseOptionalQuoted(rest, step.text);
  }
  if (verb == "lock-file") {
    step.kind = StepKind::kLockFile;
    if (!ParseQuoted(rest, text)) {
      return false;
    }
    step.text = FromUtf8(text);
    return !text.empty();
  }
  if (verb == "write-ini") {
    step.kind = StepKind::kWriteIni;
    step.file = FromUtf8(NextWord(rest));
    step.section = FromUtf8(NextWord(rest));
    step.key = FromUtf8(NextWord(rest));
    if (step.key.empty() || !ParseQuoted(rest, text)) {
      return false;
    }
    step.text = FromUtf8(text);
    return true;
  }
  if (verb == "screenshot") {
    step.kind = StepKind::kScreenshot;
    const std::string name = NextWord(rest);
    step.text = FromUtf8(name);
    return !name.empty() && name.find_first_of("\\/:*?\"<>|") == std::string::npos &&
           NextWord(rest).empty();
  }
  return false;
}

}  // namespace

std::wstring FromUtf8(const std::string& text) {
  if (text.empty()) {
    return {};
  }
  const int size =
      ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], size);
  return wide;
}

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) {
    return {};
  }
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &narrow[0], size,
                        nullptr, nullptr);
  return narrow;
}

bool ReadStepFile(const std::wstring& path, std::vector<Step>& steps, std::string& error) {
  FILE* file = ::_wfopen(path.c_str(), L"rb");
  if (file == nullptr) {
    error = "cannot open the step file " + ToUtf8(path);
    return false;
  }
  std::string content;
  char buffer[4096];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0) {
    content.append(buffer, got);
  }
  std::fclose(file);

  int lineNumber = 0;
  size_t position = 0;
  while (position < content.size()) {
    size_t end = content.find('\n', position);
    if (end == std::string::npos) {
      end = content.size();
    }
    std::string line = content.substr(position, end - position);
    position = end + 1;
    ++lineNumber;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
      line.pop_back();
    }
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') {
      continue;
    }
    Step step;
    step.line = lineNumber;
    step.source = line.substr(first);
    if (!ParseLine(step.source, step)) {
      error =
          "step file line " + std::to_string(lineNumber) + ": cannot read \"" + step.source + "\"";
      return false;
    }
    steps.push_back(step);
  }
  return true;
}

}  // namespace e2e
