#include "PlenLogger.h"

#include "Cv4Logger.h"
#include "Datalogdlg.h"

namespace cv::plenar {

const cv::logger::TLoggerFamily& PlenLoggerFamily() {
  static const cv::logger::TLoggerFamily family = [] {
    cv::logger::TLoggerFamily f = cv::cv4::Cv4LoggerFamily();
    using V = cv::logger::ValueCoding;
    // The level corrections of dBmV and dBm apply to every tenths type but the two ratios.
    f.measures = {{"LEVEL", false, V::Tenths, true},      {"V/A", true, V::Tenths, false},
                  {"POWER", false, V::Tenths, true},      {"C/N auto", true, V::Tenths, false},
                  {"VBER QPSK", true, V::Ber, false},     {"BER QAM", true, V::Ber, false},
                  {"VBER COFDM", true, V::Ber, false},    {"C/N refer.", true, V::Tenths, true},
                  {"CBER DAB", true, V::Ber, false},      {"CBER QPSK", true, V::Ber, false},
                  {"MER QPSK", true, V::Tenths, true},    {"MER QAM", true, V::Tenths, true},
                  {"CSI COFDM", false, V::Whole, false, true}, {"MER COFDM", true, V::Tenths, true},
                  {"CBER COFDM", true, V::Ber, false},    {"SNR DAB", true, V::Tenths, true}};
    f.measureCodes = "0123456789ABCDEF";
    return f;
  }();
  return family;
}

std::unique_ptr<QDialog> MakeDataLoggerDlgPlen(QWidget* owner, TCv3Equip* equipment) {
  return std::make_unique<TDataLoggerDlg>(owner, equipment, PlenLoggerFamily());
}

}  // namespace cv::plenar
