#pragma once
// The checks made before a report is written: the roles a certificate needs, and the two files a
// SKY certificate needs. Problems are collected into one "Error" box.
#include <array>

namespace cv::xr9 {

class DataLoggerCtl;
class TDataLogStore;

// True when the kind's report may be written (kinds without checks always).
bool CheckReportData(DataLoggerCtl& ctl, int slot, int kind);
// Head-end input and output (not for an IF SAT test), at least one branch, and one best and one
// worst point on every branch in use; the branch rules wait until the head end is right.
bool CheckCertificateMeasures(DataLoggerCtl& ctl, int slot, bool ifSatTest);
// Off Air, Launch and FLAT points over the two files chosen in the open SKY sheet; false without
// a box when no file is chosen.
bool CheckSkyMeasures(DataLoggerCtl& ctl);
// Sets flags[b] for every branch 0..14 a test point carries; gives how many test points carry a
// branch (the caller clears the flags).
int MarkUsedBranches(const TDataLogStore& store, int slot, std::array<bool, 15>& flags);

}  // namespace cv::xr9
