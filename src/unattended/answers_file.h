// The answers file of an unattended installation: section [Install] of an INI file, holding the
// choices a person would make on the wizard's pages and the answers to its two questions.
#pragma once

#include <optional>
#include <string>

#include "config/install_types.h"
#include "platform/platform.h"

namespace unattended {

struct Answers {
  std::string model;  // the setup.ini entry, family suffix included
  int installMode = kModeTypical;
  std::optional<std::string> port;
  // The entries of the port page's lists 1041 to 1045, as spelled there.
  std::optional<std::string> baudRate;
  std::optional<std::string> dataBits;
  std::optional<std::string> parity;
  std::optional<std::string> stopBits;
  std::optional<std::string> flowControl;
  std::optional<bool> raster;
  bool setAsDefault = false;
  bool renumberUsb = false;  // the answer to the question whether to renumber the USB printer
  bool restartNow = false;   // the answer to the restart question on Windows 98/Me
  // IfInstalled=Copy: a printer of the model already on the port gets a numbered copy beside
  // it; Update (the default) keeps that printer and adds none.
  bool copyIfInstalled = false;
};

// Reads and checks the file's form: the required model, each value one of its key's words, no
// unknown key, no key or [Install] section given twice (which one counts would be a guess). Whether
// the pages accept the choices is decided by walking them. On failure returns false with the
// reason.
bool ReadAnswers(platform::Platform& platform, const std::string& path, Answers& answers,
                 std::string& reason);

}  // namespace unattended
