// The CORVANE-4 memory settings dialog as a user reaches it: detected on COM3, Memory Editor,
// Receive, Edit on the first memory. Enter in an edit runs that edit's rule and moves the focus to
// OK without closing the dialog; Cancel leaves the memory unmodified. The plug-in's forms are of
// its own copy of the framework, so they are found by their controls' names.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "AppServices.h"
#include "HostHome.h"
#include "Mainform.h"
#include "Profiles.h"
#include "Simulator.h"

namespace {

template <class T>
T* Child(QWidget* w, const char* name) {
  T* c = w ? w->findChild<T*>(name) : nullptr;
  EXPECT_NE(c, nullptr) << name;
  return c;
}

}  // namespace

TEST(Cv4MemoryDataFromMainWindow, EnterRunsTheRuleAndStaysOpen) {
  HostHome home;
  ASSERT_TRUE(home.isValid());
  for (QString f : {QString("Cv4Tools.so"), QString("CvTools.cfg")})
    ASSERT_TRUE(QFile::copy(QString(CV_BIN_DIR) + "/" + f, home.filePath(f))) << f.toStdString();
  cvsim::Simulator sim(cvsim::MakeProfile("corvane4"));
  std::string error;
  ASSERT_TRUE(sim.Start(&error)) << error;
  QFile ini(home.filePath("CvTools.INI"));
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
  ini.write(("[Ports]\nCOM1=" + home.Path("no-such-device") + "\nCOM2=" + home.Path("no-such-device-either") +
             "\nCOM3=" + sim.Path() + "\n")
                .c_str());
  ini.close();
  cv::RecordingPrompter prompter;

  TMainForm w;
  w.DetectBtnClick();
  ASSERT_NE(w.equipment, nullptr);
  w.UpdateTools();

  struct Seen {
    QString title, bandBefore, bandAfter, freqAfter;
    bool visibleAfterEnter = false, okFocused = false;
    int listed = -1;
    bool editorStillOpen = true;
  } seen;
  QTimer::singleShot(0, &w, [&] {
    QWidget* editor = QApplication::activeModalWidget();
    ASSERT_NE(editor, nullptr);
    auto* list = Child<QListWidget>(editor, "MemoryListBox");
    Child<QPushButton>(editor, "ReceiveBtn")->click();
    seen.listed = list->count();
    list->setCurrentRow(0);
    QTimer::singleShot(0, editor, [&] {
      QWidget* d = QApplication::activeModalWidget();
      ASSERT_NE(d, nullptr);
      seen.title = d->windowTitle();
      auto* freq = Child<QLineEdit>(d, "FreqEdit");
      auto* band = Child<QComboBox>(d, "BandCombo");
      auto* ok = Child<QPushButton>(d, "OKBtn");
      seen.bandBefore = band->currentText();
      QApplication::setActiveWindow(d);
      freq->setFocus();
      freq->setText(seen.bandBefore == "TER" ? "900" : "474");
      QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
      QApplication::sendEvent(freq, &enter);
      QApplication::processEvents();
      seen.visibleAfterEnter = d->isVisible();
      seen.okFocused = QApplication::focusWidget() == ok;
      seen.bandAfter = band->currentText();
      seen.freqAfter = freq->text();
      Child<QPushButton>(d, "CancelBtn")->click();
    });
    Child<QPushButton>(editor, "EditBtn")->click();
    // Cancel took nothing: Close asks no question.
    Child<QPushButton>(editor, "CloseBtn")->click();
    seen.editorStillOpen = editor->isVisible();
  });
  w.EditMemBtn->click();

  EXPECT_EQ(seen.listed, 99);
  EXPECT_EQ(seen.title, "Measurement Configuration - Memory 1");
  EXPECT_TRUE(seen.visibleAfterEnter);
  EXPECT_TRUE(seen.okFocused);
  EXPECT_NE(seen.bandAfter, seen.bandBefore);  // the frequency's rule moved the band
  EXPECT_TRUE(seen.freqAfter.startsWith(seen.bandBefore == "TER" ? "900" : "474")) << seen.freqAfter.toStdString();
  EXPECT_FALSE(seen.editorStillOpen);
  EXPECT_TRUE(prompter.shown.empty());
}
