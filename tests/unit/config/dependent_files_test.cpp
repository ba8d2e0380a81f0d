#include "config/dependent_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Entries(const char* list) {
  std::vector<std::string> entries;
  for (const char* p = list; *p != '\0'; p += entries.back().size() + 1) {
    entries.emplace_back(p);
  }
  return entries;
}

TEST(BuildUnidrvDependents, ListsTheGivenFilesInOrder) {
  const std::vector<std::string> fixed = {"A.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD"};
  const auto with = [&](std::vector<std::string> more) {
    std::vector<std::string> all = fixed;
    all.insert(all.end(), more.begin(), more.end());
    return all;
  };
  const struct {
    const char* oemDll;
    const char* oemIni;
    std::vector<std::string> expected;
  } cases[] = {
      {"OEM.DLL", "OEM.INI", with({"OEM.DLL", "OEM.INI"})},
      {"0", "X.INI", with({"X.INI"})},
      {"0", "0", fixed},
      // An empty value used to add an empty entry, which ended the list before the OEM INI.
      {"", "OEM.INI", with({"OEM.INI"})},
      {"OEM.DLL", "", with({"OEM.DLL"})},
  };
  for (const auto& c : cases) {
    char list[300];
    EXPECT_TRUE(config::BuildUnidrvDependents("A.GPD", c.oemDll, c.oemIni, list, sizeof(list)));
    EXPECT_EQ(Entries(list), c.expected) << c.oemDll << " " << c.oemIni;
  }
}

TEST(BuildUnidrvDependents, AnEmptyDataFileAddsNoEntry) {
  char list[100];
  config::BuildUnidrvDependents("", "0", "0", list, sizeof(list));
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD"}));
}

TEST(BuildUnidrvDependents, WhatDoesNotFitIsLeftOutAndTheListStaysClosed) {
  // "A.GPD" TTFSUB.GPD UNIRES.DLL take 6 + 11 + 11 bytes; STDNAMES.GPD would need 13 more.
  char list[40];
  std::fill(std::begin(list), std::end(list), 'x');
  EXPECT_FALSE(config::BuildUnidrvDependents("A.GPD", "OEM.DLL", "0", list, sizeof(list)));
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"A.GPD", "TTFSUB.GPD", "UNIRES.DLL"}));
  EXPECT_EQ(list[28], '\0');
  EXPECT_EQ(list[29], '\0');
}

}  // namespace
