// The MPEG-2 analyser: its plain decoding, every handler against the simulated CORVANE-4 over a
// pseudo-terminal, and the update dialog's "MP" button around it.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTimer>
#include <cmath>
#include <fstream>
#include <functional>
#include <optional>

#include "Cv4Equip.h"
#include "Cv4Sim.h"
#include "FamilySettingsSim.h"
#include "Mpegdialog.h"
#include "PortMap.h"
#include "Updatedlg4.h"

namespace {

using cv::cv4::TMpegDlg;
using MpegSim = FamilySettingsSim<Cv4Sim, cv::cv4::TCv4Equip>;

QStringList MemoLines(const QPlainTextEdit* memo) { return memo->toPlainText().split('\n'); }

// Every character of `text` takes one width in the memo, so that a dump's columns line up
// whatever fonts the machine has.
void ExpectOneAdvance(const QPlainTextEdit* memo, const QString& text) {
  const QFontMetricsF fm(memo->font());
  const qreal advance = fm.horizontalAdvance(QChar(u'0'));
  QString wider;
  for (QChar c : text)
    if (c != u'\n' && std::abs(fm.horizontalAdvance(c) - advance) > 0.01 && !wider.contains(c)) wider += c;
  EXPECT_TRUE(wider.isEmpty()) << memo->objectName().toStdString() << " in " << memo->font().family().toStdString()
                               << ": \"" << wider.toStdString() << "\" differ from the width of 0";
}

TEST(MpegText, HexToTextRendersPrintablePairsAndDotsTheRest) {
  struct Case {
    std::string hex;
    size_t length;
    std::string text;
  } cases[] = {
      {"41427A7D", 8, "A B z } "},
      {"1F207D7E", 8, ".   } . "},         // 31 and 126 are outside 32..125
      {"4G zz-1", 8, ". . . . "},          // not hexadecimal; the last position is past the text
      {"6162", 2, "a "},                   // only the given length
      {"616", 4, "a . "},                  // a pair cut by the text's end
      {"", 4, ". . "},
      {"4a4B", 4, "J K "},
  };
  for (const Case& c : cases) EXPECT_EQ(cv::cv4::HexToText(c.hex, c.length), c.text) << c.hex;
}

TEST(MpegText, SelectionReadoutInHalvesAndHex) {
  struct Case {
    size_t n;
    char separator;
    const char* bytes;
    const char* hex;
  } cases[] = {{0, '.', "0", "x000"},  {3, '.', "1.5", "x001"},   {3, ',', "1,5", "x001"},
               {1, ',', "0,5", "x000"}, {400, ',', "200", "x0C8"}, {8192, '.', "4096", "x1000"}};
  for (const Case& c : cases) {
    const cv::cv4::SelectionReadout r = cv::cv4::ShowSelection(c.n, c.separator);
    EXPECT_EQ(r.bytes, c.bytes) << c.n;
    EXPECT_EQ(r.hex, c.hex) << c.n;
  }
}

TEST(MpegText, TableBitOfTheFourthCharacter) {
  for (char c : std::string("0123456789")) EXPECT_EQ(cv::cv4::TableIsSdt(std::string("*I2") + c + "F"), c >= '8') << c;
  for (char c : std::string("ABCDEFabcdef")) EXPECT_TRUE(cv::cv4::TableIsSdt(cv::cv4::UpperCommand(std::string("*I2") + c + "0"))) << c;
  for (const char* reply : {"", "*I2", "*I2G0", "*I2!0"}) EXPECT_FALSE(cv::cv4::TableIsSdt(reply)) << reply;
}

TEST(MpegText, ADumpEndsAtItsFirstShortPiece) {
  using cv::cv4::AssembleDump;
  EXPECT_EQ(AssembleDump({"*DNABCD", "*DNPxyzEF"}, {{3, 4}, {7, 2}}), "ABCDEF");
  EXPECT_EQ(AssembleDump({"*DNAB", "*DNPxyzEF"}, {{3, 4}, {7, 2}}), "AB");
  EXPECT_EQ(AssembleDump({"*D", "*DNPxyzEF"}, {{3, 4}, {7, 2}}), "");
  EXPECT_EQ(AssembleDump({"*DNABCD", "*DNPxyzEFGH"}, {{3, 4}, {7, 2}}), "ABCDEF") << "a piece takes its count";
  EXPECT_EQ(cv::cv4::AppendStatus(std::string(300, 'a'), "*MP" + std::string(300, 'b')),
            std::string(255, 'a') + " " + std::string(255, 'b'));
  EXPECT_EQ(cv::cv4::AppendStatus("x", "*M"), "x ");
}

class MpegDlgSim : public MpegSim {
 protected:
  void SetUp() override {
    MpegSim::SetUp();
    Profile([&](cvsim::Corvane4Profile& p) {
      packet = p.mpegPacket;
      section = p.mpegSection;
      status = p.mpegStatus;
    });
    dlg = std::make_unique<TMpegDlg>(&host.form, equip.get());
  }
  // Every line the meter received since the traffic was last cleared.
  std::vector<std::string> AllSent() { return Sent(""); }
  // A fresh dialog on a meter without faults but those `meter` sets.
  void NewDialogOn(const std::function<void(cvsim::Corvane4Profile&)>& meter) {
    Profile([&](cvsim::Corvane4Profile& p) {
      p.refused.clear();
      p.fixedReplies.clear();
      if (meter) meter(p);
    });
    dlg = std::make_unique<TMpegDlg>(&host.form, equip.get());
  }
  void Type(const QString& text) {
    dlg->EnviarComboBox->setEditText(text);
    dlg->EnviarBtn->click();
  }
  // A row's address and box state, set without writing.
  static void Row(QCheckBox* box, QLineEdit* edit, const char* address, bool checked) {
    edit->setText(address);
    box->blockSignals(true);
    box->setChecked(checked);
    box->blockSignals(false);
  }

  std::vector<unsigned char> packet, section;
  std::string status;
  std::unique_ptr<TMpegDlg> dlg;
};

// One table of handlers: the meter's state, what the user does, the lines the meter receives
// and what the form shows.
TEST_F(MpegDlgSim, HandlersAgainstTheMeter) {
  const std::string packetText = "P000" + cvsim::Corvane4Profile::HexBytes(packet, 0, 120) + cvsim::Corvane4Profile::HexBytes(packet, 120, 78);
  const std::string sectionText = cvsim::Corvane4Profile::HexBytes(section, 0, 1024).substr(0, 2047);
  const std::vector<std::string> nine = {"*?DN00007A", "*?DN007A7A", "*?DN00F47A", "*?DN016E7A", "*?DN01E87A",
                                         "*?DN02627A", "*?DN02DC7A", "*?DN03567A", "*?DN03D030"};
  std::vector<std::string> sectionLines = {"*7205&"};
  sectionLines.insert(sectionLines.end(), nine.begin(), nine.end());
  std::vector<std::string> sevenLines(sectionLines.begin(), sectionLines.begin() + 8);
  struct Case {
    const char* what;
    std::function<void(cvsim::Corvane4Profile&)> meter;
    std::function<void(TMpegDlg&)> act;
    std::vector<std::string> sent;
    std::function<void(TMpegDlg&)> check;
  } cases[] = {
      {"packet dump rendered", nullptr,
       [](TMpegDlg& d) {
         d.ConvertirCheckBox->setChecked(true);
         d.GetPacketBtn->click();
       },
       {"*7205&", "*?DNP00078", "*?DNP07850"},
       [&](TMpegDlg& d) {
         const QStringList lines = MemoLines(d.CharMemo);
         ASSERT_EQ(lines.size(), 2);
         // The hour has no leading zero: "9:05" in the morning, "21:05" at night.
         EXPECT_TRUE(QRegularExpression("^([1-9]|1[0-9]|2[0-3]|0):[0-5][0-9]$").match(lines[0]).hasMatch())
             << "hours and minutes: " << lines[0].toStdString();
         EXPECT_EQ(lines[1].toStdString(), packetText);
         EXPECT_EQ(lines[1].size(), 400);
         const QStringList ascii = MemoLines(d.AsciiMemo);
         ASSERT_EQ(ascii.size(), 2);
         EXPECT_EQ(ascii[0], " ");
         EXPECT_EQ(ascii[1].toStdString(), cv::cv4::HexToText(packetText, 400));
         EXPECT_TRUE(ascii[1].startsWith(". . G . . . C V T V ")) << ascii[1].toStdString();
         ExpectOneAdvance(d.CharMemo, d.CharMemo->toPlainText());
         ExpectOneAdvance(d.AsciiMemo, d.AsciiMemo->toPlainText());
       }},
      {"a short first reply ends the shown text",
       [](cvsim::Corvane4Profile& p) { p.fixedReplies["*?DNP00078"] = "*DNP000474142"; },
       [](TMpegDlg& d) { d.GetPacketBtn->click(); },
       {"*7205&", "*?DNP00078", "*?DNP07850"},
       [](TMpegDlg& d) {
         EXPECT_EQ(MemoLines(d.CharMemo).value(1), "P000474142");
         EXPECT_TRUE(d.AsciiMemo->toPlainText().isEmpty()) << "Convertir unticked";
       }},
      {"section dump rendered", nullptr,
       [](TMpegDlg& d) {
         d.ConvertirCheckBox->setChecked(true);
         d.GetSect->click();
       },
       sectionLines,
       [&](TMpegDlg& d) {
         EXPECT_EQ(MemoLines(d.CharMemo).value(1).toStdString(), sectionText);
         const QString rendering = MemoLines(d.AsciiMemo).value(1);
         EXPECT_EQ(rendering.size(), 2048);
         EXPECT_EQ(rendering.toStdString(), cv::cv4::HexToText(sectionText, 2048));
         EXPECT_TRUE(rendering.endsWith(". ")) << "the final digit pairs with the text's end";
         EXPECT_TRUE(rendering.startsWith("S E R V I C E ")) << rendering.left(40).toStdString();
       }},
      {"a failure part-way", [](cvsim::Corvane4Profile& p) { p.refused = {"*?DN02DC"}; },
       [](TMpegDlg& d) {
         d.ConvertirCheckBox->setChecked(true);
         d.GetSect->click();
       },
       sevenLines,
       [](TMpegDlg& d) {
         EXPECT_EQ(MemoLines(d.CharMemo), QStringList{"Error RxTx"});
         EXPECT_TRUE(d.AsciiMemo->toPlainText().isEmpty());
       }},
      {"a refused access code", [](cvsim::Corvane4Profile& p) { p.refused = {"*7205&"}; },
       [](TMpegDlg& d) { d.GetPacketBtn->click(); }, {"*7205&"},
       [](TMpegDlg& d) { EXPECT_EQ(MemoLines(d.CharMemo), QStringList{"Error RxTx"}); }},
      {"change twice", nullptr,
       [](TMpegDlg& d) {
         d.SDTBtn->click();
         EXPECT_EQ(d.TaulaLabel->text(), "SDT");
         EXPECT_TRUE(d.SdtSelected);
         d.SDTBtn->click();
       },
       {"*7205&", "*I2148FF", "*?I2148001", "*7205&", "*I21487F", "*?I2148001"},
       [](TMpegDlg& d) {
         EXPECT_EQ(d.TaulaLabel->text(), "NIT");
         EXPECT_FALSE(d.SdtSelected);
         EXPECT_EQ(d.SDTBtn->text(), "Change");
       }},
      {"status query typed in lower case", nullptr, [&](TMpegDlg&) { Type("*?mp"); }, {"*?MP"},
       [&](TMpegDlg& d) {
         EXPECT_EQ(d.RespostaEdit->text().toStdString(), "*MP" + status);
         EXPECT_EQ(d.EnviarComboBox->currentText(), "*?MP");
         EXPECT_EQ(d.EnviarComboBox->itemText(d.EnviarComboBox->count() - 1), "*?MP");
       }},
      {"two typed characters", nullptr, [&](TMpegDlg&) { Type("ab"); }, {},
       [](TMpegDlg& d) {
         EXPECT_EQ(d.EnviarComboBox->currentText(), "AB");
         EXPECT_EQ(d.EnviarComboBox->count(), 4);
       }},
      {"a typed command, twice", nullptr,
       [&](TMpegDlg&) {
         Type("*mps=0;1");
         Type("*mps=0;1");
       },
       {"*MPS=0;1", "*MPS=0;1"},
       [](TMpegDlg& d) {
         EXPECT_TRUE(d.RespostaEdit->text().isEmpty());
         EXPECT_EQ(d.EnviarComboBox->count(), 6) << "duplicates are kept";
       }},
      {"a typed line longer than the port takes", nullptr, [&](TMpegDlg&) { Type("*" + QString(300, 'x')); },
       {"*" + std::string(251, 'X')}, nullptr},
      {"addresses of 8 and 10 characters", nullptr,
       [](TMpegDlg& d) {
         d.syncbEdit->setText("12345678");
         d.syncbCheckBox->click();
         d.tidEdit->setText("1234567890");
         d.tidCheckBox->click();
       },
       {},
       [&](TMpegDlg&) {
         ASSERT_EQ(prompter.shown.size(), 2u);
         for (const auto& s : prompter.shown) {
           EXPECT_EQ(s.text, "Bad address format");
           EXPECT_EQ(s.caption, "Error");
           EXPECT_EQ(s.icon, cv::MsgIcon::Error);
         }
       }},
      {"a refused flag write", [](cvsim::Corvane4Profile& p) { p.refused = {"*PT"}; },
       [](TMpegDlg& d) {
         d.teiEdit->setText("00A0B0C0D");
         d.teiCheckBox->click();
       },
       {"*7205&", "*PT00A0B0C0D0001"},
       [&](TMpegDlg& d) {
         ASSERT_EQ(prompter.shown.size(), 1u);
         EXPECT_EQ(prompter.shown[0].text, "Not accepted");
         EXPECT_EQ(prompter.shown[0].caption, "Error");
         EXPECT_EQ(d.EnviarComboBox->currentText(), "*PT00A0B0C0D0001");
       }},
      {"a flag write and its clearing", nullptr,
       [](TMpegDlg& d) {
         d.scEdit->setText("000000002");
         d.scCheckBox->click();
         d.scCheckBox->click();
       },
       {"*7205&", "*PT0000000020001", "*7205&", "*PT0000000020000"},
       [&](TMpegDlg&) {
         EXPECT_TRUE(prompter.shown.empty());
         Profile([](cvsim::Corvane4Profile& p) { EXPECT_EQ(p.testFlags["000000002"], "0000"); });
       }},
      {"estat twice", nullptr,
       [](TMpegDlg& d) {
         d.EstatMpegBtn->click();
         d.EstatMpegBtn->click();
       },
       {"*?MP", "*?MP"},
       [&](TMpegDlg& d) { EXPECT_EQ(d.EstatMpegEdit->text().toStdString(), " " + status + " " + status); }},
      {"the flag refresh writes back only what it changed",
       [](cvsim::Corvane4Profile& p) {
         p.testFlags = {{"000000001", "0001"}, {"000000002", "0000"}, {"000000003", "0005"}, {"000000004", "0000"}};
       },
       [](TMpegDlg& d) {
         Row(d.tidCheckBox, d.tidEdit, "000000001", false);
         Row(d.scCheckBox, d.scEdit, "000000002", false);
         Row(d.teiCheckBox, d.teiEdit, "000000003", true);
         Row(d.syncbCheckBox, d.syncbEdit, "000000004", true);
         d.RefreshNoisedBtn->click();
       },
       {"*7205&", "*?PT00000000102", "*7205&", "*PT0000000010001", "*?PT00000000202", "*?PT00000000302",
        "*?PT00000000402", "*7205&", "*PT0000000040000"},
       [&](TMpegDlg& d) {
         EXPECT_TRUE(d.tidCheckBox->isChecked() && d.teiCheckBox->isChecked());
         EXPECT_FALSE(d.scCheckBox->isChecked() || d.syncbCheckBox->isChecked());
         EXPECT_TRUE(prompter.shown.empty());
       }},
      {"a refresh with one bad address and one unanswered flag",
       [](cvsim::Corvane4Profile& p) { p.refused = {"*?PT000000003"}; },
       [](TMpegDlg& d) {
         Row(d.tidCheckBox, d.tidEdit, "0000001", false);
         Row(d.scCheckBox, d.scEdit, "000000002", true);
         Row(d.teiCheckBox, d.teiEdit, "000000003", false);
         Row(d.syncbCheckBox, d.syncbEdit, "000000004", false);
         d.RefreshNoisedBtn->click();
       },
       {"*7205&", "*?PT00000000202", "*7205&", "*PT0000000020000", "*?PT00000000302", "*?PT00000000402"},
       [&](TMpegDlg& d) {
         ASSERT_EQ(prompter.shown.size(), 1u);
         EXPECT_EQ(prompter.shown[0].text, "Bad address format");
         EXPECT_FALSE(d.teiCheckBox->isChecked()) << "an unanswered flag switches nothing";
       }},
      {"a refused access code ends the flag refresh silently", [](cvsim::Corvane4Profile& p) { p.refused = {"*7205&"}; },
       [](TMpegDlg& d) {
         Row(d.tidCheckBox, d.tidEdit, "000000001", false);
         d.RefreshNoisedBtn->click();
       },
       {"*7205&"}, [&](TMpegDlg&) { EXPECT_TRUE(prompter.shown.empty()); }},
      {"clear", nullptr,
       [](TMpegDlg& d) {
         d.ConvertirCheckBox->setChecked(true);
         d.GetPacketBtn->click();
         d.EstatMpegBtn->click();
         d.ClearBtn->click();
       },
       {"*7205&", "*?DNP00078", "*?DNP07850", "*?MP"},
       [](TMpegDlg& d) {
         EXPECT_TRUE(d.CharMemo->toPlainText().isEmpty() && d.AsciiMemo->toPlainText().isEmpty());
         EXPECT_TRUE(d.EstatMpegEdit->text().isEmpty());
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    NewDialogOn(c.meter);
    prompter.shown.clear();
    sim->ClearTraffic();
    c.act(*dlg);
    EXPECT_EQ(AllSent(), c.sent);
    if (c.check) c.check(*dlg);
  }
}

TEST_F(MpegDlgSim, RefreshShowsTheTableTheMeterReports) {
  for (char c : std::string("0123456789ABCDEFabcdef")) {
    SCOPED_TRACE(std::string(1, c));
    Profile([&](cvsim::Corvane4Profile& p) { p.fixedReplies["*?I2148001"] = std::string("*I2") + c + "0"; });
    sim->ClearTraffic();
    dlg->SdtSelected = !dlg->SdtSelected;
    dlg->RefreshBtn->click();
    const bool sdt = !(c >= '0' && c <= '7');
    EXPECT_EQ(dlg->TaulaLabel->text(), sdt ? "SDT" : "NIT");
    EXPECT_EQ(dlg->SdtSelected, sdt);
    EXPECT_EQ(AllSent(), std::vector<std::string>{"*?I2148001"}) << "no access code";
  }
}

// A meter that does not answer, or refuses: the table, a typed query and the status say so in
// place of a figure, and Change turns the flag only once the meter took the write.
TEST_F(MpegDlgSim, AnExchangeThatFailsShowsNoFigure) {
  const QString noAnswer = "No answer from the equipment";
  struct Case {
    const char* what;
    bool silent;
    std::function<void(cvsim::Corvane4Profile&)> meter;
    bool sdtBefore;
    std::function<void(TMpegDlg&)> act;
    std::optional<std::vector<std::string>> sent;  // a silent meter takes what it takes
    bool sdtAfter;
    const char* label;
  } cases[] = {
      {"refresh, silent", true, nullptr, true, [](TMpegDlg& d) { d.RefreshBtn->click(); }, std::nullopt, true,
       "No answer from the equipment"},
      {"refresh, refused", false, [](cvsim::Corvane4Profile& p) { p.refused = {"*?I2148"}; }, true,
       [](TMpegDlg& d) { d.RefreshBtn->click(); }, std::vector<std::string>{"*?I2148001"}, true,
       "No answer from the equipment"},
      {"refresh, a reply without the digit", false,
       [](cvsim::Corvane4Profile& p) { p.fixedReplies["*?I2148001"] = "*I2"; }, true,
       [](TMpegDlg& d) { d.RefreshBtn->click(); }, std::vector<std::string>{"*?I2148001"}, true,
       "No answer from the equipment"},
      {"change, silent", true, nullptr, false, [](TMpegDlg& d) { d.SDTBtn->click(); }, std::nullopt, false,
       "Not changed: no answer or refused"},
      {"change, the write refused", false, [](cvsim::Corvane4Profile& p) { p.refused = {"*I2148"}; }, true,
       [](TMpegDlg& d) { d.SDTBtn->click(); }, std::vector<std::string>{"*7205&", "*I21487F"}, true,
       "Not changed: no answer or refused"},
      {"change taken, its read-back refused", false, [](cvsim::Corvane4Profile& p) { p.refused = {"*?I2148"}; },
       false, [](TMpegDlg& d) { d.SDTBtn->click(); },
       std::vector<std::string>{"*7205&", "*I2148FF", "*?I2148001"}, true, "No answer from the equipment"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    NewDialogOn(c.meter);
    dlg->SdtSelected = c.sdtBefore;
    dlg->TaulaLabel->setText(c.sdtBefore ? "SDT" : "NIT");  // an earlier reading
    sim->UpdateFaults([&](cvsim::Faults& f) { f.silent = c.silent; });
    sim->ClearTraffic();
    c.act(*dlg);
    sim->UpdateFaults([](cvsim::Faults& f) { f.silent = false; });
    if (c.sent) {
      EXPECT_EQ(AllSent(), *c.sent);
    }
    EXPECT_EQ(dlg->SdtSelected, c.sdtAfter);
    EXPECT_EQ(dlg->TaulaLabel->text(), c.label);
    if (c.silent) {
      // The line is back in step for the next exchange.
      port.Close();
      ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    }
  }

  // A typed query and the status on a silent meter.
  NewDialogOn(nullptr);
  dlg->RespostaEdit->setText("*MPOLD");
  dlg->EstatMpegEdit->setText("x");
  sim->UpdateFaults([](cvsim::Faults& f) { f.silent = true; });
  Type("*?mp");
  dlg->EstatMpegBtn->click();
  sim->UpdateFaults([](cvsim::Faults& f) { f.silent = false; });
  EXPECT_EQ(dlg->RespostaEdit->text(), noAnswer);
  EXPECT_EQ(dlg->EstatMpegEdit->text(), "x " + noAnswer);
}

TEST_F(MpegDlgSim, EnterInTheComboSendsOnceAndGoesNoFurther) {
  dlg->show();
  dlg->EnviarComboBox->setEditText("*?mp");
  dlg->EnviarComboBox->lineEdit()->setFocus();
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(dlg->EnviarComboBox->lineEdit(), &press);
  EXPECT_EQ(AllSent(), std::vector<std::string>{"*?MP"});
  EXPECT_TRUE(dlg->isVisible()) << "the key closed nothing";
  EXPECT_EQ(dlg->EnviarComboBox->count(), 5);
  EXPECT_EQ(dlg->RespostaEdit->text().toStdString(), "*MP" + status);
}

TEST_F(MpegDlgSim, SelectionInTheDump) {
  dlg->CharMemo->setPlainText(QString(500, 'A'));
  struct Case {
    int n;
    char separator;
    const char* bytes;
    const char* hex;
  } cases[] = {{0, ',', "0", "x000"}, {3, ',', "1,5", "x001"}, {3, '.', "1.5", "x001"}, {400, ',', "200", "x0C8"}};
  for (const Case& c : cases) {
    equip->decimalSeparator = c.separator;
    QTextCursor cursor = dlg->CharMemo->textCursor();
    cursor.setPosition(10);
    cursor.setPosition(10 + c.n, QTextCursor::KeepAnchor);
    dlg->CharMemo->setTextCursor(cursor);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
    QApplication::sendEvent(dlg->CharMemo, &release);
    EXPECT_EQ(dlg->SelEdit->text(), c.bytes);
    EXPECT_EQ(dlg->SelEditHex->text(), c.hex);
  }
}

TEST_F(MpegDlgSim, DirectButtonsWriteRawLinesInOrder) {
  for (QPushButton* b : {dlg->DirectMpegBtn0, dlg->DirectMpegBtn1, dlg->DirectMpegBtn2, dlg->DirectMpeg3,
                         dlg->DirectMpegBtn4, dlg->DirectMpegBtn5})
    b->click();
  const std::vector<std::string> lines = {"S=0;0", "S=0;1", "V=P", "A=S", "T", "S", "T", "V=P", "A=S"};
  // Nothing is awaited, so the buttons return before the meter has read their lines.
  ASSERT_TRUE(this->WaitForLines(lines.size()));
  EXPECT_EQ(AllSent(), lines);
  // Nothing came back, so nothing was awaited: the instrument sent no byte to any of them.
  for (const cvsim::TrafficEntry& e : sim->Traffic()) EXPECT_TRUE(e.fromHost) << e.bytes;
  EXPECT_EQ(sim->Received(), "S=0;0\rS=0;1\rV=P\rA=S\rT\rS\rT\rV=P\rA=S\r");
  Profile([&](cvsim::Corvane4Profile& p) { EXPECT_EQ(p.rawLines, lines); });
  // The line stays in step for the handshaked exchanges.
  dlg->EstatMpegBtn->click();
  EXPECT_EQ(dlg->EstatMpegEdit->text().toStdString(), " " + status);
}

TEST_F(MpegDlgSim, TheForm) {
  EXPECT_EQ(dlg->windowTitle(), "Mpeg2 Analyzer");
  EXPECT_EQ(dlg->EnviarComboBox->currentText(), "*7205&");
  EXPECT_EQ(dlg->EnviarComboBox->count(), 4);
  EXPECT_EQ(dlg->EnviarComboBox->maxVisibleItems(), 10);
  EXPECT_FALSE(dlg->SdtSelected);
  EXPECT_FALSE(dlg->ConvertirCheckBox->isChecked());
  // A dump shows the time, hexadecimal digits and, rendered, the characters 32 to 125.
  QString shown = ":";
  for (char16_t c = 32; c <= 125; ++c) shown += QChar(c);
  for (QPlainTextEdit* memo : {dlg->CharMemo, dlg->AsciiMemo}) {
    ExpectOneAdvance(memo, shown);
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  }
  for (QPushButton* b : dlg->findChildren<QPushButton*>()) EXPECT_FALSE(b->autoDefault()) << b->objectName().toStdString();
  EXPECT_TRUE(AllSent().empty()) << "the form sends nothing when it opens";
}

// The "MP" button of the update dialog: its log lines, the port around the analyser, and what a
// script run finds after it.
class MpegButtonSim : public MpegSim {
 protected:
  // The update script and its file in the start directory, chosen by Start.
  void Script(TUpdateFirmDlg& dlg) {
    for (const auto& [name, text] : {std::pair{"upd.pro", "SENDHEX fw.upd *HX\n"},
                                     std::pair{"fw.upd", ":0400000001020304F2\n:00000001FF\n"}})
      std::ofstream(start.Path(name), std::ios::binary) << text;
    dlg.chooseScript = [this] { return start.filePath("upd.pro"); };
  }
  QString NewVersion() {
    std::string v;
    Profile([&](cvsim::Corvane4Profile& p) { v = p.updatedVersion; });
    return QString::fromStdString(v);
  }
  // MP, with `during` run inside the analyser before it closes.
  void RunAnalyzer(TUpdateFirmDlg& dlg, const std::function<void()>& during = {}) {
    QTimer::singleShot(0, &dlg, [&] {
      QWidget* mpeg = QApplication::activeModalWidget();
      ASSERT_NE(mpeg, nullptr);
      if (during) during();
      mpeg->close();
    });
    dlg.Mpeg2Btn->click();
  }
};

TEST_F(MpegButtonSim, AnalyzerFromTheUpdateDialog) {
  std::unique_ptr<QDialog> made = cv::cv4::MakeUpdateFirmDlg4(*equip);
  auto* dlg = static_cast<cv::cv4::TUpdateFirmDlg4*>(made.get());
  ASSERT_NE(dlg->Mpeg2Btn, nullptr);
  EXPECT_EQ(dlg->Mpeg2Btn->text(), "MP");
  EXPECT_TRUE(dlg->Mpeg2Btn->isEnabled());
  QString title;
  bool portOpen = false;
  RunAnalyzer(*dlg, [&] {
    auto* mpeg = qobject_cast<TMpegDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(mpeg, nullptr);
    title = mpeg->windowTitle();
    portOpen = port.IsOpen() && sim->LineBaud() == 19200;
    mpeg->EstatMpegBtn->click();
  });
  EXPECT_EQ(title, "Mpeg2 Analyzer");
  EXPECT_TRUE(portOpen);
  EXPECT_TRUE(port.IsOpen() && sim->LineBaud() == 19200) << "open again as the launcher left it";
  EXPECT_EQ(Log(), (QStringList{"Executing Mpeg2 Analyzer", "Mpeg2 Analyzer closed. Ready"}));
  EXPECT_EQ(Sent("*?MP").size(), 1u);

  // A script run afterwards in the same dialog reaches the meter and updates it.
  Script(*dlg);
  ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());
  sim->ClearTraffic();
  dlg->StartBtn->click();
  EXPECT_EQ(Sent("*HX"), (std::vector<std::string>{"*HX:0400000001020304F2", "*HX:00000001FF"}));
  EXPECT_EQ(Log().back(), "New version:  " + NewVersion());
  EXPECT_TRUE(dlg->StartBtn->isEnabled() && dlg->CloseBtn->isEnabled());
  EXPECT_TRUE(prompter.shown.empty());
}

// The port taken away while the analyser runs: MP says it could not open it again, Start says so
// in a box and sends nothing, and once the port is back Start opens it and updates.
TEST_F(MpegButtonSim, StartAfterTheAnalyzerSaysWhyThePortIsLost) {
  std::unique_ptr<QDialog> made = cv::cv4::MakeUpdateFirmDlg4(*equip);
  auto* dlg = static_cast<cv::cv4::TUpdateFirmDlg4*>(made.get());
  const QString lost = "Port COM1 could not be opened again: the update cannot reach the equipment";
  RunAnalyzer(*dlg, [] { cv::SetPortPaths({{1, "/nonexistent/cvtools-no-port"}}); });
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(Log(), (QStringList{"Executing Mpeg2 Analyzer", "Mpeg2 Analyzer closed. Ready", lost}));

  Script(*dlg);
  int chosen = 0;
  dlg->chooseScript = [&] {
    ++chosen;
    return start.filePath("upd.pro");
  };
  sim->ClearTraffic();
  dlg->StartBtn->click();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, lost);
  EXPECT_EQ(prompter.shown[0].icon, cv::MsgIcon::Error);
  EXPECT_EQ(chosen, 0) << "no script is asked for what cannot be sent";
  EXPECT_TRUE(sim->Received().empty()) << sim->Received();
  EXPECT_TRUE(dlg->StartBtn->isEnabled() && dlg->CloseBtn->isEnabled());

  // The port opened by Start itself carries the script at once, so the wake line's late answer
  // may meet the version query after the update: the meter taking the whole update is the proof.
  cv::SetPortPaths({{1, sim->Path()}});
  dlg->StartBtn->click();
  EXPECT_EQ(chosen, 1);
  EXPECT_EQ(Sent("*HX"), (std::vector<std::string>{"*HX:0400000001020304F2", "*HX:00000001FF"}));
  EXPECT_TRUE(Log().contains("Updating successful")) << Log().join('\n').toStdString();
  EXPECT_EQ(prompter.shown.size(), 1u);
}

TEST_F(MpegButtonSim, NoEquipmentAndNoPort) {
  std::unique_ptr<QDialog> made = cv::cv4::MakeUpdateFirmDlg4(*equip);
  auto* dlg = static_cast<cv::cv4::TUpdateFirmDlg4*>(made.get());
  cv::SetPortPaths({{1, "/nonexistent/cvtools-no-port"}});
  dlg->Mpeg2BtnClick();
  EXPECT_EQ(Log(), QStringList{"Mpeg2 analyzer Error:Unable to open port"});
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  cv::SetPortPaths({{1, sim->Path()}});

  host.Clear();
  std::unique_ptr<cv::cv4::TCv4Equip> offline(TCv3Equip::Build<cv::cv4::TCv4Equip>(&host.form, nullptr));
  std::unique_ptr<QDialog> made2 = cv::cv4::MakeUpdateFirmDlg4(*offline);
  static_cast<cv::cv4::TUpdateFirmDlg4*>(made2.get())->Mpeg2BtnClick();
  EXPECT_EQ(Log(), QStringList{"Impossible to run Mpeg2 analyzer without equipment"});
}

TEST_F(MpegButtonSim, TheFrameworkDialogHasNoAnalyzerButton) {
  TUpdateFirmDlg plain(&host.form, equip.get());
  EXPECT_EQ(plain.Mpeg2Btn, nullptr);
  EXPECT_EQ(plain.findChild<QPushButton*>("Mpeg2Btn"), nullptr);
}

}  // namespace
