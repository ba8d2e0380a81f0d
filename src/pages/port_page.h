// The port page, the wizard's last: the port the printer is installed on (the list that
// BuildPortList fills), the serial line settings, and raster-bitmap printing (the GDI flavour)
// where the page offers it.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "ports/port_list.h"
#include "ports/serial_settings.h"
#include "ports/usb_port_name.h"
#include "resources/resource_ids.h"
#include "ui/wizard_page.h"

namespace pages {

// The page's serial-line lists, which follow the kind of the chosen port.
constexpr int kSerialListControls[] = {IDC_BAUD_LIST, IDC_DATA_BITS_LIST, IDC_PARITY_LIST,
                                       IDC_STOP_BITS_LIST, IDC_FLOW_CONTROL_LIST};

class PortPage final : public ui::WizardPage {
 public:
  explicit PortPage(platform::Platform& platform) : platform_(platform) {}

  int templateId() const override;
  void OnInitDialog(ui::DialogView& view) override;
  void OnCommand(ui::DialogView& view, ui::DialogView& frame, int id, int code) override;
  bool TakeValues(ui::DialogView& view) override;

  // The model's configured rate: the list shows its entry (38400 for a rate it does not list)
  // and the page keeps the rate shown.
  void ApplyConfiguredBaudRate(ui::DialogView& view, std::int32_t configured);
  // Fills the port list for the chosen model and its options; the mode is the
  // installation-mode page's.
  void BuildPortList(ui::DialogView& view, const char* model, int targetOs,
                     const config::PortOptions& options, int installMode);

  const char* portBuffer() const { return portBuffer_; }
  int rasterFlag() const { return rasterFlag_; }
  const ports::SerialSettings& serial() const { return serial_; }

 private:
  void OnPortChosen(ui::DialogView& view);
  // Shows a rebuilt list and the controls that follow its chosen port.
  void ApplyPortList(ui::DialogView& view, const ports::PortListChoice& choice);
  void OnSerialListChanged(ui::DialogView& view, int list);
  // Shows the page's values in its controls: the serial lists and check box 1052.
  void PushValues(ui::DialogView& view);

  platform::Platform& platform_;
  ports::PortListFreshness freshness_;
  // The chosen port's text; always the selected entry's text ("" while none is selected).
  ports::PortText portBuffer_ = {};
  // 1 for the GDI DriverFlavor, 0 for STD; shown by check box 1052.
  int rasterFlag_ = 0;
  ports::SerialSettings serial_;
};

// Index of the baud list's entry for a configured rate; 38400's for a rate it does not list.
int BaudEntryIndex(std::int32_t rate);

}  // namespace pages
