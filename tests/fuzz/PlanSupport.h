#pragma once
// A report for the plan readers that keeps nothing and answers every box.
#include "FuzzSupport.h"
#include "PlanReport.h"

namespace cvfuzz {

class QuietReport : public cv::plan::Report {
 public:
  void Log(const std::string&) override {}
  void LogZone(const std::string&) override {}
  cv::Prompter& Ask() override { return prompter; }
  QuietPrompter prompter;
};

}  // namespace cvfuzz
