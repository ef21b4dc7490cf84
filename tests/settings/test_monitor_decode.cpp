// The monitor's reply decoders, display lines and retuning rules, on a scripted command layer.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "MonitorPoller.h"

namespace {

using namespace cv::settings;

// A command layer answering from a table; every command is recorded, and so is every tuning.
struct ScriptedLink {
  std::map<std::string, std::string> replies;  // absent: no answer
  std::vector<std::string> sent, log;
  std::vector<float> tuned;
  bool refuseSends = false;
  int errors = 0, warnings = 0;

  Link Make(int variant = 5) {
    Link l;
    l.send = [this](const std::string& c) {
      sent.push_back(c);
      return !refuseSends;
    };
    l.query = [this](const std::string& c, std::string& reply) {
      sent.push_back(c);
      auto it = replies.find(c);
      reply = it == replies.end() ? "" : it->second;
      return it != replies.end();
    };
    l.tune = [this](float mhz, int) {
      tuned.push_back(mhz);
      return !refuseSends;
    };
    l.log = [this](const std::string& line) { log.push_back(line); };
    l.modelVariant = variant;
    l.txErrors = &errors;
    l.txWarnings = &warnings;
    return l;
  }
};

TEST(MonitorDecode, LevelAndBerReplies) {
  struct Case {
    const char* reply;
    bool ber;
    std::string text;
  } cases[] = {
      {"*LV!?000", false, "- - -"}, {"*LV=+2A3", false, " +  67.50"}, {"*LV<-000", false, "<-   0.00"},
      {"*LV>+FFF", false, ">+ 409.50"}, {"*LV!?000", true, "- - -"}, {"*LV=+0A6", true, " 5.0E+06"},
      {"*LV=+05F", true, " 2.0E-01"}, {"*LV>+FE0", true, ">1.3E+02"}, {"*LV=+2", false, " +   0.20"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reply);
    EXPECT_EQ(c.ber ? BerText(c.reply) : LevelText(c.reply), c.text);
  }
}

TEST(MonitorDecode, MeasureNamesAndUnits) {
  struct Case {
    char type;
    std::string name;
    char units;
    std::string unitText;
  } cases[] = {
      {'0', "LEVEL", '0', "dBuV"},          {'1', "VIDEO/AUDIO", '3', "dB"}, {'2', "CHANNEL POWER", '0', "dBuV"},
      {'3', "C/N (Auto)", '3', "dB"},       {'4', "BER (QPSK)", '5', ""},    {'5', "BER (QAM)", '5', ""},
      {'6', "BER (COFDM)", '5', ""},        {'7', "C/N (Referenced)", '3', "dB"}, {'8', "???", '5', ""},
      {'X', "???", '5', ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    char units = 0;
    EXPECT_EQ(MeasureName(c.type, units), c.name);
    EXPECT_EQ(units, c.units);
    EXPECT_EQ(UnitsName(units), c.unitText);
  }
  EXPECT_EQ(UnitsName('1'), "dBmV");
  EXPECT_EQ(UnitsName('2'), "dBm");
  EXPECT_EQ(UnitsName('4'), "???");
}

TEST(MonitorDecode, StandardCodesBothWays) {
  const std::vector<std::string> codes = {"00", "01", "02", "04", "05", "10", "13", "11", "24", "07", "17", "27", "36"};
  for (int i = 0; i < static_cast<int>(codes.size()); ++i) {
    EXPECT_EQ(StdCode(i), codes[static_cast<size_t>(i)]) << i;
    EXPECT_EQ(StdIndex(codes[static_cast<size_t>(i)]), i) << i;
  }
  EXPECT_EQ(StdCode(-1), "00");
  EXPECT_EQ(StdCode(13), "00");
  EXPECT_EQ(StdIndex("99"), 0);
  EXPECT_EQ(StdIndex(""), 0);
}

TEST(MonitorDecode, DisplayLinesAndFrequencyFormat) {
  MonitorMeasurement r;
  r.measureType = '0';
  r.units = '0';
  r.value = " +  67.50";
  r.mhz = 471.25f;
  r.channel = "C21  (UHF     ) ";
  EXPECT_EQ(DisplayLines(r, false), (std::vector<std::string>{"", "LEVEL", " +  67.50 dBuV   471.25 MHz"}));
  EXPECT_EQ(DisplayLines(r, true).back(), "C21  (UHF     ) ");
  EXPECT_EQ(FrequencyText(862.0f), "862.00");
  EXPECT_EQ(FrequencyText(862.5f), " 862.5");
  EXPECT_EQ(FrequencyText(1750.5f), "1750.5");
  EXPECT_FLOAT_EQ(FrequencyOf('T', 0x27DB), 471.25f);
  EXPECT_FLOAT_EQ(FrequencyOf('S', 0x3EF4), 1535.0f);
}

TEST(MonitorDecode, FrequencySteps) {
  struct Case {
    const char* text;
    bool up;
    int variant;
    std::vector<float> tuned;
  } cases[] = {
      {"862.00", true, 5, {}},         // 862.05 lies between the two ranges
      {"1000.0", false, 5, {999.5f}},  {"850.00", true, 5, {850.05f}}, {"862.1", false, 5, {861.6f}},
      {"", true, 5, {1500.0f}},        {"5.00", false, 5, {}},        {"2150.0", true, 5, {}},
      {"2150.0", false, 5, {2149.5f}}, {"600", true, 4, {}},          {"abc", true, 5, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text) + (c.up ? " up" : " down"));
    ScriptedLink s;
    TMonitorPoller p(s.Make(c.variant));
    p.StepFrequency(c.text, c.up);
    ASSERT_EQ(s.tuned.size(), c.tuned.size());
    for (size_t i = 0; i < c.tuned.size(); ++i) EXPECT_NEAR(s.tuned[i], c.tuned[i], 1e-3);
  }
}

TEST(MonitorDecode, TypedFrequencies) {
  struct Case {
    const char* text;
    int variant;
    bool ok, refused;
    std::vector<float> tuned;
  } cases[] = {
      {"600", 4, false, true, {}},      {"1200", 4, true, false, {1200.0f}}, {"600", 5, true, false, {600.0f}},
      {"862.05", 5, false, true, {}},   {"4.99", 5, false, true, {}},         {"2150.01", 5, false, true, {}},
      {"", 5, false, false, {1500.0f}}, {"12x", 5, false, true, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    ScriptedLink s;
    TMonitorPoller p(s.Make(c.variant));
    bool refused = false;
    EXPECT_EQ(p.SendFrequency(c.text, &refused), c.ok);
    EXPECT_EQ(refused, c.refused);
    EXPECT_EQ(s.tuned, c.tuned);
  }
  ScriptedLink s;
  s.refuseSends = true;
  TMonitorPoller p(s.Make());
  EXPECT_FALSE(p.SendFrequency("600", nullptr));
  EXPECT_EQ(s.log, std::vector<std::string>{"Error when sending Frequency"});
}

TEST(MonitorDecode, ChannelSteps) {
  struct Case {
    int channel, count;
    bool up;
    int next;
  } cases[] = {{2, 3, true, 0}, {0, 3, false, 2}, {1, 3, true, 2},  {1, 3, false, 0},
               {0, 1, true, 0}, {0, 0, true, -1}, {5, 3, true, 0},  {5, 3, false, 2},
               {3, 3, false, 2}, {-1, 3, true, 0}};
  for (const auto& c : cases)
    EXPECT_EQ(SteppedChannel(c.channel, c.count, c.up), c.next) << c.channel << "/" << c.count << (c.up ? " up" : " down");
}

TEST(MonitorDecode, CycleQueriesInOrderAndStopsAtTheFirstFailure) {
  ScriptedLink s;
  s.replies = {{"*?SY", "*SY36"}, {"*?ME", "*ME6"}, {"*?LV", "*LV=+0A6"}, {"*?FR", "*FRT27DB"}, {"*?CF", "*CF1"}};
  TMonitorPoller p(s.Make());
  MonitorMeasurement r;
  ASSERT_TRUE(p.Cycle(r));
  EXPECT_EQ(s.sent, (std::vector<std::string>{"*?SY", "*?ME", "*?LV", "*?FR", "*?CF"}));
  EXPECT_EQ(r.standard, 12);
  EXPECT_EQ(r.value, " 5.0E+06");
  EXPECT_EQ(r.units, '5');
  EXPECT_EQ(r.band, 'T');
  EXPECT_FALSE(p.channelMode);

  struct Bad {
    const char* query;
    std::string reply;
    std::string message;
  } bads[] = {{"*?SY", "*XY00", "Bad answer when asking to the equipment:"},
              {"*?ME", "*XX0", "Bad answer when asking for measurement type:"},
              {"*?LV", "*QV=+000", "Bad answer when asking for measurement value:"},
              {"*?FR", "*FX", "Bad answer when asking for frequency:"},
              {"*?CF", "*C", "Bad answer when asking for tuning mode:"}};
  for (const auto& b : bads) {
    SCOPED_TRACE(b.query);
    ScriptedLink t;
    t.replies = s.replies;
    t.replies[b.query] = b.reply;
    TMonitorPoller q(t.Make());
    EXPECT_FALSE(q.Cycle(r));
    EXPECT_EQ(t.sent.back(), b.query) << "nothing is asked after a bad reply";
    EXPECT_EQ(t.log, (std::vector<std::string>{b.message, b.reply}));
    EXPECT_EQ(t.errors, 0) << "a bad reply is no failed exchange";
  }
}

TEST(MonitorDecode, ChannelTextAndItsFailures) {
  const std::map<std::string, std::string> good = {
      {"*?SC", "*SC01"}, {"*?JI01", "*JIUHF     03T00000001"}, {"*?CH", "*CH02"}, {"*?CI0201", "*CIC23 27E1"}};
  ScriptedLink s;
  s.replies = good;
  TMonitorPoller p(s.Make());
  std::string text;
  ASSERT_TRUE(p.ReceiveChannel(text));
  EXPECT_EQ(text, "C23  (UHF     ) ");

  struct Bad {
    const char* query;
    bool answered;
    std::string message;
  } bads[] = {{"*?SC", false, "Tx error when asking for active plan:"},
              {"*?SC", true, "Impossible to find active plan:"},
              {"*?JI01", false, "Tx error when asking for plan:"},
              {"*?JI01", true, "Impossible to find plan:"},
              {"*?CH", false, "Tx error when asking for active channel:"},
              {"*?CH", true, "Impossible to find active channel:"},
              {"*?CI0201", false, "Tx error when asking for channel:"},
              {"*?CI0201", true, "Impossible to find channel:"}};
  for (const auto& b : bads) {
    SCOPED_TRACE(b.message);
    ScriptedLink t;
    t.replies = good;
    if (b.answered)
      t.replies[b.query] = std::string(b.query).substr(0, 1) + std::string(b.query).substr(2, 2) + "!!";
    else
      t.replies.erase(b.query);
    TMonitorPoller q(t.Make());
    std::string channel = "old";
    EXPECT_FALSE(q.ReceiveChannel(channel));
    EXPECT_TRUE(channel.empty());
    ASSERT_EQ(t.log.size(), 2u);
    EXPECT_EQ(t.log[0], b.message);
    EXPECT_EQ(t.sent.back(), b.query);
  }
}

TEST(MonitorDecode, EveryEleventhFailedExchangeWarns) {
  ScriptedLink s;
  TMonitorPoller p(s.Make());
  for (int i = 1; i <= 22; ++i) {
    MonitorMeasurement r;
    EXPECT_FALSE(p.Cycle(r));
    if (i == 10) {
      EXPECT_TRUE(s.log.empty());
    }
    if (i == 11) {
      EXPECT_EQ(s.log, std::vector<std::string>{"Warning 1. Communication is not optimum"});
    }
  }
  EXPECT_EQ(s.log, (std::vector<std::string>{"Warning 1. Communication is not optimum",
                                             "Warning 2. Communication is not optimum"}));
  EXPECT_EQ(s.errors, 0);
  EXPECT_EQ(s.warnings, 2);
}

TEST(MonitorDecode, MeasureAndStandardCommands) {
  ScriptedLink s;
  TMonitorPoller p(s.Make());
  p.SelectMeasure(4);
  p.SelectStandard(6);
  p.SelectStandard(40);
  EXPECT_EQ(s.sent, (std::vector<std::string>{"*ME4", "*SY13", "*SY00"}));
  s.refuseSends = true;
  p.SelectMeasure(7);
  p.SelectStandard(12);
  EXPECT_EQ(s.log, (std::vector<std::string>{"Measurement refused by the equipment: *ME7",
                                             "Std refused by the equipment: *SY36"}));
}

}  // namespace
