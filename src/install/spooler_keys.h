// The spooler's registry keys (under HKEY_LOCAL_MACHINE) in which the installer finds its port
// monitors and print processors and keeps their "DriverVersion" and "Driver" values.
#pragma once

#include <string>

namespace install {

// "SYSTEM\CurrentControlSet\Control\Print\Monitors\" + name: there exactly when the monitor is
// installed.
std::string MonitorKeyPath(const char* monitorName);

// "...\Environments\Windows 4.0\Print Processors\" + name for a Win98/Me target, the
// "Windows NT x86" environment's key otherwise: there exactly when the processor is installed.
std::string ProcessorKeyPath(int targetOs, const char* processorName);

}  // namespace install
