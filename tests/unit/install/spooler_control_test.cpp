#include "install/spooler_control.h"

#include <string>
#include <vector>

#include "install_fixture.h"

namespace {

using install_test::InstallTest;

class SpoolerControlTest : public InstallTest {
 protected:
  platform::sim::SimServices& services() { return machine.services(); }
};

// StopSpooler.

TEST_F(SpoolerControlTest, StopSendsTheStopControlAndPauses100Ms) {
  install::StopSpooler(platform());
  EXPECT_EQ(services().spoolerState(), SERVICE_STOPPED);
  EXPECT_EQ(services().stopRequests(), 1);
  EXPECT_EQ(machine.elapsedMilliseconds(), 100u);
  EXPECT_EQ(services().managerAccessRequested(), std::vector<DWORD>{SC_MANAGER_ALL_ACCESS});
  EXPECT_EQ(services().serviceAccessRequested(), std::vector<DWORD>{SERVICE_STOP});
  EXPECT_TRUE(Shown().empty());
  ExpectEverythingReleased();
}

TEST_F(SpoolerControlTest, StoppingAStoppedSpoolerIsNoError) {
  services().SetSpoolerState(SERVICE_STOPPED);
  install::StopSpooler(platform());
  EXPECT_EQ(services().stopRequests(), 1);
  EXPECT_EQ(machine.elapsedMilliseconds(), 100u);
  EXPECT_TRUE(Shown().empty());
  ExpectEverythingReleased();
}

TEST_F(SpoolerControlTest, RefusedStopShowsTheErrorNumber) {
  services().FailStop(1051);
  install::StopSpooler(platform());
  EXPECT_EQ(Shown(), std::vector<std::string>{"Stop spool service error, error code = 1051"});
  EXPECT_EQ(machine.elapsedMilliseconds(), 100u);
  ExpectEverythingReleased();
}

TEST_F(SpoolerControlTest, StopWithoutManagerAccessDoesNothingAndSaysNothing) {
  services().DenyManagerAccess(true);
  install::StopSpooler(platform());
  EXPECT_EQ(services().spoolerState(), SERVICE_RUNNING);
  EXPECT_EQ(machine.elapsedMilliseconds(), 0u);
  EXPECT_TRUE(Shown().empty());
  ExpectEverythingReleased();
}

// StartSpooler.

TEST_F(SpoolerControlTest, StartStartsTheServiceWithoutPause) {
  services().SetSpoolerState(SERVICE_STOPPED);
  install::StartSpooler(platform());
  EXPECT_EQ(services().spoolerState(), SERVICE_RUNNING);
  EXPECT_EQ(services().startRequests(), 1);
  EXPECT_EQ(machine.elapsedMilliseconds(), 0u);
  EXPECT_EQ(services().managerAccessRequested(), std::vector<DWORD>{SC_MANAGER_ALL_ACCESS});
  EXPECT_EQ(services().serviceAccessRequested(), std::vector<DWORD>{SERVICE_START});
  EXPECT_TRUE(Shown().empty());
  ExpectEverythingReleased();
}

TEST_F(SpoolerControlTest, StartingARunningSpoolerIsNoError) {
  install::StartSpooler(platform());
  EXPECT_EQ(services().startRequests(), 1);
  EXPECT_TRUE(Shown().empty());
  ExpectEverythingReleased();
}

TEST_F(SpoolerControlTest, RefusedStartShowsTheErrorNumber) {
  services().SetSpoolerState(SERVICE_STOPPED);
  services().FailStart(1058);
  install::StartSpooler(platform());
  EXPECT_EQ(Shown(), std::vector<std::string>{"Start spool service error, error code = 1058"});
  EXPECT_EQ(machine.elapsedMilliseconds(), 0u);
  ExpectEverythingReleased();
}

TEST_F(SpoolerControlTest, StartWithoutManagerAccessSaysNothing) {
  services().SetSpoolerState(SERVICE_STOPPED);
  services().DenyManagerAccess(true);
  install::StartSpooler(platform());
  EXPECT_EQ(services().spoolerState(), SERVICE_STOPPED);
  EXPECT_TRUE(Shown().empty());
  ExpectEverythingReleased();
}

// WaitSpoolerRunning.

TEST_F(SpoolerControlTest, RunningSpoolerAnswersAtTheFirstQuery) {
  EXPECT_EQ(install::WaitSpoolerRunning(platform()), 1);
  EXPECT_EQ(services().statusQueries(), 1);
  EXPECT_EQ(machine.elapsedMilliseconds(), 0u);
  EXPECT_EQ(services().managerAccessRequested(), std::vector<DWORD>{SC_MANAGER_ALL_ACCESS});
  EXPECT_EQ(services().serviceAccessRequested(), std::vector<DWORD>{SERVICE_QUERY_STATUS});
  EXPECT_TRUE(Shown().empty());
  ExpectEverythingReleased();
}

TEST_F(SpoolerControlTest, SpoolerComingUpInTheWindowEndsTheWaitAtOnce) {
  services().SetSpoolerState(SERVICE_STOPPED);
  services().StartTakesQueries(3);
  install::StartSpooler(platform());
  ASSERT_EQ(services().spoolerState(), SERVICE_START_PENDING);
  EXPECT_EQ(install::WaitSpoolerRunning(platform()), 1);
  // Three queries see it pending, the fourth running: three pauses, none after it.
  EXPECT_EQ(services().statusQueries(), 4);
  EXPECT_EQ(machine.elapsedMilliseconds(), 900u);
  EXPECT_TRUE(Shown().empty());
  ExpectEverythingReleased();
}

TEST_F(SpoolerControlTest, SpoolerNeverRunningGivesTenPollsThenTheMessage) {
  services().SetSpoolerState(SERVICE_STOPPED);
  services().SpoolerNeverStarts(true);
  install::StartSpooler(platform());
  EXPECT_EQ(install::WaitSpoolerRunning(platform()), 0);
  EXPECT_EQ(services().statusQueries(), 10);
  EXPECT_EQ(machine.elapsedMilliseconds(), 3000u);
  EXPECT_EQ(Shown(), std::vector<std::string>{"StartSpoolService error"});
  ExpectEverythingReleased();
}

TEST_F(SpoolerControlTest, WaitWithoutManagerAccessFailsAtOnce) {
  services().DenyManagerAccess(true);
  EXPECT_EQ(install::WaitSpoolerRunning(platform()), 0);
  EXPECT_EQ(services().statusQueries(), 0);
  EXPECT_EQ(machine.elapsedMilliseconds(), 0u);
  EXPECT_EQ(Shown(), std::vector<std::string>{"StartSpoolService error"});
  ExpectEverythingReleased();
}

}  // namespace
