// A certificate from the analyser to the PDF: a data-logger file received from the simulated
// analyser over a pseudo-terminal, roles given in the measurement sheet's combos, the REPORTS
// button with the real observations dialog answered for each section, then the HTML, XML and
// PDF files checked by outside tools.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "AskObsDlg.h"
#include "DataLoggerCtl.h"
#include "DataLoggerSheetDlg.h"
#include "FileDialogs.h"
#include "ModalHelper.h"
#include "OutsideTools.h"
#include "RecordingOpener.h"
#include "StartDir.h"
#include "Text1252.h"
#include "Xr9CertFixture.h"
#include "Xr9DlFixture.h"
#include "Xr9Sim.h"

using namespace cv::xr9;

namespace {

struct Pick {
  int role, branch;  // the role combo's item, the branch combo's (-1: left alone)
};

class CertificateEndToEnd : public Xr9Sim {
 protected:
  void SetUp() override {
    Xr9Sim::SetUp();  // the equipment object starts in `start`, where the observations file goes
    ctl = std::make_unique<DataLoggerCtl>(*equip, [this](const std::string& l) { memo << QString::fromStdString(l); });
    ctl->folder = folder.path().toStdString();
    OpenLink();
  }
  QString Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
  }

  // The file received from the analyser into slot 0.
  void Receive(const std::string& dl) {
    Analyser([&](cvsim::Xr9Profile& p) { p.PutFile(10, "CERT", dl); });
    ctl->ListAll();
    ASSERT_EQ(ctl->ItemCount(), 1);
    ctl->SetTicked(0, true);
    ctl->ReceiveTicked();
    ASSERT_EQ(ctl->Entry(0).state, TDataLogListEntry::Received);
    ASSERT_TRUE(ctl->CanView());
  }

  // The report of `kind` through the sheet: the roles picked in its combos (a row a point), the
  // IF SAT test box ticked when asked, each observations question answered in its dialog, and
  // the REPORTS button with `name`.pdf chosen.
  void Report(int kind, const std::vector<Pick>& picks, bool ifSatBox, const QString& name) {
    ctl->reportsEnabled = true;
    ctl->chosenKind = kind;
    TDataLoggerSheetDlg sheet(nullptr, *ctl, *equip);
    ASSERT_TRUE(sheet.Init());
    sheet.ShowFile(0);
    ctl->sheet = &sheet.Sheet();
    auto pick = [&](const QString& combo, int item) {
      auto* c = sheet.findChild<QComboBox*>(combo);
      ASSERT_NE(c, nullptr) << combo.toStdString();
      c->setCurrentIndex(item);
      emit c->activated(item);
    };
    for (size_t r = 0; r < picks.size(); ++r) {
      pick(QString("PM%1AttComboBox").arg(r), picks[r].role);
      if (picks[r].branch >= 0) pick(QString("PM%1BranchComboBox").arg(r), picks[r].branch);
    }
    auto* box = sheet.findChild<QCheckBox*>("IFSATTestCheckBox");
    ASSERT_NE(box, nullptr);
    boxOffered = box->isVisibleTo(&sheet);
    if (ifSatBox) {
      ASSERT_TRUE(box->isVisibleTo(&sheet));
      box->click();
    }

    prompts.clear();
    ctl->observationsQuestion = [&](const std::string& prompt) {
      prompts << cv::From1252(prompt);
      const QString typed = QString("Observation %1 & <more>").arg(prompts.size());
      cvtest::WhenModal<QDialog>([typed](QDialog* d) {
        ASSERT_NE(dynamic_cast<TDataLoggerAskObsDlg*>(d), nullptr);
        d->findChild<QPlainTextEdit*>("ObsMemo")->setPlainText(typed);
        d->findChild<QPushButton*>("DoneBtn")->click();
      });
      TDataLoggerAskObsDlg ask(&sheet, *equip);
      ask.SetPrompt(cv::From1252(prompt));
      ask.exec();
      return ask.HasObservations();
    };

    RecordingOpener opener;
    cv::RecordingFileChooser chooser;
    chooser.saveAnswers = {out.filePath(name + ".pdf")};
    prompter.shown.clear();
    sheet.findChild<QPushButton*>("ReportsBtn")->click();
    ctl->sheet = nullptr;

    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "The report was generated successfully :\n" + out.filePath(name + ".pdf"));
    ASSERT_EQ(opener.urls.size(), 1u);
    EXPECT_EQ(opener.urls[0].toLocalFile(), out.filePath(name + ".pdf"));
    xmlPath = out.filePath(name + ".xml");
    htmlPath = out.filePath(name + ".htm");
    pdfPath = out.filePath(name + ".pdf");
  }

  // Each section's observations in its own element and block, as typed in its question.
  void ObservationsOfEachSection(int sections) {
    EXPECT_EQ(prompts.size(), sections);
    EXPECT_EQ(outside::XPathCount(xmlPath, "//OBSERVACIONES"), sections);
    for (int n = 1; n <= sections; ++n) {
      SCOPED_TRACE(n);
      const QString typed = QString("Observation %1 & <more>").arg(n);
      EXPECT_EQ(outside::XPathCount(xmlPath, "/*/*/OBSERVACIONES[contains(., '" + typed + "')]"), 1);
      EXPECT_TRUE(Read(htmlPath).contains("<br>" + typed.toHtmlEscaped() + "\n"));
    }
  }

  void Counts(const std::vector<std::pair<QString, int>>& counts) {
    for (const auto& [expr, n] : counts) EXPECT_EQ(outside::XPathCount(xmlPath, expr), n) << expr.toStdString();
  }

  StartDir start;
  QTemporaryDir folder, out;
  QStringList memo, prompts;
  std::unique_ptr<DataLoggerCtl> ctl;
  QString xmlPath, htmlPath, pdfPath;
  bool boxOffered = false;  // the IF SAT test box, at the last report
};

}  // namespace

TEST_F(CertificateEndToEnd, ReceivedFileRolesInTheSheetKindZeroAsHtmlXmlAndPdf) {
  // 20 DVB-T channels measuring LEVEL and MER, four test points.
  ASSERT_NO_FATAL_FAILURE(Receive(xr9test::DlBytes(xr9test::DlGrid(20, 4, {0, 4}))));
  // Rows 0..3: head-end input, head-end output, best and worst point of branch 1.
  ASSERT_NO_FATAL_FAILURE(Report(0, {{2, -1}, {3, -1}, {0, 0}, {1, 0}}, false, "cert"));
  EXPECT_FALSE(boxOffered);
  const auto& tps = *ctl->store.File(0).testPoints;
  ASSERT_EQ(tps[2].pointType, 0);
  ASSERT_EQ(tps[3].branch, 0);

  EXPECT_TRUE(outside::XmlWellFormed(xmlPath));
  EXPECT_TRUE(Read(xmlPath).endsWith("</CAPTACION_Y_DISTRIBUCION_TERRENAL>\n"));
  EXPECT_TRUE(Read(htmlPath).endsWith("</body>\n</html>"));
  EXPECT_EQ(prompts, (QStringList{"??13", "??13", "??13"}));
  Counts({{"/CAPTACION_Y_DISTRIBUCION_TERRENAL/*", 3}, {"/*/*[1][self::SENALESRF]", 1},
          {"/*/*[2][self::SENALESUSUARIOA]", 1}, {"/*/*[3][self::BER_TERRENAL]", 1},
          {"//SENALRFD", 20}, {"//SENALRFA", 0}, {"//SENALAD", 20}, {"//SENALAA", 0}, {"//SENALBER", 20},
          {"//SENALESUSUARIOA//RAMAL", 20}, {"//BER_TERRENAL//RAMAL", 20}});
  ObservationsOfEachSection(3);
  EXPECT_EQ(xr9test::TableRuns(htmlPath), "7 12 5");
  EXPECT_EQ(Read(htmlPath).count("<p class=breakhere"), 4);
  EXPECT_EQ(outside::PdfPages(pdfPath), 5);
}

// A satellite file from the analyser: the satellite certificate of kind 1 (the box is not
// offered), then kind 0 with the IF SAT test box ticked.
TEST_F(CertificateEndToEnd, SatelliteFileAsCertificateAndAsIfSatTest) {
  ASSERT_NO_FATAL_FAILURE(Receive(xr9test::DlBytes(xr9test::SatCertLog())));
  // Head-end input and output, best and worst points of branches 1 and 2.
  const std::vector<Pick> picks = {{2, -1}, {3, -1}, {0, 0}, {1, 0}, {0, 1}, {1, 1}};
  ASSERT_NO_FATAL_FAILURE(Report(1, picks, false, "sat"));
  EXPECT_FALSE(boxOffered);
  EXPECT_TRUE(outside::XmlWellFormed(xmlPath));
  EXPECT_TRUE(Read(xmlPath).endsWith("</CAPTACION_Y_DISTRIBUCION_SATELITE>\n"));
  Counts({{"/CAPTACION_Y_DISTRIBUCION_SATELITE/*", 2}, {"/*/*[1][self::NIVELESAMPLI]", 1},
          {"/*/*[2][self::BER_SATELITE]", 1}, {"//SENALAM", 3}, {"//SENALBER_S", 3}, {"//RAMAL", 12}});
  ObservationsOfEachSection(2);
  EXPECT_EQ(xr9test::TableRuns(htmlPath), "11 5");
  EXPECT_EQ(outside::PdfPages(pdfPath), 2);

  ASSERT_NO_FATAL_FAILURE(Report(0, picks, true, "ifsat"));
  EXPECT_TRUE(outside::XmlWellFormed(xmlPath));
  Counts({{"/CAPTACION_Y_DISTRIBUCION_TERRENAL/*", 1}, {"/*/SENALESUSUARIOB", 1}, {"//SENALAB", 3}, {"//RAMAL", 6}});
  ObservationsOfEachSection(1);
  EXPECT_EQ(xr9test::TableRuns(htmlPath), "10");
  EXPECT_EQ(outside::PdfPages(pdfPath), 1);
}
