#pragma once
// What the families' spectrum analyser tests share: the dialog over the family's equipment
// object on its simulated meter, the logger file without its moment of saving, and the host's
// Spectrum button opening the family's dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Clock.h"
#include "Cv3Equip.h"
#include "HostForm.h"
#include "Serial.h"
#include "Specdlg.h"
#include "ToolButtonChecks.h"

// The family's dialog (made by the fixture's MakeDialog) over its equipment object, the command
// layer on the simulator's pseudo-terminal and every wait on a fake clock.
template <class Sim, class Equip>
class SpectrumOnSim : public ::testing::Test, public Sim {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(this->StartSim());
    equip.reset(TCv3Equip::Build<Equip>(&host.form, &this->port));
    equip->clock = &clock;
    ASSERT_NO_FATAL_FAILURE(this->SettleAndOpen());
    // The open's wake line is answered before the case starts.
    for (int i = 0; i < 400 && this->sim->Lines().empty(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    this->Settle();
    this->sim->ClearTraffic();
    Make(',', ';');
  }
  virtual std::unique_ptr<QDialog> MakeDialog() = 0;
  void Make(char decimal, char list) {
    dlg.reset();
    equip->decimalSeparator = decimal;
    equip->listSeparator = list;
    std::unique_ptr<QDialog> made = MakeDialog();
    dlg.reset(static_cast<TSpectrumDlg*>(made.release()));
    dlg->showError = [this](const QString&, const QString& t) { boxes.push_back(t.toStdString()); };
    dlg->beep = [this] { ++beeps; };
  }
  template <class T>
  T* W(const char* name) {
    T* w = dlg->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  // Types into a setting edit and leaves it, as the user does.
  void Type(const char* edit, const char* text) {
    W<QLineEdit>(edit)->setText(text);
    const std::string name = edit;
    if (name == "InitialFreqEdit") dlg->OnExitInitialFreq();
    if (name == "FinalFreqEdit") dlg->OnExitFinalFreq();
    if (name == "StepFreqEdit") dlg->OnExitStepFreq();
    if (name == "SnapsEdit") dlg->OnExitSnaps();
    if (name == "TimeStepEdit") dlg->OnExitTimeStep();
  }
  std::vector<std::string> Sent() {
    this->Settle();
    return this->sim->Lines();
  }
  std::vector<std::string> Tunings() {
    std::vector<std::string> out;
    for (const std::string& l : Sent())
      if (l.rfind("*FR", 0) == 0) out.push_back(l);
    return out;
  }
  bool Logged(const QString& line) const { return host.Lines().contains(line); }
  // Prints the sweep shown into the PDF `name` and gives the page's text.
  QString PrintedText(const QString& name) {
    const QString pdf = tmp.filePath(name);
    dlg->Printer().setOutputFormat(QPrinter::PdfFormat);
    dlg->Printer().setOutputFileName(pdf);
    dlg->confirmPrint = [](QPrinter&) { return true; };
    dlg->PrintBtnClick();
    EXPECT_TRUE(Logged("Spectrum sent to print"));
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", pdf, "-"});
    EXPECT_TRUE(pdftotext.waitForFinished(20000));
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
  }

  HostForm host;
  cv::FakeClock clock;
  std::unique_ptr<Equip> equip;
  std::unique_ptr<TSpectrumDlg> dlg;
  std::vector<std::string> boxes;
  int beeps = 0;
  QTemporaryDir tmp;
};

// The logger file with the date and time of saving masked.
inline QString WithoutMoment(QString text) {
  text.replace(QRegularExpression("\\d+/\\d+/\\d{4}"), "D");
  text.replace(QRegularExpression("\\d+:\\d\\d"), "T");
  return text;
}

// A saved logger file against its golden file (masked; CV_WRITE_GOLDENS=1 writes the golden).
inline void ExpectLoggerGolden(const QByteArray& saved, const QString& goldenPath) {
  const QString text = WithoutMoment(QString::fromLatin1(saved));
  if (qEnvironmentVariableIsSet("CV_WRITE_GOLDENS")) {
    QFile out(goldenPath);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(text.toLatin1());
  }
  QFile golden(goldenPath);
  ASSERT_TRUE(golden.open(QIODevice::ReadOnly)) << goldenPath.toStdString();
  EXPECT_EQ(text.toStdString(), golden.readAll().toStdString());
}

// RunSpectrum from a closed port: the dialog shows (`check` looks at it before it is closed), the
// launcher logs its two lines and closes the port again.
inline void ExpectSpectrumButtonOpensDialog(TCv3Equip& equip, HostForm& host, TSerial& port,
                                            const std::function<void(TSpectrumDlg&)>& check) {
  host.Clear();
  ExpectToolButtonOpens<TSpectrumDlg>(port, [&] { return equip.RunSpectrum(); }, [&](TSpectrumDlg& d) {
    check(d);
    return true;
  });
  EXPECT_EQ(host.Lines(), (QStringList{"Executing Spectrum Analyser", "Spectrum Analyser closed. Ready"}));
}
