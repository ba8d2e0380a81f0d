// The family suffixes of the model list's entries ("TP-R80-ReceiptPrinter"): which family an
// entry belongs to and where its model name ends.
#pragma once

#include <cstddef>
#include <string_view>

#include "config/install_types.h"

namespace config {

// "-ReceiptPrinter", "-TicketPrinter", "-LabelPrinter", "-EmbeddedPrinter" by PrinterType;
// "" for any other value.
const char* FamilySuffix(int printerType);

struct EntryFamily {
  int printerType = -1;        // -1: the entry has no suffix and belongs to no family
  std::size_t nameLength = 0;  // the model name is the entry's text before the suffix
};

// The suffixes are tested in PrinterType order, each anywhere in the entry (matching case);
// the first one found wins and the model name ends where it begins.
EntryFamily FindFamily(std::string_view entry);

}  // namespace config
