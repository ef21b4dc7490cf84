// The entry of the TV MIRELTO plug-in: the only two symbols the library exports.
#include "DataLoggerDlg.h"
#include "PluginEntry.h"
#include "Xr9Equip.h"

#define CV_EXPORT __attribute__((visibility("default")))

namespace {

// The equipment object this library created last; null before _RunCvsMain and after _FreeEquip.
TEquip* equipment = nullptr;

// The equipment object with its tools' dialogs.
class TXR9Tools : public cv::xr9::TXR9Equip {
 public:
  using TXR9Equip::TXR9Equip;

 protected:
  bool ShowDataLogger() override { return cv::xr9::ShowDataLoggerDialog(*this); }
};

TEquip* MakeEquipment(QWidget* owner, TSerial* port) { return new TXR9Tools(owner, port); }

}  // namespace

extern "C" {

CV_EXPORT TEquip* _RunCvsMain(QApplication* application, TSerial* port) {
  return cv::RunCvsMain(application, port, MakeEquipment, cv::xr9::TXR9Equip::GetVersionText(), equipment);
}

CV_EXPORT int _FreeEquip() { return cv::FreeEquip(equipment); }
}
