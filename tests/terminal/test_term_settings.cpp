// The terminal's settings in the registry store, and the port it starts on.
#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>

#include "Registry.h"
#include "TermFixture.h"

namespace {
constexpr const char* kKey = "Software\\Tessary\\CvTools\\Terminal";
}

TEST_F(TermTest, WithoutTheKeyTheDefaultsHold) {
  MakeTerm();
  term->ReadSettings();
  EXPECT_EQ(term->portName, "COM2");
  EXPECT_EQ(term->baudRate, 19200);
  EXPECT_TRUE(term->localEcho);
  EXPECT_TRUE(term->crLf);
  EXPECT_FALSE(term->hexMode);
  EXPECT_FALSE(term->testMode);
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_EQ(owner.log, (std::vector<std::string>{"Executing from Terminal"}));
}

TEST_F(TermTest, SettingsSurviveARestart) {
  MakeTerm();
  term->ReadSettings();
  term->portName = "COM4";
  term->baudRate = 57600;
  term->localEcho = false;
  term->crLf = false;
  term->hexMode = true;
  term->testMode = true;
  term.reset();  // saves
  EXPECT_TRUE(prompter.shown.empty());
  MakeTerm();
  term->ReadSettings();
  EXPECT_EQ(term->portName, "COM4");
  EXPECT_EQ(term->baudRate, 57600);
  EXPECT_FALSE(term->localEcho);
  EXPECT_FALSE(term->crLf);
  EXPECT_TRUE(term->hexMode);
  EXPECT_TRUE(term->testMode);
}

TEST_F(TermTest, AMissingValueWarnsLogsAndFallsBackToTheDefaults) {
  {
    auto key = cv::RegKey::Open(kKey, true);
    ASSERT_TRUE(key);
    key->WriteString("ComPort", "COM3");
    key->WriteInteger("BaudRate", 38400);
    key->WriteBool("bLocal", false);  // bCRLF, bHex and bTest missing
  }
  MakeTerm();
  term->ReadSettings();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].icon, cv::MsgIcon::Warning);
  EXPECT_EQ(prompter.shown[0].caption, "CvTools Terminal");
  EXPECT_EQ(prompter.shown[0].text, "Warning. Unable to read data from the Registry");
  EXPECT_EQ(owner.log.back(), "Unable to read data from the Registry");
  EXPECT_EQ(term->portName, "COM2");
  EXPECT_EQ(term->baudRate, 19200);
  EXPECT_TRUE(term->localEcho);
  EXPECT_TRUE(term->crLf);
}

TEST_F(TermTest, AnEmptyPortNameMeansCom2AndADetectedPortWinsOverTheRegistry) {
  {
    auto key = cv::RegKey::Open(kKey, true);
    ASSERT_TRUE(key);
    for (const char* b : {"bLocal", "bCRLF", "bHex", "bTest"}) key->WriteBool(b, false);
    key->WriteString("ComPort", "");
    key->WriteInteger("BaudRate", 9600);
  }
  MakeTerm();
  term->ReadSettings();
  EXPECT_EQ(term->portName, "COM2");
  EXPECT_EQ(term->baudRate, 9600);
  EXPECT_FALSE(term->crLf);
  owner.detected = "COM3";
  term->ReadSettings();
  EXPECT_EQ(term->portName, "COM3");
}

TEST_F(TermTest, TheMainWindowHandsItsDetectedPortAndRunsTheTerminalFromItsButton) {
  TMainForm form;
  // The window maps the ports of its INI file; none of them leads anywhere here.
  cv::SetPortPaths({{1, "/nonexistent/com1"}, {2, "/nonexistent/com2"}, {3, "/nonexistent/com3"},
                    {4, "/nonexistent/com4"}});
  EXPECT_TRUE(form.TermButton->isEnabled());
  EXPECT_TRUE(form.FileTerminal->isEnabled());
  // No port opens: the terminal ends at once with its box, and the window comes back.
  cv::RecordingPrompter boxes;
  form.found = true;
  form.LabelPort->setText("COM3");
  form.show();
  form.TermButtonClick();
  EXPECT_TRUE(boxes.Showed("Unable to find valid ports."));
  EXPECT_TRUE(form.isVisible());
  const QStringList lines = form.LogMemo->toPlainText().split('\n');
  EXPECT_TRUE(lines.contains("Executing from Terminal"));
  // COM3, COM4, COM1, COM2 and COM3 again were tried.
  EXPECT_EQ(lines.filter("In CreateFile -> Error number: ").size(), 1);
  EXPECT_TRUE(lines.filter("[COM3] In CreateFile -> Error number: ").size() == 1);
  EXPECT_EQ(lines.back(), "Terminal closed. Ready");
  auto key = cv::RegKey::Open(kKey, false);
  ASSERT_TRUE(key);
  std::string port;
  key->ReadString("ComPort", port);
  EXPECT_EQ(port, "COM3");
}
