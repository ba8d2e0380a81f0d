#include "ports/port_list.h"

#include <cstring>
#include <string>

#include "config/text_buffer.h"
#include "resources/resource_ids.h"
#include "ports/port_kind.h"
#include "ports/usb_identity.h"

namespace ports {
namespace {

constexpr const char* kWin98Ports[] = {"COM1:", "COM2:", "LPT1:"};
constexpr const char* kNtPorts[] = {
    "KSCOM1:", "KSCOM2:", "KSCOM3:", "KSCOM4:", "KSCOM5:", "KSCOM6:",
    "KSCOM7:", "KSCOM8:", "LPT1:",   "LPT2:",   "LPT3:"};
constexpr int kFirstEntry = 0;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

bool IsKind(const std::string& port, PortKind kind) {
  return KindOfPort(port.c_str()) == kind;
}

template <size_t N>
void AddNames(ui::DialogView& view, const char* const (&names)[N]) {
  for (const char* name : names) {
    view.AddString(IDC_PORT_LIST, name);
  }
}

// All or nothing: a model whose name is too long for a port name gets no USB entry.
void AddUsbNames(ui::DialogView& view, const char* model, bool advanced) {
  const int count = advanced ? kAdvancedUsbPorts : 1;
  PortText names[kAdvancedUsbPorts] = {};
  for (int n = 1; n <= count; ++n) {
    if (!FormatUsbPortName(model, n, names[n - 1])) {
      return;
    }
  }
  for (int n = 1; n <= count; ++n) {
    view.AddString(IDC_PORT_LIST, names[n - 1]);
  }
}

// The selection and PortBuffer change together, so that PortBuffer is always the selected text.
void SelectEntry(ui::DialogView& view, PortListState& state, int index) {
  view.SetCurSel(IDC_PORT_LIST, index);
  const int selected = view.GetCurSel(IDC_PORT_LIST);
  config::CopyText(state.portBuffer, view.GetLBText(IDC_PORT_LIST, selected));
}

// Walks the list in its sorted order and selects the first entry that matches; with no match
// the selection and PortBuffer stay as they were.
template <typename Match>
void SelectFirstMatching(ui::DialogView& view, PortListState& state, Match matches) {
  const int count = view.GetCount(IDC_PORT_LIST);
  for (int index = 0; index < count; ++index) {
    if (matches(view.GetLBText(IDC_PORT_LIST, index))) {
      SelectEntry(view, state, index);
      return;
    }
  }
}

void EnableSerialLists(ui::DialogView& view, bool enabled) {
  for (int id : kSerialListControls) {
    view.Enable(id, enabled);
  }
}

// The attached printer's port: in Typical mode the one USB entry; in Advanced mode the entry
// of its number n, falling back to the first entry when n names none of the four.
void PreselectUsbPort(ui::DialogView& view, PortListState& state, bool advanced, int probe) {
  const int n = UsbPortNumber(probe);
  if (!advanced) {
    SelectFirstMatching(view, state,
                        [](const std::string& text) { return IsKind(text, PortKind::kUsb); });
    return;
  }
  if (n > kAdvancedUsbPorts) {
    SelectEntry(view, state, kFirstEntry);
  }
  const std::string ending = "_" + std::to_string(n);
  SelectFirstMatching(view, state, [&](const std::string& text) {
    return IsKind(text, PortKind::kUsb) && Contains(text, ending);
  });
}

// The controls that follow the kind of the chosen port.
void ShowPortKind(ui::DialogView& view, PortListState& state, bool advanced) {
  const PortKind kind = KindOfPort(state.portBuffer);
  if (kind == PortKind::kUsb) {
    view.Show(IDC_USB_HINT, true);
    view.Enable(IDC_RASTER_CHECK, true);
    state.rasterFlag = 1;
  } else if (kind == PortKind::kParallel) {
    view.Show(IDC_USB_HINT, false);
    view.Enable(IDC_RASTER_CHECK, true);
    state.rasterFlag = 1;
    EnableSerialLists(view, false);
  } else {
    view.Show(IDC_USB_HINT, false);
    view.Enable(IDC_RASTER_CHECK, false);
    state.rasterFlag = 0;
    if (!advanced) {
      EnableSerialLists(view, true);
    }
  }
}

}  // namespace

void ResetPortListState(PortListState& state) {
  config::CopyText(state.freshModel, "PRINTER");
  state.freshMode = kModeTypical;
  state.installMode = kModeTypical;
}

void BuildPortList(platform::Platform& platform, ui::DialogView& view, PortListState& state,
                   const char* model, int targetOs, const config::PortOptions& options) {
  // Only the model and the mode decide whether the list is still fresh.
  if (std::strcmp(model, state.freshModel) == 0 && state.installMode == state.freshMode) {
    return;
  }
  config::CopyText(state.freshModel, model);
  state.freshMode = state.installMode;
  const bool advanced = state.installMode == kModeAdvanced;

  view.ResetContent(IDC_PORT_LIST);
  state.portBuffer[0] = '\0';
  if (targetOs == kTargetWin98Me) {
    AddNames(view, kWin98Ports);
  } else {
    AddNames(view, kNtPorts);
  }

  // Every build asks, whatever the model supports.
  const int probe = ProbeUsbDevice(platform);

  if (options.usbSupported && targetOs != kTargetNt4) {
    AddUsbNames(view, model, advanced);
  }
  if (options.usbSupported && probe != kNoUsbDevice) {
    PreselectUsbPort(view, state, advanced, probe);
    EnableSerialLists(view, false);
  } else if (!options.lptDefault) {
    SelectEntry(view, state, kFirstEntry);
  } else {
    SelectFirstMatching(view, state,
                        [](const std::string& text) { return IsKind(text, PortKind::kParallel); });
  }

  ShowPortKind(view, state, advanced);
  // The box is offered only in Advanced mode; in Typical mode the port kind alone decides.
  view.Show(IDC_RASTER_CHECK, advanced);
  view.SetCheck(IDC_RASTER_CHECK, state.rasterFlag != 0);
}

}  // namespace ports
