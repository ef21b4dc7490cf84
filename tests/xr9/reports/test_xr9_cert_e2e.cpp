// A certificate from the analyser to the PDF: a data-logger file received from the simulated
// analyser over a pseudo-terminal, roles given in the measurement sheet's combos, the REPORTS
// button with the real observations dialog answered for each section, then the HTML, XML and
// PDF files checked by outside tools.
#include <gtest/gtest.h>

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
#include "Xr9DlFixture.h"
#include "Xr9Sim.h"

using namespace cv::xr9;

namespace {

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

  StartDir start;
  QTemporaryDir folder, out;
  QStringList memo;
  std::unique_ptr<DataLoggerCtl> ctl;
};

}  // namespace

TEST_F(CertificateEndToEnd, ReceivedFileRolesInTheSheetKindZeroAsHtmlXmlAndPdf) {
  // 20 DVB-T channels with level and power, four test points.
  const std::string dl = xr9test::DlBytes(xr9test::DlGrid(20, 4, {0, 4}));
  Analyser([&](cvsim::Xr9Profile& p) { p.PutFile(10, "CERT", dl); });
  ctl->ListAll();
  ASSERT_EQ(ctl->ItemCount(), 1);
  ctl->SetTicked(0, true);
  ctl->ReceiveTicked();
  ASSERT_EQ(ctl->Entry(0).state, TDataLogListEntry::Received);
  ASSERT_TRUE(ctl->CanView());

  ctl->reportsEnabled = true;
  ctl->chosenKind = 0;
  TDataLoggerSheetDlg sheet(nullptr, *ctl, *equip);
  ASSERT_TRUE(sheet.Init());
  sheet.ShowFile(0);
  ctl->sheet = &sheet.Sheet();
  // Rows 0..3: head-end input, head-end output, best and worst point of branch 1.
  auto pick = [&](const QString& name, int item) {
    auto* combo = sheet.findChild<QComboBox*>(name);
    ASSERT_NE(combo, nullptr) << name.toStdString();
    combo->setCurrentIndex(item);
    emit combo->activated(item);
  };
  pick("PM0AttComboBox", 2);
  pick("PM1AttComboBox", 3);
  pick("PM2AttComboBox", 0);
  pick("PM2BranchComboBox", 0);
  pick("PM3AttComboBox", 1);
  pick("PM3BranchComboBox", 0);
  const auto& tps = *ctl->store.File(0).testPoints;
  ASSERT_EQ(tps[2].pointType, 0);
  ASSERT_EQ(tps[3].branch, 0);

  // The observations question as the data-logger form asks it, answered in its dialog.
  QStringList prompts;
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
  chooser.saveAnswers = {out.filePath("cert.pdf")};
  prompter.shown.clear();
  sheet.findChild<QPushButton*>("ReportsBtn")->click();

  ASSERT_EQ(prompter.shown.size(), 1u) << prompter.shown[0].text.toStdString();
  EXPECT_EQ(prompter.shown[0].text, "The report was generated successfully :\n" + out.filePath("cert.pdf"));
  ASSERT_EQ(opener.urls.size(), 1u);
  EXPECT_EQ(opener.urls[0].toLocalFile(), out.filePath("cert.pdf"));

  const QString xmlPath = out.filePath("cert.xml"), htmlPath = out.filePath("cert.htm");
  EXPECT_TRUE(outside::XmlWellFormed(xmlPath));
  EXPECT_EQ(outside::XPathCount(xmlPath, "/CAPTACION_Y_DISTRIBUCION_TERRENAL"), 1);
  EXPECT_TRUE(Read(xmlPath).endsWith("</CAPTACION_Y_DISTRIBUCION_TERRENAL>\n"));
  EXPECT_TRUE(Read(htmlPath).endsWith("</body>\n</html>"));
  EXPECT_GE(outside::PdfPages(out.filePath("cert.pdf")), 1);

  // One question per section written, each section's observations in its own element and block.
  const int sections = outside::XPathCount(
      xmlPath, "/CAPTACION_Y_DISTRIBUCION_TERRENAL/*[self::SENALESRF or self::SENALESUSUARIOA or self::BER_TERRENAL]");
  EXPECT_LE(prompts.size(), 3);
  EXPECT_EQ(prompts.size(), sections);
  EXPECT_EQ(outside::XPathCount(xmlPath, "//OBSERVACIONES"), sections);
  for (int n = 1; n <= sections; ++n) {
    SCOPED_TRACE(n);
    const QString typed = QString("Observation %1 & <more>").arg(n);
    EXPECT_EQ(outside::XPathCount(xmlPath, "/*/*/OBSERVACIONES[contains(., '" + typed + "')]"), 1);
    EXPECT_TRUE(Read(htmlPath).contains("<br>" + typed.toHtmlEscaped() + "\n"));
  }
}
