#pragma once
// A family's plug-in and the host's configuration file copied into the host's home, and its
// simulated meter started on COM3 (COM1 and COM2 lead nowhere), so that Detect finds it there.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QWidget>
#include <chrono>
#include <memory>

#include "HostHome.h"
#include "Profiles.h"
#include "Simulator.h"

// Call under ASSERT_NO_FATAL_FAILURE.
inline void PlaceFamilyOnCom3(HostHome& home, const char* plugin, const char* profile,
                              std::unique_ptr<cvsim::Simulator>& sim) {
  ASSERT_TRUE(home.isValid());
  for (QString f : {QString(plugin) + ".so", QString("CvTools.cfg")})
    ASSERT_TRUE(QFile::copy(QString(CV_BIN_DIR) + "/" + f, home.filePath(f))) << f.toStdString();
  sim = std::make_unique<cvsim::Simulator>(cvsim::MakeProfile(profile));
  std::string error;
  ASSERT_TRUE(sim->Start(&error)) << error;
  QFile ini(home.filePath("CvTools.INI"));
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
  ini.write(("[Ports]\nCOM1=" + home.Path("no-such-device") + "\nCOM2=" + home.Path("no-such-device-either") +
             "\nCOM3=" + sim->Path() + "\n")
                .c_str());
}

// The open modal window, and a control of a plug-in's form by its object name (the plug-in's
// forms are of its own copy of the framework, so they are found by name, not by class).
inline QWidget* ModalWindow() {
  QWidget* w = QApplication::activeModalWidget();
  EXPECT_NE(w, nullptr);
  return w;
}

template <class T>
T* NamedChild(QWidget* w, const char* name) {
  T* c = w ? w->findChild<T*>(name) : nullptr;
  EXPECT_NE(c, nullptr) << name;
  return c;
}

// Runs the event loop until `done` holds or two seconds have passed.
template <class F>
bool SpinUntil(F done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (!done() && std::chrono::steady_clock::now() < end) QApplication::processEvents(QEventLoop::AllEvents, 5);
  return done();
}
