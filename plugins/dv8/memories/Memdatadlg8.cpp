#include "Memdatadlg8.h"

#include "Dv8Equip.h"
#include "Dv8MemoryData.h"
#include "Memchanneldlg8.h"
#include "MsgIds.h"

namespace cv::dv8 {

std::vector<std::pair<const char*, int>> Dv8MemoryDataLabels() {
  namespace d8 = cv::msg::dv8memdata;
  return {{"LevelLabel", d8::LevelLabel},           {"StandardLabel", d8::StandardLabel},
          {"NoiseLabel", d8::NoiseLabel},           {"SoundSubLabel", d8::SoundSubLabel},
          {"LNBOscLabel", d8::LNBOscLabel},         {"LNBSupLabel", d8::LNBSupLabel},
          {"SymRateLabel", d8::SymRateLabel},       {"CodeRateLabel", d8::CodeRateLabel},
          {"ModulationLabel", d8::ModulationLabel}, {"SpecInvLabel", d8::SpecInvLabel},
          {"CarriersLabel", d8::CarriersLabel},     {"IntervalLabel", d8::IntervalLabel}};
}

MemoryDataFormFamily Dv8MemoryDataForm(TDV8Equip* equip) {
  MemoryDataFormFamily family;
  family.data = &Dv8MemoryData();
  family.modifyChannelHint = cv::msg::dv8memdata::ModifyChannelHint;
  family.labels = Dv8MemoryDataLabels();
  family.runPicker = [equip](QWidget* owner, cv::mem::PickTarget target, cv::mem::PickerStart* start) {
    TDV8MemoryChannelDlg picker(owner, equip, target, start);
    return picker.exec() == QDialog::Accepted;
  };
  return family;
}

}  // namespace cv::dv8
