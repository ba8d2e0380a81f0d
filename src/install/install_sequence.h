// InstallSequence: what Finish does. It takes every choice from the InstallSelection, refuses
// what cannot be installed, and installs the printer: the model's records, the USB printer's
// number, the port monitors and print processor, the driver files, the language monitor, the
// driver, the printer queue, the default printer and the serial line settings. Every message
// and question goes through the platform's user service, so that a run without the wizard can
// answer them in advance.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "install/install_selection.h"
#include "platform/platform.h"

namespace install {

enum class SequenceEnd {
  // The wizard stays open on the port page; the system is unchanged.
  kStay,
  // A refusal closed the wizard (its message shown) before anything was changed.
  kRefused,
  // The others have called endWizard. A failure ended the installation (its message shown).
  kFailed,
  // The printer is installed (on Windows 98/Me the machine is restarting).
  kInstalled,
  // Windows 98/Me: the printer is installed and takes effect after a restart not yet made.
  kRestartPending,
};

// Closes the wizard with OK once the sequence has returned; the final message comes after it.
using EndWizard = std::function<void()>;

// What a run without windows asks of the sequence and learns from it.
struct SequenceReport {
  // Asked just before the printer would be added, with its driver and spooler port: the name of
  // an installed printer to keep (no printer is added; the default printer and the serial
  // settings then apply to it), or empty to add the printer. Unset: always added.
  std::function<std::string(const std::string& driver, const std::string& port)> existingPrinter;
  // Steps that failed while the installation went on (a message, if the step has one, has been
  // shown); empty when every step succeeded.
  std::vector<std::string> failedSteps;
};

// One run. On success selection.modelName becomes the name the printer was added (or kept)
// under.
SequenceEnd InstallSequence(platform::Platform& platform, InstallSelection& selection,
                            const EndWizard& endWizard, SequenceReport* report = nullptr);

}  // namespace install
