#include "Memdlg8.h"

#include "Dv8Equip.h"
#include "Dv8MemoryCodec.h"
#include "Memdatadlg8.h"
#include "MsgIds.h"

namespace cv::dv8 {

std::unique_ptr<TMemoryDlg> MakeMemoryDlg8(QWidget* owner, TDV8Equip* equip) {
  namespace m4 = cv::msg::cv4mem;
  MemoryFormFamily family{std::make_shared<Dv8MemoryCodec>(), m4::SendOneHint, m4::SendHint, m4::ReceiveHint};
  auto dialog = std::make_unique<TMemoryDlg>(owner, equip, family);
  dialog->settingsEditor = [equip](TMemoryDlg* self) {
    TMemoryDataDlg settings(self, equip, Dv8MemoryDataForm(equip));
    return settings.Opened() && settings.exec() == QDialog::Accepted;
  };
  return dialog;
}

}  // namespace cv::dv8
