#pragma once
// The CORVANE-PLENAR memory editor, its memory settings dialog and channel picker: the
// framework's forms over this family's record codec, rules and 64 plans.
#include <memory>

#include "Memchanneldlg4.h"
#include "Memdatadlg.h"
#include "Memdlg.h"

class QWidget;

namespace cv::plenar {

class TCvPlenEquip;

std::unique_ptr<TMemoryDlg> MakeMemoryDlgPlen(QWidget* owner, TCvPlenEquip* equip);
MemoryDataFormFamily PlenMemoryDataForm(TCvPlenEquip* equip);

// The picker reading up to 64 plan headers.
class TPlenMemoryChannelDlg : public cv::cv4::TCv4MemoryChannelDlg {
  Q_OBJECT

 public:
  static constexpr int kPlanSlots = 64;
  TPlenMemoryChannelDlg(QWidget* owner, TCvPlenEquip* equip, cv::mem::PickTarget target,
                        cv::mem::PickerStart* start = nullptr);
};

}  // namespace cv::plenar
