// A run log kept in memory, for the tests of runs without windows.
#pragma once

#include <string>
#include <vector>

#include "unattended/run_log.h"

namespace unattended_test {

class MemoryLog final : public unattended::RunLog {
 public:
  void Line(const std::string& text) override { lines.push_back(text); }
  bool Has(const std::string& part) const {
    for (const std::string& line : lines) {
      if (line.find(part) != std::string::npos) {
        return true;
      }
    }
    return false;
  }
  std::string All() const {
    std::string all;
    for (const std::string& line : lines) {
      all += line + "\n";
    }
    return all;
  }
  std::vector<std::string> lines;
};

}  // namespace unattended_test
