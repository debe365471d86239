// The log-on entry's "/AUT" against the installed driver service: at log-on the service may
// not have started yet, and the activation waits for it; one that will not come (an
// administrator stopped it, it starts only by hand, it is disabled) is not waited for.
#include "tests/package/package_fixture.h"

namespace package_e2e {
namespace {

class PackageLogOnTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(0u, InstallQuietly(PackageFolder()));
    ASSERT_TRUE(StopServiceWithNet());
  }
};

TEST_F(PackageLogOnTest, ActivationAtLogOnWaitsForTheServiceNotStartedSinceBoot) {
  ASSERT_TRUE(MakeServiceNotStartedSinceBoot());
  robot::Process p = StartInstalledVelmora("/AUT /NOB");
  robot::WaitUntil([] { return false; }, 3s);
  ASSERT_TRUE(p.Running()) << "it did not wait for the driver";
  ASSERT_TRUE(StartService());
  DWORD code = 99;
  const std::vector<robot::MessageBoxSeen> boxes = robot::AnswerBoxesUntilExit(p, 20s);
  ASSERT_TRUE(p.WaitForExit(1s, &code));
  EXPECT_TRUE(boxes.empty()) << boxes.front().caption << ": " << boxes.front().text;
  EXPECT_EQ(0u, code);
  EXPECT_EQ(std::optional<std::uint32_t>(1), robot::GetDword(kGeneral, "ActivateState"));
  EXPECT_EQ(3, DriverStatus().at(4));
}

TEST_F(PackageLogOnTest, ActivationAtLogOnWithAServiceThatWillNotComeReportsTheMissingDriverAtOnce) {
  const struct {
    const char* what;
    DWORD start;
  } rows[] = {{"stopped with net stop", SERVICE_AUTO_START},
              {"manual start", SERVICE_DEMAND_START},
              {"disabled", SERVICE_DISABLED}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    ASSERT_TRUE(SetServiceStart(r.start));
    const std::string before = robot::Snapshot("SOFTWARE\\NOLVEX");
    const DWORD started = GetTickCount();
    robot::Process p = StartInstalledVelmora("/AUT /NOB");
    robot::MessageBoxSeen first;
    ASSERT_TRUE(robot::WaitForMessageBox(p.Pid(), &first, 5s));
    EXPECT_LE(GetTickCount() - started, 2000u) << "it waited for a driver that will not come";
    std::vector<robot::MessageBoxSeen> boxes = robot::AnswerBoxesUntilExit(p, 20s);
    DWORD code = 99;
    ASSERT_TRUE(p.WaitForExit(1s, &code));
    // As without a service: the start-up check's box, then the activation's own.
    std::vector<std::string> captions;
    for (const robot::MessageBoxSeen& b : boxes) captions.push_back(b.caption);
    EXPECT_EQ((std::vector<std::string>{"Velmora Error :  14", "Velmora Error :  14"}), captions);
    EXPECT_EQ(1u, code);
    EXPECT_EQ(before, robot::Snapshot("SOFTWARE\\NOLVEX"));
  }
}

}  // namespace
}  // namespace package_e2e
