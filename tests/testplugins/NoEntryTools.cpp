// Exports _FreeEquip but no _RunCvsMain.
extern "C" __attribute__((visibility("default"))) int _FreeEquip() { return 0; }
