// The checks before a report: every problem of the roles in one "Error" box, in the order the
// rules find them; the head-end rules hide the branch rules, an IF SAT test has no head end; the
// SKY certificate's Off Air, Launch and FLAT rules over the two files its sheet chose.
#include <gtest/gtest.h>

#include "AppServices.h"
#include "DataLoggerCtl.h"
#include "HostForm.h"
#include "ReportChecks.h"
#include "Xr9DlFixture.h"
#include "Xr9Equip.h"
#include "Xr9SheetFakes.h"

using namespace cv::xr9;
namespace img = cvsim::xr9img;
using xr9test::FakeSheet;
using xr9test::FakeSkySheet;

namespace {

using Roles = std::vector<std::pair<int, int>>;  // (pointType, branch) of each test point

struct Checks {
  cv::RecordingPrompter prompter;
  HostForm host;
  TXR9Equip equip{&host.form, nullptr};
  DataLoggerCtl ctl{equip, [](const std::string&) {}};
  // Loads a file whose test points take the roles; gives its slot.
  int Load(const Roles& roles, uint8_t type = 7) {
    const auto image = img::DataLogFile(xr9test::DlGrid(2, std::max(int(roles.size()), 1), {0}, type));
    const int slot = ctl.store.DecodeDataLogFile(image.data(), image.size(), "C.DL");
    auto& tps = *ctl.store.File(slot).testPoints;
    for (auto& tp : tps) tp.pointType = 4, tp.branch = -1;
    for (size_t i = 0; i < roles.size(); ++i) tps[i].pointType = roles[i].first, tps[i].branch = roles[i].second;
    return slot;
  }
  // The lines of the one box shown, first line dropped; empty when no box was shown.
  std::vector<std::string> Lines() {
    std::vector<std::string> out;
    if (prompter.shown.empty()) return out;
    EXPECT_EQ(prompter.shown.size(), 1u);
    const auto& box = prompter.shown[0];
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.icon, cv::MsgIcon::Error);
    const QStringList lines = box.text.split('\n');
    EXPECT_EQ(lines.front(), "Some data are wrong in order to generate the reports:");
    EXPECT_EQ(lines.back(), "");  // every line ends in a line feed
    for (int i = 1; i + 1 < lines.size(); ++i) out.push_back(lines[i].toStdString());
    prompter.shown.clear();
    return out;
  }
};

constexpr int In = 2, Out = 3, Best = 0, Worst = 1, NoRole = 4;

}  // namespace

TEST(Xr9ReportChecks, CertificateRulesOneBoxInOrder) {
  struct Row {
    const char* what;
    Roles roles;
    int kind;
    bool ifBox;
    std::vector<std::string> lines;  // empty: passes without a box
  };
  const Roles good = {{In, -1}, {Out, -1}, {Best, 0}, {Worst, 0}};
  const Row rows[] = {
      {"all roles given", good, 0, false, {}},
      {"input only, no branch: the branch rules wait", {{In, -1}}, 0, false, {"Missing output headend measure"}},
      {"nothing at all", {}, 1, false, {"Missing input headend measure", "Missing output headend measure"}},
      {"two inputs, two outputs, no branch",
       {{In, -1}, {Out, -1}, {In, -1}, {Out, -1}},
       2,
       false,
       {"Only one measure at input headend is allowed.", "Only one measure at output headend is allowed."}},
      {"head end right, no branch", {{In, -1}, {Out, -1}}, 4, false, {"You should indicate at least one branch"}},
      {"branch 3 with two best and no worst",
       {{In, -1}, {Out, -1}, {Best, 0}, {Worst, 0}, {Best, 2}, {Best, 2}},
       6,
       false,
       {"Only one best point is allowed at branch 3", "Missing worst measure in branch 3"}},
      {"best problems of every branch before worst problems",
       {{In, -1}, {Out, -1}, {Worst, 14}, {Best, 1}, {Worst, 1}, {Worst, 1}, {Best, 9}},
       7,
       false,
       {"Missing best measure in branch 15", "Only one worst point is allowed at branch 2",
        "Missing worst measure in branch 10"}},
      {"a point without role on branch 5 uses the branch", {{In, -1}, {Out, -1}, {Best, 0}, {Worst, 0}, {NoRole, 4}},
       0, false, {"Missing best measure in branch 5", "Missing worst measure in branch 5"}},
      {"IF SAT test: no head end needed", {{Best, 0}, {Worst, 0}}, 0, true, {}},
      {"IF SAT test still needs a branch", {}, 0, true, {"You should indicate at least one branch"}},
      {"IF SAT test still needs best and worst", {{Best, 3}}, 1, true, {"Missing worst measure in branch 4"}},
      {"without the box the head end is needed", {{Best, 0}, {Worst, 0}}, 0, false,
       {"Missing input headend measure", "Missing output headend measure"}},
      {"kind 5 is not checked", {}, 5, false, {}},
      {"nor kind 9", {}, 9, false, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Checks c;
    FakeSheet sheet;
    sheet.ifSat = row.ifBox;
    c.ctl.sheet = &sheet;
    const int slot = c.Load(row.roles);
    EXPECT_EQ(CheckReportData(c.ctl, slot, row.kind), row.lines.empty());
    EXPECT_EQ(c.Lines(), row.lines);
    EXPECT_EQ(c.prompter.shown.size(), 0u);
  }
}

TEST(Xr9ReportChecks, UsedBranchesAndNoSheet) {
  Checks c;
  const int slot = c.Load({{Best, 0}, {NoRole, 6}, {Worst, 6}, {In, -1}, {NoRole, 15}, {NoRole, -2}});
  std::array<bool, 15> flags{};
  // Every test point with a branch counts; only 0..14 are marked.
  EXPECT_EQ(MarkUsedBranches(c.ctl.store, slot, flags), 5);
  std::array<bool, 15> expected{};
  expected[0] = expected[6] = true;
  EXPECT_EQ(flags, expected);
  EXPECT_EQ(MarkUsedBranches(c.ctl.store, -1, flags), 0);
  EXPECT_EQ(MarkUsedBranches(c.ctl.store, 200, flags), 0);
  // Without a measurement sheet the head-end rules run.
  const int sat = c.Load({{Best, 0}, {Worst, 0}}, 5);
  EXPECT_FALSE(CheckReportData(c.ctl, sat, 0));
  EXPECT_EQ(c.Lines(), (std::vector<std::string>{"Missing input headend measure", "Missing output headend measure"}));
}

TEST(Xr9ReportChecks, SkyRulesOverBothFiles) {
  constexpr int Flat = 0, OffAir = 1, Launch = 2;
  struct Row {
    const char* what;
    Roles ter, sat;
    bool chooseTer, chooseSat;
    std::vector<std::string> lines;
  };
  const Row rows[] = {
      {"one Off Air in each file", {{OffAir, -1}, {Flat, -1}}, {{OffAir, -1}}, true, true, {}},
      {"two Off Air in the satellite file", {{Flat, -1}}, {{OffAir, -1}, {Launch, -1}, {OffAir, -1}}, true, true,
       {"Only one measure \"Off Air\" is allowed"}},
      {"two Off Air in both files: one line", {{OffAir, -1}, {OffAir, -1}, {Flat, -1}}, {{OffAir, -1}, {OffAir, -1}},
       true, true, {"Only one measure \"Off Air\" is allowed"}},
      {"nothing but two Launch", {{Launch, -1}, {Launch, -1}}, {}, true, true,
       {"Missing measure:  \"Off Air\"", "Only one measure \"Launch\" is allowed",
        "Missing measure: at least one \"FLAT\" is needed"}},
      {"Launch in each file, FLAT in the satellite file", {{OffAir, -1}, {Launch, -1}}, {{Launch, -1}, {Flat, -1}}, true,
       true, {}},
      {"only the satellite file chosen", {{OffAir, -1}, {Flat, -1}}, {{Launch, -1}}, false, true,
       {"Missing measure:  \"Off Air\"", "Missing measure: at least one \"FLAT\" is needed"}},
      {"only the terrestrial file chosen", {{OffAir, -1}, {Flat, -1}}, {{Launch, -1}}, true, false, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Checks c;
    FakeSkySheet sky;
    c.ctl.skySheet = &sky;
    const int t = c.Load(row.ter), s = c.Load(row.sat, 5);
    sky.ter = row.chooseTer ? t : -1;
    sky.sat = row.chooseSat ? s : -1;
    EXPECT_EQ(CheckReportData(c.ctl, 0, 3), row.lines.empty());
    EXPECT_EQ(c.Lines(), row.lines);
  }
  // No file chosen, or no SKY sheet: false, and no box.
  Checks c;
  FakeSkySheet sky;
  c.Load({{1, -1}, {0, -1}});
  c.ctl.skySheet = &sky;
  EXPECT_FALSE(CheckReportData(c.ctl, 0, 3));
  c.ctl.skySheet = nullptr;
  EXPECT_FALSE(CheckSkyMeasures(c.ctl));
  EXPECT_TRUE(c.prompter.shown.empty());
}
