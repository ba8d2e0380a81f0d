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

const char* const kKnownKeys[] = {"Model",       "Mode",     "Port",        "BaudRate", "DataBits",
                                  "Parity",      "StopBits", "FlowControl", "Raster",   "Default",
                                  "RenumberUsb", "Restart",  "IfInstalled"};

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
  // otherwise be passed over in silence. The reader would take the first of two.
  void CheckKeyNames() {
    std::vector<std::string> seen;
    for (const std::string& name : Names(kSection)) {
      bool known = false;
      for (const char* key : kKnownKeys) {
        known = known || config::SameName(name, key);
      }
      if (!known) {
        Fail("unknown key " + name + " in [Install]");
      }
      if (Count(seen, name) == 1) {
        Fail("the key " + name + " is given twice in [Install]");
      }
      seen.push_back(name);
    }
  }

  // The reader would search only the first of two [Install] sections.
  void CheckSectionNames() {
    if (Count(Names(nullptr), kSection) > 1) {
      Fail("the section [Install] is given twice");
    }
  }

  // The section names (section null) or a section's key names, duplicates included.
  std::vector<std::string> Names(const char* section) {
    std::vector<char> list(16384, '\0');
    platform_.profile.GetPrivateProfileStringA(section, nullptr, "", list.data(),
                                               static_cast<DWORD>(list.size()), path_.c_str());
    std::vector<std::string> names;
    for (const char* name = list.data(); *name != '\0'; name += std::strlen(name) + 1) {
      names.emplace_back(name);
    }
    return names;
  }

  static size_t Count(const std::vector<std::string>& names, const std::string& name) {
    size_t count = 0;
    for (const std::string& each : names) {
      count += config::SameName(each, name) ? 1 : 0;
    }
    return count;
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
  reader.CheckSectionNames();
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
  answers.copyIfInstalled = !reader.Choice("IfInstalled", "Update", "Copy", true);
  reason = reader.reason();
  return reason.empty();
}

}  // namespace unattended
