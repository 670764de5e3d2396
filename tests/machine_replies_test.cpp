// The controller's lines read back, each kind from its own parser, garbled ones as Other.
#include <gtest/gtest.h>

#include "machine/replies.h"

namespace skelda {
namespace {

using Kind = Reply::Kind;

struct Line {
  const char* text;
  Kind kind;
  int code;
  const char* rest;  // the text kept
};

TEST(replies, each_kind_of_line) {
  const Line lines[] = {
      {"ok", Kind::Ok, 0, ""},
      {"ok\r", Kind::Ok, 0, ""},
      {"error:22", Kind::Error, 22, ""},
      {"error:x", Kind::Other, 0, "error:x"},
      {"ALARM:3", Kind::Alarm, 3, ""},
      {"[MSG:Reset to continue]", Kind::Message, 0, "Reset to continue"},
      {"[OPT:V,15,128]", Kind::Option, 0, "V,15,128"},
      {"[VER:1.1h.20190825:]", Kind::Version, 0, "1.1h.20190825:"},
      {"[GC:G0 G54 G17 G21 G90 G94 M5 M9 T0 F0 S0]", Kind::Feedback, 0,
       "GC:G0 G54 G17 G21 G90 G94 M5 M9 T0 F0 S0"},
      {"$130=400.000", Kind::Setting, 130, "400.000"},
      {"$N0=", Kind::Other, 0, "$N0="},
      {"Grbl 1.1h ['$' for help]", Kind::Welcome, 0, "Grbl 1.1h ['$' for help]"},
      {"GrblHAL 1.1f ['$' or '$HELP' for help]", Kind::Welcome, 0,
       "GrblHAL 1.1f ['$' or '$HELP' for help]"},
      {"Grbl 3.7 [FluidNC v3.7.8 (wifi) '$' for help]", Kind::Welcome, 0,
       "Grbl 3.7 [FluidNC v3.7.8 (wifi) '$' for help]"},
      {"Grbl", Kind::Other, 0, "Grbl"},
      {"<Run|MPos:1,2,3|Bf:>", Kind::Other, 0, "<Run|MPos:1,2,3|Bf:>"},
      {"<Dance|MPos:1,2,3>", Kind::Other, 0, "<Dance|MPos:1,2,3>"},
      {"<Idle", Kind::Other, 0, "<Idle"},
  };
  for (const Line& l : lines) {
    const Reply r = ParseReply(l.text);
    EXPECT_EQ(r.kind, l.kind) << l.text;
    EXPECT_EQ(r.code, l.code) << l.text;
    EXPECT_EQ(r.text, l.rest) << l.text;
  }
  EXPECT_EQ(ParseReply("$130=400.000").value, 400);
  const Reply opt = ParseReply("[OPT:VL,35,1024]");
  EXPECT_EQ(opt.plannerBlocks, 35);
  EXPECT_EQ(opt.receiveBuffer, 1024);
}

TEST(replies, status_fields) {
  const StatusReport s = ParseReply(
                             "<Hold:1|MPos:10.000,-2.5,0.000|Bf:12,96|FS:1500,250|Ov:110,100,90|"
                             "WCO:1.000,2.000,0.000|Pn:XY|A:S>")
                             .status;
  EXPECT_EQ(s.state, grbl::State::Hold);
  EXPECT_EQ(s.subState, 1);
  EXPECT_EQ(*s.machinePosition, (std::array<double, 3>{10, -2.5, 0}));
  EXPECT_EQ(*s.plannerFree, 12);
  EXPECT_EQ(*s.receiveFree, 96);
  EXPECT_EQ(*s.feed, 1500);
  EXPECT_EQ(*s.power, 250);
  EXPECT_EQ(*s.overrides, (std::array<int, 3>{110, 100, 90}));
  EXPECT_EQ(s.pins, "XY");
  EXPECT_EQ(*WorkPosition(s, std::nullopt), (std::array<double, 3>{9, -4.5, 0}));
  // Without WCO in the report the last one seen stands in; WPos is taken as it is.
  const StatusReport idle = ParseReply("<Idle|MPos:5,5,0|FS:0,0>").status;
  EXPECT_FALSE(WorkPosition(idle, std::nullopt));
  EXPECT_EQ(*WorkPosition(idle, std::array<double, 3>{1, 1, 0}), (std::array<double, 3>{4, 4, 0}));
  EXPECT_EQ(*WorkPosition(ParseReply("<Jog|WPos:1,2,3>").status, std::nullopt),
            (std::array<double, 3>{1, 2, 3}));
}

TEST(replies, every_code_has_a_meaning) {
  for (int code = 1; code <= 38; ++code) {
    if (code == 18 || code == 19) continue;  // GRBL 1.1 leaves them unused
    EXPECT_EQ(grbl::ErrorMeaning(code).find("unknown"), std::string::npos) << code;
  }
  for (int code = 1; code <= 10; ++code) {
    EXPECT_EQ(grbl::AlarmMeaning(code).find("unknown"), std::string::npos) << code;
  }
  EXPECT_EQ(grbl::ErrorMeaning(99), "unknown error code 99");
  EXPECT_EQ(grbl::AlarmMeaning(0), "unknown alarm code 0");
  EXPECT_STREQ(grbl::RealtimeName(0x9A), "<power +10%>");
  EXPECT_TRUE(grbl::IsRealtime(0xA0));
  EXPECT_FALSE(grbl::IsRealtime('G'));
}

}  // namespace
}  // namespace skelda
