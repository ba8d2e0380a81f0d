#include "step_runner.h"

#include <cstdio>
#include <utility>

#include "setup_windows.h"

namespace e2e {
namespace {

constexpr wchar_t kWizardCaption[] = L"安装打印机驱动程序";
constexpr DWORD kPollMs = 20;

// A static control that shows a bitmap or an icon instead of a text.
bool ShowsPicture(HWND window) {
  wchar_t className[16] = {};
  ::GetClassNameW(window, className, 16);
  const LONG_PTR type = ::GetWindowLongPtrW(window, GWL_STYLE) & SS_TYPEMASK;
  return ::lstrcmpiW(className, L"Static") == 0 && (type == SS_BITMAP || type == SS_ICON);
}
constexpr UINT kReplyMs = 2000;
// The runner on the Linux side takes the picture; give it time even when steps wait briefly.
constexpr DWORD kScreenshotMs = 30000;

std::string Quoted(const std::wstring& text) {
  std::string quoted = "\"";
  for (char c : ToUtf8(text)) {
    if (c == '\n') {
      quoted += "\\n";
    } else if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

// BM_GETCHECK carries no pointer, so it works across processes; a timeout keeps a hung
// program from hanging the driver.
bool IsChecked(HWND control) {
  DWORD_PTR result = 0;
  if (::SendMessageTimeoutW(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kReplyMs, &result) == 0) {
    return false;
  }
  return result == BST_CHECKED;
}

bool HasState(HWND control, ControlState state) {
  switch (state) {
    case ControlState::kChecked:
      return IsChecked(control);
    case ControlState::kUnchecked:
      return !IsChecked(control);
    case ControlState::kEnabled:
      return ::IsWindowEnabled(control) != FALSE;
    case ControlState::kDisabled:
      return ::IsWindowEnabled(control) == FALSE;
    case ControlState::kVisible:
      return ::IsWindowVisible(control) != FALSE;
    case ControlState::kHidden:
      return ::IsWindowVisible(control) == FALSE;
  }
  return false;
}

std::string DescribeState(HWND control) {
  std::string text = IsChecked(control) ? "checked" : "unchecked";
  text += ::IsWindowEnabled(control) ? ", enabled" : ", disabled";
  text += ::IsWindowVisible(control) ? ", visible" : ", hidden";
  return text;
}

bool FileExists(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

StepRunner::StepRunner(Transcript& transcript, RunOptions options)
    : transcript_(transcript), options_(std::move(options)) {}

StepRunner::~StepRunner() {
  if (process_.hProcess != nullptr) {
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
  }
  for (HANDLE file : lockedFiles_) {
    ::CloseHandle(file);
  }
}

bool StepRunner::Run(const std::vector<Step>& steps) {
  std::string failure;
  bool passed = StartSetup(options_.arguments, failure);
  if (!passed) {
    transcript_.Line("FAIL", "start Setup.exe: " + failure);
  }
  for (size_t i = 0; passed && i < steps.size(); ++i) {
    const Step& step = steps[i];
    failure.clear();
    passed = Execute(step, failure);
    transcript_.Line(passed ? "ok  " : "FAIL",
                     passed
                         ? step.source
                         : step.source + " (line " + std::to_string(step.line) + "): " + failure);
  }
  if (Running()) {
    ::TerminateProcess(process_.hProcess, 1);
    ::WaitForSingleObject(process_.hProcess, timeoutMs_);
    transcript_.Line("info", "Setup.exe was still running; the driver ended it");
  }
  return passed;
}

bool StepRunner::StartSetup(const std::wstring& arguments, std::string& failure) {
  ::QueryPerformanceCounter(&started_);
  std::wstring commandLine = L"\"" + options_.setupPath + L"\"";
  if (!arguments.empty()) {
    commandLine += L" " + arguments;
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (!::CreateProcessW(options_.setupPath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                        nullptr, options_.workingDir.c_str(), &startup, &process_)) {
    failure = "CreateProcess failed with error " + std::to_string(::GetLastError());
    process_ = PROCESS_INFORMATION{};
    return false;
  }
  transcript_.Line("info", "started " + ToUtf8(commandLine) + " in " + ToUtf8(options_.workingDir) +
                               ", process " + std::to_string(process_.dwProcessId));
  return true;
}

bool StepRunner::Execute(const Step& step, std::string& failure) {
  switch (step.kind) {
    case StepKind::kTimeout:
      timeoutMs_ = static_cast<DWORD>(step.number);
      return true;
    case StepKind::kWaitWizard:
      return WaitWizard(step, failure);
    case StepKind::kExpectAscii:
      return ExpectAscii(failure);
    case StepKind::kExpectAcp:
      if (::GetACP() != static_cast<UINT>(step.number)) {
        failure = "GetACP() is " + std::to_string(::GetACP());
        return false;
      }
      return true;
    case StepKind::kExpectState:
      return ExpectState(step, failure);
    case StepKind::kExpectText:
      return ExpectText(step, failure);
    case StepKind::kClick:
      return Click(step, failure);
    case StepKind::kExpectMessage:
      return ExpectMessage(step, failure);
    case StepKind::kAnswer:
      return Answer(step, failure);
    case StepKind::kExpectExit:
      return ExpectExit(step, failure);
    case StepKind::kSelect:
      return Select(step, failure);
    case StepKind::kExpectSelected:
      return ExpectSelected(step, failure);
    case StepKind::kExpectEntries:
      return ExpectEntries(step, failure);
    case StepKind::kPressF1:
      return PressF1(failure);
    case StepKind::kPressKey:
      return PressKey(step, failure);
    case StepKind::kExpectWindows:
      return ExpectWindows(step, failure);
    case StepKind::kSysCommand:
      return SysCommand(step, failure);
    case StepKind::kDialogClick:
      return DialogClick(step, failure);
    case StepKind::kExpectDialog:
      return WaitForDialog(step, failure) != nullptr;
    case StepKind::kScreenshot:
      return Screenshot(step, failure);
    case StepKind::kStartSetup:
      return StartAgain(step, failure);
    case StepKind::kLockFile:
      return LockFile(step, failure);
    case StepKind::kWriteIni:
      return WriteIni(step, failure);
    case StepKind::kMark:
      Mark(step);
      return true;
  }
  failure = "unknown step";
  return false;
}

StepRunner::Wait StepRunner::WaitUntil(const std::function<bool()>& done) const {
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (done()) {
      return Wait::kDone;
    }
    if (!Running()) {
      return done() ? Wait::kDone : Wait::kProcessEnded;
    }
    if (::GetTickCount() - start >= timeoutMs_) {
      return Wait::kTimedOut;
    }
    ::Sleep(kPollMs);
  }
}

bool StepRunner::Running() const {
  return process_.hProcess != nullptr &&
         ::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

std::string StepRunner::ProcessEnded() const {
  DWORD code = 0;
  ::GetExitCodeProcess(process_.hProcess, &code);
  return "Setup.exe ended with exit code " + std::to_string(code);
}

// Names a message box that is showing, so that a failed wait says why the program stalled.
std::string StepRunner::BoxNote() const {
  HWND box = FindMessageBox(process_.dwProcessId, wizard_);
  return box != nullptr ? "; a message box is showing: " + Quoted(MessageBoxText(box)) : "";
}

bool StepRunner::WaitWizard(const Step& step, std::string& failure) {
  HWND early = nullptr;
  const std::wstring caption = step.text.empty() ? kWizardCaption : step.text;
  const Wait result = WaitUntil([&] {
    wizard_ = FindWizard(process_.dwProcessId, caption);
    if (wizard_ == nullptr) {
      early = FindMessageBox(process_.dwProcessId, nullptr);
    }
    return wizard_ != nullptr || early != nullptr;
  });
  if (result == Wait::kDone && wizard_ != nullptr) {
    return true;
  }
  if (early != nullptr) {
    failure = "a message box appeared before the wizard: " + Quoted(MessageBoxText(early));
  } else {
    failure = result == Wait::kTimedOut ? "no wizard window within the timeout" : ProcessEnded();
  }
  return false;
}

bool StepRunner::ExpectAscii(std::string& failure) {
  if (wizard_ == nullptr) {
    failure = "no wizard yet (wait-wizard first)";
    return false;
  }
  for (HWND window : WindowAndDescendants(wizard_)) {
    if (ShowsPicture(window)) {
      continue;  // its "text" is the resource number of its bitmap or icon
    }
    const std::wstring text = WindowText(window);
    for (wchar_t c : text) {
      if (c >= 0x80) {
        failure = "control " + std::to_string(::GetDlgCtrlID(window)) + " shows " + Quoted(text) +
                  ", which is not ASCII";
        return false;
      }
    }
  }
  return true;
}

HWND StepRunner::NeedControl(int id, std::string& failure) {
  if (wizard_ == nullptr) {
    failure = "no wizard yet (wait-wizard first)";
    return nullptr;
  }
  HWND control = FindControl(wizard_, id);
  if (control == nullptr) {
    failure = "no control " + std::to_string(id) + " in the wizard";
  }
  return control;
}

bool StepRunner::ExpectState(const Step& step, std::string& failure) {
  HWND control = NeedControl(step.number, failure);
  if (control == nullptr) {
    return false;
  }
  const Wait result = WaitUntil([&] {
    control = FindControl(wizard_, step.number);
    return control != nullptr && HasState(control, step.state);
  });
  if (result == Wait::kDone) {
    return true;
  }
  if (result == Wait::kProcessEnded) {
    failure = ProcessEnded();
  } else {
    failure = control != nullptr ? "control is " + DescribeState(control) + BoxNote()
                                 : "the control disappeared";
  }
  return false;
}

bool StepRunner::ExpectText(const Step& step, std::string& failure) {
  return ExpectRead(step, WindowText, "text is ", failure);
}

// Waits until what `read` gives of the step's control equals the step's text.
bool StepRunner::ExpectRead(const Step& step, std::wstring (*read)(HWND), const char* what,
                            std::string& failure) {
  HWND control = NeedControl(step.number, failure);
  if (control == nullptr) {
    return false;
  }
  std::wstring text;
  const Wait result = WaitUntil([&] {
    control = FindControl(wizard_, step.number);
    text = control != nullptr ? read(control) : std::wstring();
    return control != nullptr && text == step.text;
  });
  if (result == Wait::kDone) {
    return true;
  }
  failure = result == Wait::kProcessEnded ? ProcessEnded() : what + Quoted(text) + BoxNote();
  return false;
}

// A user can click only a visible, enabled control, so the driver waits for both; the click is
// posted because a handler may open a modal box, which would block a sent message.
bool StepRunner::Click(const Step& step, std::string& failure) {
  HWND control = NeedControl(step.number, failure);
  if (control == nullptr) {
    return false;
  }
  const Wait result = WaitUntil([&] {
    control = FindControl(wizard_, step.number);
    return control != nullptr && ::IsWindowVisible(control) && ::IsWindowEnabled(control);
  });
  if (result != Wait::kDone) {
    failure = result == Wait::kProcessEnded
                  ? ProcessEnded()
                  : "cannot click: control is " + DescribeState(control) + BoxNote();
    return false;
  }
  ::PostMessageW(control, BM_CLICK, 0, 0);
  return true;
}

bool StepRunner::ExpectMessage(const Step& step, std::string& failure) {
  box_ = nullptr;
  const Wait result = WaitUntil([&] {
    box_ = FindMessageBox(process_.dwProcessId, wizard_);
    return box_ != nullptr;
  });
  if (result != Wait::kDone) {
    failure = result == Wait::kProcessEnded ? ProcessEnded() : "no message box within the timeout";
    return false;
  }
  const std::wstring text = MessageBoxText(box_);
  if (text != step.text) {
    failure = "the message box says " + Quoted(text);
    return false;
  }
  return true;
}

bool StepRunner::Answer(const Step& step, std::string& failure) {
  if (box_ == nullptr || !::IsWindow(box_)) {
    const Wait found = WaitUntil([&] {
      box_ = FindMessageBox(process_.dwProcessId, wizard_);
      return box_ != nullptr;
    });
    if (found != Wait::kDone) {
      failure = found == Wait::kProcessEnded ? ProcessEnded() : "no message box to answer";
      return false;
    }
  }
  HWND button = ::GetDlgItem(box_, step.number);
  if (button == nullptr) {
    failure = "the message box " + Quoted(MessageBoxText(box_)) + " has no such button";
    return false;
  }
  transcript_.Line("info", "answering " + Quoted(MessageBoxText(box_)));
  ::PostMessageW(button, BM_CLICK, 0, 0);
  HWND answered = box_;
  box_ = nullptr;
  const Wait gone =
      WaitUntil([&] { return !::IsWindow(answered) || !::IsWindowVisible(answered); });
  if (gone == Wait::kTimedOut) {
    failure = "the message box did not close";
    return false;
  }
  return true;
}

bool StepRunner::ExpectExit(const Step& step, std::string& failure) {
  HWND box = nullptr;
  const Wait result = WaitUntil([&] {
    box = FindMessageBox(process_.dwProcessId, wizard_);
    return box != nullptr;
  });
  if (result == Wait::kDone) {
    failure = "a message box is showing instead: " + Quoted(MessageBoxText(box));
    return false;
  }
  if (result == Wait::kTimedOut) {
    failure = "Setup.exe is still running";
    return false;
  }
  DWORD code = 0;
  ::GetExitCodeProcess(process_.hProcess, &code);
  if (step.hasNumber && code != static_cast<DWORD>(step.number)) {
    failure = ProcessEnded();
    return false;
  }
  return true;
}

// "time <name> <ms>": for benchmarks, milliseconds since Setup.exe was started, to 0.1 ms.
void StepRunner::Mark(const Step& step) {
  LARGE_INTEGER now{};
  LARGE_INTEGER frequency{};
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  const double ms = 1000.0 * static_cast<double>(now.QuadPart - started_.QuadPart) /
                    static_cast<double>(frequency.QuadPart);
  char text[64] = {};
  std::snprintf(text, sizeof(text), " %.1f", ms);
  transcript_.Line("time", ToUtf8(step.text) + text);
}

// A second run in the same prefix, once the first Setup.exe has ended, with its own arguments.
bool StepRunner::StartAgain(const Step& step, std::string& failure) {
  if (Running()) {
    failure = "Setup.exe is still running";
    return false;
  }
  ::CloseHandle(process_.hThread);
  ::CloseHandle(process_.hProcess);
  process_ = PROCESS_INFORMATION{};
  wizard_ = nullptr;
  box_ = nullptr;
  return StartSetup(step.text, failure);
}

// Another program holding a file open without sharing it, as a loaded DLL is held.
bool StepRunner::LockFile(const Step& step, std::string& failure) {
  HANDLE file = ::CreateFileW(step.text.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    failure = "cannot open the file, error " + std::to_string(::GetLastError());
    return false;
  }
  lockedFiles_.push_back(file);
  return true;
}

// An INI value changed behind the program's back, as a user or another program might.
bool StepRunner::WriteIni(const Step& step, std::string& failure) {
  if (!::WritePrivateProfileStringW(step.section.c_str(), step.key.c_str(), step.text.c_str(),
                                    step.file.c_str())) {
    failure = "WritePrivateProfileString failed with error " + std::to_string(::GetLastError());
    return false;
  }
  return true;
}

// The picture is taken outside Wine: the driver leaves <name>.request in the shots folder and
// waits for the runner to answer with <name>.done.
bool StepRunner::Screenshot(const Step& step, std::string& failure) {
  if (options_.shotsDir.empty()) {
    transcript_.Line("info", "no screenshot folder given; skipping " + ToUtf8(step.text));
    return true;
  }
  if (wizard_ != nullptr) {
    // Let the wizard handle what is queued (paint included) before the picture.
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(wizard_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kReplyMs, &ignored);
  }
  ::Sleep(300);
  const std::wstring base = options_.shotsDir + L"\\" + step.text;
  HANDLE request = ::CreateFileW((base + L".request").c_str(), GENERIC_WRITE, 0, nullptr,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (request == INVALID_HANDLE_VALUE) {
    failure = "cannot write the screenshot request, error " + std::to_string(::GetLastError());
    return false;
  }
  ::CloseHandle(request);
  const DWORD start = ::GetTickCount();
  while (!FileExists(base + L".done")) {
    if (::GetTickCount() - start >= kScreenshotMs) {
      failure = "the runner did not take the screenshot";
      return false;
    }
    ::Sleep(kPollMs);
  }
  return true;
}

// A user picks an entry: the list selects it and its dialog hears CBN_SELCHANGE. The
// notification is posted, since its handler may open a modal box.
bool StepRunner::Select(const Step& step, std::string& failure) {
  HWND list = NeedControl(step.number, failure);
  if (list == nullptr) {
    return false;
  }
  int index = -1;
  const Wait result = WaitUntil([&] {
    list = FindControl(wizard_, step.number);
    if (list == nullptr || !::IsWindowVisible(list) || !::IsWindowEnabled(list)) {
      return false;
    }
    const std::vector<std::wstring> entries = ComboEntries(list);
    for (size_t i = 0; i < entries.size(); ++i) {
      if (entries[i] == step.text) {
        index = static_cast<int>(i);
        return true;
      }
    }
    return false;
  });
  if (result != Wait::kDone) {
    failure = result == Wait::kProcessEnded
                  ? ProcessEnded()
                  : "cannot select: the list is " + DescribeState(list) + " with entries " +
                        Quoted(JoinEntries(ComboEntries(list))) + BoxNote();
    return false;
  }
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG,
                        kReplyMs, &ignored);
  ::PostMessageW(::GetParent(list), WM_COMMAND,
                 MAKEWPARAM(static_cast<WORD>(step.number), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
  return true;
}

bool StepRunner::ExpectSelected(const Step& step, std::string& failure) {
  return ExpectRead(step, ComboSelection, "the selected entry is ", failure);
}

bool StepRunner::ExpectEntries(const Step& step, std::string& failure) {
  return ExpectRead(
      step, [](HWND list) { return JoinEntries(ComboEntries(list)); }, "the entries are ", failure);
}

// F1 as the user presses it. For a real key press the system's input handling posts WM_KEYF1
// to the window with the focus, whose default handling asks for help (WM_HELP); a posted
// WM_KEYDOWN would not go that way, so the driver posts WM_KEYF1 itself.
bool StepRunner::PressF1(std::string& failure) {
  constexpr UINT kKeyF1 = 0x004D;  // WM_KEYF1, not in the SDK headers
  if (wizard_ == nullptr) {
    failure = "no wizard yet (wait-wizard first)";
    return false;
  }
  GUITHREADINFO thread{};
  thread.cbSize = sizeof(thread);
  const DWORD threadId = ::GetWindowThreadProcessId(wizard_, nullptr);
  HWND target = ::GetGUIThreadInfo(threadId, &thread) && thread.hwndFocus != nullptr
                    ? thread.hwndFocus
                    : wizard_;
  ::PostMessageW(target, kKeyF1, 0, 0);
  return true;
}

// Enter or Esc as the user presses it in a control: the key-down goes to the control with the
// focus, and the wizard's message loop gives it to the dialog manager (IsDialogMessage), which
// turns it into the default button's or Cancel's command unless something stops it. Posted
// after the steps before it, so that it is handled in order with the clicks that follow.
bool StepRunner::PressKey(const Step& step, std::string& failure) {
  HWND control = NeedControl(step.number, failure);
  if (control == nullptr) {
    return false;
  }
  const WPARAM key = step.text == L"enter" ? VK_RETURN : VK_ESCAPE;
  const UINT scanCode = ::MapVirtualKeyW(static_cast<UINT>(key), 0);
  ::PostMessageW(control, WM_KEYDOWN, key, 1 | (scanCode << 16));
  ::PostMessageW(control, WM_KEYUP, key, 1 | (scanCode << 16) | 0xC0000000u);
  return true;
}

bool StepRunner::ExpectWindows(const Step& step, std::string& failure) {
  int count = 0;
  const Wait result = WaitUntil([&] {
    count = CountTopLevelWindows(step.text);
    return count == step.number;
  });
  if (result == Wait::kDone) {
    return true;
  }
  failure = result == Wait::kProcessEnded
                ? ProcessEnded()
                : std::to_string(count) + " visible windows are titled " + Quoted(step.text);
  return false;
}

bool StepRunner::SysCommand(const Step& step, std::string& failure) {
  if (wizard_ == nullptr) {
    failure = "no wizard yet (wait-wizard first)";
    return false;
  }
  ::PostMessageW(wizard_, WM_SYSCOMMAND, static_cast<WPARAM>(step.number), 0);
  return true;
}

HWND StepRunner::WaitForDialog(const Step& step, std::string& failure) {
  HWND dialog = nullptr;
  const Wait found = WaitUntil([&] {
    dialog = FindDialog(process_.dwProcessId, step.text);
    return dialog != nullptr;
  });
  if (found != Wait::kDone) {
    failure = found == Wait::kProcessEnded ? ProcessEnded()
                                           : "no dialog " + Quoted(step.text) + BoxNote();
    return nullptr;
  }
  return dialog;
}

// Waits for a visible dialog of Setup.exe with that caption, clicks its button and waits until
// the dialog is gone.
bool StepRunner::DialogClick(const Step& step, std::string& failure) {
  HWND dialog = WaitForDialog(step, failure);
  if (dialog == nullptr) {
    return false;
  }
  HWND button = ::GetDlgItem(dialog, step.number);
  if (button == nullptr) {
    failure = "the dialog " + Quoted(step.text) + " has no control " + std::to_string(step.number);
    return false;
  }
  ::PostMessageW(button, BM_CLICK, 0, 0);
  const Wait gone = WaitUntil([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); });
  if (gone == Wait::kTimedOut) {
    failure = "the dialog " + Quoted(step.text) + " did not close";
    return false;
  }
  return true;
}

}  // namespace e2e
