#include "Memdlg2.h"

#include "Cv2Equip.h"
#include "Cv2MemoryCodec.h"
#include "Memdatadlg2.h"
#include "MsgIds.h"

namespace cv::cv2 {

std::unique_ptr<TMemoryDlg> MakeMemoryDlg2(QWidget* owner, TCv2Equip* equip) {
  namespace m4 = cv::msg::cv4mem;
  MemoryFormFamily family{std::make_shared<Cv2MemoryCodec>(*equip), m4::SendOneHint, m4::SendHint, m4::ReceiveHint};
  auto dialog = std::make_unique<TMemoryDlg>(owner, equip, family);
  dialog->settingsEditor = [equip](TMemoryDlg* self) {
    TMemoryDataDlg settings(self, equip, Cv2MemoryDataForm());
    return settings.Opened() && settings.exec() == QDialog::Accepted;
  };
  return dialog;
}

}  // namespace cv::cv2
