// The channel identifier's readers, level heuristic and texts against a scripted line: each query
// answered from its own queue of replies (nothing once the queue is spent), every command kept.
#include <gtest/gtest.h>

#include <deque>
#include <map>

#include "ChannelIdentifier.h"

using cv::plenar::ChannelIdentifier;

namespace {

struct ScriptedLine {
  std::map<std::string, std::deque<std::string>> replies;
  std::vector<std::string> sent;  // commands and queries in order

  cv::plenar::IdentLink Link() {
    cv::plenar::IdentLink link;
    link.send = [this](const std::string& c) { return sent.push_back(c), true; };
    link.query = [this](const std::string& c, std::string& reply) {
      sent.push_back(c);
      auto& q = replies[c];
      if (q.empty()) return reply.clear(), false;
      reply = q.front();
      q.pop_front();
      return true;
    };
    link.tune = [this](float mhz) { return sent.push_back("tune " + std::to_string(mhz)), true; };
    link.wait = [](int) {};
    return link;
  }
};

struct Fixture {
  ScriptedLine line;
  cv::FakeClock clock;
  ChannelIdentifier ident{line.Link(), clock};
  Fixture() { clock.processEvents = false; }
};

}  // namespace

TEST(IdentifierLevels, JudgeLevelsGivesTheVerdictsOfTheTable) {
  struct Row {
    int l0, l1, l2;
    float offset;
    std::vector<std::string> lines;
  } rows[] = {
      {150, 180, 190, 5.5f, {"Signal level too low to properly analyze."}},
      {200, 200, 200, 5.5f, {"Signal level too low to properly analyze."}},  // 200 is not above it
      {300, 290, 280, 5.5f, {"Signal seems to be digital."}},
      {251, 140, 200, 5.5f, {"Signal seems to be digital."}},  // spread 111, one level above 250
      {220, 240, 230, 5.5f, {"Signal not recognized as digital.", "Signal has strange levels to be analog."}},
      {600, 300, 500, 5.5f, {"Signal not recognized as digital.", "Signal seems to be analog."}},
      {220, 210, 230, 5.5f, {"Signal not recognized as digital.", "Signal could be a noisy analog one."}},
      {400, 279, 400, 5.5f, {"Signal not recognized as digital.", "Signal seems to be analog."}},  // spread 121
      {600, 300, 200, 5.5f, {"Signal not recognized as digital.", "Signal has strange levels to be analog."}},
      // The spread test's bound from both sides: 120 is still digital, 121 is not.
      {380, 260, 380, 4.5f, {"Signal seems to be digital."}},
      {381, 260, 381, 4.5f, {"Signal not recognized as digital.", "Signal seems to be analog."}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.l0) + " " + std::to_string(r.l1) + " " + std::to_string(r.l2));
    Fixture f;
    const float f0 = 471.25f;
    f.ident.JudgeLevels(r.l0, r.l1, r.l2, f0, f0 + r.offset / 2, f0 + r.offset);
    EXPECT_EQ(f.ident.lines, r.lines);
    EXPECT_EQ(f.ident.result.cls, -1);
  }
}

TEST(IdentifierLevels, TheAreaLimitIsFiftyThousandInHundredthsAndTenths) {
  // P0 (47125, 240), P1 (47400, 240 - dy), P2 (47675, 240): S = 550 * dy, 50000 at dy = 90.9.
  struct Row {
    int dip;
    const char* verdict;
  } rows[] = {{90, "Signal could be a noisy analog one."}, {91, "Signal seems to be analog."}};
  for (const Row& r : rows) {
    Fixture f;
    f.ident.JudgeLevels(240, 240 - r.dip, 240, 471.25f, 474.0f, 476.75f);
    ASSERT_EQ(f.ident.lines.size(), 2u);
    EXPECT_EQ(f.ident.lines[1], r.verdict) << r.dip;
  }
}

TEST(IdentifierReaders, VideoCheckNeedsFourOnesInARowAndRestoresTheSystem) {
  struct Row {
    std::vector<std::string> vd;
    bool analog;
  } rows[] = {
      {{"*VD1", "*VD1", "*VD1", "*VD1"}, true},
      {{"*VD1", "*VD1", "*VD1", "*VD0"}, false},
      {{"*VD0", "*VD1", "*VD1", "*VD1"}, false},
      {{"*VD1", "*VD1", "*VD", "*VD1"}, false},   // a reply without the position is no '1'
      {{"*VD1", "*VD1", "*XX1", "*VD1"}, false},  // another reply leaves the run short
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.vd[2] + r.vd[3]);
    Fixture f;
    f.line.replies["*?SY"] = {"*SY021"};
    f.line.replies["*?VD"] = {r.vd.begin(), r.vd.end()};
    EXPECT_EQ(f.ident.DetectAnalogVideo(), r.analog);
    EXPECT_EQ(f.line.sent, (std::vector<std::string>{"*?SY", "*SY00", "*SO03", "*?VD", "*?VD", "*?VD", "*?VD",
                                                       "*SY021"}));
  }
}

TEST(IdentifierReaders, ChannelLookupNamesEachRefusalAndItsReply) {
  struct Row {
    std::vector<std::pair<std::string, std::string>> replies;
    std::vector<std::string> lines;
    std::string name;
  } rows[] = {
      {{{"*?SC", "*SC05"}, {"*?JI05", "*JICVNET   01T000000"}, {"*?CH", "*CH0a"}, {"*?CI0a05", "*CIC21 27DB"}},
       {},
       "C21  (CVNET   ) "},
      {{{"*?SC", "*SC!!"}}, {"Impossible to find active plan:", "*SC!!"}, ""},
      {{{"*?SC", "*SC05"}, {"*?JI05", "*JI!!"}, {"*?CH", "*CH0a"}, {"*?CI0a05", "*CIC21 27DB"}},
       {"Impossible to find plan:"},
       "C21 "},
      {{{"*?SC", "*SC05"}, {"*?JI05", "*JICVNET   01T"}, {"*?CH", "*CH!!"}},
       {"Impossible to find active channel:", "*CH!!"},
       ""},
      {{{"*?SC", "*SC05"}, {"*?JI05", "*JICVNET   01T"}, {"*?CH", "*CH0a"}, {"*?CI0a05", "*CI!!"}},
       {"Impossible to find channel:", "*CI!!"},
       ""},
      // Replies cut short or unanswered are refusals too.
      {{{"*?SC", "*SC5"}}, {"Impossible to find active plan:", "*SC5"}, ""},
      {{}, {"Impossible to find active plan:", ""}, ""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.lines.empty() ? "found" : r.lines[0]);
    Fixture f;
    for (const auto& [q, a] : r.replies) f.line.replies[q] = {a};
    EXPECT_EQ(f.ident.FindChannelName(), !r.name.empty());
    EXPECT_EQ(f.ident.lines, r.lines);
    EXPECT_EQ(f.ident.result.channelName, r.name);
  }
}

TEST(IdentifierReaders, ShortRepliesReadNothingAndTheProviderStaysInsideItsReply) {
  Fixture f;
  auto& r = f.line.replies;
  r["*?FR"] = {"*FRT27DB", "*FRS347C", "*FRX347C", "*FRT27D", "*FRT27DG", "*XXT27DB"};
  const std::pair<bool, float> fr[] = {{true, 471.25f}, {true, 1200.0f}, {true, 1200.0f},
                                       {false, 0}, {false, 0}, {false, 0}};
  for (const auto& [ok, mhz] : fr) {
    f.ident.result.frequency = 0;
    EXPECT_EQ(f.ident.ReadFrequency(), ok);
    EXPECT_NEAR(f.ident.result.frequency, mhz, 0.001);
  }
  r["*?LN"] = {"*LN1=+1F4", "*LN1<-0C8", "*LN0=+1F4", "*LN1=+1F", "*LN1=+XYZ"};
  const std::pair<int, const char*> ln[] = {{500, " +   50.0"}, {200, "<-   20.0"}, {-1, "- - -"}, {-1, "- - -"}, {-1, "- - -"}};
  for (const auto& [level, text] : ln) {
    int got = -1;
    std::string shown;
    EXPECT_EQ(f.ident.ReadLevel(got, shown), level >= 0);
    EXPECT_EQ(got, level);
    EXPECT_EQ(shown, text);
  }
  int code = 0;
  r["*?SY"] = {"*SY6", "*SYa6x"};
  EXPECT_FALSE(f.ident.ReadSystem(code));
  EXPECT_TRUE(f.ident.ReadSystem(code));
  EXPECT_EQ(code, 0xA6);

  // The provider: from 13 + v, what the reply holds there, at most 35 characters.
  struct Row {
    std::string reply;
    std::string provider;
  } rows[] = {
      {"*SL001000050" "1CVPROCV BROADCAST SERVICES", "CV BROADCAST SERVICES"},
      {"*SL00100000" "01" "ABC", "ABC"},
      {"*SL00100FF01" "short", ""},                  // v = 255: far beyond the reply
      {"*SL00100" "0901" "0123456789", ""},          // exactly at its end
      {"*SL00100" "0001" + std::string(60, 'P'), std::string(35, 'P')},
      {"*SL00100", ""},                               // no length: an empty provider
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.reply);
    Fixture g;
    g.ident.aborted = false;
    g.line.replies["*?QP"] = {"*QP1"};
    g.line.replies["*?SLN"] = {"*SLN1,NET"};
    g.line.replies["*?SL00"] = {row.reply};
    EXPECT_TRUE(g.ident.TestSatelliteDigital());
    EXPECT_EQ(g.ident.result.provider, row.provider);
    EXPECT_EQ(g.ident.result.network, "NET");
  }
}

TEST(IdentifierTexts, ResetResultShowsTheUnknownTextsAndEachClassItsOwn) {
  Fixture f;
  f.ident.result.frequency = 12;
  f.ident.result.provider = "P";
  f.ident.ResetResult();
  EXPECT_EQ(f.ident.FrequencyText(), "UNKNOWN FREQUENCY MHz");
  EXPECT_EQ(ChannelIdentifier::ClassText(f.ident.result.cls), "UNKNOWN SIGNAL");
  EXPECT_EQ(f.ident.NameText(), "UNKNOWN NAME");
  EXPECT_EQ(f.ident.ProviderText(), "");
  f.ident.result.frequency = 471.25f;
  EXPECT_EQ(f.ident.FrequencyText(), " 471.25 MHz");

  auto& r = f.ident.result;
  r.teletextHeader = "HEADER";
  r.network = "NET";
  r.provider = "PROV";
  r.rdsPs = "CV RADIO";
  struct Row {
    int cls;
    const char* type;
    const char* name;
    const char* provider;
  } rows[] = {{0, "TERRESTRIAL ANALOG TV", "HEADER", ""}, {1, "SATELLITE ANALOG TV", "HEADER", ""},
              {2, "TERRESTRIAL DIGITAL TV", "NET", "PROV"}, {3, "CABLE DIGITAL TV", "NET", "PROV"},
              {4, "SATELLITE DIGITAL TV", "NET", "PROV"},   {5, "RDS RADIO", "CV RADIO", ""},
              {6, "UNKNOWN SIGNAL", "UNKNOWN NAME", ""}};
  for (const Row& row : rows) {
    r.cls = static_cast<int8_t>(row.cls);
    EXPECT_EQ(ChannelIdentifier::ClassText(row.cls), row.type);
    EXPECT_EQ(f.ident.NameText(), row.name);
    EXPECT_EQ(f.ident.ProviderText(), row.provider);
  }
}

TEST(IdentifierTexts, PlanSystemCodeReadsTheFirstSyField) {
  const std::string head = "*JICVNET   01T00000";  // 19 characters
  struct Row {
    std::string reply;
    int code;
  } rows[] = {
      {head + "01,ME0,SY02", 0x02},
      {head + "01,SY13,SY02", 0x13},
      {head + "01,SY16", 0},           // a digital code counts as none
      {head + "01,ME0", 0},
      {head + "01SY02", 0},            // no comma at position 21
      {head + "0", 0},                 // too short
      {head + "01,XSYZZ", 0},          // its third and fourth characters are no code
      {head + "01,ABCDEFGHIJKLMNOPSY05", 0},  // the field is cut to 15 characters
  };
  for (const Row& r : rows) EXPECT_EQ(ChannelIdentifier::PlanSystemCode(r.reply), r.code) << r.reply;
  const std::pair<int, float> offsets[] = {{0x01, 6.5f}, {0x13, 6.5f}, {0x02, 6.0f}, {0x04, 4.5f},
                                           {0x05, 4.5f}, {0x00, 5.5f}, {0x07, 5.5f}, {0xF2, 6.0f}};
  for (const auto& [code, d] : offsets) EXPECT_EQ(ChannelIdentifier::SoundOffset(code), d) << code;
  EXPECT_EQ(ChannelIdentifier::ByteToHex(0x0a), "0A");
}
