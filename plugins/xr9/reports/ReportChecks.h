#pragma once
// The checks made before a report is written: the roles a certificate needs, and the two files a
// SKY certificate needs. Problems are collected into one "Error" box.
namespace cv::xr9 {

class DataLoggerCtl;

// True when the kind's report may be written (kinds without checks always).
bool CheckReportData(DataLoggerCtl& ctl, int slot, int kind);

}  // namespace cv::xr9
