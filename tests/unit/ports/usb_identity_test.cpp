#include "ports/usb_identity.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_usb_library.h"
#include "platform/set_identity_command.h"

namespace {

using platform::sim::SimMachine;
using platform::sim::SimUsbDevice;
using platform::sim::SimUsbLibrary;

std::vector<std::string> MessageTexts(const SimMachine& machine) {
  std::vector<std::string> texts;
  for (const auto& box : machine.messageBoxes()) {
    texts.push_back(box.text);
  }
  return texts;
}

std::vector<BYTE> CommandFor(int n) {
  const platform::SetIdentityCommandBytes command = platform::SetIdentityCommand(n);
  return std::vector<BYTE>(command.begin(), command.end());
}

class UsbProbeTest : public ::testing::Test {
 protected:
  SimMachine machine;
  SimUsbLibrary usb{machine};
};

TEST_F(UsbProbeTest, OnePrinterGivesItsIdentityWithoutAMessage) {
  usb.Attach(SimUsbDevice{258});

  EXPECT_EQ(ports::ProbeUsbDevice(machine.platform()), 258);
  EXPECT_TRUE(machine.messageBoxes().empty());
  EXPECT_EQ(usb.descriptorReads(), 1);
}

TEST_F(UsbProbeTest, TheFindingPassWalksUpToTheFirstIndexWithADevice) {
  usb.AttachAt(5, SimUsbDevice{300});
  usb.AnswerEmptyIndexWith(-1);  // -1 means "nothing here" as much as 0 does

  EXPECT_EQ(ports::ProbeUsbDevice(machine.platform()), 300);
  // Eight indexes counted, then 0 to 5 until the device answers.
  EXPECT_EQ(usb.openRequests(), 8 + 6);
}

TEST_F(UsbProbeTest, TheIdentityIsTheLittleEndianWordAtOffsetTwelve) {
  // bcdDevice 0x0105: bytes 12 and 13 of the descriptor are 0x05 and 0x01.
  const int index = usb.Attach(SimUsbDevice{0x0105});
  const auto descriptor = usb.Descriptor(index);
  ASSERT_EQ(descriptor[12], 0x05);
  ASSERT_EQ(descriptor[13], 0x01);

  const int identity = ports::ProbeUsbDevice(machine.platform());

  EXPECT_EQ(identity, 261);
  EXPECT_EQ(ports::UsbPortNumber(identity), 6);
}

TEST_F(UsbProbeTest, TheHighestIdentityStaysPositive) {
  usb.Attach(SimUsbDevice{0xFFFF});

  const int identity = ports::ProbeUsbDevice(machine.platform());

  EXPECT_EQ(identity, 65535);
  EXPECT_EQ(ports::UsbPortNumber(identity), 8);
}

TEST_F(UsbProbeTest, NoPrinterGivesMinusOneWithoutAMessage) {
  EXPECT_EQ(ports::ProbeUsbDevice(machine.platform()), ports::kNoUsbDevice);
  EXPECT_TRUE(machine.messageBoxes().empty());
  EXPECT_EQ(usb.openRequests(), 16);
  EXPECT_EQ(usb.descriptorReads(), 0);
}

TEST_F(UsbProbeTest, TwoPrintersStopTheCountAtTheSecondWithMessage144) {
  usb.AttachAt(1, SimUsbDevice{258});
  usb.AttachAt(4, SimUsbDevice{259});

  EXPECT_EQ(ports::ProbeUsbDevice(machine.platform()), ports::kSeveralUsbDevices);

  ASSERT_EQ(MessageTexts(machine), std::vector<std::string>{"安装过程中，请仅连接一台打印机"});
  EXPECT_EQ(machine.messageBoxes()[0].caption, "Setup");
  EXPECT_EQ(machine.messageBoxes()[0].type & 0xF, MB_OK);
  EXPECT_EQ(usb.openRequests(), 5) << "indexes 0 to 4, then no more";
  EXPECT_EQ(usb.descriptorReads(), 0);
}

TEST_F(UsbProbeTest, AnUnreadableDescriptorIsReportedAndGivesMinusOne) {
  usb.Attach(SimUsbDevice{258, /*descriptorFails=*/true});

  EXPECT_EQ(ports::ProbeUsbDevice(machine.platform()), ports::kNoUsbDevice);

  EXPECT_EQ(MessageTexts(machine), std::vector<std::string>{"Get Device ID error"});
}

TEST(UsbProbeLibrary, AMissingLibraryIsReportedOnEveryProbe) {
  SimMachine machine;

  EXPECT_EQ(ports::ProbeUsbDevice(machine.platform()), ports::kNoUsbDevice);
  EXPECT_EQ(ports::ProbeUsbDevice(machine.platform()), ports::kNoUsbDevice);

  EXPECT_EQ(MessageTexts(machine),
            (std::vector<std::string>{"Can not load KsUsbInt.dll", "Can not load KsUsbInt.dll"}));
  EXPECT_EQ(machine.libraries().loadRequests(), 2);
}

struct MissingExport {
  const char* name;
  const char* probeMessage;  // "" for none
  const char* renumberMessage;
  bool probeStillWorks;
  bool renumberStillWorks;
};

class UsbMissingExportTest : public ::testing::TestWithParam<MissingExport> {};

TEST_P(UsbMissingExportTest, EachOperationNeedsItsOwnEntryPoints) {
  const MissingExport& c = GetParam();
  SimMachine machine;
  SimUsbLibrary usb(machine);
  usb.Attach(SimUsbDevice{258});
  usb.RemoveExport(c.name);

  const int result = ports::ProbeUsbDevice(machine.platform());
  EXPECT_EQ(result, c.probeStillWorks ? 258 : ports::kNoUsbDevice);
  EXPECT_EQ(MessageTexts(machine), c.probeMessage[0] == '\0'
                                       ? std::vector<std::string>{}
                                       : std::vector<std::string>{c.probeMessage});

  const size_t before = machine.messageBoxes().size();
  ports::SetUsbDeviceNumber(machine.platform(), 2);
  const std::vector<std::string> texts = MessageTexts(machine);
  EXPECT_EQ(std::vector<std::string>(texts.begin() + static_cast<long>(before), texts.end()),
            c.renumberMessage[0] == '\0' ? std::vector<std::string>{}
                                         : std::vector<std::string>{c.renumberMessage});
  EXPECT_EQ(usb.writes().size(), c.renumberStillWorks ? 1u : 0u);
  EXPECT_EQ(usb.openDevices(), 0u);
  EXPECT_EQ(machine.libraries().loadedCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Exports, UsbMissingExportTest,
    ::testing::Values(MissingExport{"OpenDeviceX", "open function error", "open function error",
                                    false, false},
                      MissingExport{"GetDescriptor", "open function error", "", false, true},
                      MissingExport{"CloseDevice", "", "", false, false},
                      MissingExport{"uWrite", "", "open function error", true, false}),
    [](const ::testing::TestParamInfo<MissingExport>& info) {
      return std::string(info.param.name);
    });

TEST(UsbPortNumber, IsTheIdentityModuloEightPlusOne) {
  EXPECT_EQ(ports::UsbPortNumber(0), 1);
  EXPECT_EQ(ports::UsbPortNumber(8), 1);
  EXPECT_EQ(ports::UsbPortNumber(65528), 1);
  EXPECT_EQ(ports::UsbPortNumber(258), 3);
  EXPECT_EQ(ports::UsbPortNumber(7), 8);
  EXPECT_EQ(ports::UsbPortNumber(65535), 8);
}

TEST(UsbPortNumber, TheProbeFailuresMatchNoPort) {
  // The floating remainder keeps the sign: -2 (several printers) gives -1, -1 gives 0.
  EXPECT_EQ(ports::UsbPortNumber(ports::kSeveralUsbDevices), -1);
  EXPECT_EQ(ports::UsbPortNumber(ports::kNoUsbDevice), 0);
}

TEST(UsbSetIdentityCommand, IsEscSelectorGsIThenTheNumberLessOne) {
  EXPECT_EQ(CommandFor(1),
            (std::vector<BYTE>{0x1B, 0x4B, 0x53, 0x55, 0x53, 0x42, 0x1D, 0x49, 0x20, 0x00}));
  EXPECT_EQ(CommandFor(8).back(), 0x07);
  for (int n = 1; n <= 8; ++n) {
    const platform::SetIdentityCommandBytes command = platform::SetIdentityCommand(n);
    EXPECT_EQ(platform::SetIdentityCommandNumber(command.data(), command.size()), n);
  }
}

TEST(UsbSetIdentityCommand, AnythingElseIsNotACommand) {
  platform::SetIdentityCommandBytes command = platform::SetIdentityCommand(3);
  EXPECT_EQ(platform::SetIdentityCommandNumber(command.data(), command.size() - 1), 0);
  EXPECT_EQ(platform::SetIdentityCommandNumber(nullptr, command.size()), 0);
  for (size_t i = 0; i < command.size(); ++i) {
    platform::SetIdentityCommandBytes changed = command;
    changed[i] = static_cast<BYTE>(changed[i] + 8);  // byte 9 then reads 10: no number
    EXPECT_EQ(platform::SetIdentityCommandNumber(changed.data(), changed.size()), 0)
        << "byte " << i;
  }
}

class UsbRenumberTest : public ::testing::Test {
 protected:
  SimMachine machine;
  SimUsbLibrary usb{machine};
};

TEST_F(UsbRenumberTest, EveryNumberFromOneToEightIsReadBackByTheNextProbe) {
  const int index = usb.Attach(SimUsbDevice{258});
  for (int n = 1; n <= 8; ++n) {
    ports::SetUsbDeviceNumber(machine.platform(), n);

    ASSERT_EQ(usb.writes().size(), static_cast<size_t>(n));
    EXPECT_EQ(usb.writes().back().deviceIndex, index);
    EXPECT_EQ(usb.writes().back().reserved, 0);
    EXPECT_EQ(usb.writes().back().data, CommandFor(n));
    const int identity = ports::ProbeUsbDevice(machine.platform());
    EXPECT_EQ(identity, 256 + n - 1) << "the identity's higher bits stay";
    EXPECT_EQ(ports::UsbPortNumber(identity), n);
  }
  EXPECT_TRUE(machine.messageBoxes().empty());
}

TEST_F(UsbRenumberTest, TheFirstDeviceFoundReceivesTheCommand) {
  usb.AttachAt(2, SimUsbDevice{16});

  ports::SetUsbDeviceNumber(machine.platform(), 4);

  ASSERT_EQ(usb.writes().size(), 1u);
  EXPECT_EQ(usb.writes()[0].deviceIndex, 2);
  EXPECT_EQ(usb.device(2).identity, 19);
}

TEST_F(UsbRenumberTest, NumbersOutsideOneToEightSendAndLoadNothing) {
  usb.Attach(SimUsbDevice{258});
  for (int n : {0, 9, -1, 100}) {
    ports::SetUsbDeviceNumber(machine.platform(), n);
  }
  EXPECT_TRUE(usb.writes().empty());
  EXPECT_EQ(machine.libraries().loadRequests(), 0);
  EXPECT_TRUE(machine.messageBoxes().empty());
  EXPECT_EQ(usb.device(0).identity, 258);
}

TEST_F(UsbRenumberTest, NoDeviceIsReported) {
  ports::SetUsbDeviceNumber(machine.platform(), 2);

  EXPECT_EQ(MessageTexts(machine), std::vector<std::string>{"Can not find USB device."});
  EXPECT_TRUE(usb.writes().empty());
}

TEST_F(UsbRenumberTest, AFailedWriteIsReportedAndChangesNothing) {
  usb.Attach(SimUsbDevice{258, false, /*writeFails=*/true});

  ports::SetUsbDeviceNumber(machine.platform(), 2);

  EXPECT_EQ(MessageTexts(machine), std::vector<std::string>{"write ID error"});
  EXPECT_EQ(usb.device(0).identity, 258);
}

TEST(UsbRenumberLibrary, AMissingLibraryIsReported) {
  SimMachine machine;

  ports::SetUsbDeviceNumber(machine.platform(), 2);

  EXPECT_EQ(MessageTexts(machine), std::vector<std::string>{"Can not load KsUsbInt.dll"});
}

// Every way through both operations: no device stays open, no handle is closed twice, and the
// library is unloaded when the operation returns.
struct UsbPath {
  const char* name;
  std::function<void(SimUsbLibrary&)> scene;
  std::function<void(platform::Platform&)> operation;
};

class UsbReleaseTest : public ::testing::TestWithParam<UsbPath> {};

TEST_P(UsbReleaseTest, LeavesNoDeviceOpenAndTheLibraryUnloaded) {
  SimMachine machine;
  SimUsbLibrary usb(machine);
  GetParam().scene(usb);

  GetParam().operation(machine.platform());

  EXPECT_GE(machine.libraries().loadRequests(), 1) << "the path under test loads the library";
  EXPECT_EQ(usb.openDevices(), 0u);
  EXPECT_EQ(usb.strayCloses(), 0);
  EXPECT_EQ(machine.libraries().loadedCount(), 0u);
}

void Probe(platform::Platform& p) {
  ports::ProbeUsbDevice(p);
}
void Renumber(platform::Platform& p) {
  ports::SetUsbDeviceNumber(p, 3);
}
void OnePrinter(SimUsbLibrary& usb) {
  usb.Attach(SimUsbDevice{258});
}

INSTANTIATE_TEST_SUITE_P(
    Paths, UsbReleaseTest,
    ::testing::Values(UsbPath{"ProbeOnePrinter", OnePrinter, Probe},
                      UsbPath{"ProbeNoPrinter", [](SimUsbLibrary&) {}, Probe},
                      UsbPath{"ProbeNoPrinterMinusOne",
                              [](SimUsbLibrary& u) { u.AnswerEmptyIndexWith(-1); }, Probe},
                      UsbPath{"ProbeTwoPrinters",
                              [](SimUsbLibrary& u) {
                                u.AttachAt(0, SimUsbDevice{1});
                                u.AttachAt(7, SimUsbDevice{2});
                              },
                              Probe},
                      UsbPath{"ProbeEightPrinters",
                              [](SimUsbLibrary& u) {
                                for (int i = 0; i < 8; ++i) {
                                  u.Attach(SimUsbDevice{static_cast<WORD>(i)});
                                }
                              },
                              Probe},
                      UsbPath{"ProbeDescriptorFails",
                              [](SimUsbLibrary& u) {
                                u.Attach(SimUsbDevice{258, true});
                              },
                              Probe},
                      UsbPath{"ProbeWithoutOpenDeviceX",
                              [](SimUsbLibrary& u) {
                                OnePrinter(u);
                                u.RemoveExport("OpenDeviceX");
                              },
                              Probe},
                      UsbPath{"ProbeWithoutGetDescriptor",
                              [](SimUsbLibrary& u) {
                                OnePrinter(u);
                                u.RemoveExport("GetDescriptor");
                              },
                              Probe},
                      UsbPath{"ProbeWithoutCloseDevice",
                              [](SimUsbLibrary& u) {
                                OnePrinter(u);
                                u.RemoveExport("CloseDevice");
                              },
                              Probe},
                      UsbPath{"RenumberOnePrinter", OnePrinter, Renumber},
                      UsbPath{"RenumberNoPrinter", [](SimUsbLibrary&) {}, Renumber},
                      UsbPath{"RenumberWriteFails",
                              [](SimUsbLibrary& u) {
                                u.Attach(SimUsbDevice{258, false, true});
                              },
                              Renumber},
                      UsbPath{"RenumberWithoutUWrite",
                              [](SimUsbLibrary& u) {
                                OnePrinter(u);
                                u.RemoveExport("uWrite");
                              },
                              Renumber},
                      UsbPath{"RenumberWithoutCloseDevice",
                              [](SimUsbLibrary& u) {
                                OnePrinter(u);
                                u.RemoveExport("CloseDevice");
                              },
                              Renumber}),
    [](const ::testing::TestParamInfo<UsbPath>& info) { return std::string(info.param.name); });

}  // namespace
