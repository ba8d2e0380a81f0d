// BuildPortList: fills the port page's port list for the chosen model, target system and
// installation mode, preselects a port (the attached USB printer's port when there is one),
// and sets the page's other controls to suit the kind of port chosen.
#pragma once

#include "ui/dialog_view.h"
#include "config/install_types.h"
#include "config/port_options.h"
#include "platform/platform.h"
#include "ports/usb_port_name.h"
#include "resources/resource_ids.h"

namespace ports {

// The port page's serial-line lists, which follow the kind of the chosen port.
constexpr int kSerialListControls[] = {IDC_BAUD_LIST, IDC_DATA_BITS_LIST, IDC_PARITY_LIST,
                                       IDC_STOP_BITS_LIST, IDC_FLOW_CONTROL_LIST};

// The port page's values that BuildPortList reads and renews.
struct PortListState {
  // The chosen port's text; always the selected entry's text ("" while none is selected).
  PortText portBuffer = {};
  // 1 for the GDI DriverFlavor, 0 for STD; shown by check box 1052.
  int rasterFlag = 0;
  // The page's InstallMode, set by the wizard before each build.
  int installMode = kModeTypical;
  // FreshnessKey: the model and mode of the last build. The program has one port page, so the
  // mode part, a single value for the whole process, lives here beside the model part.
  Text freshModel = "PRINTER";
  int freshMode = kModeTypical;
};

// The page's initialisation: FreshnessKey ("PRINTER", Typical) and the page's mode Typical.
void ResetPortListState(PortListState& state);

// Rebuilds the list unless model and mode equal the last build's (then nothing happens at all,
// not even a USB probe). The probe's own message boxes may appear during the build. Of the
// page's values it pushes RasterFlag to check box 1052; PortBuffer is the list's selection.
void BuildPortList(platform::Platform& platform, ui::DialogView& view, PortListState& state,
                   const char* model, int targetOs, const config::PortOptions& options);

}  // namespace ports
