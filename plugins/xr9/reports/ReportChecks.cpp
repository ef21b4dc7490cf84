#include "ReportChecks.h"

#include "AppServices.h"
#include "CertificateFrame.h"
#include "DataLoggerCtl.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Prompt.h"

namespace cv::xr9 {
namespace {

namespace m = cv::msg::xr9cert;

// The collected message of one check: its first line, then every problem on a line of its own.
struct Problems {
  std::string text = Msg(m::DataWrong) + "\n";
  bool ok = true;
  void Add(const std::string& line) {
    text += line + "\n";
    ok = false;
  }
  bool Result() const {
    if (!ok) ShowBox(PrompterInForce(), text, Msg(cv::msg::xr9rep::ErrorCaption), MsgIcon::Error);
    return ok;
  }
};

// The first point of the type and, when there is one, whether a second follows it.
void CheckOne(const TDataLogStore& store, int slot, int type, Problems& p, int missing, int duplicate) {
  const int first = FindTestPointByType(store, slot, type, 0);
  if (first < 0)
    p.Add(Msg(missing));
  else if (FindTestPointByType(store, slot, type, first + 1) >= 0)
    p.Add(Msg(duplicate));
}

// Best (type 0) or worst (type 1) points of every used branch.
void CheckBranches(const TDataLogStore& store, int slot, const std::array<bool, kBranchCount>& used, int type,
                   Problems& p, int missing, int duplicate) {
  for (int b = 0; b < kBranchCount; ++b) {
    if (!used[size_t(b)]) continue;
    const int first = FindTestPointInBranch(store, slot, b, 0, type);
    if (first < 0)
      p.Add(Msg(missing) + std::to_string(b + 1));
    else if (FindTestPointInBranch(store, slot, b, first + 1, type) >= 0)
      p.Add(Msg(duplicate) + std::to_string(b + 1));
  }
}

// SKY: one point of the type at most in each file.
bool Duplicated(const TDataLogStore& store, int slot, int first, int type) {
  return first >= 0 && FindTestPointByType(store, slot, type, first + 1) >= 0;
}

}  // namespace

int MarkUsedBranches(const TDataLogStore& store, int slot, std::array<bool, kBranchCount>& flags) {
  if (slot < 0 || slot >= DataLogSlots || !store.File(slot).testPoints) return 0;
  int count = 0;
  for (const TDataLogTestPoint& tp : *store.File(slot).testPoints) {
    if (tp.branch == -1) continue;
    if (tp.branch >= 0 && tp.branch < kBranchCount) flags[size_t(tp.branch)] = true;
    ++count;
  }
  return count;
}

bool CheckCertificateMeasures(DataLoggerCtl& ctl, int slot, bool ifSatTest) {
  const TDataLogStore& store = ctl.store;
  Problems p;
  if (!ifSatTest) {
    CheckOne(store, slot, RoleHeadEndIn, p, m::MissingInput, m::OneInputOnly);
    CheckOne(store, slot, RoleHeadEndOut, p, m::MissingOutput, m::OneOutputOnly);
  }
  std::array<bool, kBranchCount> used{};
  if (p.ok && MarkUsedBranches(store, slot, used) == 0) p.Add(Msg(m::NoBranch));
  if (p.ok) {
    CheckBranches(store, slot, used, RoleBest, p, m::MissingBest, m::OneBestOnly);
    CheckBranches(store, slot, used, RoleWorst, p, m::MissingWorst, m::OneWorstOnly);
  }
  return p.Result();
}

bool CheckSkyMeasures(DataLoggerCtl& ctl) {
  int ter = -1, sat = -1;
  if (ctl.skySheet) ctl.skySheet->SelectedSlots(ter, sat);
  if (ter < 0 && sat < 0) return false;
  const TDataLogStore& store = ctl.store;
  Problems p;
  // Off Air (type 1) is needed; Launch (type 2) is not; one of each at most in each file.
  const int o1 = FindTestPointByType(store, ter, 1, 0), o2 = FindTestPointByType(store, sat, 1, 0);
  if (o1 < 0 && o2 < 0)
    p.Add("Missing measure:  \"Off Air\"");
  else if (Duplicated(store, ter, o1, 1) || Duplicated(store, sat, o2, 1))
    p.Add("Only one measure \"Off Air\" is allowed");
  const int l1 = FindTestPointByType(store, ter, 2, 0), l2 = FindTestPointByType(store, sat, 2, 0);
  if (Duplicated(store, ter, l1, 2) || Duplicated(store, sat, l2, 2)) p.Add("Only one measure \"Launch\" is allowed");
  if (FindTestPointByType(store, ter, 0, 0) < 0 && FindTestPointByType(store, sat, 0, 0) < 0)
    p.Add("Missing measure: at least one \"FLAT\" is needed");
  return p.Result();
}

bool CheckReportData(DataLoggerCtl& ctl, int slot, int kind) {
  switch (kind) {
    case 0: case 1: case 2: case 4: case 6: case 7:
      return CheckCertificateMeasures(ctl, slot, ctl.sheet && ctl.sheet->IsSatIfTest());
    case 3:
      return CheckSkyMeasures(ctl);
    default:
      return true;
  }
}

}  // namespace cv::xr9
