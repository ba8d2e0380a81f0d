// Runs Setup.exe and executes the scenario's steps against it, one after the other, each with
// a deadline. The first failing step ends the run and Setup.exe with it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "step_file.h"
#include "transcript.h"

namespace e2e {

struct RunOptions {
  std::wstring setupPath;   // Setup.exe to start
  std::wstring workingDir;  // its current directory (the package folder)
  std::wstring shotsDir;    // where screenshot requests go; empty: screenshots are skipped
  std::wstring arguments;   // Setup.exe's command line after its name
};

class StepRunner {
 public:
  StepRunner(Transcript& transcript, RunOptions options);
  StepRunner(const StepRunner&) = delete;
  StepRunner& operator=(const StepRunner&) = delete;
  ~StepRunner();

  // Starts Setup.exe, runs every step and returns whether all passed. Setup.exe is killed when
  // a step fails or when it is still running after the last step.
  bool Run(const std::vector<Step>& steps);

 private:
  enum class Wait { kDone, kTimedOut, kProcessEnded };

  bool StartSetup(const std::wstring& arguments, std::string& failure);
  bool Execute(const Step& step, std::string& failure);
  // Polls `done` until it returns true, the step's deadline passes or Setup.exe ends.
  Wait WaitUntil(const std::function<bool()>& done) const;
  bool Running() const;
  std::string ProcessEnded() const;
  std::string BoxNote() const;

  bool WaitWizard(const Step& step, std::string& failure);
  bool ExpectAscii(std::string& failure);
  bool ExpectState(const Step& step, std::string& failure);
  bool ExpectText(const Step& step, std::string& failure);
  bool ExpectRead(const Step& step, std::wstring (*read)(HWND), const char* what,
                  std::string& failure);
  bool Click(const Step& step, std::string& failure);
  bool ExpectMessage(const Step& step, std::string& failure);
  bool Answer(const Step& step, std::string& failure);
  bool ExpectExit(const Step& step, std::string& failure);
  bool Screenshot(const Step& step, std::string& failure);
  bool Select(const Step& step, std::string& failure);
  bool ExpectSelected(const Step& step, std::string& failure);
  bool ExpectEntries(const Step& step, std::string& failure);
  bool PressF1(std::string& failure);
  bool PressKey(const Step& step, std::string& failure);
  bool ExpectWindows(const Step& step, std::string& failure);
  bool SysCommand(const Step& step, std::string& failure);
  bool DialogClick(const Step& step, std::string& failure);
  HWND WaitForDialog(const Step& step, std::string& failure);
  bool StartAgain(const Step& step, std::string& failure);
  bool LockFile(const Step& step, std::string& failure);
  bool WriteIni(const Step& step, std::string& failure);
  void Mark(const Step& step);
  HWND NeedControl(int id, std::string& failure);

  Transcript& transcript_;
  RunOptions options_;
  PROCESS_INFORMATION process_{};
  LARGE_INTEGER started_{};  // when Setup.exe was last started (performance counter)
  DWORD timeoutMs_ = 5000;
  HWND wizard_ = nullptr;
  HWND box_ = nullptr;
  // Files that lock-file holds open until the driver ends.
  std::vector<HANDLE> lockedFiles_;
};

}  // namespace e2e
