#include <gtest/gtest.h>

#include <cstring>

#include "tools/vlifs95sim/stand_in_driver.h"

namespace velmora::sim {
namespace {

std::vector<std::uint8_t> Request(std::int32_t code) {
  std::vector<std::uint8_t> buffer(6132, 0);
  std::memcpy(buffer.data(), &code, 4);
  return buffer;
}

std::int32_t Word(const Answer& a, std::size_t i) {
  std::int32_t w = 0;
  std::memcpy(&w, a.reply.data() + 4 * i, 4);
  return w;
}

Answer Send(StandInDriver& d, std::int32_t code) {
  const auto r = Request(code);
  return d.Serve(r.data(), r.size());
}

TEST(StandInDriverTest, AnswersLikeTheDriver) {
  StandInDriver d;
  Answer status = Send(d, 1);
  ASSERT_EQ(6132u, status.reply.size());
  EXPECT_EQ(0, Word(status, 0));
  EXPECT_EQ((std::vector<std::int32_t>{4, 5, 1, 370, 4}),
            (std::vector<std::int32_t>{Word(status, 1), Word(status, 2), Word(status, 3), Word(status, 4), Word(status, 5)}));
  EXPECT_EQ(0, Send(d, 2).result);
  EXPECT_EQ(3, Word(Send(d, 1), 5));
  EXPECT_EQ(0, Send(d, 3).result);
  EXPECT_EQ(4, d.Settings().state);
  EXPECT_EQ(0, Send(d, 5).result);
  for (std::int32_t unknown : {0, 4, 6, -1}) EXPECT_NE(0, Word(Send(d, unknown), 0)) << unknown;
  // A request too short to carry a code is not one the driver knows.
  const std::uint8_t two[2] = {1, 0};
  EXPECT_NE(0, d.Serve(two, 2).result);
}

TEST(StandInDriverTest, ScriptedFaults) {
  StandInSettings s;
  s.refusals[2] = -3;
  s.stallOn = {3};
  s.shortReply = 2;
  StandInDriver d(s);
  Answer refused = Send(d, 2);
  EXPECT_EQ(-3, refused.result);
  EXPECT_EQ(4, d.Settings().state);  // a refused request is not carried out
  EXPECT_EQ(2u, refused.reply.size());
  EXPECT_TRUE(Send(d, 3).stalled);
  EXPECT_FALSE(Send(d, 1).stalled);
  d.Settings().stallAll = true;
  EXPECT_TRUE(Send(d, 1).stalled);
  EXPECT_EQ("request 1 stalled", LogLine(Send(d, 1), 4));
  EXPECT_EQ("request 2 result -3 state 4", LogLine(refused, 4));
}

TEST(StandInOptionsTest, ReadsEveryOption) {
  std::string error;
  auto o = ParseStandInOptions({"--state", "-3", "--version", "4.5.1.371", "--refuse", "2=-3", "--refuse", "3=1",
                                "--stall-on", "5", "--short", "4", "--log", "C:\\log.txt", "--pipe", "\\\\.\\pipe\\X"},
                               &error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(-3, o->settings.state);
  EXPECT_EQ((std::array<std::int32_t, 4>{4, 5, 1, 371}), o->settings.version);
  EXPECT_EQ((std::map<std::int32_t, std::int32_t>{{2, -3}, {3, 1}}), o->settings.refusals);
  EXPECT_EQ(std::set<std::int32_t>{5}, o->settings.stallOn);
  EXPECT_EQ(4u, o->settings.shortReply.value_or(0));
  EXPECT_EQ("C:\\log.txt", o->logFile);
  EXPECT_EQ("\\\\.\\pipe\\X", o->pipeName);
  EXPECT_FALSE(o->settings.stallAll);
  EXPECT_FALSE(o->registry);
  EXPECT_TRUE(ParseStandInOptions({"--registry"}, &error)->registry);
  EXPECT_FALSE(ParseStandInOptions({"--registry"}, &error)->service);
  EXPECT_TRUE(ParseStandInOptions({"--service"}, &error)->registry);  // a service keeps its state
  ASSERT_TRUE(ParseStandInOptions({"--stall"}, &error));
  EXPECT_TRUE(ParseStandInOptions({"--stall"}, &error)->settings.stallAll);
}

TEST(StandInOptionsTest, RefusesMistakesWithAReason) {
  const std::vector<std::vector<std::string>> bad = {
      {"--state"}, {"--state", "x"}, {"--state", "99999999999"}, {"--version", "4.5.1"}, {"--version", "4.5.1.x"},
      {"--refuse", "2"}, {"--refuse", "2=a"}, {"--short", "-1"}, {"--bogus"}, {"--stall-on", ""}};
  for (const auto& args : bad) {
    std::string error;
    EXPECT_FALSE(ParseStandInOptions(args, &error)) << args[0];
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace velmora::sim
