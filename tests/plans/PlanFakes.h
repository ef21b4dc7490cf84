#pragma once
// Recording stand-ins for the person, the file dialogs, the form and the instrument, so the
// plan editor's controller runs without a screen.
#include <QDir>
#include <QTemporaryDir>
#include <map>
#include <string>
#include <vector>

#include "PlanEditor.h"
#include "PlanFormat.h"
#include "PlanImport.h"
#include "Text1252.h"

namespace plantest {

using namespace cv::plan;

struct Box {
  std::string text, caption;
  cv::MsgIcon icon;
};

// The application's recording prompter, seen as the editor's byte texts, with standing answers
// for the two kinds of question.
class RecordingPrompter : public cv::RecordingPrompter {
 public:
  cv::MsgAnswer Message(cv::MsgIcon i, const QString& c, const QString& t, int buttons) override {
    cv::RecordingPrompter::Message(i, c, t, buttons);
    if (buttons & cv::MsgCancel) return answer;
    if (buttons & cv::MsgYes) return yesNo ? cv::MsgAnswer::Yes : cv::MsgAnswer::No;
    return cv::MsgAnswer::Ok;
  }
  bool Shown(const std::string& part) const { return Showed(cv::From1252(part)); }
  std::vector<Box> Boxes() const {
    std::vector<Box> b;
    for (auto& s : shown) b.push_back({cv::To1252(s.text), cv::To1252(s.caption), s.icon});
    return b;
  }
  bool yesNo = true;
  cv::MsgAnswer answer = cv::MsgAnswer::No;
};

class ScriptedChooser : public FileChooser {
 public:
  std::string OpenFile(const std::string&, const std::string&) override { return openPath; }
  std::string SaveFile(const std::string&, const std::string&, const std::string&) override { return savePath; }
  std::string openPath, savePath;
};

class NullView : public PlanView {
 public:
  void SetGauge(int p) override { gauge = p; }
  void Repaint() override {}
  void AddLogZone(const std::string& l) override { zone.push_back(l); }
  void SetBusy(bool b) override { busy = b; }
  int gauge = 0;
  bool busy = false;
  std::vector<std::string> zone;
};

// Fields as the equipment splits them: list separator, decimal commas turned into points,
// 12 characters a field at most (the rest of the line ignored).
inline bool SplitLikeEquipment(const std::string& line, char dec, char list, std::vector<std::string>& f) {
  std::string t = line.substr(0, 255);
  if (dec == ',')
    for (char& c : t)
      if (c == ',') c = '.';
  f.assign(1, "");
  bool any = false;
  for (char c : t) {
    if (c == '\n') break;
    if (c == list) {
      f.emplace_back();
      continue;
    }
    f.back().push_back(c);
    any = true;
    if (f.back().size() == 12) break;
  }
  return any;
}

// An instrument in memory: plan headers and channels as the "*?JI" / "*?CI" reads give them.
class FakeEquipment : public PlanEquipment {
 public:
  bool HasPort() const override { return port; }
  bool CheckVersion() override { return answers; }
  PlanAnswer ReadPlanInfo(int plan, PlanInfo& info) override {
    if (!answers || plan >= planLimit) return PlanAnswer::Lost;
    auto it = plans.find(plan);
    if (it == plans.end()) return PlanAnswer::NoPlan;
    info = it->second;
    return PlanAnswer::Plan;
  }
  bool ReadChannelInfo(int channel, int plan, TChan3& chan, char) override {
    if (!answers || channel >= channelLimit) return false;
    auto it = channels.find(plan);
    if (it == channels.end() || channel >= static_cast<int>(it->second.size())) return false;
    chan = it->second[channel];
    return true;
  }
  bool RunScript(const std::string& path) override {
    ranScripts.push_back(path);
    return runResult;
  }
  int ParseLine(const std::string& l, int& k, std::vector<std::string>& a) override { return ParseScriptLine(l, k, a); }
  bool SplitFields(const std::string& l, std::vector<std::string>& f) override {
    return SplitLikeEquipment(l, dec, list, f);
  }
  void Log(const std::string& l) override { log.push_back(l); }
  std::string ModelName() const override { return "CORVANE-3"; }
  std::string StartDir() const override { return startDir; }
  char DecimalSeparator() const override { return dec; }
  char ListSeparator() const override { return list; }
  bool Logged(const std::string& part) const {
    for (auto& l : log)
      if (l.find(part) != std::string::npos) return true;
    return false;
  }

  bool port = true, answers = true, runResult = true;
  int channelLimit = 1 << 30;
  int planLimit = 1 << 30;  // plans from here on get no answer
  char dec = ',', list = ';';
  std::string startDir = "/nonexistent";
  std::map<int, PlanInfo> plans;
  std::map<int, std::vector<TChan3>> channels;
  std::vector<std::string> log, ranScripts;
};

// The controller with its fakes, working in a temporary directory of its own.
struct EditorRig {
  EditorRig() : old(QDir::currentPath()) { QDir::setCurrent(dir.path()); }
  ~EditorRig() { QDir::setCurrent(old); }
  std::string Path(const std::string& name) const { return (dir.path() + "/").toStdString() + name; }
  QTemporaryDir dir;
  QString old;
  FakeEquipment equip;
  RecordingPrompter prompter;
  ScriptedChooser chooser;
  NullView view;
  PlanEditor editor{equip, prompter, chooser, view};
};

// A plan of `n` channels from `first` MHz in 8 MHz steps (terrestrial) or IF steps of 10 MHz
// (satellite), each with `commands` commands.
inline PlanSlot MakePlan(const char* name, char band, int n, int commands = 0, float lnb = 0) {
  PlanSlot s;
  NewPlan(s);
  CopyField(s.name, name);
  s.band = band;
  s.lnbMHz = lnb;
  const char* cmd[3] = {commands > 0 ? "SY00" : "", commands > 1 ? "UN1" : "", commands > 2 ? "ME2" : ""};
  if (band == 'T') cmd[0] = commands > 0 ? "CW0320" : "";
  for (int i = 0; i < n; ++i) {
    std::string cn = "C" + std::to_string(i);
    float f = band == 'S' ? 950.0f + 10.0f * static_cast<float>(i % 120) + 0.125f * static_cast<float>(i / 120)
                          : 47.0f + 6.0f * static_cast<float>(i);
    s.Channels().push_back(TChan3::FromFrequency(cn, f, 8, band, cmd[0], cmd[1], cmd[2]));
  }
  s.channelCount = n;
  return s;
}

}  // namespace plantest
