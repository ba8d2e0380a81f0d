// e2e_driver.exe: the Windows side of the end-to-end bench. Starts Setup.exe, drives it by
// control id through the steps of a step file and writes a transcript. Exit code 0 when every
// step passed, 1 when one failed, 2 when the command line or the step file is wrong.
//
//   e2e_driver.exe --setup C:\pkg\Setup.exe --dir C:\pkg --steps C:\e2e\steps.txt
//                  --transcript C:\e2e\transcript.txt [--shots C:\e2e\shots]
//                  [--args "Setup.exe's arguments"]
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "step_file.h"
#include "step_runner.h"
#include "transcript.h"

namespace {

struct Arguments {
  e2e::RunOptions run;
  std::wstring steps;
  std::wstring transcript;
};

bool ParseArguments(int argc, wchar_t** argv, Arguments& arguments) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::wstring name = argv[i];
    const std::wstring value = argv[i + 1];
    if (name == L"--setup") {
      arguments.run.setupPath = value;
    } else if (name == L"--dir") {
      arguments.run.workingDir = value;
    } else if (name == L"--steps") {
      arguments.steps = value;
    } else if (name == L"--transcript") {
      arguments.transcript = value;
    } else if (name == L"--args") {
      arguments.run.arguments = value;
    } else if (name == L"--shots") {
      arguments.run.shotsDir = value;
    } else {
      return false;
    }
  }
  return argc % 2 == 1 && !arguments.run.setupPath.empty() && !arguments.run.workingDir.empty() &&
         !arguments.steps.empty() && !arguments.transcript.empty();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Arguments arguments;
  if (!ParseArguments(argc, argv, arguments)) {
    std::fputs(
        "usage: e2e_driver --setup EXE --dir DIR --steps FILE --transcript FILE [--shots DIR]\n",
        stderr);
    return 2;
  }
  e2e::Transcript transcript;
  if (!transcript.Open(arguments.transcript)) {
    std::fputs("e2e_driver: cannot write the transcript\n", stderr);
    return 2;
  }
  std::vector<e2e::Step> steps;
  std::string error;
  if (!e2e::ReadStepFile(arguments.steps, steps, error)) {
    transcript.Line("FAIL", error);
    transcript.Line("RESULT", "FAIL");
    return 2;
  }
  e2e::StepRunner runner(transcript, arguments.run);
  const bool passed = runner.Run(steps);
  transcript.Line("RESULT", passed ? "PASS" : "FAIL");
  return passed ? 0 : 1;
}
