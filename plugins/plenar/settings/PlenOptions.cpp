#include "PlenOptions.h"

#include "Configdlg.h"
#include "Cv4Options.h"

namespace cv::plenar {

const cv::settings::TOptionFamily& PlenOptionFamily() {
  static const cv::settings::TOptionFamily family = [] {
    cv::settings::TOptionFamily f = cv::cv4::Cv4OptionFamily();
    f.records.insert(f.records.begin() + 1, {"Model2", false, "", "1F60010", "", ""});
    // The boards below "DIG Mainboard" go on in 0x1C-byte blocks; the COFDM constellation's
    // record comes before the QAM one although its block lies lower.
    f.records.insert(f.records.end(),
                     {{"COFDM Constell.", true, "1D20002", "1D08010", "1D18008", "1D22002"},
                      {"QAM Constell.", true, "1D3C002", "1D24010", "1D34008", "1D3E002"},
                      {"RDS", true, "1D04002", "1CEC010", "1CFC008", "1D06002"},
                      {"Video Effects", true, "1CE8002", "1CD0010", "1CE0008", "1CEA002"},
                      {"DAB", true, "1CCC002", "1CB4010", "1CC4008", "1CCE002"}});
    f.identityLines = 4;
    f.secondModelLine = true;
    return f;
  }();
  return family;
}

std::unique_ptr<QDialog> MakeConfigurationDlgPlen(QWidget* owner, TCv3Equip* equipment) {
  return std::make_unique<TConfigurationDlg>(owner, equipment, PlenOptionFamily());
}

}  // namespace cv::plenar
