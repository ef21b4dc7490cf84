#include "PluginEntry.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <cstdio>
#include <exception>

#include "AppServices.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Text1252.h"

namespace cv {

QWidget* HostMainForm(QApplication* application) {
  if (!application) return nullptr;
  QWidget* fallback = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (!w->findChild<QPlainTextEdit*>("LogMemo")) continue;
    if (w->objectName() == "MainForm") return w;
    if (!fallback) fallback = w;
  }
  return fallback;
}

TEquip* RunCvsMain(QApplication* application, TSerial* port, EquipFactory factory,
                   const char* versionText, TEquip*& equipment) {
  // Dialogs and boxes of the plug-in are owned by the host's main form, so they stay above it.
  QWidget* owner = HostMainForm(application);
  // The plug-in's own message table follows the language the host has in force.
  LoadLanguageOfHost();
  try {
    equipment = factory(owner, port);
  } catch (...) {
    equipment = nullptr;
    char text[256];
    snprintf(text, sizeof text, Msg(msg::cv3::ImpossibleToInitialize).c_str(), versionText);
    ShowWarning(MsgQ(msg::cv3::CvToolsErrorCaption), From1252(text));
  }
  if (equipment) {
    char text[256];
    snprintf(text, sizeof text, Msg(msg::cv3::LibraryLoaded).c_str(), versionText);
    equipment->Log(text);
  }
  return equipment;
}

int FreeEquip(TEquip*& equipment) {
  delete equipment;
  equipment = nullptr;
  return 0;
}

}  // namespace cv
