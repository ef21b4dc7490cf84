#include "Memdlg8.h"

#include "Dv8Equip.h"
#include "Dv8MemoryCodec.h"
#include "MsgIds.h"

namespace cv::dv8 {

std::unique_ptr<TMemoryDlg> MakeMemoryDlg8(QWidget* owner, TDV8Equip* equip) {
  namespace m4 = cv::msg::cv4mem;
  MemoryFormFamily family{std::make_shared<Dv8MemoryCodec>(), m4::SendOneHint, m4::SendHint, m4::ReceiveHint};
  auto dialog = std::make_unique<TMemoryDlg>(owner, equip, family);
  // Edit hands the current record to the family's memory data dialog, which this plug-in does
  // not carry yet: until then Edit opens nothing.
  dialog->settingsEditor = nullptr;
  return dialog;
}

}  // namespace cv::dv8
