// The program's message table for code that runs without the resource section (the native
// build's simulated string table). Setup.exe itself loads the same texts from its resources.
#pragma once

#include <array>

#include "resources/resource_ids.h"

namespace messages {

struct MessageText {
  unsigned id;
  const char* text;  // in the ANSI code page the program is built for (936)
};

#define QUOTE "\""
#define MESSAGE(id, text) MessageText{id, text},
inline constexpr MessageText kMessageTable[] = {
#include "resources/message_texts.inc"
};
#undef MESSAGE
#undef QUOTE

}  // namespace messages
