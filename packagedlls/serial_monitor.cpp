// The package's serial-port monitor (TPSERMON.DLL): the maker's serial ports KSCOM1: to
// KSCOM8:, which the port page offers on NT-family systems.
#include "port_monitor.h"

namespace packagedlls {
namespace {

const wchar_t* const kPorts[] = {L"KSCOM1:", L"KSCOM2:", L"KSCOM3:", L"KSCOM4:",
                                 L"KSCOM5:", L"KSCOM6:", L"KSCOM7:", L"KSCOM8:"};

}  // namespace

const MonitorProfile kMonitorProfile = {L"TP Serial Monitor", L"TP serial port", kPorts,
                                        sizeof(kPorts) / sizeof(kPorts[0]), false};

}  // namespace packagedlls
