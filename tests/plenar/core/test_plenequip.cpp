// The CORVANE-PLENAR equipment object against the simulated meter over a pseudo-terminal: what it
// shares with the framework's families, its channel identifier launcher, the options report, the
// DAB band in the plan reads, and its text and raw-line services.
#include <gtest/gtest.h>

#include <QPushButton>

#include "AppServices.h"
#include "Chan3.h"
#include "Identifierplen.h"
#include "ModalHelper.h"
#include "PlenEquip.h"
#include "PlenarSim.h"
#include "LauncherChecks.h"

using cv::plenar::TCvPlenEquip;
using cv::plenar::TInstalledOptions;

namespace {

class PlenEquip : public EquipOnSim<TCvPlenEquip, PlenarSim> {};

}  // namespace

TEST_F(PlenEquip, IdentifiesWithoutTalkingAndOffersTheIdentifierWithAPort) {
  ExpectIdentifiedWithoutTalking("CORVANE-PLENAR", true);
}

TEST_F(PlenEquip, LaunchersLogTheirLinesInOrderAndLeaveThePortClosed) { ExpectLaunchersLikeTheFramework(); }

TEST_F(PlenEquip, IdentifierLauncherLogsItsFixedLines) {
  TSerial deadPort{5};
  cv::SetPortPaths({{1, sim->Path()}, {6, "/nonexistent/tool-port"}});
  struct Row {
    TSerial* port;
    bool ok;
    QStringList lines;
  } rows[] = {
      {nullptr, false, {"Impossible to run Channel Identifier without equipment"}},
      {&deadPort, false, {"Channel Identifier Error:Unable to open port"}},
      {&port, true, {"Executing Channel Identifier", "Channel Identifier closed. Ready"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.lines.first().toStdString());
    host.Clear();
    auto equip = Make(r.port);
    // The form opens only on the open port; Close ends it at once.
    if (r.ok) cvtest::WhenModal<cv::plenar::TIdentifierForm>([](auto* form) { form->CloseBtn->click(); });
    EXPECT_EQ(equip->RunChannelIdentifier(), r.ok);
    EXPECT_EQ(host.Lines(), r.lines);
    EXPECT_FALSE(port.IsOpen());
  }
}

TEST(PlenOptions, ReplyWordSetsTheFlagsByTheBitTable) {
  struct Row {
    const char* reply;
    bool read;
    uint32_t word;  // the flags expected, as the word they come from
  } rows[] = {
      {"*ID010FFFF", true, 0x0000FFFF},            // four digits: flags 0 to 8 clear
      {"*ID010FFFFFF", true, 0x00FFFFFF},          // six: only flag 0 clear
      {"*ID01001FF01F7", true, 0x01FF01F7},        // every option
      {"*ID0100100000A", true, 0x0100000A},        // flag 0, 14 (bit 2 clear) and 15
      {"*ID010 1000000", true, 0x01000000},        // a blank before the word
      {"*ID010fe00f708", true, 0xFE00F708},        // unused bits set nothing
      {"*ID01012345678FF", true, 0x345678FF},      // more than eight digits: the low 32 bits
      {"*ID01", false, 0},                         // too short
      {"*ID010", false, 0},                        // nothing at the seventh character
      {"*ID010XYZ", false, 0},                     // no hexadecimal digit there
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.reply);
    TInstalledOptions options;
    std::memset(options.optionFlags, 1, sizeof options.optionFlags);
    EXPECT_EQ(cv::plenar::ParseOptionsReply(r.reply, options), r.read);
    for (int flag = 0; flag < TInstalledOptions::kFlags; ++flag)
      EXPECT_EQ(options.optionFlags[flag], (r.word >> cv::plenar::OptionBit(flag)) & 1u) << flag;
  }
  // The bit table itself, flag by flag.
  const int bits[17] = {24, 23, 22, 21, 20, 19, 18, 17, 16, 8, 7, 6, 5, 4, 2, 1, 0};
  for (int flag = 0; flag < 17; ++flag) EXPECT_EQ(cv::plenar::OptionBit(flag), bits[flag]) << flag;
  TInstalledOptions four;
  cv::plenar::ParseOptionsReply("*ID010FFFF", four);
  for (int flag = 0; flag <= 8; ++flag) EXPECT_FALSE(four.Has(flag)) << flag;
  for (int flag = 9; flag <= 16; ++flag) EXPECT_TRUE(four.Has(flag)) << flag;
  TInstalledOptions six;
  cv::plenar::ParseOptionsReply("*ID010FFFFFF", six);
  EXPECT_FALSE(six.Has(0));
  for (int flag = 1; flag <= 16; ++flag) EXPECT_TRUE(six.Has(flag)) << flag;
}

TEST_F(PlenEquip, InstalledOptionsAskAfterTheAccessCodeAndReadTheVersion) {
  cv::RecordingPrompter prompter;
  {
    // No port: false, no box, nothing sent.
    sim->ClearTraffic();
    auto offline = Make(nullptr);
    TInstalledOptions options;
    EXPECT_FALSE(offline->ReadInstalledOptions(options));
    Settle();
    EXPECT_EQ(sim->Received(), "");
    EXPECT_TRUE(prompter.shown.empty());
  }
  auto equip = Make(&port);
  ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
  ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());  // past the wake line of the opening
  sim->ClearTraffic();
  Profile([](cvsim::PlenarProfile& p) { p.optionWord = 0x00810004; });  // flags 1, 8 and 14
  TInstalledOptions options;
  EXPECT_TRUE(equip->ReadInstalledOptions(options));
  Settle();
  EXPECT_EQ(sim->Lines(), (std::vector<std::string>{"*7205&", "*?ID", "*?VE"}));
  EXPECT_FLOAT_EQ(options.version, 2.22f);
  for (int flag = 0; flag < TInstalledOptions::kFlags; ++flag)
    EXPECT_EQ(options.Has(flag), flag == 1 || flag == 8 || flag == 14) << flag;
  EXPECT_TRUE(prompter.shown.empty());

  // A refused access code does not stop the query.
  Profile([](cvsim::PlenarProfile& p) { p.refused = {"*7205&"}; });
  EXPECT_TRUE(equip->ReadInstalledOptions(options));
  Profile([](cvsim::PlenarProfile& p) { p.refused.clear(); });

  // No reply: the box, false, the flags as they were.
  Profile([](cvsim::PlenarProfile& p) { p.idSilent = true; });
  EXPECT_FALSE(equip->ReadInstalledOptions(options));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "Equipment not detected!");
  EXPECT_EQ(prompter.shown[0].caption, "Communication Error");
  EXPECT_TRUE(options.Has(14));

  // An unreadable reply clears every flag; the version is still read. (The meter that swallowed
  // the query is ready again.)
  Profile([](cvsim::PlenarProfile& p) {
    p.idSilent = false;
    p.fixedReplies["*?ID"] = "*ID";
  });
  sim->SendXon();
  Settle();
  options.version = 0;
  EXPECT_TRUE(equip->ReadInstalledOptions(options));
  for (int flag = 0; flag < TInstalledOptions::kFlags; ++flag) EXPECT_FALSE(options.Has(flag)) << flag;
  EXPECT_FLOAT_EQ(options.version, 2.22f);
}

TEST_F(PlenEquip, DabPlansAndChannelsReadAsTerrestrialWithOneCommand) {
  Profile([](cvsim::PlenarProfile& p) {
    p.flash.commandName = [](uint16_t) { return std::string("ME8"); };
    auto& odd = p.plans[7];
    odd.name = "ODD";
    odd.band = 'X';
  });
  auto equip = Make(&port);
  ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
  ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());  // past the wake line of the opening
  struct Row {
    int plan;
    bool ok;
    char band;
  } plans[] = {{0, true, 'T'}, {1, true, 'S'}, {2, true, 'D'}, {7, false, 'T'}};
  for (const Row& r : plans) {
    PlanInfo info;
    EXPECT_EQ(equip->ReadPlanInfo(r.plan, info), r.ok) << r.plan;
    EXPECT_EQ(info.band, r.band) << r.plan;
  }
  TChan3 chan;
  EXPECT_TRUE(equip->ReadChannelInfo(0, 2, chan, 'D'));
  EXPECT_STREQ(chan.name, "  5A");
  EXPECT_NEAR(chan.frequency, 174.9f, 1e-3);
  EXPECT_STREQ(chan.commands[0], "ME8");
  EXPECT_STREQ(chan.commands[1], "");
  Profile([](cvsim::PlenarProfile& p) { p.fixedReplies["*?CI0002"] = "*CI5A  10B410B4,ME8,UN0,SY00"; });
  EXPECT_TRUE(equip->ReadChannelInfo(0, 2, chan, 'D'));
  EXPECT_STREQ(chan.commands[0], "ME8");
  EXPECT_STREQ(chan.commands[1], "");  // one command, as a terrestrial channel
  Profile([](cvsim::PlenarProfile& p) { p.fixedReplies["*?CI0002"] = "*CIHI  4E204E20"; });
  EXPECT_FALSE(equip->ReadChannelInfo(0, 2, chan, 'D'));  // 961.1 MHz: out of the terrestrial range
  EXPECT_FLOAT_EQ(chan.frequency, 48.25f);
}

TEST_F(PlenEquip, RawWriteSendsTheBytesAsGiven) {
  auto equip = Make(&port);
  EXPECT_FALSE(equip->WriteRaw("*"));  // the port is not open
  ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
  ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());  // past the wake line of the opening
  sim->ClearTraffic();
  const std::string text = "ABC\x11\x13\x06 xyz\xE9";
  EXPECT_TRUE(equip->WriteRaw(text));
  EXPECT_EQ(port.bytesWritten, text.size());
  Settle();
  EXPECT_EQ(sim->Received(), text);  // no CR, no handshake around it
  EXPECT_TRUE(equip->WriteRaw(""));
  EXPECT_EQ(port.bytesWritten, 0u);
}

TEST(PlenText, FieldsDropTabsAndTokensSplitWithoutKeywords) {
  HostForm host;
  std::unique_ptr<TCvPlenEquip> e(TCv3Equip::Build<TCvPlenEquip>(&host.form, nullptr));
  e->listSeparator = ';';
  e->decimalSeparator = '.';
  EXPECT_TRUE(e->SplitFields("C\t21;\t474.00\t;8;0x0032"));
  EXPECT_STREQ(e->fields[0], "C21");
  EXPECT_STREQ(e->fields[1], "474.00");
  EXPECT_STREQ(e->fields[2], "8");
  EXPECT_STREQ(e->fields[3], "0x0032");
  EXPECT_FALSE(e->SplitFields("\t\t"));
  // A field reaching 12 characters ends the line.
  EXPECT_TRUE(e->SplitFields("ABCDEFGHIJKLMN;2"));
  EXPECT_STREQ(e->fields[0], "ABCDEFGHIJKL");
  EXPECT_STREQ(e->fields[1], "");

  struct Row {
    const char* line;
    std::vector<std::string> tokens;
  } rows[] = {
      {"COMMAND3 (0x01, 0x36)   #(offset 0x0022) DIGITAL", {"COMMAND3", "0x01", "0x36", "#", "offset", "0x0022", "DIGITAL"}},
      {"#COMMAND3 (0x1F, 0x00)", {"#COMMAND3", "0x1F", "0x00"}},
      {"  A)B(C,D\tE\r\n", {"A)B", "C", "D", "E"}},  // ')' ends only the later tokens
      {"NOSUCHWORD", {"NOSUCHWORD"}},
      {"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11",
                                                         "12", "13", "14", "15", "16"}},
      {" ,(\t", {}},
      {"", {}},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(e->SplitTokens(r.line), !r.tokens.empty()) << r.line;
    EXPECT_EQ(e->tokens, r.tokens) << r.line;
  }
}

TEST(PlenValues, FamilyTexts) {
  HostForm host;
  std::unique_ptr<TCvPlenEquip> e(TCv3Equip::Build<TCvPlenEquip>(&host.form, nullptr));
  EXPECT_STREQ(e->VersionText(), "CvPlenar 1.17");
  EXPECT_STREQ(e->modelName, "CORVANE-PLENAR");
  EXPECT_EQ(e->HelpFile(), "help\\CvPlenar.hlp");
  EXPECT_EQ(e->FieldCount(), 25);
  EXPECT_TRUE(host.Lines().isEmpty());
}
