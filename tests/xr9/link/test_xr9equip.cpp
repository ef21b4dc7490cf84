// The TV MIRELTO equipment object: identification, the launchers with their firmware gate, the
// text helpers and the wait window.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QTimer>

#include "PortMap.h"
#include "SerialDevice.h"
#include "TempoMessageDlg.h"
#include "Xr9Sim.h"

namespace {

using cv::xr9::TEquipIdent;
using cv::xr9::TXR9Equip;

std::vector<int> Flags(const TEquipIdent& i) {
  return {i.flag1, i.flag2, i.flag3, i.flag4, i.flag5, i.flag6, i.flag7, i.flag8, i.flag9};
}

// Records the state of the port while each tool's dialog would run, and can make the data logger
// fail to initialise or try a second tool from inside the first.
class TProbeEquip : public TXR9Equip {
 public:
  using TXR9Equip::TXR9Equip;
  struct Seen {
    bool open = false;
    cv::LineState line{};
    int mode = 0;
  };
  std::vector<Seen> seen;
  bool dataLoggerInits = true;
  int nestedResults = -1;  // the result of a second launch from inside the tool

 protected:
  void Record() {
    Seen s;
    s.open = port && port->IsOpen();
    if (s.open) cv::SerialGetLineState(port->handle, s.line);
    s.mode = port ? port->mode : 0;
    seen.push_back(s);
    nestedResults = RunDataLogger() ? 1 : 0;
  }
  void ShowChannelEditor() override { Record(); }
  bool ShowDataLogger() override {
    if (dataLoggerInits) Record();
    return dataLoggerInits;
  }
};

class Xr9Equip : public Xr9Sim {};

}  // namespace

TEST(Xr9Ident, RepliesAreReadAtTheirPositions) {
  struct Row {
    const char* name;
    const char* reply;
    int model, optionByte;
    std::vector<int> flags;
  } rows[] = {
      {"the usual reply", "*ID 10.2E070000.01", 16, 1, {1, 1, 1, 0, 1, 1, 1, 1, 0}},
      {"13 characters", "*ID 10.2E0700", 0, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"without ID", "*XX 10.2E070000.01", 0, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"without a blank", "*ID10.2E070000.01", 16, 1, {1, 1, 1, 0, 1, 1, 1, 1, 0}},
      {"blank without a number", "*ID .2E070000.01", 16, 1, {1, 1, 1, 0, 1, 1, 1, 1, 0}},
      {"without a dot", "*ID 01 2E070000 01", 1, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"one dot only", "*ID 05.00008000", 5, 0, {0, 0, 0, 1, 0, 0, 0, 0, 0}},
      {"lower-case hex", "*ID 1f.ffffffff.a5", 0x1F, 0xA5, {1, 1, 1, 1, 1, 1, 1, 1, 1}},
  };
  for (const Row& r : rows) {
    TEquipIdent ident;
    ident.model = 99;  // whatever the caller's record held goes
    ident.optionByte = 99;
    ident.flag4 = 1;
    TXR9Equip::ParseIdReply(r.reply, ident);
    EXPECT_EQ(ident.model, r.model) << r.name;
    EXPECT_EQ(ident.optionByte, r.optionByte) << r.name;
    EXPECT_EQ(Flags(ident), r.flags) << r.name;
  }
  // Each flag from its own bit of the option word, and from no other.
  const int bits[9] = {27, 26, 25, 15, 18, 17, 16, 29, 28};
  for (int f = 0; f < 9; ++f) {
    TEquipIdent ident;
    TXR9Equip::SetFlags(1u << bits[f], ident);
    std::vector<int> expected(9, 0);
    expected[f] = 1;
    EXPECT_EQ(Flags(ident), expected) << "flag" << f + 1;
  }
}

TEST(Xr9Text, VersionsNamesTrimAndUtf8) {
  EXPECT_FLOAT_EQ(TXR9Equip::ParseVersionReply("*VE4.05"), 4.05f);
  EXPECT_FLOAT_EQ(TXR9Equip::ParseVersionReply("*ve 3.99"), 3.99f);
  EXPECT_FLOAT_EQ(TXR9Equip::ParseVersionReply("*VE"), 0.0f);

  EXPECT_EQ(TXR9Equip::GetFileName("C:\\plans\\TER01.CAN"), "TER01.CAN");
  EXPECT_EQ(TXR9Equip::GetFileName("C:TER01.CAN"), "TER01.CAN");
  EXPECT_EQ(TXR9Equip::GetFileName("/home/a/b.c.can"), "b.c.can");
  EXPECT_EQ(TXR9Equip::GetBaseName("/home/a/b.c.can"), "b.c");
  EXPECT_EQ(TXR9Equip::GetBaseName("PLAN"), "PLAN");

  std::string target = "kept";
  TXR9Equip::TrimCopy("   ", target);
  EXPECT_EQ(target, "kept");
  TXR9Equip::TrimCopy("", target);
  EXPECT_EQ(target, "kept");
  TXR9Equip::TrimCopy("  a b  ", target);
  EXPECT_EQ(target, "a b");

  struct Row {
    std::string in, out;
  } rows[] = {
      {"\xE9", "\xC3\xA9"},
      {"\xA0", "\xC2\xA0"},
      {"A\x7F", "A\x7F"},
      {"\x80", "\xE2\x82\xAC"},                  // the euro sign, not a control character
      {"\x92\x93\x94", "\xE2\x80\x99\xE2\x80\x9C\xE2\x80\x9D"},
      {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},  // undefined: Latin-1
  };
  for (const Row& r : rows) EXPECT_EQ(TXR9Equip::ToUtf8(r.in), r.out);
  // Past the 1531 bytes a fixed buffer would hold: never cut.
  EXPECT_EQ(TXR9Equip::ToUtf8(std::string(2000, '\xE9')).size(), 4000u);
}

TEST_F(Xr9Equip, ObjectAnswersTheHostContract) {
  EXPECT_STREQ(equip->modelName, "VELDIX-5");
  EXPECT_STREQ(TXR9Equip::GetVersionText(), "XR9Tools 1.14");
  TEquip& base = *equip;
  EXPECT_EQ(std::vector<bool>({base.HasChannelEditor(), base.HasMemoryEditor(), base.HasDataLogger(), base.HasMonitor(),
                               base.HasSpectrum(), base.HasConfiguration(), base.HasUpdateFirmware(),
                               base.HasChannelIdentifier()}),
            std::vector<bool>({true, false, true, false, false, false, false, false}));
  EXPECT_FALSE(base.RunMemoryEditor() || base.RunMonitor() || base.RunSpectrum() || base.RunConfiguration() ||
               base.RunUpdateFirmware() || base.RunChannelIdentifier());
  EXPECT_EQ(equip->GetStartDir(), QDir::currentPath().toLocal8Bit().toStdString());

  const auto& k = equip->Keywords();
  ASSERT_EQ(k.size(), 35u);
  struct Row {
    int code;
    const char* keyword;
    int tokens;
  } rows[] = {{1, "SEND", 2},       {6, "ALERT", 1},     {12, "SENDHEX", 3},    {17, "IFVER4", 3},
              {19, "HEADER3", 10},  {21, "CHAND", 5},    {22, "CHAN3S", 7},     {23, "DIRECTORY4", 2},
              {28, "CALC", 5},      {34, "RAWTX", 2},    {35, "SENDRESOURCE", 3}};
  for (const Row& r : rows) {
    EXPECT_STREQ(k[r.code - 1].keyword, r.keyword);
    EXPECT_EQ(k[r.code - 1].code, r.code);
    EXPECT_EQ(k[r.code - 1].tokenCount, r.tokens) << r.keyword;
  }
  EXPECT_TRUE(sim->Received().empty());
}

TEST_F(Xr9Equip, ToolsOpenTheLinkAt115200AndCloseIt) {
  Analyser([](cvsim::Xr9Profile& p) {
    p.requiredBaud = 115200;
    p.UseBasicIdentity();  // the model whose firmware version the data logger checks
  });
  auto e = Make<TProbeEquip>(&port);
  Settle();
  EXPECT_TRUE(e->RunChannelEditor());
  Settle();
  EXPECT_TRUE(e->RunDataLogger());
  ASSERT_EQ(e->seen.size(), 2u);
  for (const auto& s : e->seen) {
    EXPECT_TRUE(s.open);
    EXPECT_EQ(s.line.baud, 115200u);
    EXPECT_EQ(s.line.byteSize, 8);
    EXPECT_EQ(s.line.parity, 0);
    EXPECT_EQ(s.line.stopBits, 0);
    EXPECT_EQ(s.mode, 2);
  }
  // A second tool launched while one runs starts nothing.
  EXPECT_EQ(e->nestedResults, 0);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(host.Lines(), QStringList({"Executing Channel Editor", "Channel Editor closed. Ready", "Executing DataLogger",
                                       "DataLogger closed. Ready"}));
  // Each opening woke the analyser; the data logger identified it.
  const auto lines = sim->Lines();
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.end()),
            std::vector<std::string>({"*", "*", "*7205&", "*?ID", "*?VE", "*?VE"}));
  EXPECT_TRUE(prompter.shown.empty());

  e->dataLoggerInits = false;
  host.Clear();
  Settle();
  EXPECT_TRUE(e->RunDataLogger());
  EXPECT_EQ(host.Lines(), QStringList({"Executing DataLogger", "Unable to initialize DataLogger"}));
}

TEST_F(Xr9Equip, WithoutAPortToolsStartOfflineAndNothingIsSent) {
  auto e = Make<TProbeEquip>(nullptr);
  EXPECT_TRUE(e->RunChannelEditor());
  EXPECT_TRUE(e->RunDataLogger());
  EXPECT_EQ(host.Lines(), QStringList({"Executing Channel Editor (without equipment)", "Channel Editor closed. Ready",
                                       "Executing DataLogger (without equipment)", "DataLogger closed. Ready"}));
  TEquipIdent ident;
  EXPECT_FALSE(e->Identify(ident));
  char reply[kReplyBufferSize];
  EXPECT_FALSE(e->Query("*?VE", reply));
  EXPECT_FALSE(e->CheckVersion());
  sim->WaitTxIdle();
  EXPECT_TRUE(sim->Received().empty());
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(Xr9Equip, APortThatWillNotOpenIsLogged) {
  cv::SetPortPaths({{1, "/nonexistent/cvtools-no-port"}});
  EXPECT_FALSE(equip->RunChannelEditor());
  EXPECT_FALSE(equip->RunDataLogger());
  EXPECT_EQ(host.Lines(), QStringList({"Channel Editor Error:Unable to open port", "DataLogger Error:Unable to open port"}));
}

TEST_F(Xr9Equip, IdentifyReadsTheRecordAndStillTheVersionOfAShortReply) {
  Analyser([](cvsim::Xr9Profile& p) {
    p.requireAccess = true;  // refused unless the access code came first
    p.idModel = 0x10;
    p.optionWord = 0x20008000;
    p.optionByte = 0x7E;
  });
  OpenLink();
  TEquipIdent ident;
  ASSERT_TRUE(equip->Identify(ident));
  EXPECT_EQ(ident.model, 16);
  EXPECT_EQ(ident.optionByte, 0x7E);
  EXPECT_EQ(Flags(ident), std::vector<int>({0, 0, 0, 1, 0, 0, 0, 1, 0}));
  EXPECT_FLOAT_EQ(ident.version, 4.05f);

  Analyser([](cvsim::Xr9Profile& p) { p.On("*?ID", [](const std::string&) { return cvsim::Answer::Reply("*ID 1"); }); });
  ident.model = 7;
  ASSERT_TRUE(equip->Identify(ident));
  EXPECT_EQ(ident.model, 0);
  EXPECT_EQ(Flags(ident), std::vector<int>(9, 0));
  EXPECT_FLOAT_EQ(ident.version, 4.05f);
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(Xr9Equip, FirmwareGateOfTheDataLogger) {
  struct Row {
    const char* name;
    unsigned model;
    const char* version;
    const char* unanswered;  // a query left unanswered ...
    int from;                // ... from its n-th time on
    bool result;
    QString box;             // the box shown, if any
    QStringList log;         // after "Executing DataLogger"
  } rows[] = {
      {"model 16 with 3.98", 16, "3.98", "", 0, false,
       "You need to upgrade firmware of VELDIX-5\nin order to use DataLogger utility",
       {"DataLogger not supported in the connected equipment."}},
      {"model 16 with 3.99", 16, "3.99", "", 0, true, "", {"DataLogger closed. Ready"}},
      {"model 1 with 1.00", 1, "1.00", "", 0, true, "", {"DataLogger closed. Ready"}},
      {"version read fails at the gate only", 16, "3.98", "*?VE", 2, true, "", {"DataLogger closed. Ready"}},
      {"version read fails in Identify", 16, "3.98", "*?VE", 1, false, "", {}},
      {"no identification", 16, "4.05", "*?ID", 1, false, "Equipment not detected!", {}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Analyser([&](cvsim::Xr9Profile& p) {
      p.idModel = r.model;
      p.version = r.version;
      p.unansweredQuery = r.unanswered;
      p.unansweredFrom = r.from;
      p.queryCounts.clear();
    });
    host.Clear();
    prompter.shown.clear();
    Settle();
    EXPECT_EQ(equip->RunDataLogger(), r.result);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(host.Lines(), QStringList({"Executing DataLogger"}) + r.log);
    if (r.box.isEmpty()) {
      EXPECT_TRUE(prompter.shown.empty());
    } else {
      ASSERT_EQ(prompter.shown.size(), 1u);
      EXPECT_EQ(prompter.shown[0].text, r.box);
      EXPECT_EQ(prompter.shown[0].caption, "Error");
      EXPECT_EQ(prompter.shown[0].icon, r.box.startsWith("Equipment") ? cv::MsgIcon::Warning : cv::MsgIcon::Error);
    }
  }
}

TEST(Xr9Tempo, WaitWindowShowsItsTextWithOneAmpersand) {
  cv::xr9::TTempoMessageDlg dlg;
  EXPECT_EQ(dlg.windowTitle(), "CvTools");
  EXPECT_EQ(dlg.Label1->text(), "Creating PDF, HTML & XML files .....");
  EXPECT_TRUE(dlg.Label1->font().bold());
  EXPECT_FALSE(dlg.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint | Qt::WindowSystemMenuHint));
}
