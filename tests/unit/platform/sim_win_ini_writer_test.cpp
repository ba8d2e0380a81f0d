// The simulated win.ini writer (WriteProfileStringA): what it writes is read back by the
// reader, an existing entry is replaced in place, and the rest of the file keeps its bytes.
#include <gtest/gtest.h>

#include <string>

#include "platform/profile_reader_harness.h"

namespace platform::sim::testing {
namespace {

using namespace std::string_literals;

constexpr const char* kWinIni = "C:\\WINDOWS\\win.ini";

class WinIniWriter : public ProfileReaderTest {
 protected:
  std::string WinIni() const { return disk_.ReadFile(kWinIni).value_or("<missing>"); }
  std::string Read(const char* section, const char* key) {
    // A bare name is looked up in the Windows directory, as the program's win.ini reads are.
    return Ask(section, key, "<none>", 200, "win.ini").Text();
  }
};

TEST_F(WinIniWriter, AKeyWrittenIsReadBack) {
  ASSERT_TRUE(profile_.WriteProfileStringA("windows", "device", "M(S),winspool,KSCOM1:"));
  EXPECT_EQ(Read("windows", "device"), "M(S),winspool,KSCOM1:");
  EXPECT_EQ(WinIni(), "[windows]\r\ndevice=M(S),winspool,KSCOM1:\r\n");
}

TEST_F(WinIniWriter, WritingAnExistingKeyReplacesIt) {
  UseFile("[windows]\r\nload=\r\ndevice=Old,winspool,LPT1:\r\nrun=\r\n", kWinIni);
  ASSERT_TRUE(profile_.WriteProfileStringA("Windows", "DEVICE", "New,winspool,COM1:"));
  EXPECT_EQ(Read("windows", "device"), "New,winspool,COM1:");
  EXPECT_EQ(WinIni(), "[windows]\r\nload=\r\ndevice=New,winspool,COM1:\r\nrun=\r\n");
  const Answer keys = Ask("windows", nullptr, "", 100, "win.ini");
  EXPECT_EQ(keys.buffer.substr(0, keys.result + 1), "load\0device\0run\0\0"s);
}

TEST_F(WinIniWriter, EveryOtherByteOfTheFileStays) {
  const std::string before =
      "; written by hand\n[Ports]\nCOM1:=9600,n,8,1\n\n  [windows] \n  device = Old \n\n"
      "[Devices]\nOld=winspool,LPT1:";
  UseFile(before, kWinIni);
  ASSERT_TRUE(profile_.WriteProfileStringA("windows", "device", "New"));
  EXPECT_EQ(WinIni(),
            "; written by hand\n[Ports]\nCOM1:=9600,n,8,1\n\n  [windows] \n  device =New\n\n"
            "[Devices]\nOld=winspool,LPT1:");
}

TEST_F(WinIniWriter, ANewKeyJoinsItsSectionBeforeTheNextOne) {
  UseFile("[Ports]\r\nCOM1:=9600,n,8,1\r\n\r\n[Devices]\r\nX=y\r\n", kWinIni);
  ASSERT_TRUE(profile_.WriteProfileStringA("Ports", "COM2:", "19200,n,8,1"));
  EXPECT_EQ(WinIni(),
            "[Ports]\r\nCOM1:=9600,n,8,1\r\nCOM2:=19200,n,8,1\r\n\r\n[Devices]\r\nX=y\r\n");
  EXPECT_EQ(Read("Ports", "COM2:"), "19200,n,8,1");
  EXPECT_EQ(Read("Ports", "COM1:"), "9600,n,8,1");
}

TEST_F(WinIniWriter, ANewSectionIsAddedAtTheEnd) {
  UseFile("[Ports]\r\nCOM1:=9600", kWinIni);
  ASSERT_TRUE(profile_.WriteProfileStringA("windows", "device", "P"));
  EXPECT_EQ(WinIni(), "[Ports]\r\nCOM1:=9600\r\n[windows]\r\ndevice=P\r\n");
  EXPECT_EQ(Read("Ports", "COM1:"), "9600");
}

TEST_F(WinIniWriter, AKeyAddedToTheLastLineWithoutLineBreak) {
  UseFile("[windows]\r\nload=", kWinIni);
  ASSERT_TRUE(profile_.WriteProfileStringA("windows", "device", "P"));
  EXPECT_EQ(WinIni(), "[windows]\r\nload=\r\ndevice=P\r\n");
}

TEST_F(WinIniWriter, WritesGoToTheSectionTheReaderReads) {
  UseFile("[windows]\r\nA=1\r\n[windows]\r\ndevice=second copy\r\n", kWinIni);
  ASSERT_TRUE(profile_.WriteProfileStringA("windows", "device", "P"));
  EXPECT_EQ(Read("windows", "device"), "P");
}

TEST_F(WinIniWriter, ALineWithoutEqualsIsNotTakenForTheKey) {
  UseFile("[windows]\r\ndevice\r\n", kWinIni);
  ASSERT_TRUE(profile_.WriteProfileStringA("windows", "device", "P"));
  EXPECT_EQ(WinIni(), "[windows]\r\ndevice\r\ndevice=P\r\n");
  EXPECT_EQ(Read("windows", "device"), "P");
}

TEST_F(WinIniWriter, ANullValueDeletesTheKeyANullKeyTheSection) {
  UseFile("[windows]\r\ndevice=P\r\nload=\r\n[Ports]\r\nCOM1:=x\r\n", kWinIni);
  ASSERT_TRUE(profile_.WriteProfileStringA("windows", "device", nullptr));
  EXPECT_EQ(Read("windows", "device"), "<none>");
  EXPECT_EQ(Read("windows", "load"), "");
  ASSERT_TRUE(profile_.WriteProfileStringA("windows", nullptr, nullptr));
  EXPECT_EQ(WinIni(), "[Ports]\r\nCOM1:=x\r\n");
}

TEST_F(WinIniWriter, ANullSectionChangesNothing) {
  UseFile("[windows]\r\ndevice=P\r\n", kWinIni);
  EXPECT_FALSE(profile_.WriteProfileStringA(nullptr, "device", "Q"));
  EXPECT_EQ(WinIni(), "[windows]\r\ndevice=P\r\n");
}

TEST_F(WinIniWriter, AValueIsReadBackByTheReadersRules) {
  ASSERT_TRUE(profile_.WriteProfileStringA("S", "Quoted", "\"  kept  \""));
  ASSERT_TRUE(profile_.WriteProfileStringA("S", "Blanks", "  trimmed  "));
  EXPECT_EQ(Read("S", "Quoted"), "  kept  ");
  EXPECT_EQ(Read("S", "Blanks"), "trimmed");
}

}  // namespace
}  // namespace platform::sim::testing
