// The simulated profile reader's rules, each as Windows applies them to an ANSI file and an
// ANSI call. tests/ini_conformance checks the same rules against the real reader under Wine;
// its README says which of Windows' answers Wine's kernel32/tests/profile.c records and which
// are assumptions.
#include "platform/sim/sim_profile_service.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/profile_reader_harness.h"

namespace platform::sim::testing {
namespace {

using namespace std::string_literals;

// "打印机驱动安装成功" (the printer driver was installed successfully) in code page 936: nine
// double-byte characters.
const std::string kSuccessGbk =
    "\xB4\xF2\xD3\xA1\xBB\xFA\xC7\xFD\xB6\xAF\xB0\xB2\xD7\xB0\xB3\xC9\xB9\xA6";

// --- names -----------------------------------------------------------------------------------

class ProfileReaderNames : public ProfileReaderTest {};

TEST_F(ProfileReaderNames, MatchWithoutRegardToAsciiCase) {
  UseFile("[MixedCase]\r\nKeyName=mixed\r\n[UPPER]\r\nlower=x\r\n");
  EXPECT_EQ(Value("mixedcase", "KEYNAME"), "mixed");
  EXPECT_EQ(Value("Upper", "LOWER"), "x");
}

TEST_F(ProfileReaderNames, BytesBeyondAsciiMustMatchExactly) {
  // Full-width "ＡＢＣ" and "ａｂｃ" differ only in case as Unicode, not as ANSI bytes.
  UseFile("[\xA3\xC1\xA3\xC2\xA3\xC3]\r\nKey=full\r\n[S]\r\n\xBC\xFC\xC3\xFB=gbk key\r\n");
  EXPECT_EQ(Value("\xA3\xC1\xA3\xC2\xA3\xC3", "Key"), "full");
  EXPECT_EQ(Value("\xA3\xE1\xA3\xE2\xA3\xE3", "Key"), "0");
  EXPECT_EQ(Value("S", "\xBC\xFC\xC3\xFB"), "gbk key");
}

TEST_F(ProfileReaderNames, BlanksAroundNamesInTheFileAreIgnored) {
  UseFile("  [  Spaced Section\t]  \r\n\t Key \t=  v\r\n[Plain]   \r\nK=w\r\n");
  EXPECT_EQ(Value("Spaced Section", "Key"), "v");
  EXPECT_EQ(Value("Plain", "K"), "w");
}

TEST_F(ProfileReaderNames, BlanksAroundNamesInTheQuestionAreIgnored) {
  UseFile("[Main]\r\nPlain=value\r\n");
  EXPECT_EQ(Value("  Main\t", " Plain "), "value");
  EXPECT_EQ(Value("Main", "Plain\r\n"), "value");
}

TEST_F(ProfileReaderNames, InnerBlanksMustMatch) {
  UseFile("[Inner  Blank]\r\nInner Key=v\r\n");
  EXPECT_EQ(Value("Inner  Blank", "Inner Key"), "v");
  EXPECT_EQ(Value("Inner Blank", "Inner Key"), "0");
  EXPECT_EQ(Value("Inner  Blank", "InnerKey"), "0");
}

TEST_F(ProfileReaderNames, OnlyTheFirstSectionOfANameIsSearched) {
  UseFile("[Dup]\r\nFirst=one\r\n[Other]\r\nX=1\r\n[Dup]\r\nSecond=two\r\n[DUP]\r\nThird=3\r\n");
  EXPECT_EQ(Value("Dup", "First"), "one");
  EXPECT_EQ(Value("Dup", "Second"), "0");
  EXPECT_EQ(Value("dup", "Third"), "0");
}

TEST_F(ProfileReaderNames, TheFirstEntryOfANameWins) {
  UseFile("[Dup]\r\nSame=first\r\nSAME=second\r\nsame=third\r\n");
  EXPECT_EQ(Value("Dup", "same"), "first");
}

TEST_F(ProfileReaderNames, LinesBeforeTheFirstHeaderBelongToNoSection) {
  UseFile("Before=x\r\n[Main]\r\nAfter=y\r\n");
  EXPECT_EQ(Value("Main", "Before"), "0");
  EXPECT_EQ(Value("Main", "After"), "y");
}

TEST_F(ProfileReaderNames, ALineWithoutEqualsIsNoEntry) {
  UseFile("[Main]\r\nBare\r\nShadow\r\nShadow=real value\r\n");
  EXPECT_EQ(Ask("Main", "Bare", "dflt", 50).Text(), "dflt");
  EXPECT_EQ(Value("Main", "Shadow"), "real value");
}

TEST_F(ProfileReaderNames, CommentLinesAreOrdinaryEntries) {
  UseFile("[Main]\r\n;Comment=commented\r\n#Hash=hashed\r\nTrailing=v ; not a comment\r\n");
  EXPECT_EQ(Value("Main", ";Comment"), "commented");
  EXPECT_EQ(Value("Main", "Comment"), "0");
  EXPECT_EQ(Value("Main", "#Hash"), "hashed");
  EXPECT_EQ(Value("Main", "Trailing"), "v ; not a comment");
}

TEST_F(ProfileReaderNames, AHeaderWithoutClosingBracketIsAnOrdinaryLine) {
  UseFile("[Good]\r\nA=1\r\n[Broken\r\nB=2\r\n[Broken=3\r\n");
  EXPECT_EQ(Value("Good", "B"), "2");
  EXPECT_EQ(Value("Broken", "B"), "0");
  EXPECT_EQ(Value("Good", "[Broken"), "3");
}

TEST_F(ProfileReaderNames, AHeaderNameRunsToTheLastClosingBracket) {
  UseFile("[Commented] ; a note\r\nE=5\r\n[Trail]ing=text\r\nD=4\r\n[Nested]Inner]\r\nF=6\r\n");
  EXPECT_EQ(Value("Commented", "E"), "5");
  EXPECT_EQ(Value("Trail", "D"), "4");
  EXPECT_EQ(Value("Nested]Inner", "F"), "6");
  EXPECT_EQ(Value("Nested", "F"), "0");
}

TEST_F(ProfileReaderNames, NamesEndAtANulByte) {
  UseFile("[S\0ection]\r\nKey\0Hidden=value\r\n"s);
  EXPECT_EQ(Value("S", "Key"), "value");
  EXPECT_EQ(Value("S", "KeyHidden"), "0");
}

TEST_F(ProfileReaderNames, EmptyOrBlankNamesFindNothing) {
  // "=x" lines and lines before any header must not answer an empty name.
  UseFile("=before\r\n[S]\r\n=nameless\r\n  =  again\r\nKey=found\r\n");
  EXPECT_EQ(Ask("S", "", "dflt", 50).Text(), "dflt");
  EXPECT_EQ(Ask("S", "   ", "dflt", 50).Text(), "dflt");
  EXPECT_EQ(Ask("", "", "dflt", 50).Text(), "dflt");
  EXPECT_EQ(Ask(" \t", "Key", "dflt", 50).Text(), "dflt");
  EXPECT_EQ(Value("S", "Key"), "found");
}

// --- values ----------------------------------------------------------------------------------

class ProfileReaderValues : public ProfileReaderTest {};

TEST_F(ProfileReaderValues, BlanksAroundTheValueAreTrimmedInnerOnesKept) {
  UseFile(
      "[Main]\r\nA=  spaced value  \r\nB=\tvalue\twith\ttabs\t\r\n"
      "C=\x0bvt\x0b\r\nD=\x0c"
      "ff\x0c\r\nE=\x1a"
      "dos end\x1a\r\n");
  EXPECT_EQ(Value("Main", "A"), "spaced value");
  EXPECT_EQ(Value("Main", "B"), "value\twith\ttabs");
  EXPECT_EQ(Value("Main", "C"), "vt");
  EXPECT_EQ(Value("Main", "D"), "ff");
  EXPECT_EQ(Value("Main", "E"), "dos end");
}

TEST_F(ProfileReaderValues, TheIdeographicSpaceIsNoBlank) {
  // GBK A1 A1 is a full-width space; Windows trims only the ASCII blanks of an ANSI file (as
  // Wine does, measured; no test records Windows).
  UseFile("[S]\r\nEnd=\xB4\xF2\xA1\xA1\r\nStart=\xA1\xA1\xB4\xF2\r\n");
  EXPECT_EQ(Value("S", "End"), "\xB4\xF2\xA1\xA1");
  EXPECT_EQ(Value("S", "Start"), "\xA1\xA1\xB4\xF2");
}

TEST_F(ProfileReaderValues, OnePairOfMatchingQuotesIsRemoved) {
  UseFile(
      "[Q]\r\nD=\"double quoted\"\r\nS='single quoted'\r\nP=\"  keeps blanks  \"\r\n"
      "E=\"\"\r\nT=\"\"\"\r\nTwo=\"a\" \"b\"\r\n");
  EXPECT_EQ(Value("Q", "D"), "double quoted");
  EXPECT_EQ(Value("Q", "S"), "single quoted");
  EXPECT_EQ(Value("Q", "P"), "  keeps blanks  ");
  EXPECT_EQ(Value("Q", "E"), "");
  EXPECT_EQ(Value("Q", "T"), "\"");
  EXPECT_EQ(Value("Q", "Two"), "a\" \"b");
}

TEST_F(ProfileReaderValues, UnmatchedQuotesStay) {
  UseFile("[Q]\r\nOpen=\"no closing\r\nClose=no opening'\r\nMixed=\"mixed'\r\nLone=\"\r\n");
  EXPECT_EQ(Value("Q", "Open"), "\"no closing");
  EXPECT_EQ(Value("Q", "Close"), "no opening'");
  EXPECT_EQ(Value("Q", "Mixed"), "\"mixed'");
  EXPECT_EQ(Value("Q", "Lone"), "\"");
}

TEST_F(ProfileReaderValues, AnEmptyValueIsEmptyNotTheDefault) {
  UseFile("[Main]\r\nEmpty=\r\nBlank=   \r\n");
  const Answer empty = Ask("Main", "Empty", "dflt", 50);
  EXPECT_EQ(empty.result, 0u);
  EXPECT_EQ(empty.buffer[0], '\0');
  EXPECT_EQ(Ask("Main", "Blank", "dflt", 50).Text(), "");
}

TEST_F(ProfileReaderValues, EverythingAfterTheFirstEqualsIsTheValue) {
  UseFile("[Main]\r\nEquals=a=b=c\r\nBracket=[not a section]\r\n");
  EXPECT_EQ(Value("Main", "Equals"), "a=b=c");
  EXPECT_EQ(Value("Main", "Bracket"), "[not a section]");
}

TEST_F(ProfileReaderValues, LinesEndAtCrOrLf) {
  const char* files[] = {
      "[E]\r\nFirst=1\r\n[T]\r\nLast=last\r\n", "[E]\nFirst=1\n[T]\nLast=last\n",
      "[E]\rFirst=1\r[T]\rLast=last\r",         "[E]\r\nFirst=1\n\r\r\n[T]\n\rLast=last",
      "[E]\r\nFirst=1\r\n[T]\r\nLast=last",
  };
  for (const char* file : files) {
    SCOPED_TRACE(::testing::PrintToString(std::string(file)));
    UseFile(file);
    EXPECT_EQ(Value("E", "First"), "1");
    EXPECT_EQ(Value("T", "Last"), "last");
  }
}

TEST_F(ProfileReaderValues, AValueEndsAtANulByte) {
  UseFile("[Nul]\r\nInside=ab\0cd\r\nAfter=ok\r\n"s);
  const Answer answer = Ask("Nul", "Inside", "0", 50);
  EXPECT_EQ(answer.result, 2u);
  EXPECT_EQ(answer.Text(), "ab");
  EXPECT_EQ(Value("Nul", "After"), "ok");
}

TEST_F(ProfileReaderValues, FileBytesComeBackUnconverted) {
  // Bytes that are no GBK character come back as they are (Windows does not convert an ANSI
  // file for an ANSI call, an assumption no test records), and a lead byte does not swallow
  // the byte after it.
  UseFile(
      "[Bad]\r\nLoneLead=abc\x81\r\nLeadBlank=ab\x81 cd\r\nLead\x81=x\r\nFF=ab\xFF"
      "cd\r\n");
  EXPECT_EQ(Value("Bad", "LoneLead"), "abc\x81");
  EXPECT_EQ(Value("Bad", "LeadBlank"), "ab\x81 cd");
  EXPECT_EQ(Value("Bad", "Lead\x81"), "x");
  EXPECT_EQ(Value("Bad", "FF"),
            "ab\xFF"
            "cd");
}

TEST_F(ProfileReaderValues, AUtf8ByteOrderMarkIsJustThreeBytes) {
  // The mark spoils the first header line; the value stays UTF-8.
  UseFile("\xEF\xBB\xBF[Main]\r\nKey=abc\r\n[Second]\r\nChinese=\xE6\x89\x93\r\n");
  EXPECT_EQ(Value("Main", "Key"), "0");
  EXPECT_EQ(Value("Second", "Chinese"), "\xE6\x89\x93");
}

// --- the caller's buffer ---------------------------------------------------------------------

class ProfileReaderBuffer : public ProfileReaderTest {
 protected:
  void SetUp() override { UseFile("[Long]\r\nText=0123456789ABCDEFGHIJ\r\n"); }
};

TEST_F(ProfileReaderBuffer, SizeZeroWritesNothing) {
  const Answer answer = Ask("Long", "Text", "0", 0);
  EXPECT_EQ(answer.result, 0u);
  EXPECT_TRUE(answer.GuardIntact());
  EXPECT_EQ(profile_.GetPrivateProfileStringA("Long", "Text", "0", nullptr, 10, kIniPath), 0u);
}

TEST_F(ProfileReaderBuffer, SizeOneGivesAnEmptyText) {
  const Answer answer = Ask("Long", "Text", "0", 1);
  EXPECT_EQ(answer.result, 0u);
  EXPECT_EQ(answer.buffer, std::string(1, '\0'));
  EXPECT_TRUE(answer.GuardIntact());
}

TEST_F(ProfileReaderBuffer, SizeTwoGivesOneByte) {
  const Answer answer = Ask("Long", "Text", "0", 2);
  EXPECT_EQ(answer.result, 1u);
  EXPECT_EQ(answer.buffer, "0\0"s);
  EXPECT_TRUE(answer.GuardIntact());
}

TEST_F(ProfileReaderBuffer, AValueIsCutToSizeMinusOne) {
  struct Case {
    DWORD size;
    const char* text;
  };
  const Case cases[] = {{5, "0123"},
                        {20, "0123456789ABCDEFGHI"},
                        {21, "0123456789ABCDEFGHIJ"},
                        {22, "0123456789ABCDEFGHIJ"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    const Answer answer = Ask("Long", "Text", "0", c.size);
    EXPECT_EQ(answer.Text(), c.text);
    EXPECT_EQ(answer.result, std::string(c.text).size());
    EXPECT_TRUE(answer.NothingBehindTerminator());
    EXPECT_TRUE(answer.GuardIntact());
  }
}

TEST_F(ProfileReaderBuffer, ACutInsideADoubleByteCharacterKeepsItsLeadByte) {
  UseFile("[S]\r\nSuccess=" + kSuccessGbk + "\r\nMixed=ABC\xB4\xF2\r\n");
  EXPECT_EQ(Ask("S", "Success", "0", 19).Text(), kSuccessGbk);
  const Answer cut = Ask("S", "Success", "0", 18);
  EXPECT_EQ(cut.result, 17u);
  EXPECT_EQ(cut.buffer, kSuccessGbk.substr(0, 17) + '\0');
  EXPECT_EQ(Ask("S", "Success", "0", 2).buffer, "\xB4\0"s);
  EXPECT_EQ(Ask("S", "Mixed", "0", 5).buffer, "ABC\xB4\0"s);
}

TEST_F(ProfileReaderBuffer, QuotesAreRemovedBeforeTheCut) {
  UseFile("[Q]\r\nDouble=\"double quoted\"\r\n");
  EXPECT_EQ(Ask("Q", "Double", "0", 4).Text(), "dou");
  EXPECT_EQ(Ask("Q", "Double", "0", 13).Text(), "double quote");
  const Answer exact = Ask("Q", "Double", "0", 14);
  EXPECT_EQ(exact.result, 13u);
  EXPECT_EQ(exact.Text(), "double quoted");
}

TEST_F(ProfileReaderBuffer, NothingIsWrittenBehindTheTerminatorOfAValue) {
  UseFile("[Q]\r\nShort=ab\r\nQuoted=\"ab\"\r\n");
  EXPECT_TRUE(Ask("Q", "Short", "0", 100).NothingBehindTerminator());
  EXPECT_TRUE(Ask("Q", "Quoted", "0", 100).NothingBehindTerminator());
  EXPECT_TRUE(Ask("Q", "Missing", "dflt", 100).NothingBehindTerminator());
}

// --- the default -----------------------------------------------------------------------------

class ProfileReaderDefault : public ProfileReaderTest {
 protected:
  void SetUp() override { UseFile("[Main]\r\nPlain=value\r\n"); }
};

TEST_F(ProfileReaderDefault, AnythingMissingGivesTheDefault) {
  EXPECT_EQ(Ask("Main", "Nothing", "fallback", 50).Text(), "fallback");
  EXPECT_EQ(Ask("Nowhere", "Plain", "fallback", 50).Text(), "fallback");
  EXPECT_EQ(Ask("Main", "Plain", "fallback", 50, "C:\\PACKAGE\\missing.ini").Text(), "fallback");
  UseFile("", "C:\\PACKAGE\\empty.ini");
  EXPECT_EQ(Ask("Main", "Plain", "fallback", 50, "C:\\PACKAGE\\empty.ini").Text(), "fallback");
}

TEST_F(ProfileReaderDefault, ANullDefaultIsEmpty) {
  const Answer answer = Ask("Main", "Nothing", nullptr, 50);
  EXPECT_EQ(answer.result, 0u);
  EXPECT_EQ(answer.buffer[0], '\0');
}

TEST_F(ProfileReaderDefault, TrailingSpacesAreCutByANulOverTheFirstOne) {
  // The spaces stay in the buffer behind the terminator.
  const Answer answer = Ask("Main", "Nothing", "fallback   ", 50);
  EXPECT_EQ(answer.result, 8u);
  EXPECT_EQ(answer.buffer.substr(0, 12), "fallback\0  \0"s);
  EXPECT_EQ(answer.buffer.find_first_not_of(kSentinel, 12), std::string::npos);
}

TEST_F(ProfileReaderDefault, ADefaultOfSpacesOnlyIsEmpty) {
  const Answer answer = Ask("Main", "Nothing", "    ", 50);
  EXPECT_EQ(answer.result, 0u);
  EXPECT_EQ(answer.buffer.substr(0, 5), "\0   \0"s);
}

TEST_F(ProfileReaderDefault, OnlyTrailingSpacesAreCut) {
  EXPECT_EQ(Ask("Main", "Nothing", "  fallback\t", 50).Text(), "  fallback\t");
  EXPECT_EQ(Ask("Main", "Nothing", "fb \t ", 50).Text(), "fb \t");
  EXPECT_EQ(Ask("Main", "Nothing", "one two", 50).Text(), "one two");
}

TEST_F(ProfileReaderDefault, AQuotedDefaultLosesItsQuotes) {
  EXPECT_EQ(Ask("Main", "Nothing", "\"fallback\"", 50).Text(), "fallback");
  EXPECT_EQ(Ask("Main", "Nothing", "'fallback'  ", 50).Text(), "fallback");
  EXPECT_EQ(Ask("Main", "Nothing", "\"", 50).Text(), "\"");
}

TEST_F(ProfileReaderDefault, TheDefaultIsCutLikeAValue) {
  EXPECT_EQ(Ask("Main", "Nothing", "fallback", 5).buffer, "fall\0"s);
  EXPECT_EQ(Ask("Main", "Nothing", "\xB4\xF2\xD3\xA1\xBB\xFA", 4).buffer, "\xB4\xF2\xD3\0"s);
  const Answer spaces = Ask("Main", "Nothing", "fallback   ", 10);
  EXPECT_EQ(spaces.result, 8u);
  EXPECT_EQ(spaces.buffer, "fallback\0\0"s);
  EXPECT_TRUE(spaces.GuardIntact());
}

TEST_F(ProfileReaderDefault, TheDefaultItselfIsLeftAlone) {
  char defaultValue[] = "fallback   ";
  Ask("Main", "Nothing", defaultValue, 50);
  EXPECT_STREQ(defaultValue, "fallback   ");
}

// --- name lists (a NULL section or key) ----------------------------------------------------

class ProfileReaderLists : public ProfileReaderTest {};

TEST_F(ProfileReaderLists, SectionNamesInFileOrderWithDuplicates) {
  UseFile("[Dup]\r\nA=1\r\n[ Other ]\r\n[]\r\n[Dup]\r\n[DUP]\r\n");
  const Answer answer = Ask(nullptr, nullptr, "0", 100);
  EXPECT_EQ(answer.result, 18u);
  EXPECT_EQ(answer.buffer.substr(0, 19), "Dup\0Other\0Dup\0DUP\0\0"s);
}

TEST_F(ProfileReaderLists, KeyNamesLeaveOutCommentsAndLinesWithoutEquals) {
  UseFile("[Main]\r\nBare\r\n;Comment=c\r\n#Hash=h\r\nReal=yes\r\n=nameless\r\n[Next]\r\nN=1\r\n");
  const Answer answer = Ask("main", nullptr, "0", 100);
  EXPECT_EQ(answer.result, 11u);
  EXPECT_EQ(answer.buffer.substr(0, 12), "#Hash\0Real\0\0"s);
}

TEST_F(ProfileReaderLists, AMissingOrEmptySectionGivesTheDefault) {
  UseFile("[Lonely]\r\nBare\r\n");
  EXPECT_EQ(Ask("None", nullptr, "dflt", 100).Text(), "dflt");
  EXPECT_EQ(Ask("Lonely", nullptr, "dflt", 100).Text(), "dflt");
}

TEST_F(ProfileReaderLists, ACutListEndsWithTwoNuls) {
  UseFile("[MixedCase]\r\nKeyName=1\r\nUPPER=2\r\nlower=3\r\n[UPPERSECTION]\r\n");
  const Answer sections = Ask(nullptr, nullptr, "0", 14);
  EXPECT_EQ(sections.result, 12u);
  EXPECT_EQ(sections.buffer, "MixedCase\0UP\0\0"s);
  const Answer keys = Ask("MixedCase", nullptr, "0", 12);
  EXPECT_EQ(keys.result, 10u);
  EXPECT_EQ(keys.buffer, "KeyName\0UP\0\0"s);
  EXPECT_TRUE(sections.GuardIntact());
  EXPECT_TRUE(keys.GuardIntact());
}

TEST_F(ProfileReaderLists, AListFitsOnlyWithRoomForBothTerminators) {
  // "KeyName\0UPPER\0lower\0" is 20 bytes: 22 fit, 21 count as cut.
  UseFile("[MixedCase]\r\nKeyName=1\r\nUPPER=2\r\nlower=3\r\n");
  const Answer fits = Ask("MixedCase", nullptr, "0", 22);
  EXPECT_EQ(fits.result, 20u);
  EXPECT_EQ(fits.buffer, "KeyName\0UPPER\0lower\0\0"s + kSentinel);
  const Answer exact = Ask("MixedCase", nullptr, "0", 21);
  EXPECT_EQ(exact.result, 19u);
  EXPECT_EQ(exact.buffer, "KeyName\0UPPER\0lower\0\0"s);
}

// test_profile_sections_names in Wine's kernel32/tests/profile.c: a section list whose names
// and their NULs fill the buffer, leaving no room for the list's own NUL, is answered with
// size - 2; Server 2003 writes NULs in both last bytes, NT 4, 2000 and XP leave the last byte
// unwritten. A list cut inside a name ends with two NULs everywhere (test_GetPrivateProfileString).
TEST_F(ProfileReaderLists, AnExactlyFilledSectionListPerVersion) {
  // "MixedCase\0UPPERSECTION\0" is 23 bytes.
  UseFile("[MixedCase]\r\nKeyName=1\r\n[UPPERSECTION]\r\n");
  struct Case {
    const char* name;
    DWORD major;
    DWORD minor;
    char lastByte;
  };
  const Case cases[] = {
      {"Windows NT 4", 4, 0, kSentinel},
      {"Windows 2000", 5, 0, kSentinel},
      {"Windows XP", 5, 1, kSentinel},
      {"Windows Server 2003", 5, 2, '\0'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UseVersion(VER_PLATFORM_WIN32_NT, c.major, c.minor);
    const Answer exact = Ask(nullptr, nullptr, "0", 24);
    EXPECT_EQ(exact.result, 22u);
    EXPECT_EQ(exact.buffer.substr(0, 23), "MixedCase\0UPPERSECTION\0"s);
    EXPECT_EQ(exact.buffer[23], c.lastByte);
    const Answer cut = Ask(nullptr, nullptr, "0", 20);
    EXPECT_EQ(cut.result, 18u);
    EXPECT_EQ(cut.buffer, "MixedCase\0UPPERSEC\0\0"s);
    EXPECT_TRUE(exact.GuardIntact() && cut.GuardIntact());
  }
}

TEST_F(ProfileReaderLists, AFileWithoutSectionsGivesOneNul) {
  UseFile("Before=x\r\n");
  const Answer answer = Ask(nullptr, nullptr, "0", 10);
  EXPECT_EQ(answer.result, 0u);
  EXPECT_EQ(answer.buffer[0], '\0');
  EXPECT_EQ(answer.buffer[1], kSentinel);
}

}  // namespace
}  // namespace platform::sim::testing
