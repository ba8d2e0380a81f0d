#include "ports/serial_settings_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/sim_machine.h"
#include "ports/serial_dcb.h"

namespace {

using platform::sim::SimMachine;
using ports::SerialSettings;

const std::string kClass = "System\\CurrentControlSet\\Services\\Class\\Ports\\";
const std::string kNtPorts = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";

SerialSettings Settings(int baud, double stopBits, char parity, char flow) {
  SerialSettings s;
  s.baudRate = baud;
  s.stopBits = stopBits;
  s.parity = parity;
  s.flowControl = flow;
  return s;
}

std::string DcbBytes(const SerialSettings& settings) {
  const DCB dcb = ports::BuildSerialDcb(settings);
  return std::string(reinterpret_cast<const char*>(&dcb), sizeof(dcb));
}

// Records the profile writes on their way to the simulated win.ini, the cache flush with its
// three nulls included (which leaves no trace in the file).
class RecordingProfile final : public platform::ProfileService {
 public:
  struct Write {
    std::optional<std::string> section, key, value;
  };
  explicit RecordingProfile(platform::ProfileService& inner) : inner_(inner) {}
  DWORD GetPrivateProfileStringA(LPCSTR s, LPCSTR k, LPCSTR d, LPSTR o, DWORD n,
                                 LPCSTR f) override {
    return inner_.GetPrivateProfileStringA(s, k, d, o, n, f);
  }
  BOOL WriteProfileStringA(LPCSTR s, LPCSTR k, LPCSTR v) override {
    writes.push_back({Text(s), Text(k), Text(v)});
    return inner_.WriteProfileStringA(s, k, v);
  }
  DWORD GetPrivateProfileSectionA(LPCSTR s, LPSTR o, DWORD n, LPCSTR f) override {
    return inner_.GetPrivateProfileSectionA(s, o, n, f);
  }
  BOOL WritePrivateProfileSectionA(LPCSTR s, LPCSTR l, LPCSTR f) override {
    return inner_.WritePrivateProfileSectionA(s, l, f);
  }
  std::vector<Write> writes;

 private:
  static std::optional<std::string> Text(LPCSTR text) {
    return text == nullptr ? std::nullopt : std::optional<std::string>(text);
  }
  platform::ProfileService& inner_;
};

class Win98SerialTest : public ::testing::Test {
 protected:
  Win98SerialTest() { machine.SetVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10); }

  void MarkPortKey(int index, const std::string& subClass) {
    machine.registry().PutValue(kClass + "000" + std::to_string(index), "PortSubClass", REG_BINARY,
                                subClass);
  }
  void Write(int portNumber, const char* portName, const SerialSettings& settings) {
    ports::WriteSerialSettingsWin98(platform, portNumber, portName, settings);
  }
  std::optional<std::string> StoredDcb(int index) {
    const auto value = machine.registry().GetValue(kClass + "000" + std::to_string(index), "DCB");
    if (!value) {
      return std::nullopt;
    }
    EXPECT_EQ(value->type, REG_NONE) << "key " << index;
    return value->data;
  }
  std::string WinIniPort(const char* name) {
    char text[64] = {};
    machine.platform().profile.GetPrivateProfileStringA("Ports", name, "(none)", text, sizeof(text),
                                                        "win.ini");
    return text;
  }

  SimMachine machine;
  RecordingProfile profile{machine.platform().profile};
  platform::Platform platform{profile,
                              machine,
                              machine,
                              machine,
                              machine.registry(),
                              machine.spooler(),
                              machine.services(),
                              machine.libraries()};
};

TEST_F(Win98SerialTest, Com2GoesIntoTheSecondKeyMarkedAsASerialPort) {
  MarkPortKey(0, std::string(1, '\x01'));
  MarkPortKey(1, std::string(1, '\x00'));
  MarkPortKey(2, std::string(1, '\x01'));
  MarkPortKey(3, std::string(1, '\x01'));
  const SerialSettings settings = Settings(19200, 1.5, 'e', 'x');

  Write(2, "COM2:", settings);

  EXPECT_EQ(StoredDcb(0), std::nullopt);
  EXPECT_EQ(StoredDcb(1), std::nullopt);
  EXPECT_EQ(StoredDcb(2), DcbBytes(settings));
  EXPECT_EQ(StoredDcb(3), std::nullopt);
  EXPECT_EQ(machine.registry().openHandleCount(), 0u);
}

TEST_F(Win98SerialTest, Com1GoesIntoTheFirstKeyMarkedAsASerialPort) {
  MarkPortKey(0, std::string(1, '\x02'));  // a parallel port
  MarkPortKey(2, std::string(1, '\x01'));
  const SerialSettings settings = Settings(9600, 1.0, 'n', 'p');

  Write(1, "COM1:", settings);

  EXPECT_EQ(StoredDcb(0), std::nullopt);
  EXPECT_EQ(StoredDcb(2), DcbBytes(settings));
  ASSERT_TRUE(StoredDcb(2).has_value());
  EXPECT_EQ(StoredDcb(2)->size(), 28u);
}

TEST_F(Win98SerialTest, KeysWithoutAQualifyingSubClassAreSkipped) {
  // A missing value, an unreadable key and a key beyond the fourth never count.
  machine.registry().PutValue(kClass + "0000", "DriverDesc", REG_SZ, std::string("Port\0", 5));
  MarkPortKey(1, std::string(1, '\x01'));
  machine.registry().DenyAccess(kClass + "0001");
  machine.registry().PutValue(kClass + "0004", "PortSubClass", REG_BINARY, std::string(1, '\x01'));

  Write(1, "COM1:", Settings(9600, 1.0, 'n', 'p'));

  for (int index = 0; index <= 4; ++index) {
    EXPECT_EQ(StoredDcb(index), std::nullopt) << "key " << index;
  }
  EXPECT_EQ(machine.registry().openHandleCount(), 0u);
  EXPECT_EQ(WinIniPort("COM1:"), "9600,n,8,1,p") << "win.ini is written all the same";
}

TEST_F(Win98SerialTest, OtherPortNumbersWriteWinIniOnly) {
  for (int index = 0; index < 4; ++index) {
    MarkPortKey(index, std::string(1, '\x01'));
  }

  Write(3, "COM3:", Settings(2400, 2.0, 'o', ' '));

  for (int index = 0; index < 4; ++index) {
    EXPECT_EQ(StoredDcb(index), std::nullopt) << "key " << index;
  }
  ASSERT_FALSE(profile.writes.empty());
  EXPECT_EQ(profile.writes[0].value, std::optional<std::string>("2400,o,8,2, "));
}

TEST_F(Win98SerialTest, WinIniIsWrittenThenBroadcastThenFlushed) {
  Write(2, "COM2:", Settings(9600, 1.5, 'm', 'p'));

  EXPECT_EQ(WinIniPort("COM2:"), "9600,m,8,1.5,p");
  ASSERT_EQ(profile.writes.size(), 2u);
  EXPECT_EQ(profile.writes[0].section, std::optional<std::string>("Ports"));
  EXPECT_EQ(profile.writes[0].key, std::optional<std::string>("COM2:"));
  EXPECT_EQ(profile.writes[0].value, std::optional<std::string>("9600,m,8,1.5,p"));
  EXPECT_FALSE(profile.writes[1].section || profile.writes[1].key || profile.writes[1].value)
      << "the flush passes three nulls";

  ASSERT_EQ(machine.broadcasts().size(), 1u);
  const auto& broadcast = machine.broadcasts()[0];
  EXPECT_TRUE(broadcast.notify);
  EXPECT_EQ(broadcast.message, static_cast<UINT>(WM_WININICHANGE));
  EXPECT_EQ(broadcast.wParam, 0u);
  EXPECT_EQ(broadcast.section, "Ports");
}

class NtSerialTest : public ::testing::Test {
 protected:
  SimMachine machine;
};

TEST_F(NtSerialTest, Kscom5IsStoredUnderCom5AsText) {
  machine.registry().PutValue(kNtPorts, "COM1:", REG_SZ, std::string("9600,n,8,1\0", 11));

  ports::WriteSerialSettingsNt(machine.platform(), "COM5:", Settings(38400, 1.0, 's', ' '));

  const auto value = machine.registry().GetValue(kNtPorts, "COM5:");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->type, REG_SZ);
  EXPECT_EQ(value->data, std::string("38400,s,8,1, \0", 14)) << "the text with its terminator";
  EXPECT_EQ(machine.registry().openHandleCount(), 0u);
}

TEST_F(NtSerialTest, NeitherWinIniNorABroadcastIsTouched) {
  machine.registry().PutValue(kNtPorts, "COM1:", REG_SZ, std::string("9600,n,8,1\0", 11));

  ports::WriteSerialSettingsNt(machine.platform(), "COM1:", Settings(9600, 2.0, 'n', 'p'));

  EXPECT_EQ(machine.registry().GetValue(kNtPorts, "COM1:")->data,
            std::string("9600,n,8,2,p\0", 13));
  EXPECT_TRUE(machine.broadcasts().empty());
  EXPECT_FALSE(machine.disk().Exists(machine.windowsDirectory() + "\\win.ini"));
}

TEST_F(NtSerialTest, AMissingPortsKeyIsNotCreated) {
  ports::WriteSerialSettingsNt(machine.platform(), "COM3:", Settings(9600, 1.0, 'n', 'p'));

  EXPECT_FALSE(machine.registry().KeyExists(kNtPorts));
  EXPECT_EQ(machine.registry().openHandleCount(), 0u);
}

}  // namespace
