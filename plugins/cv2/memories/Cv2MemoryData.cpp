#include "Cv2MemoryData.h"

#include <string>

#include "Cv2Equip.h"
#include "Dv8MemoryData.h"
#include "Messages.h"
#include "MsgIds.h"

namespace cv::cv2 {

namespace {

namespace m = cv::msg::mem;
using cv::mem::CodeText;

cv::mem::MemoryDataFamily Build() {
  cv::mem::MemoryDataFamily f;
  cv::mem::MemoryDataRules& r = f.rules;
  r.satelliteStartMHz = 900.0;
  r.terrestrialStartMHz = 45.0;
  r.satFreqLineId = cv::msg::cv4memdata::LineFreqSat;
  r.terFreqLineId = cv::msg::cv2memdata::LineFreqTer;
  r.cnRefLineId = cv::msg::cv2memdata::LineCnRef;
  r.specInvMeasures = "4";
  // DK and I are terrestrial standards: every carrier of another standard and the satellite
  // carriers give way to their own (6.50 and 6.00); AM, FM, LEVEL, OFF and the manual tunings
  // stay, and I keeps NICAM. 6.26FM and 6.80 are satellite carriers here.
  r.soundsReplacedByDK = "5678ABCDE";
  r.soundsReplacedByI = "5679ABCE";
  r.soundsAsSatelliteCarriers = "GH";
  r.groups = cv::dv8::Dv8MemoryData().rules.groups;
  f.soundTable = Cv2SoundTable;
  f.standardIndex = Cv2StandardIndex;
  f.measureTable = Cv2MeasureTable;
  f.unitsTable = cv::dv8::Dv8UnitsTable;
  f.standardTable = Cv2StandardTable;
  return f;
}

}  // namespace

std::vector<CodeText> Cv2MeasureTable() {
  const std::string texts[7] = {Msg(m::Level), "V/A", Msg(m::Power), "C/N Auto", "BER(QPSK)", "BER(COFDM)", "C/N Ref"};
  std::vector<CodeText> table;
  for (int i = 0; i < 7; ++i) table.push_back({static_cast<char>('0' + measureCodes[i]), texts[i]});
  return table;
}

std::vector<CodeText> Cv2SoundTable() {
  const std::string texts[16] = {"AM",   "FM",   Msg(m::Level), "OFF",   Msg(m::TNarrow), "5.50",          "5.74",   "6.00",
                                 "6.50", "5.80", "6.65",        "NICAM", "7.02",          Msg(m::TBroad), "6.26FM", "6.80"};
  std::vector<CodeText> table;
  for (int i = 0; i < 16; ++i) table.push_back({SoundCodeChar(soundCodes[i]), texts[i]});
  return table;
}

std::vector<cv::mem::StandardEntry> Cv2StandardTable() {
  return cv::dv8::StandardEntries({"PAL_BG", "PAL_DK", "PAL_I", "PAL_SAT", Msg(m::Digital)}, standardCodes);
}

int Cv2StandardIndex(char color, char std) { return cv::dv8::StandardIndexIn(Cv2StandardTable(), color, std); }

const cv::mem::MemoryDataFamily& Cv2MemoryData() {
  static const cv::mem::MemoryDataFamily family = Build();
  return family;
}

}  // namespace cv::cv2
