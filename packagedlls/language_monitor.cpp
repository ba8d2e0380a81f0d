// pjlmon.dll: the language monitor that the package's drivers name ("Language Monitor").
// Windows ships one in its system directory and Wine does not, so the build makes this
// stand-in for the Wine bench. A language monitor offers no ports of its own.
#include "port_monitor.h"

namespace packagedlls {

const MonitorProfile kMonitorProfile = {L"Language Monitor", L"", nullptr, 0, true};

}  // namespace packagedlls
