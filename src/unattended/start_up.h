// How every run of Setup.exe begins, before anything reads a file. First the command line's
// relative paths are made full against the folder that was current when the program started,
// so that they keep meaning what the user typed. Then the program's own folder becomes the
// current folder, so that the INI files beside the program, the driver folders, the monitor and
// processor sources and the help file all come from the one package, however the program was
// started (a shortcut's "Start in", a start-up script in the system folder, a deployment tool).
#pragma once

#include <string>

#include "platform/file_service.h"
#include "unattended/command_line.h"

namespace unattended {

// What the start left for the run to report.
struct StartState {
  std::string logProblem;     // why the log cannot be written; empty when it can
  std::string folderFailure;  // why the program's folder is not the current one; empty if it is
};

struct StartUp {
  CommandLine line;
  StartState state;
};

// The start, in this order: the arguments (WinMain's lpCmdLine) read, their relative paths
// resolved against the starting folder, the program's folder made the current folder. Only
// then may the package be read.
StartUp BeginRun(platform::FileService& files, const std::string& arguments);

// /answers: and /log: made full paths; a path that cannot be resolved sets the line's error.
void ResolveRelativePaths(platform::FileService& files, CommandLine& line);

// Makes the folder of the program file the current folder; false with the reason when it cannot
// be (a path too long, a network folder the system refuses).
bool EnterProgramFolder(platform::FileService& files, std::string& failure);

}  // namespace unattended
