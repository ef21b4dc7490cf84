// The instrument's replies: each input line is the reply to the next query ("!" fails the
// exchange; once the lines run out nothing more comes). The same lines answer, in turn, the
// plan editor's Receive ("*?JI" headers) followed by a Save (the "*?CI" channels and the
// script of what came), the spectrum sweep ("*?SY", levels) and every measurement (levels,
// BER), and detection's identity parsing.
#include <deque>

#include "Format.h"
#include "FuzzSupport.h"
#include "ModelConfig.h"
#include "PlanEditor.h"
#include "TSpectrumSweep.h"

using namespace cv::plan;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

namespace {

class Replies {
 public:
  explicit Replies(const std::vector<std::string>& lines) : queue(lines.begin(), lines.end()) {}
  // False for a failed exchange.
  bool Next(std::string& reply) {
    if (queue.empty()) return false;
    reply = std::move(queue.front());
    queue.pop_front();
    return reply != "!";
  }

 private:
  std::deque<std::string> queue;
};

class ReplyEquipment : public PlanEquipment, public FileChooser, public PlanView {
 public:
  explicit ReplyEquipment(Replies& replies) : replies(replies) {}
  bool HasPort() const override { return true; }
  bool CheckVersion() override { return true; }
  PlanAnswer ReadPlanInfo(int, PlanInfo& info) override {
    std::string reply;
    if (!replies.Next(reply)) return PlanAnswer::Lost;
    return ParsePlanInfo(reply, info) ? PlanAnswer::Plan : NoSuchEntry(reply) ? PlanAnswer::NoPlan : PlanAnswer::Garbled;
  }
  bool ReadChannelInfo(int, int, TChan3& chan, char band) override {
    std::string reply;
    return replies.Next(reply) && ParseChannelInfo(reply, band, chan);
  }
  bool RunScript(const std::string&) override { return false; }
  int ParseLine(const std::string& l, int& k, std::vector<std::string>& a) override { return ParseScriptLine(l, k, a); }
  bool SplitFields(const std::string&, std::vector<std::string>&) override { return false; }
  void Log(const std::string&) override {}
  std::string ModelName() const override { return "CORVANE-3"; }
  std::string StartDir() const override { return cvfuzz::ScratchDir().string(); }
  char DecimalSeparator() const override { return ','; }
  char ListSeparator() const override { return ';'; }

  std::string OpenFile(const std::string&, const std::string&) override { return {}; }
  std::string SaveFile(const std::string&, const std::string&, const std::string&) override { return {}; }

  void SetGauge(int percent) override { FUZZ_CHECK(percent >= 0 && percent <= 100); }
  void Repaint() override {}
  void AddLogZone(const std::string&) override {}
  void SetBusy(bool) override {}

 private:
  Replies& replies;
};

class ReplyLink : public TSpectrumLink {
 public:
  explicit ReplyLink(Replies& replies) : replies(replies) {}
  bool SendCommand(const char*) override { return true; }
  bool Query(const char*, char* reply) override { return Answer(reply); }
  bool AskLevel(char* reply, int) override { return Answer(reply); }
  bool TuneFrequency(float, int) override { return true; }
  void Log(const std::string&) override {}
  int32_t GetModelVariant() const override { return 5; }

 private:
  // The command layer's buffer: 256 bytes, the reply cut to fit.
  bool Answer(char* reply) {
    std::string r;
    const bool ok = replies.Next(r);
    r.resize(std::min<size_t>(r.size(), 255));
    std::copy(r.begin(), r.end(), reply);
    reply[r.size()] = '\0';
    return ok;
  }
  Replies& replies;
};

void Plans(const std::vector<std::string>& lines) {
  Replies replies(lines);
  ReplyEquipment equip(replies);
  cvfuzz::QuietPrompter prompter;
  PlanEditor editor(equip, prompter, equip, equip);
  editor.ReceiveBtnClick();
  for (const PlanSlot& slot : editor.planSlots)
    if (slot.HoldsPlan()) FUZZ_CHECK(slot.band == 'S' || slot.band == 'T');
  if (editor.WriteScript((cvfuzz::ScratchDir() / "RECEIVED.PRO").string())) {
    for (const PlanSlot& slot : editor.planSlots)
      if (slot.HoldsPlan()) FUZZ_CHECK(slot.Channels().size() <= static_cast<size_t>(kMaxPlanChannels));
  }
}

void Spectrum(const std::vector<std::string>& lines) {
  Replies replies(lines);
  ReplyLink link(replies);
  TSpectrumView view;
  TSpectrumSweep sweep(link, view);
  sweep.StartBtnClick();
  for (int item = 0; item < 8; ++item) {
    sweep.MeasBtnClick(item);
    sweep.MeasText(item, ',');
  }
}

void Identities(const std::vector<std::string>& lines) {
  for (size_t i = 0; i < lines.size() && i < 64; ++i) {
    std::string model;
    float version = 0;
    if (ParseIdentityText(lines[i], model, version)) {
      FUZZ_CHECK(!model.empty() && model.size() <= 31);
      cv::Format("%s v%.2f", model, version);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> lines = cvfuzz::Lines(cvfuzz::Text(data, size));
  Plans(lines);
  Spectrum(lines);
  Identities(lines);
  return 0;
}
