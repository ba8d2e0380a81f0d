// BuildPortList: decides the port page's port list for the chosen model, target system and
// installation mode, the port to preselect (the attached USB printer's port when there is one),
// and how the page's other controls follow the kind of port chosen. The port page applies the
// choice to its controls.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config/install_types.h"
#include "config/port_options.h"
#include "platform/platform.h"
#include "ports/usb_port_name.h"

namespace ports {

// FreshnessKey: the model and mode of the last build. The program has one port page, so the
// mode part, a single value for the whole process, lives here beside the model part.
struct PortListFreshness {
  Text model = "PRINTER";
  int mode = kModeTypical;
};

// The page's initialisation: FreshnessKey ("PRINTER", Typical).
void ResetPortListFreshness(PortListFreshness& freshness);

// What the serial-line lists do when the list is rebuilt.
enum class SerialListsChange { kEnable, kDisable, kKeep };

struct PortListChoice {
  // The list's entries in the order a sorted list shows them: every fixed name sorts before
  // the "USB_" names, and a model's USB names differ only in their last digit.
  std::vector<std::string> entries;
  std::string selected;  // the entry to select; "" for none
  int rasterFlag = 0;    // 1 for the GDI DriverFlavor, 0 for STD (check box 1052)
  bool usbHintShown = false;
  bool rasterEnabled = false;
  bool rasterShown = false;  // the box is offered only in Advanced mode
  SerialListsChange serialLists = SerialListsChange::kKeep;
};

// The list for the model, unless model and mode equal the last build's: then nullopt, and
// nothing happens at all, not even a USB probe. The probe's own message boxes may appear.
std::optional<PortListChoice> BuildPortList(platform::Platform& platform,
                                            PortListFreshness& freshness, const char* model,
                                            int targetOs, int installMode,
                                            const config::PortOptions& options);

}  // namespace ports
