// The port page, the wizard's last: the port the printer is installed on (the list that
// BuildPortList fills), the serial line settings, and raster-bitmap printing (the GDI flavour)
// where the page offers it.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "ports/port_list.h"
#include "ports/serial_settings.h"
#include "ui/wizard_page.h"

namespace pages {

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

  const char* portBuffer() const { return state_.portBuffer; }
  int rasterFlag() const { return state_.rasterFlag; }
  const ports::SerialSettings& serial() const { return serial_; }

 private:
  void OnPortChosen(ui::DialogView& view);
  void OnSerialListChanged(ui::DialogView& view, int list);
  // Shows the page's values in its controls: the serial lists and check box 1052.
  void PushValues(ui::DialogView& view);

  platform::Platform& platform_;
  ports::PortListState state_;
  ports::SerialSettings serial_;
};

// Index of the baud list's entry for a configured rate; 38400's for a rate it does not list.
int BaudEntryIndex(std::int32_t rate);

}  // namespace pages
