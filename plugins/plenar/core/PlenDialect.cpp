#include "PlenDialect.h"

#include "Cv4Dialect.h"
#include "Pll.h"
#include "ScriptEngine.h"

namespace cv::plenar {

const ScriptDialect& Dialect() {
  static const ScriptDialect dialect = [] {
    ScriptDialect d = cv::cv4::Dialect();
    d.Insert(d.CodeOf(&cv::script::exec::Chan3T) + 1, {"CHAND", 5, &DoChanD});
    d.planCap = kPlanCap;
    return d;
  }();
  return dialect;
}

bool DoChanD(TScriptEngine& e) {
  if (!e.ifLevels.Running()) return e.resultText = "FALSE", true;
  double mhz = 0;
  cv::script::ReadDouble(e.Tok(3), mhz);
  const cv::PllBand& band = cv::PllBandOf('T');
  if (!e.WordInRange(static_cast<float>((mhz + band.offsetMHz) * band.wordsPerMHz), e.Tok(3))) return false;
  // Truncated without the half the channel records add: the meter stores what the loader did.
  const float word = static_cast<float>(cv::PllWordFloatTrunc('T', mhz));
  std::vector<uint8_t> data = e.ChannelName();
  cv::script::PushWord(data, word);
  cv::script::PushWord(data, word);
  const bool ok = e.SendRecord(data) && cv::script::SendWordList({e.Tok(4)}, [&e](const std::vector<uint8_t>& d) {
                    return e.SendRecord(d);
                  });
  e.resultText = ok ? "OK" : "ERROR";
  return ok;
}

}  // namespace cv::plenar
