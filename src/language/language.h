// The language the program speaks to a person: Chinese on a Chinese Windows (ANSI code page
// 936), English on every other, unless the command line chooses. It is chosen once at start-up
// and read everywhere a text is picked.
#pragma once

#include <string>

#include "resources/resource_ids.h"

namespace language {

enum class Language { kChinese, kEnglish };

// What /lang: asked for; kSystem when it was not given.
enum class Request { kSystem, kChinese, kEnglish };

constexpr unsigned kChineseCodePage = 936;

// The language for a system whose ANSI code page is ansiCodePage; an explicit request wins.
Language Choose(unsigned ansiCodePage, Request request);

// The language of this run (Chinese until SetCurrent is called).
Language Current();
void SetCurrent(Language language);

// The resource id of this run's language for a Chinese resource id (dialog, string, document):
// the English resources sit at the same id plus ENGLISH_RESOURCE_OFFSET.
unsigned ResourceId(unsigned chineseId);

// One of the two texts of a literal, by this run's language.
const char* Pick(const char* chinese, const char* english);

}  // namespace language
