// The simulated profile reader on input no one should write: very long lines, values far
// longer than the buffer, NUL bytes, random bytes. Whatever the file holds, the reader must
// not crash, must not write one byte past the caller's buffer, and must hand back either a
// piece of the file or of the default, terminated where its result says.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "platform/profile_reader_harness.h"

namespace platform::sim::testing {
namespace {

using namespace std::string_literals;

class ProfileReaderBadInput : public ProfileReaderTest {
 protected:
  // Server 2003 ends every cut name list with two NULs; the last byte NT 4 to XP leave alone
  // in an exactly filled section list is pinned by the rules suite.
  void SetUp() override { UseVersion(VER_PLATFORM_WIN32_NT, 5, 2); }

  // Asks once into a heap block of exactly size bytes (AddressSanitizer stops a write past it)
  // and once through the guarded buffer, and checks what any answer must satisfy.
  void AskAndCheck(const std::string& file, const char* section, const char* key,
                   const char* defaultValue, DWORD size) {
    SCOPED_TRACE(::testing::Message()
                 << "size " << size << ", section " << (section ? section : "NULL") << ", key "
                 << (key ? key : "NULL"));
    std::unique_ptr<char[]> exact(new char[size == 0 ? 1 : size]);
    profile_.GetPrivateProfileStringA(section, key, defaultValue, exact.get(), size, kIniPath);

    const Answer answer = Ask(section, key, defaultValue, size);
    ASSERT_TRUE(answer.GuardIntact());
    if (size == 0) {
      EXPECT_EQ(answer.result, 0u);
      return;
    }
    ASSERT_LT(answer.result, size);
    ASSERT_EQ(answer.buffer[answer.result], '\0');
    if (section == nullptr) {
      // A name list: whole, with its last name terminated, or cut to size - 2 bytes and ended
      // by two NULs.
      const bool whole = answer.result == 0 || answer.buffer[answer.result - 1] == '\0';
      const bool cut = answer.result + 2 == size && answer.buffer[size - 1] == '\0';
      EXPECT_TRUE(whole || cut) << ::testing::PrintToString(answer.buffer);
      return;
    }
    const std::string text = answer.buffer.substr(0, answer.result);
    if (key == nullptr) {
      return;  // a key list or the default; its shape is checked in the rules suite
    }
    EXPECT_EQ(text.find('\0'), std::string::npos);
    const std::string fallback = defaultValue == nullptr ? "" : defaultValue;
    EXPECT_TRUE(file.find(text) != std::string::npos || fallback.find(text) != std::string::npos)
        << "the answer is neither from the file nor from the default: "
        << ::testing::PrintToString(text);
  }

  // Every kind of question, at the sizes where cutting goes wrong first.
  void AskEverything(const std::string& file) {
    UseFile(file);
    for (DWORD size : {0u, 1u, 2u, 3u, 7u, 64u}) {
      AskAndCheck(file, "Sec", "key", "0", size);
      AskAndCheck(file, "sec", "KEY", "dflt   ", size);
      AskAndCheck(file, " Sec ", "\"q\"", nullptr, size);
      AskAndCheck(file, "Sec", nullptr, "dflt", size);
      AskAndCheck(file, nullptr, nullptr, "0", size);
    }
  }
};

TEST_F(ProfileReaderBadInput, AVeryLongLineIsReadWhole) {
  const std::string value(1 << 20, 'v');
  UseFile("[Sec]\r\nkey=" + value + "\r\nafter=still read\r\n");
  const Answer small = Ask("Sec", "key", "0", 100);
  EXPECT_EQ(small.result, 99u);
  EXPECT_EQ(small.Text(), value.substr(0, 99));
  EXPECT_TRUE(small.GuardIntact());
  const Answer whole = Ask("Sec", "key", "0", static_cast<DWORD>(value.size() + 1));
  EXPECT_EQ(whole.result, value.size());
  EXPECT_EQ(Value("Sec", "after"), "still read");
}

TEST_F(ProfileReaderBadInput, ManyLinesAndALongHeader) {
  std::string file = "[" + std::string(70000, 'S') + "]\r\n";
  for (int i = 0; i < 5000; ++i) {
    file += "k" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
  }
  UseFile(file);
  EXPECT_EQ(Value(std::string(70000, 's').c_str(), "k4999"), "4999");
  AskEverything(file);
}

TEST_F(ProfileReaderBadInput, ValuesFarLongerThanTheBufferAtTheSmallestSizes) {
  AskEverything("[Sec]\r\nkey=" + std::string(10000, 'x') + "\r\nKEY=\"" +
                std::string(5000, '\xB4') + "\"\r\n");
  AskEverything("[" + std::string(3000, 'N') + "]\r\n[Sec]\r\n" + std::string(4000, 'k') +
                "=1\r\n");
}

TEST_F(ProfileReaderBadInput, NulBytesAnywhere) {
  AskEverything("\0\0\0"s);
  AskEverything("[Sec\0]\r\nkey\0=\0v\r\n\0[Sec]\r\nkey=\"\0\"\r\n"s);
  AskEverything("[Sec]\r\nkey=" + std::string(300, '\0') + "\r\n");
}

TEST_F(ProfileReaderBadInput, DegenerateShapes) {
  for (const std::string& file :
       {""s, "["s, "]"s, "="s, "[]"s, "[=]"s, "\r\n\r\n"s, "[Sec]"s, "[Sec]\r\nkey"s,
        "[Sec]\r\nkey="s, "[Sec]\r\nkey=\""s, "[Sec]\r\n=\r\n=\r\n"s, "\x1a\x1a\x1a"s,
        "[Sec]\r\nkey=\x81"s, "\xEF\xBB\xBF"s, "\xFF\xFE[\0S\0]\0"s}) {
    SCOPED_TRACE(::testing::PrintToString(file));
    AskEverything(file);
  }
}

TEST_F(ProfileReaderBadInput, RandomBytes) {
  std::mt19937 random(20240521);
  std::uniform_int_distribution<int> length(0, 400);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 400; ++round) {
    std::string file(static_cast<size_t>(length(random)), '\0');
    for (char& c : file) {
      c = static_cast<char>(byte(random));
    }
    SCOPED_TRACE(round);
    AskEverything(file);
  }
}

TEST_F(ProfileReaderBadInput, RandomIniShapedFiles) {
  // Pieces that mean something to the reader, shuffled, so that headers, entries, quotes and
  // the asked names occur often and in every odd combination.
  const char* pieces[] = {"[",
                          "]",
                          "=",
                          "\r\n",
                          "\n",
                          "\r",
                          " ",
                          "\t",
                          "\"",
                          "'",
                          ";",
                          "#",
                          "\0",
                          "\x1a",
                          "\x81",
                          "\xB4\xF2",
                          "\xA1",
                          "Sec",
                          "sec",
                          "key",
                          "KEY",
                          "q",
                          "[Sec]",
                          "key=",
                          "\xFF",
                          "\x0b",
                          "0",
                          "dflt",
                          "\r\n[Sec]\r\nkey=\"v\"\r\n"};
  std::mt19937 random(7);
  std::uniform_int_distribution<size_t> pick(0, std::size(pieces) - 1);
  std::uniform_int_distribution<int> count(0, 60);
  for (int round = 0; round < 600; ++round) {
    std::string file;
    for (int i = count(random); i > 0; --i) {
      const char* piece = pieces[pick(random)];
      file += piece[0] == '\0' ? "\0"s : std::string(piece);
    }
    SCOPED_TRACE(::testing::PrintToString(file));
    AskEverything(file);
  }
}

}  // namespace
}  // namespace platform::sim::testing
