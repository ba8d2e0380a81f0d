// One run at a time: every run of the program (the wizard, an unattended installation, a
// removal) holds a named mutex while it lasts, so that two of them never change the same
// printers, drivers and files at once. A second run is told so and ends.
#pragma once

#include "platform/platform.h"

namespace app {

constexpr const char* kSingleRunMutex = "KestrelPrinterSetupRun";

class SingleRun {
 public:
  explicit SingleRun(platform::Platform& platform);
  ~SingleRun();
  SingleRun(const SingleRun&) = delete;
  SingleRun& operator=(const SingleRun&) = delete;

  // False when another run held the mutex first.
  bool first() const { return first_; }

  // Says that another run is in progress (unless quiet) and returns the exit code 1618.
  int RefuseSecondRun(bool quiet);

 private:
  platform::Platform& platform_;
  HANDLE mutex_;
  bool first_;
};

}  // namespace app
