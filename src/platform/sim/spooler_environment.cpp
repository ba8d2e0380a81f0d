#include "platform/sim/spooler_environment.h"

#include "platform/sim/name_case.h"

namespace platform::sim {

std::string ResolveEnvironment(LPCSTR requested, bool windows9x) {
  const std::string native = windows9x ? kEnvironment9x : kEnvironmentNt;
  if (requested == nullptr || *requested == '\0') {
    return native;
  }
  if (EqualsIgnoringCase(requested, kEnvironment9x)) {
    return kEnvironment9x;
  }
  if (!windows9x && EqualsIgnoringCase(requested, kEnvironmentNt)) {
    return kEnvironmentNt;
  }
  return "";
}

std::string EnvironmentFolder(const std::string& environment) {
  return environment == kEnvironment9x ? "win40" : "w32x86";
}

}  // namespace platform::sim
