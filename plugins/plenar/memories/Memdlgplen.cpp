#include "Memdlgplen.h"

#include "Memdatadlg4.h"
#include "MsgIds.h"
#include "PlenEquip.h"
#include "PlenMemoryCodec.h"
#include "PlenMemoryData.h"

namespace cv::plenar {

TPlenMemoryChannelDlg::TPlenMemoryChannelDlg(QWidget* owner, TCvPlenEquip* equip, cv::mem::PickTarget target,
                                             cv::mem::PickerStart* start)
    : TCv4MemoryChannelDlg(owner, equip, target, start) {
  Picker().planSlots = kPlanSlots;
}

MemoryDataFormFamily PlenMemoryDataForm(TCvPlenEquip* equip) {
  namespace dp = cv::msg::plenmemdata;
  MemoryDataFormFamily family = cv::cv4::Cv4MemoryDataForm(equip);
  family.data = &PlenMemoryData();
  family.nameHint = dp::NameHint;
  family.levelHint = dp::LevelHint;
  family.runPicker = [equip](QWidget* owner, cv::mem::PickTarget target, cv::mem::PickerStart* start) {
    TPlenMemoryChannelDlg picker(owner, equip, target, start);
    return picker.exec() == QDialog::Accepted;
  };
  return family;
}

std::unique_ptr<TMemoryDlg> MakeMemoryDlgPlen(QWidget* owner, TCvPlenEquip* equip) {
  namespace m4 = cv::msg::cv4mem;
  auto codec = std::make_shared<PlenMemoryCodec>(
      [equip](TInstalledOptions& options) { return equip->ReadInstalledOptions(options); });
  MemoryFormFamily family{codec, m4::SendOneHint, m4::SendHint, m4::ReceiveHint};
  auto dialog = std::make_unique<TMemoryDlg>(owner, equip, family);
  dialog->settingsEditor = [equip](TMemoryDlg* self) {
    TMemoryDataDlg settings(self, equip, PlenMemoryDataForm(equip));
    return settings.Opened() && settings.exec() == QDialog::Accepted;
  };
  return dialog;
}

}  // namespace cv::plenar
