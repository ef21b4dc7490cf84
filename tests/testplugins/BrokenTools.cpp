// Needs a symbol that nothing defines: loading it with every symbol resolved at once fails.
class QApplication;
class TSerial;
class TEquip;
extern "C" void cv_symbol_nobody_defines();
extern "C" __attribute__((visibility("default"))) TEquip* _RunCvsMain(QApplication*, TSerial*) {
  cv_symbol_nobody_defines();
  return nullptr;
}
extern "C" __attribute__((visibility("default"))) int _FreeEquip() { return 0; }
