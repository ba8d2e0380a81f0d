// What distinguishes one of our port-monitor DLLs from another: its name and the ports it
// offers. port_monitor.cpp is the monitor itself; each DLL links it with one profile.
#pragma once

#include <windows.h>

#include <cstddef>

namespace packagedlls {

struct MonitorProfile {
  const wchar_t* monitorName;  // as the package's configuration registers it
  const wchar_t* description;  // PORT_INFO_2's description of every port
  const wchar_t* const* ports;
  size_t portCount;
  // A language monitor sits between the spooler and a port monitor: the spooler tells the two
  // kinds apart by OpenPortEx, which only a language monitor has.
  bool languageMonitor;
};

// Defined once per DLL.
extern const MonitorProfile kMonitorProfile;

}  // namespace packagedlls
