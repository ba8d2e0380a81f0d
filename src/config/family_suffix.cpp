#include "config/family_suffix.h"

namespace config {
namespace {

constexpr const char* kFamilySuffixes[kPrinterTypeCount] = {
    "-ReceiptPrinter",
    "-TicketPrinter",
    "-LabelPrinter",
    "-EmbeddedPrinter",
};

}  // namespace

const char* FamilySuffix(int printerType) {
  return printerType >= 0 && printerType < kPrinterTypeCount ? kFamilySuffixes[printerType] : "";
}

EntryFamily FindFamily(std::string_view entry) {
  for (int type = 0; type < kPrinterTypeCount; ++type) {
    const std::size_t at = entry.find(kFamilySuffixes[type]);
    if (at != std::string_view::npos) {
      return EntryFamily{type, at};
    }
  }
  return EntryFamily{-1, entry.size()};
}

}  // namespace config
