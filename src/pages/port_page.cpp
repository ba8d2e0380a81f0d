#include "pages/port_page.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>

#include "config/decimal.h"
#include "config/text_buffer.h"
#include "messages/message_box.h"
#include "ports/port_kind.h"
#include "resources/resource_ids.h"

namespace pages {
namespace {

// The entries of the serial lists, in the order the template lists them.
constexpr std::int32_t kBaudRates[] = {110,  300,   1200,  2400,  4800,
                                       9600, 19200, 38400, 57600, 115200};
constexpr int kFallbackBaudEntry = 7;  // 38400
constexpr const char* kDataBits[] = {"5", "6", "7", "8"};
constexpr const char* kParities[] = {"Even", "Mark", "None", "Odd", "Space"};
constexpr const char* kStopBits[] = {"1", "1.5", "2"};
constexpr const char* kFlowControls[] = {"None", "Xon/Xoff", "Hardware"};
// Flow-control letters in the order of kFlowControls.
constexpr char kFlowLetters[] = {' ', 'x', 'p'};

// The USB hint: blue Arial on yellow.
constexpr std::uint32_t kHintTextColor = 0xFF0000;
constexpr std::uint32_t kHintBackColor = 0x00FFFF;
constexpr int kHintFontHeight = 14;

template <std::size_t N>
int IndexOf(const char* const (&entries)[N], const std::string& text) {
  for (std::size_t i = 0; i < N; ++i) {
    if (text == entries[i]) {
      return static_cast<int>(i);
    }
  }
  return ui::DialogView::kNoEntry;
}

int ParityEntry(char letter) {
  for (int i = 0; i < static_cast<int>(std::size(kParities)); ++i) {
    if (std::tolower(static_cast<unsigned char>(kParities[i][0])) ==
        std::tolower(static_cast<unsigned char>(letter))) {
      return i;
    }
  }
  return ui::DialogView::kNoEntry;
}

int StopBitsEntry(double stopBits) {
  if (stopBits == 1.5) {
    return 1;
  }
  return stopBits == 2.0 ? 2 : (stopBits == 1.0 ? 0 : ui::DialogView::kNoEntry);
}

int FlowEntry(char letter) {
  for (int i = 0; i < static_cast<int>(std::size(kFlowLetters)); ++i) {
    if (kFlowLetters[i] == letter) {
      return i;
    }
  }
  return ui::DialogView::kNoEntry;
}

int ExactBaudEntry(std::int32_t rate) {
  for (int i = 0; i < static_cast<int>(std::size(kBaudRates)); ++i) {
    if (kBaudRates[i] == rate) {
      return i;
    }
  }
  return ui::DialogView::kNoEntry;
}

template <std::size_t N>
void AddEntries(ui::DialogView& view, int list, const char* const (&entries)[N]) {
  for (const char* entry : entries) {
    view.AddString(list, entry);
  }
}

void FillSerialLists(ui::DialogView& view) {
  for (std::int32_t rate : kBaudRates) {
    view.AddString(IDC_BAUD_LIST, std::to_string(rate));
  }
  AddEntries(view, IDC_DATA_BITS_LIST, kDataBits);
  AddEntries(view, IDC_PARITY_LIST, kParities);
  AddEntries(view, IDC_STOP_BITS_LIST, kStopBits);
  AddEntries(view, IDC_FLOW_CONTROL_LIST, kFlowControls);
}

}  // namespace

int BaudEntryIndex(std::int32_t rate) {
  const int entry = ExactBaudEntry(rate);
  return entry == ui::DialogView::kNoEntry ? kFallbackBaudEntry : entry;
}

int PortPage::templateId() const {
  return IDD_PORT_PAGE;
}

void PortPage::OnInitDialog(ui::DialogView& view) {
  FillSerialLists(view);
  view.SetCurSel(IDC_PORT_LIST, 0);
  view.SetCurSel(IDC_DATA_BITS_LIST, IndexOf(kDataBits, "8"));
  view.SetCurSel(IDC_STOP_BITS_LIST, IndexOf(kStopBits, "1"));
  view.SetCurSel(IDC_PARITY_LIST, IndexOf(kParities, "None"));
  view.SetCurSel(IDC_FLOW_CONTROL_LIST, IndexOf(kFlowControls, "Hardware"));
  serial_.dataBits = 8;
  serial_.stopBits = 1.0;
  serial_.parity = 'n';
  serial_.flowControl = 'p';

  view.SetToolTip(IDC_RASTER_CHECK, messages::LoadMessage(platform_, IDS_F1_HELP));
  view.SetLabelStyle(IDC_USB_HINT,
                     ui::LabelStyle{kHintTextColor, kHintBackColor, kHintFontHeight, "Arial"});
  ports::ResetPortListFreshness(freshness_);
}

void PortPage::OnCommand(ui::DialogView& view, ui::DialogView& /*frame*/, int id, int code) {
  if (code != ui::kSelectionChanged) {
    return;
  }
  if (id == IDC_PORT_LIST) {
    OnPortChosen(view);
    return;
  }
  for (int list : kSerialListControls) {
    if (id == list) {
      OnSerialListChanged(view, list);
      return;
    }
  }
}

void PortPage::OnSerialListChanged(ui::DialogView& view, int list) {
  const std::string text = view.GetLBText(list, view.GetCurSel(list));
  switch (list) {
    case IDC_BAUD_LIST:
      serial_.baudRate = config::ParseDecimal(text.c_str());
      break;
    case IDC_DATA_BITS_LIST:
      serial_.dataBits = config::ParseDecimal(text.c_str());
      break;
    case IDC_PARITY_LIST:
      if (!text.empty()) {
        serial_.parity = text[0];
      }
      break;
    case IDC_STOP_BITS_LIST:
      serial_.stopBits = std::strtod(text.c_str(), nullptr);
      break;
    case IDC_FLOW_CONTROL_LIST: {
      const int entry = IndexOf(kFlowControls, text);
      if (entry != ui::DialogView::kNoEntry) {
        serial_.flowControl = kFlowLetters[entry];
      }
      break;
    }
    default:
      break;
  }
}

void PortPage::OnPortChosen(ui::DialogView& view) {
  const int selected = view.GetCurSel(IDC_PORT_LIST);
  config::CopyText(portBuffer_, view.GetLBText(IDC_PORT_LIST, selected));
  const ports::PortKind kind = ports::KindOfPort(portBuffer_);
  const bool serialPort = kind == ports::PortKind::kSerial;
  for (int list : kSerialListControls) {
    view.Enable(list, serialPort);
  }
  view.Enable(IDC_RASTER_CHECK, !serialPort);
  view.Show(IDC_USB_HINT, kind == ports::PortKind::kUsb);
  rasterFlag_ = serialPort ? 0 : 1;
  PushValues(view);
}

void PortPage::PushValues(ui::DialogView& view) {
  view.SetCheck(IDC_RASTER_CHECK, rasterFlag_ != 0);
  view.SetCurSel(IDC_BAUD_LIST, ExactBaudEntry(serial_.baudRate));
  view.SetCurSel(IDC_DATA_BITS_LIST, IndexOf(kDataBits, std::to_string(serial_.dataBits)));
  view.SetCurSel(IDC_PARITY_LIST, ParityEntry(serial_.parity));
  view.SetCurSel(IDC_STOP_BITS_LIST, StopBitsEntry(serial_.stopBits));
  view.SetCurSel(IDC_FLOW_CONTROL_LIST, FlowEntry(serial_.flowControl));
}

void PortPage::ApplyConfiguredBaudRate(ui::DialogView& view, std::int32_t configured) {
  const int entry = BaudEntryIndex(configured);
  serial_.baudRate = kBaudRates[entry];
  view.SetCurSel(IDC_BAUD_LIST, entry);
}

void PortPage::BuildPortList(ui::DialogView& view, const char* model, int targetOs,
                             const config::PortOptions& options, int installMode) {
  const std::optional<ports::PortListChoice> choice =
      ports::BuildPortList(platform_, freshness_, model, targetOs, installMode, options);
  if (choice) {
    ApplyPortList(view, *choice);
  }
}

void PortPage::ApplyPortList(ui::DialogView& view, const ports::PortListChoice& choice) {
  view.ResetContent(IDC_PORT_LIST);
  for (const std::string& entry : choice.entries) {
    view.AddString(IDC_PORT_LIST, entry);
  }
  portBuffer_[0] = '\0';
  if (!choice.selected.empty()) {
    view.SetCurSel(IDC_PORT_LIST, view.FindStringExact(IDC_PORT_LIST, -1, choice.selected));
    // PortBuffer is always the selected entry's text.
    config::CopyText(portBuffer_, view.GetLBText(IDC_PORT_LIST, view.GetCurSel(IDC_PORT_LIST)));
  }
  if (choice.serialLists != ports::SerialListsChange::kKeep) {
    for (int list : kSerialListControls) {
      view.Enable(list, choice.serialLists == ports::SerialListsChange::kEnable);
    }
  }
  view.Show(IDC_USB_HINT, choice.usbHintShown);
  view.Enable(IDC_RASTER_CHECK, choice.rasterEnabled);
  rasterFlag_ = choice.rasterFlag;
  view.Show(IDC_RASTER_CHECK, choice.rasterShown);
  view.SetCheck(IDC_RASTER_CHECK, rasterFlag_ != 0);
}

bool PortPage::TakeValues(ui::DialogView& view) {
  rasterFlag_ = view.IsChecked(IDC_RASTER_CHECK) ? 1 : 0;
  return true;
}

}  // namespace pages
