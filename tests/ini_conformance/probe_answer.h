// Asks one question through the profile seam and writes the answer as one line of text:
// the return value, every byte of the caller's buffer, and guard bytes just past it.
#pragma once

#include <string>

#include "platform/profile_service.h"
#include "question_list.h"

namespace ini_conformance {

// Bytes checked past the end of the buffer: the reader must never touch them.
constexpr unsigned kGuardBytes = 16;

// The question is asked twice, into buffers prefilled with two different sentinel bytes, so
// that a byte the reader left alone ("--") is told apart from one it wrote with the sentinel's
// value. A byte written differently by the two calls shows as "!!".
// Format: "ret=<decimal> buf=<bytes> guard=<bytes>", each byte as two hex digits, "--" when
// untouched, and a run of three or more untouched bytes as "--*<count>".
std::string Ask(platform::ProfileService& profile, const Question& question,
                const std::string& path);

}  // namespace ini_conformance
