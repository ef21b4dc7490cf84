// The entry of the CORVANE-2 plug-in: the only two symbols the library exports.
#include "Cv2Equip.h"
#include "PluginEntry.h"

#define CV_EXPORT __attribute__((visibility("default")))

namespace {

// The equipment object this library created last; null before _RunCvsMain and after _FreeEquip.
TEquip* equipment = nullptr;

TEquip* MakeEquipment(QWidget* owner, TSerial* port) { return TCv3Equip::Build<cv::cv2::TCv2Equip>(owner, port); }

}  // namespace

extern "C" {

CV_EXPORT TEquip* _RunCvsMain(QApplication* application, TSerial* port) {
  return cv::RunCvsMain(application, port, MakeEquipment, cv::cv2::TCv2Equip::GetVersionText(), equipment);
}

CV_EXPORT int _FreeEquip() { return cv::FreeEquip(equipment); }
}
