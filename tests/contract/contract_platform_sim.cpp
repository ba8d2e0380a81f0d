#include "contract_platform.h"

#include "platform/sim/sim_machine.h"

namespace contract {

platform::sim::SimMachine& SimulatedMachine() {
  static platform::sim::SimMachine machine;
  return machine;
}

platform::Platform& TestPlatform() {
  return SimulatedMachine().platform();
}

bool RunningUnderWine() {
  return false;
}
bool RunningOnSimulation() {
  return true;
}

}  // namespace contract
