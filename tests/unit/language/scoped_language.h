// Sets the run's language for one test and puts Chinese back afterwards.
#pragma once

#include "language/language.h"

namespace testing_support {

class ScopedLanguage {
 public:
  explicit ScopedLanguage(language::Language language) { language::SetCurrent(language); }
  ~ScopedLanguage() { language::SetCurrent(language::Language::kChinese); }
  ScopedLanguage(const ScopedLanguage&) = delete;
  ScopedLanguage& operator=(const ScopedLanguage&) = delete;
};

}  // namespace testing_support
