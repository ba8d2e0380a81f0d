// The steps of a scenario as the test driver reads them from its step file (UTF-8, one step a
// line). The format is described in tests/e2e/README.md.
#pragma once

#include <string>
#include <vector>

namespace e2e {

enum class StepKind {
  kTimeout,         // timeout <ms>: the wait of the steps that follow
  kWaitWizard,      // wait-wizard ["<caption>"]
  kExpectAscii,     // expect-ascii: every text of the wizard and its pages is ASCII
  kExpectAcp,       // expect-acp <code page>
  kExpectState,     // expect <id> checked|unchecked|enabled|disabled|visible|hidden
  kExpectText,      // expect-text <id> "<text>"
  kClick,           // click <id>
  kExpectMessage,   // expect-message "<text>"
  kAnswer,          // answer ok|yes|no
  kExpectExit,      // expect-exit [<exit code>]
  kScreenshot,      // screenshot <name>
  kSelect,          // select <id> "<entry>"
  kExpectSelected,  // expect-selected <id> "<entry>"
  kExpectEntries,   // expect-entries <id> "<entry>|<entry>|..."
  kPressF1,         // press-f1
  kPressKey,        // press-key <id> enter|escape: the key pressed while that control has the focus
  kExpectWindows,   // expect-windows <count> "<title>"
  kSysCommand,      // syscommand <command>: a system-menu command to the wizard
  kDialogClick,     // dialog-click <id> "<caption>": a button of another dialog of Setup.exe
  kExpectDialog,    // expect-dialog "<caption>": such a dialog shows
  kStartSetup,      // start-setup: Setup.exe once more, after the last run has ended
  kLockFile,        // lock-file "<path>": held open, unshared, until the driver ends
  kWriteIni,        // write-ini <file> <section> <key> "<value>": while Setup.exe runs
  kMark,            // mark <name>: the time since Setup.exe was started, into the transcript
};

enum class ControlState { kChecked, kUnchecked, kEnabled, kDisabled, kVisible, kHidden };

struct Step {
  StepKind kind = StepKind::kWaitWizard;
  int line = 0;        // line number in the step file
  std::string source;  // the line as written, for the transcript
  int number = 0;      // control id, code page, button id, exit code or milliseconds
  bool hasNumber = false;
  ControlState state = ControlState::kChecked;
  std::wstring text;                // expected text, screenshot name, file path or value
  std::wstring file, section, key;  // write-ini
};

// Reads and parses the whole file first, so that a typo fails before Setup.exe starts.
// On failure returns false with a message naming the line.
bool ReadStepFile(const std::wstring& path, std::vector<Step>& steps, std::string& error);

// UTF-8 <-> UTF-16, for the step file and the transcript.
std::wstring FromUtf8(const std::string& text);
std::string ToUtf8(const std::wstring& text);

}  // namespace e2e
