// The platform a contract test runs against: the simulated Windows in the native build, the
// real one (under Wine on the bench) in the Windows build. Tests state where Wine and Windows
// differ and the simulation follows Windows.
#pragma once

#include "platform/platform.h"

namespace contract {

platform::Platform& TestPlatform();
// True for the Windows build when the calls are answered by Wine rather than Windows.
bool RunningUnderWine();
// True for the native build.
bool RunningOnSimulation();

}  // namespace contract
