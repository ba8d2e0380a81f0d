// AddPrinterQueue: adds the printer queue a PrinterRecord describes. When a printer of that name
// exists, serial and parallel installations fall back to the numbered copy names "name(1)" and
// "name(2)"; a USB installation (single instance) does not.
#pragma once

#include <cstddef>

#include "config/records.h"
#include "platform/platform.h"

namespace install {

// Holds a numbered copy name for the caller, so that the record can go on pointing at the name
// actually used after AddPrinterQueue has returned. It must live as long as the record is read.
class PrinterNameBuffer {
 public:
  // The candidate names are built in a MAX_PATH buffer.
  static constexpr std::size_t kSize = 260;

  char* data() { return text_; }
  const char* c_str() const { return text_; }

 private:
  char text_[kSize] = {};
};

// AddPrinterA(null, level, record). 1 on success: record.pPrinterName then names the printer as
// added, either the caller's own text (the name was free) or the numbered copy name in
// nameBuffer. 0 after message 103 (the name and both copy names are taken, or the name is taken
// and singleInstance is set) or message 116 followed by "er = <error>"; record.pPrinterName is
// then an empty text (in nameBuffer).
int AddPrinterQueue(platform::Platform& platform, config::PrinterRecord& record, DWORD level,
                    bool singleInstance, PrinterNameBuffer& nameBuffer);

}  // namespace install
