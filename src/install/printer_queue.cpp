#include "install/printer_queue.h"

#include <cstdio>
#include <string>

#include "install/handles.h"
#include "install/install_results.h"
#include "install/spooler_refusal.h"
#include "messages/message_box.h"
#include "resources/resource_ids.h"

namespace install {
namespace {

// Copy numbers tried after the name itself: so at most three printers share a base name.
constexpr int kLastCopyNumber = 2;

bool TryAdd(platform::Platform& platform, config::PrinterRecord& record, DWORD level) {
  PrinterHandle printer(platform.spooler, platform.spooler.AddPrinterA(
                                              nullptr, level, reinterpret_cast<LPBYTE>(&record)));
  return printer.get() != nullptr;
}

// A failed add leaves the record naming no printer.
int Refuse(config::PrinterRecord& record, PrinterNameBuffer& nameBuffer) {
  nameBuffer.data()[0] = '\0';
  record.pPrinterName = nameBuffer.data();
  return kFailed;
}

int RefuseAsFull(platform::Platform& platform, config::PrinterRecord& record,
                 PrinterNameBuffer& nameBuffer) {
  messages::ShowMessage(platform, IDS_TOO_MANY_ON_PORT);
  return Refuse(record, nameBuffer);
}

int RefuseWithError(platform::Platform& platform, config::PrinterRecord& record,
                    PrinterNameBuffer& nameBuffer, DWORD error) {
  char tail[32] = {};
  std::snprintf(tail, sizeof(tail), "er = %d", static_cast<int>(error));
  ShowSpoolerFailure(platform, IDS_ADD_PRINTER_FAILED, error, tail);
  return Refuse(record, nameBuffer);
}

}  // namespace

int AddPrinterQueue(platform::Platform& platform, config::PrinterRecord& record, DWORD level,
                    bool singleInstance, PrinterNameBuffer& nameBuffer) {
  // Kept apart from the record: the candidates are built in nameBuffer, which the record may
  // already point at.
  const std::string baseName = record.pPrinterName == nullptr ? "" : record.pPrinterName;
  if (TryAdd(platform, record, level)) {
    return kSucceeded;
  }
  DWORD error = platform.system.GetLastError();
  if (error != ERROR_PRINTER_ALREADY_EXISTS) {
    return RefuseWithError(platform, record, nameBuffer, error);
  }
  if (singleInstance) {
    return RefuseAsFull(platform, record, nameBuffer);
  }
  for (int copy = 1; copy <= kLastCopyNumber; ++copy) {
    const int length = std::snprintf(nameBuffer.data(), PrinterNameBuffer::kSize, "%s(%d)",
                                     baseName.c_str(), copy);
    // A base name too long for a numbered copy leaves no name to try.
    if (length < 0 || static_cast<std::size_t>(length) >= PrinterNameBuffer::kSize) {
      break;
    }
    record.pPrinterName = nameBuffer.data();
    if (TryAdd(platform, record, level)) {
      return kSucceeded;
    }
    error = platform.system.GetLastError();
    if (error != ERROR_PRINTER_ALREADY_EXISTS) {
      return RefuseWithError(platform, record, nameBuffer, error);
    }
  }
  return RefuseAsFull(platform, record, nameBuffer);
}

}  // namespace install
