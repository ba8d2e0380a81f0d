#include "language/language.h"

namespace language {
namespace {

Language current = Language::kChinese;

}  // namespace

Language Choose(unsigned ansiCodePage, Request request) {
  switch (request) {
    case Request::kChinese:
      return Language::kChinese;
    case Request::kEnglish:
      return Language::kEnglish;
    case Request::kSystem:
      break;
  }
  // Without code page 936 a Chinese text cannot even be displayed.
  return ansiCodePage == kChineseCodePage ? Language::kChinese : Language::kEnglish;
}

Language Current() {
  return current;
}

void SetCurrent(Language language) {
  current = language;
}

unsigned ResourceId(unsigned chineseId) {
  return current == Language::kEnglish ? chineseId + ENGLISH_RESOURCE_OFFSET : chineseId;
}

const char* Pick(const char* chinese, const char* english) {
  return current == Language::kEnglish ? english : chinese;
}

}  // namespace language
