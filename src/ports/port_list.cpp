#include "ports/port_list.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "config/text_buffer.h"
#include "ports/port_kind.h"
#include "ports/usb_identity.h"

namespace ports {
namespace {

constexpr const char* kWin98Ports[] = {"COM1:", "COM2:", "LPT1:"};
constexpr const char* kNtPorts[] = {
    "KSCOM1:", "KSCOM2:", "KSCOM3:", "KSCOM4:", "KSCOM5:", "KSCOM6:",
    "KSCOM7:", "KSCOM8:", "LPT1:",   "LPT2:",   "LPT3:"};

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

bool IsKind(const std::string& port, PortKind kind) {
  return KindOfPort(port.c_str()) == kind;
}

// All or nothing: a model whose name is too long for a port name gets no USB entry.
void AddUsbNames(std::vector<std::string>& entries, const char* model, bool advanced) {
  const int count = advanced ? kAdvancedUsbPorts : 1;
  PortText names[kAdvancedUsbPorts] = {};
  for (int n = 1; n <= count; ++n) {
    if (!FormatUsbPortName(model, n, names[n - 1])) {
      return;
    }
  }
  entries.insert(entries.end(), std::begin(names), std::begin(names) + count);
}

// The first entry in list order that matches; with no match the selection stays as it was.
template <typename Match>
void SelectFirstMatching(PortListChoice& choice, Match matches) {
  const auto it = std::find_if(choice.entries.begin(), choice.entries.end(), matches);
  if (it != choice.entries.end()) {
    choice.selected = *it;
  }
}

// The attached printer's port: in Typical mode the one USB entry; in Advanced mode the entry
// of its number n, falling back to the first entry when n names none of the four.
void PreselectUsbPort(PortListChoice& choice, bool advanced, int probe) {
  const int n = UsbPortNumber(probe);
  if (!advanced) {
    SelectFirstMatching(choice,
                        [](const std::string& text) { return IsKind(text, PortKind::kUsb); });
    return;
  }
  if (n > kAdvancedUsbPorts) {
    choice.selected = choice.entries.front();
  }
  const std::string ending = "_" + std::to_string(n);
  SelectFirstMatching(choice, [&](const std::string& text) {
    return IsKind(text, PortKind::kUsb) && Contains(text, ending);
  });
}

// The controls that follow the kind of the chosen port. A preselected USB printer has already
// disabled the serial lists; only a serial port in Typical mode enables them again.
void FollowPortKind(PortListChoice& choice, bool advanced) {
  const PortKind kind = KindOfPort(choice.selected.c_str());
  choice.usbHintShown = kind == PortKind::kUsb;
  const bool serial = kind != PortKind::kUsb && kind != PortKind::kParallel;
  choice.rasterEnabled = !serial;
  choice.rasterFlag = serial ? 0 : 1;
  if (kind == PortKind::kParallel) {
    choice.serialLists = SerialListsChange::kDisable;
  } else if (serial && !advanced) {
    choice.serialLists = SerialListsChange::kEnable;
  }
  choice.rasterShown = advanced;
}

}  // namespace

void ResetPortListFreshness(PortListFreshness& freshness) {
  config::CopyText(freshness.model, "PRINTER");
  freshness.mode = kModeTypical;
}

std::optional<PortListChoice> BuildPortList(platform::Platform& platform,
                                            PortListFreshness& freshness, const char* model,
                                            int targetOs, int installMode,
                                            const config::PortOptions& options) {
  // Only the model and the mode decide whether the list is still fresh.
  if (std::strcmp(model, freshness.model) == 0 && installMode == freshness.mode) {
    return std::nullopt;
  }
  config::CopyText(freshness.model, model);
  freshness.mode = installMode;
  const bool advanced = installMode == kModeAdvanced;

  PortListChoice choice;
  if (targetOs == kTargetWin98Me) {
    choice.entries.assign(std::begin(kWin98Ports), std::end(kWin98Ports));
  } else {
    choice.entries.assign(std::begin(kNtPorts), std::end(kNtPorts));
  }

  // Every build asks, whatever the model supports.
  const int probe = ProbeUsbDevice(platform);

  if (options.usbSupported && targetOs != kTargetNt4) {
    AddUsbNames(choice.entries, model, advanced);
  }
  if (options.usbSupported && probe != kNoUsbDevice) {
    PreselectUsbPort(choice, advanced, probe);
    choice.serialLists = SerialListsChange::kDisable;
  } else if (!options.lptDefault) {
    choice.selected = choice.entries.front();
  } else {
    SelectFirstMatching(choice,
                        [](const std::string& text) { return IsKind(text, PortKind::kParallel); });
  }
  FollowPortKind(choice, advanced);
  return choice;
}

}  // namespace ports
