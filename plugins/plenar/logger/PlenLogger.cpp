#include "PlenLogger.h"

#include "Cv4Logger.h"
#include "Datalogdlg.h"

namespace cv::plenar {

const cv::logger::TLoggerFamily& PlenLoggerFamily() {
  static const cv::logger::TLoggerFamily family = [] {
    cv::logger::TLoggerFamily f = cv::cv4::Cv4LoggerFamily();
    using V = cv::logger::ValueCoding;
    f.measures = {{"LEVEL", false, V::Tenths},        {"V/A", true, V::Tenths},
                  {"POWER", false, V::Tenths},        {"C/N auto", true, V::Tenths},
                  {"VBER QPSK", true, V::Ber},        {"BER QAM", true, V::Ber},
                  {"VBER COFDM", true, V::Ber},       {"C/N refer.", true, V::Tenths},
                  {"CBER DAB", true, V::Ber},         {"CBER QPSK", true, V::Ber},
                  {"MER QPSK", true, V::Tenths},      {"MER QAM", true, V::Tenths},
                  {"CSI COFDM", false, V::Whole, true}, {"MER COFDM", true, V::Tenths},
                  {"CBER COFDM", true, V::Ber},       {"SNR DAB", true, V::Tenths}};
    f.measureCodes = "0123456789ABCDEF";
    return f;
  }();
  return family;
}

std::unique_ptr<QDialog> MakeDataLoggerDlgPlen(QWidget* owner, TCv3Equip* equipment) {
  return std::make_unique<TDataLoggerDlg>(owner, equipment, PlenLoggerFamily());
}

}  // namespace cv::plenar
