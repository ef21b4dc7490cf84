#pragma once
// The seven tool launchers every family built on the framework's equipment object shares: their
// log lines without a port, with a port that will not open and with the port opened, and when
// the tool's dialog is made. A family's test derives its object from RecordingEquip<E> and runs
// ExpectFrameworkLaunchers with its own set-up.
#include <gtest/gtest.h>

#include <QDialog>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "Clock.h"
#include "HostForm.h"
#include "PortMap.h"
#include "Serial.h"

// Records, when a tool's dialog is made, what the log holds and whether the port is open; makes
// no dialog, so the launchers' lines are checked apart from the tools' own dialogs.
template <class E>
class RecordingEquip : public E {
 public:
  using E::E;
  struct Made {
    QStringList logSoFar;
    bool portOpen;
  };
  std::vector<Made> made;
  HostForm* host = nullptr;

 protected:
  std::unique_ptr<QDialog> MakeToolDialog(typename E::Tool tool) override {
    (void)tool;
    made.push_back({host->Lines(), this->port && this->port->IsOpen()});
    // Every tool stubbed: a family's real dialog is modal and would hold the check.
    return nullptr;
  }
};

// `make(port)` builds the family's recording object on that port (null: none); `deadPort` will
// not open, `port` leads to the simulator. A family without a data logger (`dataLogger` false)
// keeps the base's launcher, which does nothing in every case.
template <class E>
void ExpectFrameworkLaunchers(const std::function<std::unique_ptr<RecordingEquip<E>>(TSerial*)>& make,
                              HostForm& host, TSerial& port, TSerial& deadPort, bool dataLogger = true) {
  using Run = bool (E::*)();
  struct Row {
    const char* tool;
    Run run;
    bool editor;
    QStringList offline;  // no port
    QString portError;    // the port will not open
    QStringList normal;   // start and end lines of a run
  } rows[] = {
      {"channel editor", &E::RunChannelEditor, true,
       {"Executing Channel Editor (without equipment)", "Channel Editor closed. Ready"},
       "Channel Editor Error:Unable to open port", {"Executing Channel Editor", "Channel Editor closed. Ready"}},
      {"memory editor", &E::RunMemoryEditor, true,
       {"Executing Memory Editor (without equipment)", "Memory Editor closed. Ready"},
       "Memory Editor Error:Unable to open port", {"Executing Memory Editor", "Memory Editor closed. Ready"}},
      {"data logger", &E::RunDataLogger, false, {"Impossible to run DataLogger without equipment"},
       "DataLogger Error:Unable to open port", {"Executing DataLogger"}},
      {"monitor", &E::RunMonitor, false, {"Impossible to run Monitor without equipment"},
       "Remote Monitor Error: Unable to open port", {"Executing Remote Monitor", "Remote Monitor closed. Ready"}},
      {"spectrum", &E::RunSpectrum, false, {"Impossible to run Spectrum Analyser without equipment"},
       "RunSpectrum Error:Unable to open port", {"Executing Spectrum Analyser", "Spectrum Analyser closed. Ready"}},
      {"configuration", &E::RunConfiguration, false, {"Impossible to run Configuration without equipment"},
       "Equipment Configuration Error:Unable to open port",
       {"Executing Equipment Configuration", "Equipment Configuration closed. Ready"}},
      {"firmware update", &E::RunUpdateFirmware, false, {"Impossible to run Update Firmware without equipment"},
       "Update Firmware Error:Unable to open port", {"Executing Update Firmware", "Update Firmware closed. Ready"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.tool);
    if (!dataLogger && r.run == &E::RunDataLogger) {
      for (TSerial* p : {static_cast<TSerial*>(nullptr), &deadPort, &port}) {
        host.Clear();
        auto equip = make(p);
        EXPECT_FALSE(equip->RunDataLogger());
        EXPECT_TRUE(host.Lines().isEmpty());
        EXPECT_TRUE(equip->made.empty());
        EXPECT_FALSE(port.IsOpen());
      }
      continue;
    }
    {
      host.Clear();
      auto equip = make(nullptr);
      EXPECT_EQ((equip.get()->*r.run)(), r.editor);
      EXPECT_EQ(host.Lines(), r.offline);
      // An editor runs without the instrument; the tools that need it make no dialog.
      EXPECT_EQ(equip->made.size(), r.editor ? 1u : 0u);
    }
    {
      host.Clear();
      auto equip = make(&deadPort);
      EXPECT_FALSE((equip.get()->*r.run)());
      EXPECT_EQ(host.Lines(), QStringList{r.portError});
      EXPECT_TRUE(equip->made.empty());
    }
    {
      host.Clear();
      auto equip = make(&port);
      EXPECT_TRUE((equip.get()->*r.run)());
      EXPECT_EQ(host.Lines(), r.normal);
      ASSERT_EQ(equip->made.size(), 1u);
      EXPECT_TRUE(equip->made[0].portOpen);
      // Editors log their start line before the dialog exists, the other tools after; a closing
      // line comes once the port is closed again.
      EXPECT_EQ(equip->made[0].logSoFar, r.editor ? QStringList{r.normal[0]} : QStringList{});
      EXPECT_FALSE(port.IsOpen());
    }
  }
}

// What the host's idle pass asks: the editors always, the port tools only with a port, and the
// channel identifier only for a family that has one (`identifier`), with a port; the data logger
// never for a family without one (`dataLogger` false).
inline void ExpectToolsOffered(TEquip& equip, bool withPort, bool identifier = false, bool dataLogger = true) {
  EXPECT_TRUE(equip.HasChannelEditor());
  EXPECT_TRUE(equip.HasMemoryEditor());
  EXPECT_EQ(equip.HasDataLogger(), dataLogger && withPort);
  EXPECT_EQ(equip.HasMonitor(), withPort);
  EXPECT_EQ(equip.HasSpectrum(), withPort);
  EXPECT_EQ(equip.HasConfiguration(), withPort);
  EXPECT_EQ(equip.HasUpdateFirmware(), withPort);
  EXPECT_EQ(equip.HasChannelIdentifier(), identifier && withPort);
  if (!identifier) {
    EXPECT_FALSE(equip.RunChannelIdentifier());
  }
}

// A family's equipment object against its simulated meter (SimOn<Profile, Baud>) on COM1, with a
// fake clock for its waits, and the checks every such family passes.
template <class E, class Sim>
class EquipOnSim : public ::testing::Test, public Sim {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(this->StartSim());
    this->Settle();
  }

  std::unique_ptr<RecordingEquip<E>> Make(TSerial* withPort) {
    std::unique_ptr<RecordingEquip<E>> e(TCv3Equip::Build<RecordingEquip<E>>(&host.form, withPort));
    e->clock = &clock;
    e->host = &host;
    return e;
  }

  // Built with and without a port, the object names its model and asks the meter nothing.
  void ExpectIdentifiedWithoutTalking(const char* model, bool identifier = false, bool dataLogger = true) {
    for (TSerial* p : {static_cast<TSerial*>(nullptr), &this->port}) {
      SCOPED_TRACE(p ? "with a port" : "without a port");
      this->sim->ClearTraffic();
      auto equip = Make(p);
      EXPECT_STREQ(equip->modelName, model);
      ExpectToolsOffered(*equip, p != nullptr, identifier, dataLogger);
      this->Settle();
      EXPECT_TRUE(this->sim->Lines().empty()) << this->sim->Received();
      EXPECT_FALSE(this->port.IsOpen());
    }
  }

  void ExpectLaunchersLikeTheFramework(bool dataLogger = true) {
    TSerial deadPort{5};
    cv::SetPortPaths({{1, this->sim->Path()}, {6, "/nonexistent/tool-port"}});
    ExpectFrameworkLaunchers<E>([this](TSerial* p) { return Make(p); }, host, this->port, deadPort, dataLogger);
    // Opening the port wakes the meter with "*"; the stubbed tools send nothing more.
    this->Settle();
    for (const std::string& line : this->sim->Lines()) EXPECT_EQ(line, "*");
  }

  HostForm host;
  cv::FakeClock clock;
};
