// RECEIVE PLANS against the simulated analyser: the listing, the firmware gate, downloads into the
// store (checked byte for byte against what the analyser holds), the 450-plan cap, cancelling and
// erasing.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <functional>

#include "Xr9Images.h"
#include "Xr9PlanEditor.h"
#include "Xr9Sim.h"

namespace {

using cv::xr9::ReceiveChoice;
using cv::xr9::TPlanEditor;
namespace img = cvsim::xr9img;

// Ticks the rows a test chooses and ends the dialog as it says.
struct ScriptedView : cv::xr9::EditorView {
  void RefreshAll() override { ++refreshes; }
  void RefreshChannels() override {}
  void SetTransferButtons(bool s, bool, bool) override { save = s; }
  ReceiveChoice RunReceiveDialog(TPlanEditor& editor, const std::vector<std::string>& l) override {
    ++dialogs;
    hourglassAtDialog = hourglassAtDialog || QGuiApplication::overrideCursor();
    lines = l;
    storeWhenShown = editor.ListedPlans();
    std::vector<int> rows = tick ? tick(l) : std::vector<int>{};
    for (int r : rows) editor.SelectDirEntry(r);
    return choice;
  }
  void SetGauge(int) override {}
  void Repaint() override {}
  void AddLogZone(const std::string& line) override {
    zone.push_back(line);
    if (QGuiApplication::overrideCursor()) underHourglass.push_back(line);
  }
  void SetBusy(bool) override {}  // the editor keeps the hourglass by scope itself

  std::function<std::vector<int>(const std::vector<std::string>&)> tick;
  ReceiveChoice choice = ReceiveChoice::Receive;
  std::vector<std::string> lines, zone, underHourglass;
  int dialogs = 0, refreshes = 0, storeWhenShown = -1;
  bool save = false, hourglassAtDialog = false;
};

std::vector<int> All(const std::vector<std::string>& lines) {
  std::vector<int> rows(lines.size());
  for (size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<int>(i);
  return rows;
}

std::string Bytes(const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); }

img::Plan TerPlan(int channels, uint32_t first = 474000) {
  img::Plan p;
  p.type = 7;
  p.attrs = {{4, 8000}};
  for (int i = 0; i < channels; ++i)
    p.channels.push_back({"CH" + std::to_string(i), first + 8000u * i - 2750u, first + 8000u * i, {{1, 0}}, {}});
  return p;
}

img::Plan SatPlan() {
  img::Plan p;
  p.type = 5;
  p.channels = {{"ASTRA1", 11362000, 11362000, {{2, 3}}, {}}, {"ASTRA2", 10744000, 10744000, {}, {}}};
  return p;
}

class Xr9Receive : public Xr9Sim {
 protected:
  void SetUp() override {
    Xr9Sim::SetUp();
    editor = std::make_unique<TPlanEditor>(*equip, prompter, view);
  }
  void Store(int type, const std::string& name, const std::vector<uint8_t>& bytes) {
    Analyser([&](cvsim::Xr9Profile& p) { p.PutFile(type, name, Bytes(bytes)); });
  }
  // The plan of a slot written back as the analyser's bytes.
  std::string WrittenBack(int slot) {
    std::vector<uint8_t> out;
    EXPECT_TRUE(cv::xr9::WriteBinaryPlanHeader(out, editor->plans[slot], slot, editor->Sinks()));
    cv::xr9::WriteBinaryPlanChannels(out, editor->plans[slot]);
    return Bytes(out);
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> n;
    for (int i = 0; i < editor->ListedPlans(); ++i) n.push_back(editor->plans[i].Name);
    return n;
  }
  QStringList Shown() const {
    QStringList l;
    for (const auto& s : prompter.shown) l << s.caption + ": " + s.text;
    return l;
  }
  void Receive() {
    ASSERT_NO_FATAL_FAILURE(OpenLink());
    editor->ReceiveBtnClick();
    sim->WaitTxIdle();
  }

  ScriptedView view;
  std::unique_ptr<TPlanEditor> editor;
};

TEST_F(Xr9Receive, ListsInTypeOrderAndStoresWhatArrivesWhole) {
  const auto t1 = img::BinaryPlan(TerPlan(3));
  const auto t2 = img::BinaryPlan(TerPlan(2, 602000));
  const auto s1 = img::BinaryPlan(SatPlan());
  Store(4, "SAT1", s1);
  Store(1, "TER1", t1);
  Store(1, "TER2", t2);
  Analyser([](cvsim::Xr9Profile& p) {
    p.badChecksumFiles.insert("TER2");
    p.files[2];  // a type with no file
  });
  view.tick = All;
  ASSERT_NO_FATAL_FAILURE(Receive());

  EXPECT_EQ(view.lines, (std::vector<std::string>{"(PROT.TER) TER1", "(PROT.TER) TER2", "(PROT.SAT) SAT1"}));
  EXPECT_EQ(view.storeWhenShown, 0);
  EXPECT_EQ(Shown(), QStringList({"Error: Bad CRC Received",
                                  "Error: These plans were not received and are not in the list: TER2"}));
  EXPECT_EQ(Names(), (std::vector<std::string>{"TER1", "SAT1"}));
  EXPECT_EQ(WrittenBack(0), Bytes(t1));
  EXPECT_EQ(WrittenBack(1), Bytes(s1));
  for (int slot : {0, 1}) {
    EXPECT_EQ(editor->plans[slot].InUse, 1);
    EXPECT_EQ(editor->plans[slot].Modified, 1);
  }
  EXPECT_EQ(editor->plans[1].FileType, 4);
  EXPECT_EQ(editor->plans[1].PlanType, 5);
  EXPECT_EQ(view.zone.back(), "Reception has finished.");
  EXPECT_TRUE(host.Lines().contains("Reception has finished."));
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_FALSE(view.hourglassAtDialog);
  // The downloads run under the hourglass; the list to choose from and the boxes wait without it.
  ASSERT_FALSE(view.underHourglass.empty());
  EXPECT_EQ(view.underHourglass.back(), "Reception has finished.");
  EXPECT_TRUE(view.save);
  EXPECT_EQ(editor->planIndex, 0);
  // What crossed the line: the listing, then one download per ticked plan.
  const std::string received = sim->Received();
  EXPECT_NE(received.find("*?FI01\r*?FI02\r*?FI04\r*?FI05\r*?FI0100\r*?FI0101\r*?FI0400\r"), std::string::npos)
      << received;
  EXPECT_NE(received.find("*?FL01TER1\r*?FL01TER2\r*?FL04SAT1\r"), std::string::npos) << received;

  // The received plans count as changed: the next reception asks first, and Cancel keeps them.
  prompter.shown.clear();
  prompter.answers = {cv::MsgAnswer::Cancel};
  editor->ReceiveBtnClick();
  EXPECT_EQ(Names(), (std::vector<std::string>{"TER1", "SAT1"}));
  EXPECT_EQ(view.dialogs, 1);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_TRUE(prompter.shown[0].text.endsWith("Plans not saved: TER1, SAT1"));
}

TEST_F(Xr9Receive, APlanOfTheLargestSizeArrivesWhole) {
  // 8 + 26 x 1017 + 5 x 22 = 26560 bytes.
  img::Plan big = TerPlan(1017, 50000);
  big.attrs.clear();
  for (auto& c : big.channels) c.attrs.clear();
  for (int c = 0; c < 2; ++c) {
    for (int k = 0; k < 11; ++k) big.channels[c].attrs.push_back({uint8_t(k + 1), uint32_t(k)});
  }
  const auto bytes = img::BinaryPlan(big);
  ASSERT_EQ(bytes.size(), 26560u);
  Store(2, "BIG", bytes);
  view.tick = All;
  ASSERT_NO_FATAL_FAILURE(Receive());
  EXPECT_TRUE(prompter.shown.empty()) << Shown().join('\n').toStdString();
  ASSERT_EQ(Names(), std::vector<std::string>{"BIG"});
  EXPECT_EQ(editor->plans[0].ChannelCount, 1017u);
  EXPECT_EQ(editor->plans[0].FileType, 2);
  EXPECT_EQ(WrittenBack(0), Bytes(bytes));
}

// A plan whose checksum holds but which the decoder refuses takes no slot, first or last: no named
// slot without channels is left behind.
TEST_F(Xr9Receive, APlanTheDecoderRefusesTakesNoSlot) {
  img::Plan damaged = TerPlan(1);
  damaged.countOverride = 5;
  Store(1, "GOOD", img::BinaryPlan(TerPlan(2)));
  Store(1, "BAD", img::BinaryPlan(damaged));
  Store(1, "GOOD2", img::BinaryPlan(TerPlan(1)));
  Store(1, "BAD2", img::BinaryPlan(damaged));
  view.tick = All;
  ASSERT_NO_FATAL_FAILURE(Receive());
  ASSERT_EQ(prompter.shown.size(), 3u);
  EXPECT_EQ(prompter.shown[0].caption, "CvTools Error");
  EXPECT_EQ(prompter.shown[2].text, "These plans were not received and are not in the list: BAD, BAD2");
  EXPECT_EQ(Names(), (std::vector<std::string>{"GOOD", "GOOD2"}));
  EXPECT_EQ(editor->plans[0].ChannelCount, 2u);
  for (int slot = 2; slot < cv::xr9::PlanSlots; ++slot) {
    SCOPED_TRACE(slot);
    EXPECT_TRUE(editor->plans[slot].Name.empty());
    EXPECT_EQ(editor->plans[slot].InUse, 0);
    EXPECT_FALSE(editor->plans[slot].Channels);
    EXPECT_FALSE(editor->plans[slot].Modified);
  }
}

// Until the chosen plans have come the store is the person's: a listing that fails, a Cancel, an
// erase, or downloads that time out or come short keep every plan and its mark, with a box naming
// what did not come.
TEST_F(Xr9Receive, AReceptionThatBringsNothingKeepsTheStore) {
  const std::string ter1 = Bytes(img::BinaryPlan(TerPlan(1))), ter2 = Bytes(img::BinaryPlan(TerPlan(2)));
  struct Row {
    const char* name;
    std::function<void(cvsim::Xr9Profile&)> fault;
    ReceiveChoice choice;
    QStringList shown;  // after the unsaved-changes question
  } rows[] = {
      {"listing fails", [](cvsim::Xr9Profile& p) { p.PutFile(2, "HUGE", std::string(26561, 'x')); },
       ReceiveChoice::Receive, {"Error: Plan too big!", "Error: Equipment not detected"}},
      {"Cancel", [](cvsim::Xr9Profile&) {}, ReceiveChoice::Cancel, {}},
      {"erase", [](cvsim::Xr9Profile& p) { p.refuseDelete = true; }, ReceiveChoice::Erase, {}},
      {"downloads time out",
       [](cvsim::Xr9Profile& p) {
         p.unansweredQuery = "*?FL01TER1";
         p.unansweredFrom = 1;
         p.shortFiles.insert("TER2");
       },
       ReceiveChoice::Receive, {"Error: These plans were not received and are not in the list: TER1, TER2"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    editor->ClearAllPlans();
    editor->SetPlanName(0, "OLD", 3);
    editor->plans[0].Channels = std::vector<cv::xr9::TChanXR9>{cv::xr9::TChanXR9("K", 474000, 474000)};
    editor->plans[0].Modified = 1;
    editor->SetPlanName(1, "OLD2", 3);
    prompter.shown.clear();
    prompter.answers = {cv::MsgAnswer::No};  // drop the changes
    Analyser([&](cvsim::Xr9Profile& p) {
      p.files.clear();
      p.PutFile(1, "TER1", ter1);
      p.PutFile(1, "TER2", ter2);
      p.unansweredQuery.clear();
      p.shortFiles.clear();
      p.refuseDelete = false;
      r.fault(p);
    });
    view.choice = r.choice;
    view.tick = All;
    ASSERT_NO_FATAL_FAILURE(Receive());
    port.Close();
    EXPECT_EQ(Names(), (std::vector<std::string>{"OLD", "OLD2"}));
    ASSERT_TRUE(editor->plans[0].Channels);
    EXPECT_EQ(editor->plans[0].Channels->size(), 1u);
    EXPECT_EQ(editor->plans[0].Modified, 1);
    EXPECT_EQ(editor->plans[1].Modified, 0);
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_TRUE(prompter.shown[0].text.endsWith("Plans not saved: OLD"));
    EXPECT_EQ(Shown().mid(1), r.shown);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  }
}

TEST_F(Xr9Receive, TheFirmwareGateComesBeforeAnythingIsCleared) {
  struct Row {
    const char* name;
    unsigned model;
    const char* version;
    bool read;
  } rows[] = {
      {"3.03 on model 0x10", 0x10, "3.03", false},
      {"3.04 on model 0x10", 0x10, "3.04", true},
      {"3.03 on another model", 0x20, "3.03", true},
  };
  Store(1, "TER1", img::BinaryPlan(TerPlan(1)));
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    editor->ClearAllPlans();
    editor->SetPlanName(0, "KEEP", 3);
    view.dialogs = 0;
    view.zone.clear();
    prompter.shown.clear();
    Analyser([&](cvsim::Xr9Profile& p) {
      p.idModel = r.model;
      p.version = r.version;
    });
    view.choice = ReceiveChoice::Cancel;
    ASSERT_NO_FATAL_FAILURE(Receive());
    port.Close();
    if (r.read) {
      EXPECT_EQ(view.dialogs, 1);
      EXPECT_EQ(Names(), std::vector<std::string>{"KEEP"});  // cancelled: nothing came
      EXPECT_TRUE(prompter.shown.empty());
    } else {
      EXPECT_EQ(view.dialogs, 0);
      EXPECT_EQ(Names(), std::vector<std::string>{"KEEP"});
      EXPECT_EQ(Shown(), QStringList{"Error: You need to upgrade firmware of VELDIX-5\nin order to use this "
                                     "function. You need version 3.04 or newer."});
      EXPECT_EQ(view.zone, std::vector<std::string>{
                               "Reading of plans not supported in the connected equipment. Version 3.04 or newer needed!"});
      EXPECT_EQ(sim->Received().find("*?FI"), std::string::npos);
    }
  }
}

TEST_F(Xr9Receive, AnAnalyserThatDoesNotAnswerLeavesTheStore) {
  editor->SetPlanName(0, "KEEP", 3);
  Analyser([](cvsim::Xr9Profile& p) {
    p.unansweredQuery = "*?ID";
    p.unansweredFrom = 1;
  });
  ASSERT_NO_FATAL_FAILURE(Receive());
  EXPECT_EQ(view.dialogs, 0);
  EXPECT_EQ(Names(), std::vector<std::string>{"KEEP"});
  EXPECT_TRUE(Shown().contains("Error: Equipment not detected!"));
  EXPECT_EQ(view.zone, std::vector<std::string>{"Equipment not detected!"});
}

TEST_F(Xr9Receive, FourHundredFiftyPlansAtMost) {
  const std::string plan = Bytes(img::BinaryPlan(TerPlan(1)));
  Analyser([&](cvsim::Xr9Profile& p) {
    for (int i = 0; i < 200; ++i) p.PutFile(1, "A" + std::to_string(i), plan);
    for (int i = 0; i < 255; ++i) p.PutFile(2, "B" + std::to_string(i), plan);
  });
  view.tick = All;
  ASSERT_NO_FATAL_FAILURE(Receive());
  EXPECT_EQ(view.lines.size(), 450u);
  EXPECT_EQ(view.lines.back(), "(MOD. TER) B249");
  EXPECT_EQ(editor->ListedPlans(), 450);
  EXPECT_EQ(editor->plans[449].Name, "B249");
  // Once when the listing is full, once when the store is.
  EXPECT_EQ(Shown(), QStringList({"Error: Maximum number of Plans has been reached!",
                                  "Error: Maximum number of Plans has been reached!"}));
}

TEST_F(Xr9Receive, EraseGoesOnAfterARefusal) {
  Store(1, "A", img::BinaryPlan(TerPlan(1)));
  Store(1, "B", img::BinaryPlan(TerPlan(1)));
  Store(5, "C", img::BinaryPlan(SatPlan()));

  Analyser([](cvsim::Xr9Profile& p) { p.refuseDeleteName = "A"; });
  view.choice = ReceiveChoice::Erase;
  view.tick = [](const std::vector<std::string>&) { return std::vector<int>{0, 2}; };  // A and C
  view.zone.clear();
  ASSERT_NO_FATAL_FAILURE(Receive());
  const std::string received = sim->Received();
  EXPECT_NE(received.find("*FD01A\r*FD05C\r"), std::string::npos) << received;
  EXPECT_EQ(received.find("*FD01B"), std::string::npos);
  EXPECT_EQ(view.zone, (std::vector<std::string>{"Couldn't erase Ain the equipment", "C erased in the equipment.",
                                                 "Selected plans have been erased"}));
  Analyser([](cvsim::Xr9Profile& p) {
    EXPECT_NE(p.FindFile(1, "A"), nullptr);
    EXPECT_NE(p.FindFile(1, "B"), nullptr);
    EXPECT_EQ(p.FindFile(5, "C"), nullptr);
  });
  EXPECT_TRUE(Names().empty());  // an erase brings no plan
}

}  // namespace
