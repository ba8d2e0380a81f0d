#include "probe_answer.h"

#include <cstdio>
#include <vector>

namespace ini_conformance {
namespace {

constexpr unsigned char kSentinelA = 0xCC;
constexpr unsigned char kSentinelB = 0x33;

LPCSTR OrNull(const std::optional<std::string>& text) {
  return text ? text->c_str() : nullptr;
}

struct Call {
  DWORD result;
  std::vector<unsigned char> bytes;  // the buffer followed by the guard
};

Call AskOnce(platform::ProfileService& profile, const Question& q, const std::string& path,
             unsigned char sentinel) {
  Call call{0, std::vector<unsigned char>(q.size + kGuardBytes, sentinel)};
  call.result = profile.GetPrivateProfileStringA(
      OrNull(q.section), OrNull(q.key), OrNull(q.defaultValue),
      reinterpret_cast<LPSTR>(call.bytes.data()), static_cast<DWORD>(q.size), path.c_str());
  return call;
}

std::string Describe(const Call& a, const Call& b, size_t from, size_t to) {
  std::string text;
  char hex[3];
  size_t untouched = 0;  // pending run of untouched bytes, written as "--*<count>" when long
  auto flush = [&] {
    if (untouched >= 3) {
      text += "--*" + std::to_string(untouched);
    } else {
      for (size_t i = 0; i < untouched; ++i)
        text += "--";
    }
    untouched = 0;
  };
  for (size_t i = from; i < to; ++i) {
    if (a.bytes[i] == kSentinelA && b.bytes[i] == kSentinelB) {
      ++untouched;
      continue;
    }
    flush();
    if (a.bytes[i] == b.bytes[i]) {
      std::snprintf(hex, sizeof hex, "%02x", a.bytes[i]);
      text += hex;
    } else {
      text += "!!";
    }
  }
  flush();
  return text;
}

}  // namespace

std::string Ask(platform::ProfileService& profile, const Question& question,
                const std::string& path) {
  const Call a = AskOnce(profile, question, path, kSentinelA);
  const Call b = AskOnce(profile, question, path, kSentinelB);
  std::string line = "ret=";
  line += a.result == b.result ? std::to_string(a.result) : "!!";
  line += " buf=" + Describe(a, b, 0, question.size);
  line += " guard=" + Describe(a, b, question.size, question.size + kGuardBytes);
  return line;
}

}  // namespace ini_conformance
