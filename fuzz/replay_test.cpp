// Runs every fuzz target over its corpus in fuzz/corpus/<target>/, without libFuzzer, so that
// the ordinary test run covers what fuzzing found.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "fuzz/fuzz_target.h"

namespace fuzz {

std::map<std::string, Target>& Targets() {
  static std::map<std::string, Target> targets;
  return targets;
}

bool Register(const char* name, Target target) {
  Targets()[name] = target;
  return true;
}

}  // namespace fuzz

namespace {

namespace fs = std::filesystem;

class Replay : public ::testing::TestWithParam<std::string> {};

TEST_P(Replay, RunsTheWholeCorpus) {
  const fs::path folder = fs::path(SETUP_FUZZ_CORPUS) / GetParam();
  ASSERT_TRUE(fs::is_directory(folder)) << folder;
  int inputs = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    SCOPED_TRACE(entry.path().string());
    fuzz::Targets().at(GetParam())(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
    ++inputs;
  }
  EXPECT_GT(inputs, 0) << "an empty corpus replays nothing";
}

// Named here rather than taken from the registrations, which static initialisation may not have
// made yet when the suite is instantiated.
INSTANTIATE_TEST_SUITE_P(Corpus, Replay,
                         ::testing::Values("ini_reader", "family_suffix", "usb_port_name",
                                           "dependent_list", "serial_settings", "records",
                                           "code_page", "port_entry", "pkgcheck"),
                         [](const auto& info) { return info.param; });

}  // namespace
