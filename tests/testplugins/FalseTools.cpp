// An equipment object that offers no tool at all; counts its frees.
#include <QApplication>

#include "Equip.h"

namespace {
class TFalseEquip : public TEquip {
 public:
  using TEquip::TEquip;
  const char* InitEquip() override { return modelName; }
  bool HasChannelEditor() override { return false; }
  bool HasMemoryEditor() override { return false; }
  bool HasDataLogger() override { return false; }
  bool HasMonitor() override { return false; }
  bool HasSpectrum() override { return false; }
  bool HasConfiguration() override { return false; }
  bool HasUpdateFirmware() override { return false; }
  bool HasChannelIdentifier() override { return false; }
};
TEquip* equipment = nullptr;
}  // namespace

extern "C" __attribute__((visibility("default"))) TEquip* _RunCvsMain(QApplication* app, TSerial* port) {
  equipment = new TFalseEquip(nullptr, port);
  return equipment;
}
extern "C" __attribute__((visibility("default"))) int _FreeEquip() {
  delete equipment;
  equipment = nullptr;
  if (QCoreApplication* app = QCoreApplication::instance())
    app->setProperty("cvFalseToolsFreed", app->property("cvFalseToolsFreed").toInt() + 1);
  return 0;
}
