#include "unattended/answers_file.h"

#include <cstring>
#include <vector>

#include "config/code_page.h"
#include "platform/file_exists.h"

namespace unattended {
namespace {

constexpr const char* kSection = "Install";
// Keys read as text are taken up to this many characters; longer ones are refused.
constexpr DWORD kValueSize = 512;

const char* const kKnownKeys[] = {"Model",    "Mode",    "Port",        "BaudRate",
                                  "DataBits", "Parity",  "StopBits",    "FlowControl",
                                  "Raster",   "Default", "RenumberUsb", "Restart"};

class AnswerReader {
 public:
  AnswerReader(platform::Platform& platform, const std::string& path)
      : platform_(platform), path_(path) {}

  // The value, or nothing when the key is absent or empty.
  std::optional<std::string> Text(const char* key) {
    std::vector<char> value(kValueSize + 2, '\0');
    const DWORD length = platform_.profile.GetPrivateProfileStringA(
        kSection, key, "", value.data(), static_cast<DWORD>(value.size()), path_.c_str());
    if (length > kValueSize) {
      Fail(std::string(key) + " is longer than " + std::to_string(kValueSize) + " characters");
    }
    if (length == 0) {
      return std::nullopt;
    }
    return std::string(value.data(), length);
  }

  // A value that must be one of two words (without regard to case): true for the first.
  bool Choice(const char* key, const char* first, const char* second, bool absent) {
    const std::optional<std::string> value = Text(key);
    if (!value) {
      return absent;
    }
    if (config::SameName(*value, first)) {
      return true;
    }
    if (!config::SameName(*value, second)) {
      Fail(std::string(key) + "=" + *value + ": expected " + first + " or " + second);
    }
    return false;
  }

  // Every key of the section must be one the installation knows: a misspelt key would
  // otherwise be passed over in silence.
  void CheckKeyNames() {
    std::vector<char> names(16384, '\0');
    platform_.profile.GetPrivateProfileStringA(kSection, nullptr, "", names.data(),
                                               static_cast<DWORD>(names.size()), path_.c_str());
    for (const char* name = names.data(); *name != '\0'; name += std::strlen(name) + 1) {
      bool known = false;
      for (const char* key : kKnownKeys) {
        known = known || config::SameName(name, key);
      }
      if (!known) {
        Fail(std::string("unknown key ") + name + " in [Install]");
      }
    }
  }

  void Fail(const std::string& reason) {
    if (reason_.empty()) {
      reason_ = reason;
    }
  }
  const std::string& reason() const { return reason_; }

 private:
  platform::Platform& platform_;
  const std::string& path_;
  std::string reason_;
};

}  // namespace

bool ReadAnswers(platform::Platform& platform, const std::string& path, Answers& answers,
                 std::string& reason) {
  if (!platform::FileExists(platform.files, path)) {
    reason = "the answers file " + path + " cannot be opened";
    return false;
  }
  AnswerReader reader(platform, path);
  reader.CheckKeyNames();
  const std::optional<std::string> model = reader.Text("Model");
  if (!model) {
    reader.Fail("[Install] has no Model");
  }
  answers.model = model.value_or("");
  answers.installMode =
      reader.Choice("Mode", "Typical", "Advanced", true) ? kModeTypical : kModeAdvanced;
  answers.port = reader.Text("Port");
  answers.baudRate = reader.Text("BaudRate");
  answers.dataBits = reader.Text("DataBits");
  answers.parity = reader.Text("Parity");
  answers.stopBits = reader.Text("StopBits");
  answers.flowControl = reader.Text("FlowControl");
  if (reader.Text("Raster")) {
    answers.raster = reader.Choice("Raster", "1", "0", false);
  }
  answers.setAsDefault = reader.Choice("Default", "1", "0", false);
  answers.renumberUsb = reader.Choice("RenumberUsb", "Yes", "No", false);
  answers.restartNow = reader.Choice("Restart", "Now", "Later", false);
  reason = reader.reason();
  return reason.empty();
}

}  // namespace unattended
