// The conformance questions: each one profile read (file, section, key, default, buffer size),
// parsed from the text file that lists them. Both builds of the probe share this parser.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ini_conformance {

struct Question {
  std::string id;
  std::string file;                         // name of a file in the corpus folder
  std::optional<std::string> section;       // nullopt passes a NULL pointer
  std::optional<std::string> key;           // nullopt passes a NULL pointer
  std::optional<std::string> defaultValue;  // nullopt passes a NULL pointer
  unsigned long size = 0;                   // the buffer size handed to the reader
  bool knownWineDifference = false;
};

// Parses the whole questions file. Returns false and names the line in error when a line is
// malformed, so that a typo never silently drops a question.
bool ParseQuestions(const std::string& text, std::vector<Question>& out, std::string& error);

}  // namespace ini_conformance
