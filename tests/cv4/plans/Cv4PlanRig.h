#pragma once
// The plan editor's controller with the CORVANE-4 family over the framework tests' recording
// fakes, in a temporary directory of its own; plans and canalizations to work on.
#include "../../plans/PlanFakes.h"
#include "Cv4Dialect.h"
#include "Cv4PlanFamily.h"
#include "Cv4PlanScript.h"

namespace cv4test {

using namespace plantest;

class Cv4FakeEquipment : public FakeEquipment {
 public:
  int ParseLine(const std::string& l, int& k, std::vector<std::string>& a) override {
    return ParseDialectLine(cv::cv4::Dialect(), l, k, a);
  }
  std::string ModelName() const override { return "CORVANE-4"; }
};

struct Cv4EditorRig {
  Cv4EditorRig() : old(QDir::currentPath()) { QDir::setCurrent(dir.path()); }
  ~Cv4EditorRig() { QDir::setCurrent(old); }
  std::string Path(const std::string& name) const { return (dir.path() + "/").toStdString() + name; }
  QTemporaryDir dir;
  QString old;
  Cv4FakeEquipment equip;
  RecordingPrompter prompter;
  ScriptedChooser chooser;
  NullView view;
  PlanEditor editor{equip, prompter, chooser, view, cv::cv4::Cv4PlanFamily()};
};

inline PlanSlots EmptyPlans() {
  PlanSlots s;
  for (auto& p : s) ClearPlan(p);
  return s;
}

// A plan of `n` channels (see MakePlan) whose channels carry this family's commands.
inline PlanSlot Cv4Plan(const char* name, char band, int n, int commands = 0, float lnb = 0) {
  PlanSlot s = MakePlan(name, band, 0, 0, lnb);
  const char* cmd[3] = {commands > 0 ? "SY06" : "", commands > 1 ? "LB5" : "", commands > 2 ? "SY07" : ""};
  for (int i = 0; i < n; ++i) {
    float f = band == 'S' ? 950.0f + 10.0f * static_cast<float>(i % 120) + 0.125f * static_cast<float>(i / 120)
                          : 47.0f + 6.0f * static_cast<float>(i);
    s.Channels().push_back(TChan3::FromFrequency("C" + std::to_string(i), f, 8, band, cmd[0], cmd[1], cmd[2]));
  }
  s.channelCount = n;
  return s;
}

// The canalization of the golden files: a terrestrial plan with one command a channel, a
// satellite plan under a 9750 MHz oscillator with three, one plan command left at " -none-".
inline PlanSlots GoldenCanalization() {
  PlanSlots plans = EmptyPlans();
  plans[0] = Cv4Plan("TERRE", 'T', 4, 1);
  CopyField(plans[0].commands[0], "SY00");
  plans[0].code = 3;
  plans[1] = Cv4Plan("ASTRA", 'S', 3, 3, 9750.0f);
  CopyField(plans[1].commands[0], "LB5");
  CopyField(plans[1].commands[1], "");  // " -none-"
  CopyField(plans[1].commands[2], "SY07");
  return plans;
}

inline std::string Build(PlanSlots& plans, cv::plan::PlanScriptWriter::Variant variant, std::string* error = nullptr) {
  std::string script, problem;
  if (!cv::cv4::Cv4PlanFamily().writer->Build(plans, variant, script, problem)) script.clear();
  if (error) *error = problem;
  return script;
}

class RecordingReport : public Report {
 public:
  void Log(const std::string& l) override { log.push_back(l); }
  void LogZone(const std::string& l) override { zone.push_back(l); }
  cv::Prompter& Ask() override { return prompter; }
  bool Logged(const std::string& part) const {
    for (auto& l : log)
      if (l.find(part) != std::string::npos) return true;
    return false;
  }
  RecordingPrompter prompter;
  std::vector<std::string> log, zone;
};

// Reads a script's text as the editor's Read does.
inline bool Read(const std::string& script, PlanSlots& plans, RecordingReport& report) {
  TextFileLines file;
  SplitTextLines(script, file);
  for (auto& p : plans) ClearPlan(p);
  return ReadProPlans(
      file, "/tmp/x/PLANS.PRO",
      [](const std::string& l, int& k, std::vector<std::string>& a) {
        return ParseDialectLine(cv::cv4::Dialect(), l, k, a);
      },
      "CORVANE-4", plans, report, cv::cv4::Cv4PlanFamily());
}

}  // namespace cv4test
