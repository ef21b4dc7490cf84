// Plans leaving the channel-plan editor: the compatibility check against the simulated analyser's
// identity, sending one and all plans over the link, saving plans and canalization scripts.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QDir>
#include <QTemporaryDir>
#include <fstream>

#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "FileDialogs.h"
#include "HeldInput.h"
#include "Messages.h"
#include "MsgIds.h"
#include "HostForm.h"
#include "RefusingWorkDir.h"
#include "SaveLimits.h"
#include "Xr9Chanplandlg.h"
#include "Xr9PlanEditor.h"
#include "Xr9PlanIn.h"
#include "Xr9PlanOut.h"
#include "Profiles.h"
#include "Xr9Sim.h"
#include "Xr9TestFiles.h"

namespace {

using cv::xr9::TChanAttribute;
using cv::xr9::TChanXR9;
using cv::xr9::TPlanEditor;
using cv::xr9::TPlanXR9;

// The form: every line of both logs in one sequence (host log "H ", log zone "Z ").
struct OutView : cv::xr9::EditorView, cv::xr9::PlanOutView {
  void RefreshAll() override {}
  void RefreshChannels() override {}
  void SetTransferButtons(bool, bool, bool) override {}
  cv::xr9::ReceiveChoice RunReceiveDialog(TPlanEditor& editor, const std::vector<std::string>& lines) override {
    for (size_t i = 0; i < lines.size(); ++i) editor.SelectDirEntry(static_cast<int>(i));
    return cv::xr9::ReceiveChoice::Receive;
  }
  void SetGauge(int) override {}
  void Repaint() override {}
  void AddLogZone(const std::string& line) override { logs.push_back("Z " + line); }
  void SetBusy(bool) override {}
  std::vector<int> SelectedPlanLines() const override { return selected; }
  void DisableSendButton(bool all) override { disabled.push_back(all); }

  std::vector<std::string> logs;
  std::vector<int> selected;
  std::vector<bool> disabled;
};

struct Editor : TPlanEditor {
  Editor(cv::xr9::TXR9Equip& e, cv::Prompter& p, OutView& v) : TPlanEditor(e, p, v), outView(v) {}
  void Log(const std::string& line) override {
    outView.logs.push_back("H " + line);
    TPlanEditor::Log(line);
  }
  OutView& outView;
};

std::vector<TChanAttribute> Attrs(std::initializer_list<std::pair<uint8_t, uint32_t>> list) {
  std::vector<TChanAttribute> out;
  for (auto [code, value] : list) out.push_back(TChanAttribute::Of(code, value));
  return out;
}

// A terrestrial plan of `channels` channels CH0.., each with `chan` attributes.
TPlanXR9 Plan(const std::string& name, int channels, const std::vector<TChanAttribute>& plan = {},
              const std::vector<TChanAttribute>& chan = {}, uint8_t fileType = 2) {
  TPlanXR9 p;
  p.InUse = 3;
  p.Modified = 1;
  p.Name = name;
  p.FileType = fileType;
  p.PlanType = fileType >= 4 ? 5 : 7;
  for (size_t i = 0; i < plan.size(); ++i) p.Attributes[i] = plan[i];
  p.Channels.emplace();
  for (int i = 0; i < channels; ++i)
    p.Channels->emplace_back("CH" + std::to_string(i), 474000u + 8000u * i, 474000u + 8000u * i, chan);
  p.ChannelCount = static_cast<uint32_t>(channels);
  return p;
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

constexpr uint32_t kAllFlags = 0xFFFFFFFFu;
constexpr uint32_t Without(int bit) { return kAllFlags & ~(1u << bit); }

class Xr9PlanOut : public Xr9Sim {
 protected:
  void SetUp() override {
    Xr9Sim::SetUp();
    ASSERT_TRUE(dir.isValid());
    oldDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    editor = std::make_unique<Editor>(*equip, prompter, view);
    out = std::make_unique<cv::xr9::TPlanOut>(*editor, view);
  }
  void TearDown() override {
    QDir::setCurrent(oldDir);
    Xr9Sim::TearDown();
  }
  void Identity(unsigned model, uint32_t word, unsigned option) {
    Analyser([&](cvsim::Xr9Profile& p) {
      p.idModel = model;
      p.optionWord = word;
      p.optionByte = option;
    });
  }
  QStringList Boxes() const {
    QStringList l;
    for (const auto& s : prompter.shown) l << s.caption + ": " + s.text;
    return l;
  }
  std::string Path(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }
  // The bytes the plan writer makes of slot `slot`.
  std::string Written(int slot) {
    EXPECT_TRUE(cv::xr9::WriteBinaryPlan(Path("ref.bin"), editor->plans[slot], slot, editor->Sinks()));
    return FileText(Path("ref.bin"));
  }
  std::string Stored(int type, const std::string& name) {
    std::string bytes = "<none>";
    Analyser([&](cvsim::Xr9Profile& p) {
      if (const auto* f = p.FindFile(type, name)) bytes = f->bytes;
    });
    return bytes;
  }

  QTemporaryDir dir;
  QString oldDir;
  OutView view;
  std::unique_ptr<Editor> editor;
  std::unique_ptr<cv::xr9::TPlanOut> out;
};

// ---------------------------------------------------------------------------------------------
// Compatibility

TEST_F(Xr9PlanOut, CompatibilityAgainstTheAnalysersIdentity) {
  const auto dss = Attrs({{2, 4}}), s2 = Attrs({{2, 7}});
  struct Row {
    const char* name;
    unsigned model;
    uint32_t word;
    unsigned option;
    TPlanXR9 plan;
    std::vector<std::string> lines;  // each to the host log, then the log zone
  } rows[] = {
      {"PAL and DVB-T/H without colour systems and COFDM", 1, Without(18), 2,
       Plan("TER", 1, Attrs({{1, 1}, {2, 0}})),
       {"Plan TER: PAL not supported.", "Plan TER: COFDM not supported."}},
      {"all-analogue NTSC passes on the barest analyser", 0x10, 0, 1, Plan("NTSC", 3, {}, Attrs({{1, 3}, {2, 3}})), {}},
      {"DSS with its flag", 0x20, 1u << 27, 0, Plan("SAT", 1, {}, dss, 4), {}},
      {"DSS without flags", 0x20, 0, 0, Plan("SAT", 1, {}, dss, 4), {"Plan SAT, channel CH0: DSS not supported."}},
      {"DVB-S2 without flag 8", 0x20, Without(29), 0, Plan("S2", 2, {}, s2, 4),
       {"Plan S2, channel CH0: DVB-S2 not supported.", "Plan S2, channel CH1: DVB-S2 not supported."}},
      {"basic model", 0x10, kAllFlags, 0, Plan("B", 1, {}, Attrs({{7, 6}, {8, 2}, {11, 12}})),
       {"Plan B, channel CH0: 8PSK not supported.", "Plan B, channel CH0: 4K not supported.",
        "Plan B, channel CH0: CODE RATE not supported."}},
      {"the same channel on another model", 0x11, kAllFlags, 0, Plan("B", 1, {}, Attrs({{7, 6}, {8, 2}, {11, 12}})), {}},
      {"QPSK without its flag", 0x20, Without(16), 0, Plan("Q", 1, Attrs({{2, 2}}), Attrs({{2, 2}}), 4),
       {"Plan Q: QPSK DVB-S not supported.", "Plan Q, channel CH0: QPSK DVB-S not supported."}},
      {"QPSK without the QAM flag", 0x20, Without(17), 0, Plan("Q", 1, Attrs({{2, 2}}), Attrs({{2, 2}}), 4), {}},
      {"code rate 6 on the basic model", 0x10, kAllFlags, 0, Plan("R", 1, {}, Attrs({{11, 6}})), {}},
      {"code rate 7 on the basic model", 0x10, kAllFlags, 0, Plan("R", 1, {}, Attrs({{11, 7}})),
       {"Plan R, channel CH0: CODE RATE not supported."}},
      {"code rate 13 on the basic model", 0x10, kAllFlags, 0, Plan("R", 1, {}, Attrs({{11, 13}})), {}},
      {"J.83B at plan and channel level", 0x20, Without(26), 0, Plan("J", 1, Attrs({{2, 6}}), Attrs({{2, 6}})),
       {"Plan J: ITU J.83/B QAM not supported.", "Plan J, channel CH0: ITU J.83B not supported."}},
      {"only the first TYPE record counts", 0x20, Without(16), 0, Plan("F", 1, Attrs({{2, 3}, {2, 2}})), {}},
  };
  ASSERT_NO_FATAL_FAILURE(OpenLink());
  for (Row& r : rows) {
    SCOPED_TRACE(r.name);
    Identity(r.model, r.word, r.option);
    editor->plans[0] = r.plan;
    view.logs.clear();
    prompter.shown.clear();
    const bool ok = out->CheckPlanCompatibility(0);
    std::vector<std::string> expected;
    for (const auto& l : r.lines) {
      expected.push_back("H " + l);
      expected.push_back("Z " + l);
    }
    EXPECT_EQ(view.logs, expected);
    EXPECT_EQ(ok, r.lines.empty());
    if (r.lines.empty())
      EXPECT_TRUE(prompter.shown.empty());
    else
      EXPECT_EQ(Boxes(), QStringList{"PLANS ERROR: Canalization not compatible with connected equipment\n"
                                     "Please see LOG file"});
  }
}

// The simulator's analyser, as a new user gets it, takes a plan of every standard the attribute
// table knows; its basic identity (an option) refuses what the basic model lacks.
TEST_F(Xr9PlanOut, TheSimulatedAnalyserTakesEveryStandard) {
  EXPECT_EQ(cvsim::MakeProfile("xr9")->Handle("*?ID").text, "*ID 11.2E070000.00");
  const auto basic = cvsim::MakeProfile("xr9", "VELDIX-5 BASIC");
  EXPECT_EQ(basic->Handle("*?ID").text, "*ID 10.2E070000.01");
  EXPECT_EQ(basic->Handle("*?NA").text, cvsim::MakeProfile("xr9")->Handle("*?NA").text);
  ASSERT_NO_FATAL_FAILURE(OpenLink());
  TPlanXR9 every = Plan("ALL", 10, Attrs({{1, 1}}));
  for (uint8_t type = 0; type < 8; ++type) {
    if (type == 3) continue;
    (*every.Channels)[type].attrs1[0] = TChanAttribute::Of(2, type);
  }
  (*every.Channels)[3].attrs1[0] = TChanAttribute::Of(1, 2);  // SECAM
  (*every.Channels)[8].attrs1[0] = TChanAttribute::Of(7, 6);  // 8PSK
  (*every.Channels)[9].attrs1[0] = TChanAttribute::Of(11, 12);
  editor->plans[0] = every;
  EXPECT_TRUE(out->CheckPlanCompatibility(0));
  EXPECT_TRUE(prompter.shown.empty());
  Analyser([](cvsim::Xr9Profile& p) { p.UseBasicIdentity(); });
  EXPECT_FALSE(out->CheckPlanCompatibility(0));
  EXPECT_EQ(view.logs.front(), "H Plan ALL: PAL not supported.");
}

TEST_F(Xr9PlanOut, CompatibilityGivesFalseWithoutAnExchangeOrAnIdentity) {
  ASSERT_NO_FATAL_FAILURE(OpenLink());
  editor->plans[0] = Plan("EMPTY", 0);
  editor->plans[1] = Plan("", 1);
  EXPECT_FALSE(out->CheckPlanCompatibility(0));
  EXPECT_FALSE(out->CheckPlanCompatibility(1));
  EXPECT_FALSE(out->CheckPlanCompatibility(450));
  sim->WaitTxIdle();
  EXPECT_TRUE(sim->Lines().empty());
  EXPECT_TRUE(prompter.shown.empty());

  // An analyser that does not identify itself: its own message, no compatibility box.
  editor->plans[0] = Plan("TER", 1, Attrs({{2, 0}}));
  Analyser([](cvsim::Xr9Profile& p) {
    p.unansweredQuery = "*?ID";
    p.unansweredFrom = 1;
  });
  EXPECT_FALSE(out->CheckPlanCompatibility(0));
  EXPECT_FALSE(Boxes().join('\n').contains("PLANS ERROR"));
  EXPECT_TRUE(view.logs.empty());
}

// ---------------------------------------------------------------------------------------------
// Sending

TEST_F(Xr9PlanOut, SendOnePlanGoesOutInChecksummedBlocks) {
  ASSERT_NO_FATAL_FAILURE(OpenLink());
  // 8 bytes of header and plan attributes, 26 for each channel record, 5 for each attribute.
  editor->plans[0] = Plan("ASTRA", 2, {}, Attrs({{2, 2}, {4, 8000}, {5, 27500}, {6, 0}, {7, 0}, {9, 0}, {10, 0}}), 5);
  const std::string bytes = Written(0);
  ASSERT_EQ(bytes.size(), 130u) << "the plan layout changed; adjust the plan";
  editor->planIndex = 0;
  view.logs.clear();
  out->SendBtnClick();
  sim->WaitTxIdle();
  EXPECT_EQ(Boxes(), QStringList{"CvTools: Files have been sent succesfully"});
  const std::string received = sim->Received();
  const std::string command = "*FL000000823205ASTRA\r";
  const size_t at = received.find(command);
  ASSERT_NE(at, std::string::npos) << received;
  const std::string blocks = received.substr(at + command.size());
  ASSERT_EQ(blocks.size(), 51u + 51u + 31u);
  EXPECT_EQ(blocks.substr(0, 50), bytes.substr(0, 50));
  EXPECT_EQ(blocks.substr(51, 50), bytes.substr(50, 50));
  EXPECT_EQ(blocks.substr(102, 30), bytes.substr(100, 30));
  EXPECT_EQ(Stored(5, "ASTRA"), bytes);
  EXPECT_EQ(view.logs.front(), "Z Sending ASTRA");
  EXPECT_EQ(editor->plans[0].Modified, 1);  // sending changes nothing in the store
}

// The send's waits let no input through: the window system holds what a person does meanwhile
// (Send, Send All, Receive, Close, Esc and the close box, here once the plan has gone) and gives it
// once the send is done. None of it acts: the analyser gets the plan once, as without the presses,
// no other box comes and the editor stays open.
TEST_F(Xr9PlanOut, NoControlActsAfterASendThatLetNoInputIn) {
  ASSERT_NO_FATAL_FAILURE(OpenLink());
  struct Seen {
    size_t uploads = 0, boxes = 0;
    bool stayed = false;
    int presses = 0;
  } seen[2];
  for (const bool disturbed : {false, true}) {
    SCOPED_TRACE(disturbed ? "disturbed" : "calm");
    Seen& s = seen[disturbed];
    cv::xr9::TChannelsPlanDlg dlg(&host.form, equip.get());
    dlg.Editor().plans[0] = Plan("ASTRA", 2, {}, Attrs({{2, 2}, {4, 8000}, {5, 27500}, {6, 0}, {7, 0}, {9, 0}, {10, 0}}), 5);
    dlg.RefreshAll();
    dlg.PlanListBox->setCurrentRow(0);
    dlg.PlanListBoxClick();
    dlg.Editor().EnableTransferButtons(true);
    dlg.show();
    cvtest::DrainEvents();
    const std::vector<QWidget*> controls = {dlg.SendBtn, dlg.SendAllBtn, dlg.ReceiveBtn, dlg.CloseBtn};
    QObject::connect(dlg.LogZone, &QPlainTextEdit::textChanged, &dlg, [&] {
      if (!disturbed || !dlg.LogZone->toPlainText().contains(QString::fromStdString(cv::Msg(cv::msg::xr9::SentOk))))
        return;
      ++s.presses;
      cvtest::QueueEverything(dlg, controls);
    });
    Settle();
    sim->ClearTraffic();
    prompter.shown.clear();
    dlg.SendBtn->click();
    cvtest::DrainEvents();
    sim->WaitTxIdle();
    const std::string received = sim->Received();
    for (size_t at = received.find("*FL"); at != std::string::npos; at = received.find("*FL", at + 1)) ++s.uploads;
    s.boxes = prompter.shown.size();
    s.stayed = dlg.isVisible();
  }
  EXPECT_GT(seen[1].presses, 0);
  EXPECT_EQ(seen[0].uploads, 1u);
  EXPECT_EQ(seen[1].uploads, seen[0].uploads) << "a held click sent again";
  EXPECT_EQ(seen[1].boxes, seen[0].boxes);
  EXPECT_TRUE(seen[1].stayed);
}

TEST_F(Xr9PlanOut, SendOnePlanFailures) {
  // Without a port: the button goes grey, nothing else.
  {
    cv::xr9::TXR9Equip offline(&host.form, nullptr);
    OutView v;
    Editor e(offline, prompter, v);
    cv::xr9::TPlanOut o(e, v);
    e.planIndex = 0;
    o.SendBtnClick();
    o.SendAllBtnClick();
    EXPECT_EQ(v.disabled, (std::vector<bool>{false, true}));
    EXPECT_TRUE(prompter.shown.empty());
  }
  ASSERT_NO_FATAL_FAILURE(OpenLink());
  editor->plans[0] = Plan("A.B", 1);
  editor->plans[1] = Plan("NONE", 0);
  editor->planIndex = 0;
  out->SendBtnClick();
  sim->WaitTxIdle();
  EXPECT_NE(sim->Received().find("02A\r"), std::string::npos);  // announced as A
  EXPECT_NE(std::find(view.logs.begin(), view.logs.end(), "Z A sent OK."), view.logs.end());

  prompter.shown.clear();
  view.logs.clear();
  sim->ClearTraffic();
  editor->planIndex = 1;
  out->SendBtnClick();
  EXPECT_EQ(Boxes(), (QStringList{"Error: Plan NONE has no channels!", "CvTools Error: Sending of files has failed"}));
  EXPECT_EQ(view.logs, (std::vector<std::string>{"Z Sending NONE", "Z Plan NONE has no channels!"}));
  prompter.shown.clear();
  editor->planIndex = -1;
  out->SendBtnClick();
  EXPECT_EQ(Boxes(), QStringList{"CvTools Error: Sending of files has failed"});
  sim->WaitTxIdle();
  EXPECT_TRUE(sim->Lines().empty());
}

TEST_F(Xr9PlanOut, SendAllStopsAfterFiveFailedAttempts) {
  ASSERT_NO_FATAL_FAILURE(OpenLink());
  editor->plans[0] = Plan("P0", 2);
  editor->plans[1] = Plan("P1", 1);
  editor->plans[2] = Plan("P2", 3);
  Analyser([](cvsim::Xr9Profile& p) { p.nakUploadName = "P1"; });
  out->SendAllBtnClick();
  sim->WaitTxIdle();
  EXPECT_EQ(Boxes(), QStringList{"CvTools Error: Several communications errors have occurred.\nNot all plans have been sent!."});
  EXPECT_EQ(Stored(2, "P0"), Written(0));
  EXPECT_EQ(Stored(2, "P2"), "<none>");
  const auto lines = sim->Lines();
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.ends_with("3202P1"); }), 5);
  EXPECT_EQ(std::count(view.logs.begin(), view.logs.end(), "Z P1 failed."), 5);
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.find("P2") != std::string::npos; }),
            0);
}

TEST_F(Xr9PlanOut, SendAllSendsNothingWhileANamedPlanHasNoChannels) {
  ASSERT_NO_FATAL_FAILURE(OpenLink());
  editor->plans[0] = Plan("P0", 2);
  editor->plans[1] = Plan("E1", 0);
  editor->plans[2] = Plan("E2", 0);
  out->SendAllBtnClick();
  EXPECT_EQ(Boxes(), (QStringList{"Error: Plan E1 has no channels! Couldn't send anything.",
                                  "Error: Plan E2 has no channels! Couldn't send anything."}));
  sim->WaitTxIdle();
  EXPECT_TRUE(sim->Lines().empty());
}

TEST_F(Xr9PlanOut, SentPlansComeBackByteForByte) {
  ASSERT_NO_FATAL_FAILURE(OpenLink());
  editor->plans[0] = Plan("TER", 3, Attrs({{4, 8000}}), Attrs({{1, 1}, {2, 3}}), 2);
  editor->plans[1] = Plan("SAT", 2, {}, Attrs({{2, 2}, {5, 27500}}), 5);
  const std::string ter = Written(0), sat = Written(1);
  Identity(0x20, kAllFlags, 0);
  out->SendAllBtnClick();
  EXPECT_EQ(Boxes(), QStringList{"CvTools: Files have been sent succesfully"});
  prompter.shown.clear();
  prompter.answers = {cv::MsgAnswer::No};  // the store's changes are not saved first
  editor->ReceiveBtnClick();
  sim->WaitTxIdle();
  ASSERT_EQ(editor->ListedPlans(), 2);
  EXPECT_EQ(editor->plans[0].Name, "TER");
  EXPECT_EQ(Written(0), ter);
  EXPECT_EQ(editor->plans[1].Name, "SAT");
  EXPECT_EQ(editor->plans[1].FileType, 5);
  EXPECT_EQ(Written(1), sat);
}

// ---------------------------------------------------------------------------------------------
// Saving

// A save dialog that sets a file-size limit once it is answered, after the temporary file is
// written: the copy to the target then fails half-way.
struct LimitingChooser : cv::RecordingFileChooser {
  QString SaveFile(QWidget* parent, const cv::FileDialogRequest& request) override {
    QString answer = cv::RecordingFileChooser::SaveFile(parent, request);
    if (limit > 0) {
      signal(SIGXFSZ, SIG_IGN);
      getrlimit(RLIMIT_FSIZE, &old);
      rlimit l = old;
      l.rlim_cur = limit;
      setrlimit(RLIMIT_FSIZE, &l);
      limited = true;
    }
    return answer;
  }
  void Restore() {
    if (limited) setrlimit(RLIMIT_FSIZE, &old);
    limited = false;
  }
  ~LimitingChooser() override { Restore(); }
  rlim_t limit = 0;
  rlimit old{};
  bool limited = false;
};

TEST_F(Xr9PlanOut, SaveCanalizationWritesTheScript) {
  editor->plans[0] = Plan("TER", 2, {}, {}, 2);
  editor->plans[1] = Plan("A/B", 1, {}, {}, 5);
  editor->plans[2] = Plan("PROT", 1, {}, {}, 1);
  cv::RecordingFileChooser chooser;
  chooser.saveAnswers = {QString::fromStdString(Path("set.PRO"))};
  out->SavePROFileBtnClick();
  EXPECT_TRUE(prompter.shown.empty()) << Boxes().join('\n').toStdString();
  ASSERT_EQ(chooser.saves.size(), 1);
  EXPECT_EQ(chooser.saves[0].filter, "PRO files (*.PRO)|*.PRO");
  EXPECT_EQ(chooser.saves[0].defaultExt, "PRO");
  EXPECT_TRUE(chooser.saves[0].fileName.isEmpty());
  const std::string script = FileText(Path("set.PRO"));
  const auto golden = xr9test::Golden("plans/canalization.pro", std::vector<uint8_t>(script.begin(), script.end()));
  EXPECT_NE(script.find("SENDRESOURCE A%2FB.CAN  05\n"), std::string::npos);
  EXPECT_EQ(FileText(Path("_XR9PRO_.TMP")), script);
  EXPECT_EQ(view.logs, (std::vector<std::string>{"Z Creating PRO file", "H Creating PRO file",
                                                 "H Plans saved to file: set.PRO", "Z Plans saved to file: set.PRO"}));
  EXPECT_EQ(editor->plans[0].Modified, 1);  // the plan files are not written
}

TEST_F(Xr9PlanOut, SaveCanalizationStopsAtANamedPlanWithoutChannels) {
  editor->plans[0] = Plan("TER", 2);
  editor->plans[1] = Plan("EMPTY", 0);
  cv::RecordingFileChooser chooser;
  chooser.saveAnswers = {QString::fromStdString(Path("set.PRO"))};
  out->SavePROFileBtnClick();
  EXPECT_EQ(Boxes(), QStringList{"Error: Plan EMPTY has no channels! Couldn't save anything."});
  EXPECT_TRUE(chooser.saves.isEmpty());
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("_XR9PRO_.TMP"))));
}

TEST_F(Xr9PlanOut, SaveOnePlanWritesTheWritersBytes) {
  editor->plans[0] = Plan("A/B", 3, Attrs({{4, 8000}}));
  editor->planIndex = 0;
  view.selected = {0};
  cv::RecordingFileChooser chooser;
  chooser.saveAnswers = {QString::fromStdString(Path("out.can"))};
  out->SaveBtnClick();
  EXPECT_TRUE(prompter.shown.empty()) << Boxes().join('\n').toStdString();
  ASSERT_EQ(chooser.saves.size(), 1);
  EXPECT_EQ(chooser.saves[0].filter, "CAN files (*.CAN)|*.CAN");
  EXPECT_EQ(chooser.saves[0].defaultExt, "can");
  EXPECT_EQ(chooser.saves[0].fileName, "A%2FB.can");
  EXPECT_TRUE(chooser.saves[0].overwritePrompt);
  EXPECT_EQ(view.logs.back(), "Z Plan saved to file: out.can");
  EXPECT_EQ(FileText(Path("out.can")), Written(0));
  EXPECT_EQ(editor->plans[0].Modified, 0);

  // Cancel writes nothing and keeps the plan changed; so does an empty plan or no focus.
  editor->plans[0].Modified = 1;
  out->SaveBtnClick();
  EXPECT_EQ(editor->plans[0].Modified, 1);
  editor->plans[1] = Plan("E", 0);
  editor->planIndex = 1;
  out->SaveBtnClick();
  editor->planIndex = -1;
  out->SaveBtnClick();
  EXPECT_EQ(Boxes(), (QStringList{"User Error: Selected plan is empty!", "User Error: No plan selected!"}));
}

// A plan opened from a write-protected stick: Save One Plan, Save Canalization and Send write their
// working files in a folder of their own and go on with the same content.
TEST_F(Xr9PlanOut, SaveAndSendGoOnWhenTheWorkingDirectoryTakesNoFile) {
  ASSERT_NO_FATAL_FAILURE(OpenLink());
  editor->plans[0] = Plan("TERRA", 3, Attrs({{4, 8000}}));
  editor->plans[1] = Plan("A/B", 1, {}, {}, 5);
  const std::string bytes = Written(0);
  cv::RecordingFileChooser chooser;
  chooser.saveAnswers = {QString::fromStdString(Path("first.PRO"))};
  out->SavePROFileBtnClick();
  const std::string script = FileText(Path("first.PRO"));
  ASSERT_FALSE(script.empty());
  cvtest::RefusingWorkDir stick(dir.path());
  ASSERT_FALSE(stick.TakesFiles());
  editor->planIndex = 0;
  view.selected = {0};
  chooser.saveAnswers = {QString::fromStdString(Path("out.can")), QString::fromStdString(Path("set.PRO"))};
  out->SaveBtnClick();
  out->SavePROFileBtnClick();
  out->SendBtnClick();
  sim->WaitTxIdle();
  EXPECT_EQ(Boxes(), QStringList{"CvTools: Files have been sent succesfully"});
  EXPECT_EQ(FileText(Path("out.can")), bytes);
  EXPECT_EQ(editor->plans[0].Modified, 0);
  EXPECT_EQ(FileText(Path("set.PRO")), script);
  EXPECT_EQ(Stored(2, "TERRA"), bytes);
}

TEST_F(Xr9PlanOut, SaveSeveralPlansIntoAFolder) {
  QDir(dir.path()).mkdir("set");
  const QString folder = dir.filePath("set");
  const std::string keep = "old bytes";
  auto put = [&](const char* name) { std::ofstream(folder.toStdString() + "/" + name) << keep; };
  editor->plans[0] = Plan("no-name", 1);
  editor->plans[1] = Plan("A/B", 2);
  editor->plans[2] = Plan("C.D", 1);
  editor->planIndex = 0;
  view.selected = {0, 1, 2};
  const std::string ab = Written(1);

  struct Row {
    const char* name;
    std::vector<cv::MsgAnswer> answers;
    int questions;
    int written;
    bool abOverwritten;
  } rows[] = {
      {"No keeps the existing file", {cv::MsgAnswer::No}, 2, 2, false},
      {"Yes to All asks no more", {cv::MsgAnswer::YesToAll}, 1, 3, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    QFile::remove(folder + "/no-name.can");
    put("A%2FB.can");
    put("C.D.can");
    prompter.shown.clear();
    prompter.answers = {r.answers.begin(), r.answers.end()};
    cv::RecordingFileChooser chooser;
    chooser.folderAnswers = {folder};
    out->SaveBtnClick();
    ASSERT_EQ(prompter.shown.size(), size_t(r.questions + 1)) << Boxes().join('\n').toStdString();
    EXPECT_EQ(prompter.shown[0].caption, "Warning");
    EXPECT_EQ(prompter.shown[0].text, "File A/B\n already exists. Overwrite?");
    EXPECT_EQ(prompter.shown[0].buttons, cv::MsgYes | cv::MsgNo | cv::MsgYesToAll);
    EXPECT_EQ(prompter.shown.back().text, QString("%1 files have been generated.").arg(r.written));
    EXPECT_EQ(FileText(folder.toStdString() + "/no-name.can"), Written(0));
    EXPECT_EQ(FileText(folder.toStdString() + "/A%2FB.can"), r.abOverwritten ? ab : keep);
    EXPECT_EQ(FileText(folder.toStdString() + "/C.D.can"), Written(2));
  }
  // A cancelled folder choice: nothing, not even the count.
  prompter.shown.clear();
  cv::RecordingFileChooser chooser;
  out->SaveBtnClick();
  EXPECT_TRUE(prompter.shown.empty());
}

// A plan file of 500 channels and the canalization script under file-size limits below, at and
// above the write buffer: each written whole, or the failure told and the old file as it was.
TEST_F(Xr9PlanOut, SavesWriteTheWholeFileOrKeepTheOldOne) {
  editor->plans[0] = Plan("BIG", 500);
  editor->planIndex = 0;
  view.selected = {0};
  cv::RecordingFileChooser chooser;
  auto saved = [&](const std::string& path, const std::function<void()>& save) {
    return [&, path, save] {
      chooser.saveAnswers = {QString::fromStdString(path)};
      const size_t boxes = prompter.shown.size();
      save();
      return prompter.shown.size() == boxes;
    };
  };
  cvtest::ExpectWholeOrOldFile(Path("big.can"), saved(Path("big.can"), [&] { out->SaveBtnClick(); }));
  cvtest::ExpectWholeOrOldFile(Path("set.PRO"), saved(Path("set.PRO"), [&] { out->SavePROFileBtnClick(); }));
}

TEST_F(Xr9PlanOut, AFailedSaveKeepsTheOldFileWhole) {
  const std::string old(4000, 'x');
  editor->plans[0] = Plan("BIG", 40);
  editor->planIndex = 0;
  view.selected = {0};
  ASSERT_GT(Written(0).size(), 600u);

  struct Row {
    const char* name;
    bool canalization;
    std::string target;
    rlim_t limit;
    QString box;
    bool logged;
  } rows[] = {
      {"plan, write stops half-way", false, "plan.can", 600, "CvTools Error: Error creating output file", false},
      {"plan, folder is a file", false, "blocker/plan.can", 0, "CvTools Error: Couldn't create file %1", true},
      {"script, write stops half-way", true, "set.PRO", 300, "CvTools Error: Couldn't write file %1", true},
      {"script, folder is a file", true, "blocker/set.PRO", 0, "CvTools Error: Couldn't create file %1", true},
  };
  std::ofstream(Path("blocker")) << "a file";
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const std::string target = Path(r.target);
    if (r.limit) std::ofstream(target) << old;
    prompter.shown.clear();
    view.logs.clear();
    LimitingChooser chooser;
    chooser.limit = r.limit;
    chooser.saveAnswers = {QString::fromStdString(target)};
    if (r.canalization)
      out->SavePROFileBtnClick();
    else
      out->SaveBtnClick();
    chooser.Restore();
    const QString box = r.box.contains("%1") ? r.box.arg(QString::fromStdString(target)) : r.box;
    EXPECT_EQ(Boxes(), QStringList{box});
    if (r.limit) {
      EXPECT_EQ(FileText(target), old);
    }
    const std::string line = box.mid(box.indexOf(": ") + 2).toStdString();
    EXPECT_EQ(std::count(view.logs.begin(), view.logs.end(), "H " + line), r.logged ? 1 : 0);
    for (const std::string& l : view.logs) EXPECT_EQ(l.find("saved to file"), std::string::npos) << l;
    EXPECT_EQ(editor->plans[0].Modified, 1);
    // No half-written file is left beside the target.
    const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    for (const QString& f : left)
      EXPECT_TRUE(QStringList({"blocker", "ref.bin", "__XR9B_.TMP", "_XR9PRO_.TMP", "plan.can", "set.PRO"}).contains(f))
          << f.toStdString();
  }
}

// A save dialog answered with OK: the name it proposes, in `folder`.
struct AcceptingChooser : cv::RecordingFileChooser {
  QString SaveFile(QWidget* parent, const cv::FileDialogRequest& request) override {
    cv::RecordingFileChooser::SaveFile(parent, request);
    return QDir(folder).filePath(request.fileName.isEmpty() ? "set.PRO" : request.fileName);
  }
  QString folder;
};

// The *FL command lines of the traffic, in order.
std::vector<std::string> UploadCommands(const std::string& received) {
  std::vector<std::string> lines;
  for (size_t at = received.find("*FL"); at != std::string::npos; at = received.find("*FL", at + 1))
    lines.push_back(received.substr(at, received.find('\r', at) - at));
  return lines;
}

// Names a canalization script cannot carry as they stand go out through both saves and come back
// through LOAD CANALIZATION in a fresh editor: names, channels and types whole, and the analyser
// receives the same uploads.
TEST_F(Xr9PlanOut, HostileNamesSurviveSaveLoadAndSend) {
  const std::vector<std::string> names = {"ASTRA 19.2E", "TDT.CANARIAS", "#1 MADRID", " AB",
                                          "A\"B",         "x.can tv",     "\xD1" "AND\xDA"};
  const uint8_t types[] = {1, 2, 4, 5};
  for (size_t i = 0; i < names.size(); ++i) {
    editor->plans[i] = Plan(names[i], static_cast<int>(i) + 1, {}, Attrs({{2, types[i % 4] < 4 ? 0u : 2u}}),
                            types[i % 4]);
    (*editor->plans[i].Channels)[0].value1 += static_cast<uint32_t>(i);
  }
  const std::vector<TPlanXR9> store(editor->plans.begin(), editor->plans.begin() + names.size());
  ASSERT_NO_FATAL_FAILURE(OpenLink());
  out->SendAllBtnClick();
  sim->WaitTxIdle();
  const std::string firstSend = sim->Received();
  ASSERT_EQ(UploadCommands(firstSend).size(), names.size()) << firstSend;

  ASSERT_TRUE(QDir(dir.path()).mkpath("one") && QDir(dir.path()).mkpath("set"));
  AcceptingChooser chooser;
  chooser.folder = dir.filePath("one");
  for (size_t i = 0; i < names.size(); ++i) {  // SAVE ONE PLAN, one plan at a time through the dialog
    editor->planIndex = static_cast<int>(i);
    view.selected = {static_cast<int>(i)};
    out->SaveBtnClick();
  }
  out->SavePROFileBtnClick();
  chooser.folder = dir.filePath("set");
  chooser.folderAnswers = {chooser.folder};
  view.selected.clear();
  for (size_t i = 0; i < names.size(); ++i) view.selected.push_back(static_cast<int>(i));
  editor->planIndex = 0;
  out->SaveBtnClick();  // several plans into a folder
  out->SavePROFileBtnClick();
  EXPECT_EQ(prompter.shown.size(), 2u) << Boxes().join('\n').toStdString();  // "Files have been sent", "7 files"
  EXPECT_TRUE(QFile::exists(dir.filePath("set/\u00D1AND\u00DA.can")));

  for (const char* folder : {"one", "set"}) {
    SCOPED_TRACE(folder);
    OutView view2;
    Editor loaded(*equip, prompter, view2);
    cv::xr9::TPlanIn in(loaded);
    cv::xr9::TPlanOut out2(loaded, view2);
    prompter.shown.clear();
    chooser.openAnswers = {{dir.filePath(QString(folder) + "/set.PRO")}};
    in.ReadBtnClick(nullptr);
    EXPECT_TRUE(prompter.shown.empty()) << Boxes().join('\n').toStdString();
    ASSERT_EQ(loaded.ListedPlans(), static_cast<int>(names.size()));
    for (size_t i = 0; i < names.size(); ++i) {
      SCOPED_TRACE(names[i]);
      const TPlanXR9& got = loaded.plans[i];
      EXPECT_EQ(got.Name, names[i]);
      EXPECT_EQ(got.FileType, store[i].FileType);
      EXPECT_EQ(got.PlanType, store[i].PlanType);
      std::vector<uint8_t> a, b;
      ASSERT_TRUE(cv::xr9::WriteBinaryPlanHeader(a, store[i], 0, loaded.Sinks()));
      ASSERT_TRUE(cv::xr9::WriteBinaryPlanHeader(b, got, 0, loaded.Sinks()));
      cv::xr9::WriteBinaryPlanChannels(a, store[i]);
      cv::xr9::WriteBinaryPlanChannels(b, got);
      EXPECT_EQ(a, b);
    }
    sim->ClearTraffic();
    prompter.shown.clear();
    out2.SendAllBtnClick();
    sim->WaitTxIdle();
    EXPECT_EQ(Boxes(), QStringList{"CvTools: Files have been sent succesfully"});
    EXPECT_EQ(UploadCommands(sim->Received()), UploadCommands(firstSend));
    EXPECT_EQ(sim->Received(), firstSend);
  }
}

}  // namespace

namespace {

// The form's buttons reach the operations: SAVE ONE PLAN saves the selected plan; without a port
// the send buttons go grey when clicked.
TEST(Xr9PlanOutForm, TheButtonsSaveAndSend) {
  QTemporaryDir dir;
  const QString old = QDir::currentPath();
  QDir::setCurrent(dir.path());
  HostForm host;
  cv::RecordingPrompter prompter;
  cv::RecordingFileChooser chooser;
  cv::xr9::TXR9Equip equip(&host.form, nullptr);
  cv::xr9::TChannelsPlanDlg dlg(&host.form, &equip);
  dlg.Editor().plans[0] = Plan("TER", 2);
  dlg.RefreshAll();
  dlg.PlanListBox->setCurrentRow(0);
  dlg.PlanListBoxClick();
  dlg.Editor().EnableTransferButtons(true);
  chooser.saveAnswers = {dir.filePath("ter.can")};
  dlg.findChild<QPushButton*>("SaveBtn")->click();
  EXPECT_TRUE(QFile::exists(dir.filePath("ter.can"))) << prompter.shown.size();
  EXPECT_EQ(dlg.Editor().plans[0].Modified, 0);
  dlg.SendBtn->setEnabled(true);
  dlg.SendAllBtn->setEnabled(true);
  dlg.SendBtn->click();
  dlg.SendAllBtn->click();
  EXPECT_FALSE(dlg.SendBtn->isEnabled());
  EXPECT_FALSE(dlg.SendAllBtn->isEnabled());
  QDir::setCurrent(old);
}

}  // namespace
