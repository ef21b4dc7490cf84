#include "Cv4Options.h"

#include "Configdlg.h"

namespace cv::cv4 {

const cv::settings::TOptionFamily& Cv4OptionFamily() {
  static const cv::settings::TOptionFamily family = [] {
    cv::settings::TOptionFamily f;
    f.records = {{"Model", false, "", "1F10010", "", ""},
                 {"Make", false, "", "1F20020", "", ""},
                 {"Serial", false, "", "1F00010", "", ""},
                 {"TER tuner", true, "1EFC002", "1EE4010", "1EF4008", "1EFE002"},
                 {"SAT tuner", true, "1EE0002", "1EC8010", "1ED8008", "1EE2002"},
                 {"SubBand", true, "1EC4002", "1EAC010", "1EBC008", "1EC6002"},
                 {"Monitor", true, "1EA8002", "1E90010", "1EA0008", "1EAA002"},
                 {"MainBoard", true, "1E8C002", "1E74010", "1E84008", "1E8E002"},
                 {"TXT", true, "1E70002", "1E58010", "1E68008", "1E72002"},
                 {"DiSEqC", true, "1E54002", "1E3C010", "1E4C008", "1E56002"},
                 {"QPSK", true, "1E38002", "1E20010", "1E30008", "1E3A002"},
                 {"QAM", true, "1E1C002", "1E04010", "1E14008", "1E1E002"},
                 {"COFDM", true, "1E00002", "1DE8010", "1DF8008", "1E02002"},
                 {"DVB NET", true, "1DE4002", "1DCC010", "1DDC008", "1DE6002"},
                 {"uController", true, "1DC8002", "1DB0010", "1DC0008", "1DCA002"},
                 {"Nicam", true, "1DAC002", "1D94010", "1DA4008", "1DAE002"},
                 {"MPEG2", true, "1D90002", "1D78010", "1D88008", "1D92002"},
                 {"CA", false, "", "159101F", "", ""},
                 {"Battery", true, "1D74002", "1D5C010", "1D6C008", "1D76002"},
                 {"DIG Mainboard", true, "1D58002", "1D40010", "1D50008", "1D5A002"}};
    f.rotaryAddress = 0x1506;
    f.version = cv::settings::VersionForm::FixedCut;
    f.identityLines = 3;
    return f;
  }();
  return family;
}

std::unique_ptr<QDialog> MakeConfigurationDlg4(QWidget* owner, TCv3Equip* equipment) {
  return std::make_unique<TConfigurationDlg>(owner, equipment, Cv4OptionFamily());
}

}  // namespace cv::cv4
