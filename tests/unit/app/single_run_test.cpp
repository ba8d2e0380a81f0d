// One run at a time: the first run holds the mutex for as long as it lives; a second run, of
// the wizard or without windows, is told so (or, quiet, only gets 1618) and changes nothing.
#include "app/single_run.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"
#include "unattended/exit_codes.h"

namespace {

TEST(SingleRun, TheFirstRunHoldsTheMutexUntilItEnds) {
  platform::sim::SimMachine machine;
  {
    app::SingleRun first(machine.platform());
    EXPECT_TRUE(first.first());
    app::SingleRun second(machine.platform());
    EXPECT_FALSE(second.first());
  }
  EXPECT_EQ(machine.openMutexHandles(), 0u);
  app::SingleRun later(machine.platform());
  EXPECT_TRUE(later.first());
}

TEST(SingleRun, ASecondRunIsToldAndEndsWith1618) {
  platform::sim::SimMachine machine;
  machine.HoldMutexElsewhere("kestrelprintersetuprun");
  app::SingleRun run(machine.platform());
  ASSERT_FALSE(run.first());
  EXPECT_EQ(run.RefuseSecondRun(true), unattended::kExitAnotherRun);
  EXPECT_TRUE(machine.messageBoxes().empty());
  EXPECT_EQ(run.RefuseSecondRun(false), 1618);
  ASSERT_EQ(machine.messageBoxes().size(), 1u);
  EXPECT_NE(machine.messageBoxes()[0].text.find("正在进行"), std::string::npos);
}

}  // namespace
