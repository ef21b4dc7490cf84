#include "PlenMemoryData.h"

#include "Cv4MemoryData.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PlenMemoryCodec.h"

namespace cv::plenar {

std::vector<cv::mem::CodeText> MeasureTablePlen() {
  namespace m = cv::msg::mem;
  return {{'0', Msg(m::Level)},   {'1', "V/A"},        {'2', Msg(m::Power)},     {'3', "C/N Auto"},
          {'4', "QPSK-VBER"},     {'5', "QAM-BER"},    {'6', "COFDM-VBER"},      {'7', "C/N Ref"},
          {'8', "DAB-BER"},       {'9', "QPSK-CBER"},  {'A', "QPSK-MER"},        {'B', "QAM-MER"},
          {'C', "COFDM-CSI"},     {'D', "COFDM-MER"},  {'E', "COFDM-CBER"},      {'F', "DAB SNR"}};
}

const cv::mem::MemoryDataFamily& PlenMemoryData() {
  static const cv::mem::MemoryDataFamily family = [] {
    cv::mem::MemoryDataFamily f = cv::cv4::Cv4MemoryData();
    f.rules.measureKind = MeasureFamily;
    f.rules.dabKind = '8';
    f.rules.planMax = 63;
    f.rules.planLineId = cv::msg::plenmemdata::LinePlanNumber;
    f.measureTable = MeasureTablePlen;
    return f;
  }();
  return family;
}

}  // namespace cv::plenar
