#pragma once
// What a plug-in's two exports do, shared by every plug-in built on the framework: each entry
// file keeps its own equipment pointer and passes its factory and version text.
#include "Equip.h"

class QApplication;
class QWidget;

namespace cv {

using EquipFactory = TEquip* (*)(QWidget* owner, TSerial* port);

// The host's main form: the top-level window that holds the memo "LogMemo".
QWidget* HostMainForm(QApplication* application);

// Builds the equipment object; a failure while building it is reported in a box and gives null.
// On success "Library <version> loaded" goes to the host's log.
TEquip* RunCvsMain(QApplication* application, TSerial* port, EquipFactory factory,
                   const char* versionText, TEquip*& equipment);

// Deletes the equipment object, if any; returns 0.
int FreeEquip(TEquip*& equipment);

}  // namespace cv
