#include "Memdlg4.h"

#include "Cv4Equip.h"
#include "Cv4MemoryCodec.h"
#include "MsgIds.h"

namespace cv::cv4 {

std::unique_ptr<TMemoryDlg> MakeMemoryDlg(QWidget* owner, TCv4Equip* equip) {
  namespace m4 = cv::msg::cv4mem;
  MemoryFormFamily family{std::make_shared<Cv4MemoryCodec>(equip->VersionText()), m4::SendOneHint, m4::SendHint,
                          m4::ReceiveHint};
  auto dialog = std::make_unique<TMemoryDlg>(owner, equip, family);
  // Edit hands the current record to the family's memory data dialog, which this plug-in does
  // not carry yet: until then Edit opens nothing.
  dialog->settingsEditor = nullptr;
  return dialog;
}

}  // namespace cv::cv4
