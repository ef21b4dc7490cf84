// The TV MIRELTO plan editor's store and its rules without a screen: the lists, new, delete and
// move of plans and channels, the unsaved-changes question and the transfer buttons.
#include <gtest/gtest.h>

#include <cstring>

#include "AppServices.h"
#include "HostForm.h"
#include "Messages.h"
#include "PlanSlot.h"
#include "Text1252.h"
#include "Xr9Equip.h"
#include "Xr9EditorFakes.h"
#include "Xr9PlanEditor.h"

namespace {

using cv::xr9::ReceiveChoice;
using cv::xr9::TChanXR9;
using cv::xr9::TPlanEditor;
using cv::xr9::TPlanXR9;

using xr9test::FakeView;

class Xr9PlanStore : public ::testing::Test {
 protected:
  TPlanXR9& AddPlan(const std::string& name, uint8_t type = 7) {
    const int slot = editor.ListedPlans();
    editor.SetPlanName(slot, name, 3);
    editor.plans[slot].PlanType = type;
    return editor.plans[slot];
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int i = 0; i < editor.ListedPlans(); ++i) names.push_back(editor.plans[i].Name);
    return names;
  }
  void AddChannels(TPlanXR9& plan, int n) {
    plan.Channels.emplace();
    for (int i = 0; i < n; ++i) plan.Channels->push_back(TChanXR9("C" + std::to_string(i), 100000u * (i + 1), 100000u * (i + 1)));
    plan.ChannelCount = n;
  }

  HostForm host;
  cv::RecordingPrompter prompter;
  cv::xr9::TXR9Equip offline{&host.form, nullptr};
  FakeView view;
  TPlanEditor editor{offline, prompter, view};
};

TEST_F(Xr9PlanStore, ListsShowWhatTheStoreHolds) {
  AddPlan("MADRID");
  AddPlan("ASTRA", 5);
  AddPlan("C");
  editor.SetPlanName(4, "BEYOND", 3);  // after the first empty name: not listed
  EXPECT_EQ(editor.PlanListLines(), (std::vector<std::string>{"(TER) MADRID", "(SAT) ASTRA", "(TER) C"}));
  EXPECT_EQ(editor.LastUsedPlanSlot(), 2);
  EXPECT_EQ(editor.ChannelLabelText(0), "CHANNELS IN MADRID:");

  // Channels by centre frequency (unsigned), whatever the order of adding; the new terrestrial
  // channel with one blank before its name and its video carrier.
  TPlanXR9& p = editor.plans[0];
  p.Channels.emplace();
  p.Channels->push_back(TChanXR9("HIGH", 850000, 0x90000000u));
  p.Channels->push_back(TChanXR9("LOW", 474000, 474000));
  EXPECT_EQ(editor.NewChannel(0), 1);
  EXPECT_EQ(p.ChannelCount, 3u);
  EXPECT_EQ(editor.ChannelListLines(0),
            (std::vector<std::string>{"     LOW (474.00)", " no-name (497.25)", "    HIGH (850.00)"}));
  EXPECT_EQ(editor.NewChannel(1), 0);  // satellite default
  EXPECT_EQ((*editor.plans[1].Channels)[0].value1, 11250000u);

  // Attribute lines up to the marker, "? ? ?" for a record without text; none for a marker.
  EXPECT_TRUE(editor.PlanAttributeLines(2).empty());
  p.Attributes[0] = cv::xr9::TChanAttribute::Of(cv::xr9::AttrBw, 8000);
  p.Attributes[1] = cv::xr9::TChanAttribute::Of(200, 1);
  EXPECT_EQ(editor.PlanAttributeLines(0), (std::vector<std::string>{"8.00 MHz BW", "? ? ?"}));
  EXPECT_TRUE(editor.PlanAttributeLines(-1).empty());
  EXPECT_TRUE(editor.ChannelAttributeLines(0, -1).empty());
  EXPECT_TRUE(editor.ChannelAttributeLines(2, 0).empty());

  // Labels and band texts.
  EXPECT_EQ(editor.FileTypeLabel(2), "(MOD. TER)");
  EXPECT_EQ(editor.labelBuffer, "(MOD. TER)");
  EXPECT_EQ(TPlanEditor::BandText(5), "SAT");
  EXPECT_EQ(TPlanEditor::BandText(0), "TER");
}

TEST_F(Xr9PlanStore, NewPlansAndTheirLimits) {
  for (int i = 0; i < 3; ++i) editor.AddPlanBtnClick();
  EXPECT_EQ(Names(), (std::vector<std::string>{"NEW", "NEW", "NEW"}));
  EXPECT_EQ(editor.planIndex, 2);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(editor.plans[i].InUse, 3);
    EXPECT_EQ(editor.plans[i].FileType, 1);
    EXPECT_EQ(editor.plans[i].PlanType, 7);
    EXPECT_EQ(editor.plans[i].Modified, 1);
    EXPECT_FALSE(editor.plans[i].Channels);
  }
  EXPECT_TRUE(view.save);

  // A full store: no new plan, no free slot for a file (with its message), nothing changed.
  for (int i = 3; i < cv::xr9::PlanSlots; ++i) editor.SetPlanName(i, "P" + std::to_string(i), 3);
  editor.AddPlanBtnClick();
  EXPECT_EQ(editor.NewPlanInFreeSlot(), -1);
  EXPECT_EQ(editor.FindFreePlanSlot(), -1);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "NO more room for plan channels!");
  EXPECT_EQ(prompter.shown[0].caption, "CvTools Error");
  EXPECT_EQ(editor.plans[449].Name, "P449");
}

TEST_F(Xr9PlanStore, DeleteClosesTheGapAndMovesTheFocus) {
  struct Row {
    const char* name;
    int focus;
    std::vector<std::string> left;
    int focusAfter;
  } rows[] = {
      {"middle of three", 1, {"A", "C"}, 1},
      {"last of three", 2, {"A", "B"}, 1},
      {"first of three", 0, {"B", "C"}, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    editor.ClearAllPlans();
    for (const char* n : {"A", "B", "C"}) AddChannels(AddPlan(n), 1);
    editor.ClearModifiedMarks();
    editor.plans[2].Modified = 1;  // C changed
    editor.planIndex = r.focus;
    editor.DeletePlanBtnClick();
    EXPECT_EQ(Names(), r.left);
    EXPECT_EQ(editor.planIndex, r.focusAfter);
    EXPECT_EQ(editor.plans[2].InUse, 0);
    EXPECT_FALSE(editor.plans[2].Channels);
    // C's mark went with C; no freed slot is named in the question.
    std::string names;
    EXPECT_EQ(editor.UnsavedPlanNames(names), r.focus != 2);
    EXPECT_EQ(names, r.focus != 2 ? "Plans not saved: C" : "");
  }
  // The last plan gone: the transfer buttons go off.
  editor.ClearAllPlans();
  AddPlan("ONLY");
  editor.planIndex = 0;
  view.save = true;
  editor.DeletePlanBtnClick();
  EXPECT_TRUE(Names().empty());
  EXPECT_EQ(editor.planIndex, -1);
  EXPECT_FALSE(view.save);
}

TEST_F(Xr9PlanStore, MovesCarryEveryFieldAndRefuseOverwrites) {
  TPlanXR9& a = AddPlan("A");
  AddChannels(a, 2);
  a.FilePath = "/x/a.can";
  a.FileType = 2;
  a.Attributes[0] = cv::xr9::TChanAttribute::Of(cv::xr9::AttrBw, 7000);
  AddPlan("B", 5);
  editor.ClearModifiedMarks();
  editor.plans[0].Modified = 1;

  // MOVE UP on slot 0 and MOVE DOWN on the last change nothing.
  editor.planIndex = 0;
  editor.MovePlanUpBtnClick();
  editor.planIndex = 1;
  editor.MoveDownPlanBtnClick();
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(view.refreshes, 0);

  editor.planIndex = 0;
  editor.MoveDownPlanBtnClick();
  EXPECT_EQ(Names(), (std::vector<std::string>{"B", "A"}));
  EXPECT_EQ(editor.planIndex, 1);
  const TPlanXR9& moved = editor.plans[1];
  EXPECT_EQ(moved.Modified, 1);
  EXPECT_EQ(moved.FilePath, "/x/a.can");
  EXPECT_EQ(moved.FileType, 2);
  EXPECT_EQ(moved.ChannelCount, 2u);
  EXPECT_EQ(moved.Attributes[0].Number(), 7000u);
  EXPECT_EQ(editor.plans[0].Modified, 0);
  EXPECT_EQ(editor.plans[0].PlanType, 5);
  editor.MovePlanUpBtnClick();
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(editor.plans[0].Modified, 1);

  // A move onto a used slot is refused and moves nothing.
  EXPECT_FALSE(editor.MovePlanSlot(0, 1));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "Illegal plan overwrite detected");
  EXPECT_EQ(prompter.shown[0].caption, "CvTools Error");
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B"}));
  // Onto a free slot: the source is left free with an end marker only.
  EXPECT_TRUE(editor.MovePlanSlot(1, 5));
  EXPECT_EQ(editor.plans[5].Name, "B");
  EXPECT_EQ(editor.plans[1].InUse, 0);
  EXPECT_TRUE(editor.plans[1].Name.empty());
  EXPECT_TRUE(editor.plans[1].Attributes[0].IsMarker());
}

TEST_F(Xr9PlanStore, ChannelsNewAndDeleteWithTheFocus) {
  editor.AddChannelBtnClick();  // no plan listed
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "You should create a plan before adding channels");
  EXPECT_EQ(prompter.shown[0].caption, "User Error");

  struct Row {
    const char* name;
    int focus;
    int focusAfter;
    std::string nameThere;
  } rows[] = {{"last of five", 4, 3, "C3"}, {"second of five", 1, 1, "C2"}, {"first of five", 0, 0, "C1"}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    editor.ClearAllPlans();
    AddChannels(AddPlan("P"), 5);
    editor.planIndex = 0;
    editor.channelIndex = r.focus;
    editor.ClearModifiedMarks();  // the deletion alone must mark the plan
    prompter.shown.clear();
    prompter.answers = {cv::MsgAnswer::Cancel};
    editor.DeleteChannelBtnClick();
    EXPECT_EQ(editor.plans[0].ChannelCount, 4u);
    EXPECT_EQ(editor.channelIndex, r.focusAfter);
    EXPECT_EQ((*editor.plans[0].Channels)[editor.channelIndex].name, r.nameThere);
    EXPECT_EQ(editor.plans[0].Modified, 1);
    EXPECT_FALSE(editor.CloseBtnClick());  // EXIT asks, and Cancel stays
    EXPECT_EQ(prompter.shown.size(), 1u);
  }
  // The only channel of a plan deleted: the plan is still there to save and send; only an empty
  // store turns the transfer buttons off.
  editor.ClearAllPlans();
  AddChannels(AddPlan("P"), 1);
  editor.planIndex = 0;
  editor.channelIndex = 0;
  view.save = true;
  editor.DeleteChannelBtnClick();
  EXPECT_EQ(editor.channelIndex, -1);
  EXPECT_TRUE(view.save);
  editor.DeletePlanBtnClick();
  EXPECT_FALSE(view.save);
  AddPlan("Q");
  editor.planIndex = 0;
  editor.AddChannelBtnClick();
  EXPECT_EQ(editor.channelIndex, 0);
  EXPECT_TRUE(view.save);
}

TEST_F(Xr9PlanStore, TheUnsavedChangesQuestion) {
  for (const char* n : {"A", "B", "C", "D", "E", "F", "G"}) AddPlan(n).Modified = 1;
  std::string names;
  EXPECT_TRUE(editor.UnsavedPlanNames(names));
  EXPECT_EQ(names, "Plans not saved: A, B, C, D, E...");
  for (int i = 5; i < 7; ++i) editor.plans[i].Modified = 0;
  editor.UnsavedPlanNames(names);
  EXPECT_EQ(names, "Plans not saved: A, B, C, D, E");

  struct Row {
    cv::MsgAnswer answer;
    bool closes;
  } rows[] = {{cv::MsgAnswer::No, true}, {cv::MsgAnswer::Yes, false}, {cv::MsgAnswer::Cancel, false}};
  for (const Row& r : rows) {
    prompter.shown.clear();
    prompter.answers = {r.answer};
    EXPECT_EQ(editor.CloseBtnClick(), r.closes);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text,
              "The loaded data have changed and will be lost.\nDo you want to save them?\n"
              "Plans not saved: A, B, C, D, E");
    EXPECT_EQ(prompter.shown[0].caption, "Warning");
    EXPECT_EQ(prompter.shown[0].icon, cv::MsgIcon::Information);
    EXPECT_EQ(prompter.shown[0].buttons, cv::MsgYes | cv::MsgNo | cv::MsgCancel);
  }
  // Nothing changed: no question.
  editor.ClearModifiedMarks();
  prompter.shown.clear();
  EXPECT_FALSE(editor.AnyPlanModified());
  EXPECT_TRUE(editor.CloseBtnClick());
  EXPECT_TRUE(prompter.shown.empty());
  // A change in a slot beyond the list counts too.
  editor.plans[449].Modified = 1;
  EXPECT_TRUE(editor.AnyPlanModified());
}

TEST_F(Xr9PlanStore, TransferButtonsByPortPlansAndBuffer) {
  TSerial port(0);  // present, never opened
  struct Row {
    bool port, plans, buffer;
    bool save, send, receive;
  } rows[] = {
      {true, true, true, true, true, true},     {true, false, true, false, false, true},
      {false, true, true, true, false, false},  {false, false, true, false, false, false},
      {true, true, false, true, true, false},   {true, false, false, false, false, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << r.port << r.plans << r.buffer);
    cv::xr9::TXR9Equip equip(&host.form, r.port ? &port : nullptr);
    FakeView v;
    TPlanEditor e(equip, prompter, v);
    e.receiveBuffer = r.buffer;
    e.EnableTransferButtons(r.plans);
    EXPECT_EQ(v.save, r.save);
    EXPECT_EQ(v.send, r.send);
    EXPECT_EQ(v.receive, r.receive);
  }
  // RECEIVE PLANS without a port disables itself and sends nothing.
  view.receive = true;
  editor.ReceiveBtnClick();
  EXPECT_FALSE(view.receive);
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(Xr9PlanStore, AttributesOfPlansAndChannels) {
  TPlanXR9& p = AddPlan("P");
  AddChannels(p, 1);
  editor.ClearModifiedMarks();
  const uint8_t seven[4] = {0x58, 0x1B, 0, 0};
  editor.SetPlanAttribute(0, 0, 22, seven);
  EXPECT_EQ(p.Modified, 1);
  EXPECT_EQ(p.Attributes[0].code, cv::xr9::AttrBw);
  EXPECT_EQ(p.Attributes[0].Number(), 7000u);
  EXPECT_TRUE(p.Attributes[1].IsMarker());

  // A channel attribute of a code already there replaces it at the end of the list.
  editor.SetChannelAttribute(0, 0, 0, nullptr);   // SYS
  editor.SetChannelAttribute(0, 0, 22, seven);    // BW
  editor.SetChannelAttribute(0, 0, 1, nullptr);   // another SYS
  const auto* list = (*p.Channels)[0].attrs1;
  EXPECT_EQ(list[0].code, cv::xr9::AttrBw);
  EXPECT_EQ(list[1].code, cv::xr9::AttrSys);
  EXPECT_EQ(list[1].value[0], cv::xr9::AttributeById(1)->value[0]);
  EXPECT_TRUE(list[2].IsMarker());
  // A full list refuses a new code and keeps its records.
  auto& full = (*p.Channels)[0].attrs1;
  for (int i = 0; i < 14; ++i) full[i] = cv::xr9::TChanAttribute::Of(cv::xr9::AttrSys, 0);
  full[14] = cv::xr9::TChanAttribute::Marker();
  for (int i = 1; i < 14; ++i) full[i].code = static_cast<uint8_t>(20 + i);  // codes no id has
  editor.SetChannelAttribute(0, 0, 22, seven);
  EXPECT_TRUE(prompter.Showed("Cannot add more commands"));
  EXPECT_EQ(full[13].code, 33);
  EXPECT_TRUE(full[14].IsMarker());
  // Removing moves the rest forward, marker included.
  editor.RemoveChannelAttributeAt(0, 0, 0);
  EXPECT_EQ(full[0].code, 21);
  EXPECT_TRUE(full[13].IsMarker());

  // The directory marks, and their reset.
  editor.directory[3].Name = "X";
  editor.SelectDirEntry(3);
  editor.SelectDirEntry(450);
  EXPECT_EQ(editor.directory[3].Selected, 1);
  editor.ClearDirectory();
  EXPECT_EQ(editor.directory[3].Selected, 0);
  EXPECT_EQ(editor.directory[3].FileType, 255);
  EXPECT_TRUE(editor.directory[3].Name.empty());
}

TEST(Xr9ImportSlot, ResetsToTheFrameworkValues) {
  cv::xr9::ImportSlot slot;
  std::strcpy(slot.name, "X");
  slot.band = 'S';
  slot.lnbMHz = 9750;
  slot.code = 7;
  slot.channelCount = 3;
  std::strcpy(slot.commands[1], "CMD");
  slot.empty = 0;
  slot.channels.emplace(2);
  cv::xr9::ClearImportSlot(slot);
  EXPECT_STREQ(slot.name, " -empty-");
  EXPECT_EQ(slot.band, 'T');
  EXPECT_STREQ(slot.codeText, "00");
  EXPECT_STREQ(slot.lnbText, "00000");
  EXPECT_STREQ(slot.countText, "00");
  EXPECT_EQ(slot.lnbMHz, 0.0f);
  EXPECT_EQ(slot.code, 0);
  EXPECT_EQ(slot.channelCount, 0);
  EXPECT_STREQ(slot.commands[1], "");
  EXPECT_EQ(slot.empty, 1);
  EXPECT_FALSE(slot.channels);

  // In Spanish the empty name keeps its accent: eight Windows-1252 characters fill the field whole.
  ASSERT_TRUE(cv::LoadLanguageTable(CV_BIN_DIR "/XR9Tools.esp"));
  cv::xr9::ClearImportSlot(slot);
  cv::ResetLanguageTable();
  EXPECT_STREQ(slot.name, " -vac\xEDo-");
  EXPECT_EQ(cv::From1252(slot.name), QString::fromUtf8(" -vacío-"));
}

}  // namespace
