#pragma once
// The data logger dialog on a simulated CORVANE-3 (COM1, unpaced), with the port open as the
// launcher leaves it, a recording prompter and no printer unless a test installs one.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

#include "AppServices.h"
#include "Cv3Equip.h"
#include "Datalogdlg.h"
#include "HostForm.h"
#include "Printers.h"
#include "SimOnCom1.h"
#include "StartDir.h"

class LoggerSim : public ::testing::Test, public SimOnCom1 {
 protected:
  void SetUp() override {
    cv::SetInstalledPrinterCount(0);
    ASSERT_NO_FATAL_FAILURE(StartSim());
    Settle();
    equip = std::make_unique<TCv3Equip>(&host.form, &port);
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    dlg = std::make_unique<TDataLoggerDlg>(&host.form, equip.get());
    dlg->runViewer = [this]() { ++viewerRuns; };
    host.Clear();
    sim->ClearTraffic();
  }
  void TearDown() override {
    dlg.reset();
    port.Close();
    cv::SetInstalledPrinterCount(-1);
  }

  template <class T = QPushButton>
  T* Control(const char* name) {
    T* w = dlg->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  void Click(const char* name) { Control(name)->click(); }
  void SetRadio(const char* group, int index) {
    auto* g = Control<TLoggerRadioGroup>(group);
    g->findChild<QRadioButton*>(QStringLiteral("Item%1").arg(index))->click();
  }
  // The lines the instrument received that start with `prefix`.
  std::vector<std::string> Sent(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& l : sim->Lines())
      if (l.rfind(prefix, 0) == 0) out.push_back(l);
    return out;
  }
  QStringList Log() const { return host.Lines(); }

  StartDir start;
  HostForm host;
  std::unique_ptr<TCv3Equip> equip;
  std::unique_ptr<TDataLoggerDlg> dlg;
  cv::RecordingPrompter prompter;
  int viewerRuns = 0;
};
