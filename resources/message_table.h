// The program's message table for code that runs without the resource section (the native
// build's simulated string table). Setup.exe itself loads the same texts from its resources.
#pragma once

#include <array>

#include "resources/resource_ids.h"

namespace messages {

struct MessageText {
  unsigned id;
  const char* chinese;  // in code page 936, as the program's literals are built
  const char* english;  // ASCII
};

#define QUOTE "\""
#define MESSAGE(id, chinese, english) MessageText{id, chinese, english},
inline constexpr MessageText kMessageTable[] = {
#include "resources/message_texts.inc"
};
#undef MESSAGE
#undef QUOTE

}  // namespace messages
