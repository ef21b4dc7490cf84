// A plug-in whose equipment object fails to build.
class QApplication;
class TSerial;
class TEquip;
extern "C" __attribute__((visibility("default"))) TEquip* _RunCvsMain(QApplication*, TSerial*) { return nullptr; }
extern "C" __attribute__((visibility("default"))) int _FreeEquip() { return 0; }
