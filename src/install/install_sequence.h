// InstallSequence: what Finish does. It takes every choice from the InstallSelection, refuses
// what cannot be installed, and installs the printer: the model's records, the USB printer's
// number, the port monitors and print processor, the driver files, the language monitor, the
// driver, the printer queue, the default printer and the serial line settings. Every message
// and question goes through the platform's user service, so that a run without the wizard can
// answer them in advance.
#pragma once

#include <functional>

#include "install/install_selection.h"
#include "platform/platform.h"

namespace install {

enum class SequenceEnd {
  // The wizard stays open on the port page; the system is unchanged.
  kStay,
  // The others have called endWizard. A failure ended the installation (its message shown).
  kFailed,
  // The printer is installed (on Windows 98/Me the machine is restarting).
  kInstalled,
  // Windows 98/Me: the printer is installed and takes effect after a restart not yet made.
  kRestartPending,
};

// Closes the wizard with OK once the sequence has returned; the final message comes after it.
using EndWizard = std::function<void()>;

// One run. On success selection.modelName becomes the name the printer was added under.
SequenceEnd InstallSequence(platform::Platform& platform, InstallSelection& selection,
                            const EndWizard& endWizard);

}  // namespace install
