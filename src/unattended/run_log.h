// The log of a run without windows: the steps taken, the answers read, every message the
// wizard would have shown, and the result. The program's texts are in the ANSI code page; the
// log's writer stamps each line with the time and writes it in UTF-8.
#pragma once

#include <string>

namespace unattended {

class RunLog {
 public:
  virtual ~RunLog() = default;
  virtual void Line(const std::string& text) = 0;
};

// The run's last line, "result: 0 (installed)"; returns the code.
inline int LogResult(RunLog& log, int code, const std::string& meaning) {
  log.Line("result: " + std::to_string(code) + " (" + meaning + ")");
  return code;
}

}  // namespace unattended
