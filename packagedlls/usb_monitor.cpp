// The package's USB port monitor (TPUSBMON.DLL): the USB port names of the package's
// [SUPPORTED-USB-DEVICE] list in DRVCONFIG\setup.ini, which the build writes into
// usb_ports.inc so that the monitor and the package cannot disagree.
#include "port_monitor.h"

namespace packagedlls {
namespace {

const wchar_t* const kPorts[] = {
#include "usb_ports.inc"
};

}  // namespace

const MonitorProfile kMonitorProfile = {L"TP USB Monitor", L"TP USB port", kPorts,
                                        sizeof(kPorts) / sizeof(kPorts[0]), false};

}  // namespace packagedlls
