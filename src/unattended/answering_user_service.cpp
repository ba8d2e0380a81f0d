#include "unattended/answering_user_service.h"
#include "language/language.h"

#include <string>

#include "resources/message_table.h"

namespace unattended {
namespace {

// A message of the table that says a step failed. Not the success messages, nor the USB probe's
// (its literal texts and its hints about the attached printer): the Typical mode installs a USB
// printer that is not attached, and a probe that matters ends the installation by itself.
bool IsFailure(unsigned id) {
  return id != 0 && id != IDS_INSTALL_SUCCEEDED && id != IDS_INSTALL_SUCCEEDED_RESET &&
         id != IDS_CONNECT_USB_PRINTER && id != IDS_ONE_PRINTER_ONLY;
}

}  // namespace

int AnsweringUserService::MessageBoxA(LPCSTR text, LPCSTR /*caption*/, UINT type) {
  const std::string shown = text != nullptr ? text : "";
  const unsigned id = MessageId(shown);
  const std::string label = id != 0 ? "message " + std::to_string(id) : "message";
  if ((type & MB_YESNO) != MB_YESNO) {
    log_.Line(label + ": " + shown);
    if (IsFailure(id)) {
      failures_.push_back(label + ": " + shown);
    }
    return IDOK;
  }
  bool yes = false;
  if (id == IDS_RENAME_USB_DEVICE) {
    yes = answers_.renumberUsb;
  } else if (id == IDS_RESTART_QUESTION) {
    yes = answers_.restartNow;
  }
  log_.Line(label + " (question, answered " + (yes ? "Yes" : "No") + "): " + shown);
  return yes ? IDYES : IDNO;
}

int AnsweringUserService::LoadStringA(UINT id, LPSTR out, int size) {
  return strings_.LoadStringA(id, out, size);
}

unsigned AnsweringUserService::MessageId(const std::string& text) {
  for (const messages::MessageText& message : messages::kMessageTable) {
    char loaded[1024] = {};
    strings_.LoadStringA(language::ResourceId(message.id), loaded, sizeof(loaded));
    if (text == loaded) {
      return message.id;
    }
  }
  return 0;
}

}  // namespace unattended
