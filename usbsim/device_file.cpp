#include "device_file.h"

#include <cstdio>

namespace usbsim {
namespace {

constexpr int kMaxDevices = 8;
constexpr const char* kDevices = "Devices";
constexpr const char* kWrites = "Writes";

std::string Key(const char* stem, int number) {
  return stem + std::to_string(number);
}

}  // namespace

DeviceFile::DeviceFile(HMODULE module) {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(module, path, MAX_PATH);
  path_ = path;
  const size_t slash = path_.find_last_of("\\/");
  path_.erase(slash == std::string::npos ? 0 : slash + 1);
  path_ += "KsUsbInt.ini";
}

int DeviceFile::ReadInt(const char* section, const char* key) const {
  return static_cast<int>(::GetPrivateProfileIntA(section, key, 0, path_.c_str()));
}

void DeviceFile::WriteText(const char* section, const char* key, const std::string& value) const {
  ::WritePrivateProfileStringA(section, key, value.c_str(), path_.c_str());
}

int DeviceFile::Count() const {
  const int count = ReadInt(kDevices, "Count");
  return count < 0 ? 0 : (count > kMaxDevices ? kMaxDevices : count);
}

WORD DeviceFile::Identity(int index) const {
  return static_cast<WORD>(ReadInt(kDevices, Key("Identity", index + 1).c_str()) & 0xFFFF);
}

void DeviceFile::SetIdentity(int index, WORD identity) const {
  WriteText(kDevices, Key("Identity", index + 1).c_str(), std::to_string(identity));
}

bool DeviceFile::DescriptorFails() const {
  return ReadInt(kDevices, "DescriptorFails") != 0;
}

bool DeviceFile::WriteFails() const {
  return ReadInt(kDevices, "WriteFails") != 0;
}

void DeviceFile::RecordWrite(int index, const BYTE* data, int length) const {
  std::string entry = std::to_string(index) + ":";
  for (int i = 0; i < length; ++i) {
    char hex[4] = {};
    std::snprintf(hex, sizeof(hex), i == 0 ? "%02X" : " %02X", data[i]);
    entry += hex;
  }
  const int number = ReadInt(kWrites, "Count") + 1;
  WriteText(kWrites, Key("Write", number).c_str(), entry);
  WriteText(kWrites, "Count", std::to_string(number));
}

}  // namespace usbsim
