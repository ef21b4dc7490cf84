#include "Memdlg4.h"

#include "Cv4Equip.h"
#include "Cv4MemoryCodec.h"
#include "Memdatadlg4.h"
#include "MsgIds.h"

namespace cv::cv4 {

std::unique_ptr<TMemoryDlg> MakeMemoryDlg(QWidget* owner, TCv4Equip* equip) {
  namespace m4 = cv::msg::cv4mem;
  MemoryFormFamily family{std::make_shared<Cv4MemoryCodec>(equip->VersionText()), m4::SendOneHint, m4::SendHint,
                          m4::ReceiveHint};
  auto dialog = std::make_unique<TMemoryDlg>(owner, equip, family);
  dialog->settingsEditor = [equip](TMemoryDlg* self) {
    TMemoryDataDlg settings(self, equip, Cv4MemoryDataForm(equip));
    return settings.Opened() && settings.exec() == QDialog::Accepted;
  };
  return dialog;
}

}  // namespace cv::cv4
