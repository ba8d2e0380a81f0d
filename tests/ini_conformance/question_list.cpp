#include "question_list.h"

#include <cctype>
#include <cstdlib>

namespace ini_conformance {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

// Reads one field at pos: NULL, a bare word, or a double-quoted text with the escapes
// \\ \" \t \r \n \xHH (quoted texts carry blanks, control bytes and GBK bytes).
bool ReadField(const std::string& line, size_t& pos, std::optional<std::string>& field,
               std::string& why) {
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
    ++pos;
  if (pos >= line.size()) {
    why = "missing field";
    return false;
  }
  if (line[pos] != '"') {
    const size_t start = pos;
    while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t')
      ++pos;
    const std::string word = line.substr(start, pos - start);
    if (word == "NULL") {
      field.reset();
    } else {
      field = word;
    }
    return true;
  }
  std::string text;
  for (++pos; pos < line.size(); ++pos) {
    const char c = line[pos];
    if (c == '"') {
      ++pos;
      field = text;
      return true;
    }
    if (c != '\\') {
      text.push_back(c);
      continue;
    }
    if (++pos >= line.size())
      break;
    switch (line[pos]) {
      case '\\':
        text.push_back('\\');
        break;
      case '"':
        text.push_back('"');
        break;
      case 't':
        text.push_back('\t');
        break;
      case 'r':
        text.push_back('\r');
        break;
      case 'n':
        text.push_back('\n');
        break;
      case 'x': {
        const int high = pos + 1 < line.size() ? HexDigit(line[pos + 1]) : -1;
        const int low = pos + 2 < line.size() ? HexDigit(line[pos + 2]) : -1;
        if (high < 0 || low < 0) {
          why = "bad \\x escape";
          return false;
        }
        text.push_back(static_cast<char>(high * 16 + low));
        pos += 2;
        break;
      }
      default:
        why = "unknown escape";
        return false;
    }
  }
  why = "unterminated quote";
  return false;
}

bool ParseLine(const std::string& line, Question& q, std::string& why) {
  size_t pos = 0;
  std::optional<std::string> id, file, size;
  if (!ReadField(line, pos, id, why) || !ReadField(line, pos, file, why) ||
      !ReadField(line, pos, q.section, why) || !ReadField(line, pos, q.key, why) ||
      !ReadField(line, pos, q.defaultValue, why) || !ReadField(line, pos, size, why)) {
    return false;
  }
  if (!id || !file || !size || size->empty()) {
    why = "id, file and size cannot be NULL";
    return false;
  }
  char* end = nullptr;
  q.size = std::strtoul(size->c_str(), &end, 10);
  if (*end != '\0' || !std::isdigit(static_cast<unsigned char>((*size)[0]))) {
    why = "size is not a number";
    return false;
  }
  q.id = *id;
  q.file = *file;
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
    ++pos;
  // Anything after the size is the mark of a known Wine difference and its reason.
  const std::string rest = line.substr(pos);
  q.knownWineDifference = rest.rfind("wine-differs", 0) == 0;
  if (!rest.empty() && !q.knownWineDifference) {
    why = "unexpected text after the size";
    return false;
  }
  return true;
}

}  // namespace

bool ParseQuestions(const std::string& text, std::vector<Question>& out, std::string& error) {
  size_t start = 0;
  int number = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos)
      end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#')
      continue;
    Question q;
    std::string why;
    if (!ParseLine(line, q, why)) {
      error = "line " + std::to_string(number) + ": " + why;
      return false;
    }
    out.push_back(std::move(q));
  }
  return true;
}

}  // namespace ini_conformance
