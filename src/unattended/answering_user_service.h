// The user service of a run without windows: no box appears. Each message goes to the log
// with its message-table id, and the two questions get the answers given in advance.
#pragma once

#include <string>
#include <vector>

#include "platform/user_service.h"
#include "unattended/run_log.h"

namespace unattended {

struct QuestionAnswers {
  bool renumberUsb = false;  // the question whether to renumber the attached USB printer
  bool restartNow = false;   // the restart question after a Windows 98/Me installation
};

class AnsweringUserService final : public platform::UserService {
 public:
  // `strings` supplies the string table (the program's resources).
  AnsweringUserService(platform::UserService& strings, RunLog& log, QuestionAnswers answers)
      : strings_(strings), log_(log), answers_(answers) {}

  int MessageBoxA(LPCSTR text, LPCSTR caption, UINT type) override;
  int LoadStringA(UINT id, LPSTR out, int size) override;

  // The messages of the table shown that say a step failed, as logged.
  const std::vector<std::string>& failureMessages() const { return failures_; }

 private:
  // The message-table id whose text this is, or 0 for a literal.
  unsigned MessageId(const std::string& text);

  platform::UserService& strings_;
  RunLog& log_;
  QuestionAnswers answers_;
  std::vector<std::string> failures_;
};

}  // namespace unattended
