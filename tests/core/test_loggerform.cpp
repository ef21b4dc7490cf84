#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

#include "Loggerform.h"

namespace {

// Each test runs in a directory of its own, since the log file goes to the current directory.
class LogFormTest : public testing::Test {
 protected:
  void SetUp() override {
    old = QDir::currentPath();
    ASSERT_TRUE(dir.isValid());
    QDir::setCurrent(dir.path());
  }
  void TearDown() override { QDir::setCurrent(old); }
  QStringList FileLines() {
    QFile f(dir.filePath("LogZone.log"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringList lines = QString::fromLatin1(f.readAll()).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
  }
  QTemporaryDir dir;
  QString old;
};

TEST_F(LogFormTest, ZoneClearsAfter400LinesAndFileKeepsThemAll) {
  auto form = std::make_unique<TLogForm>();
  auto* zone = form->findChild<QPlainTextEdit*>("LogZone");
  ASSERT_NE(zone, nullptr);
  for (int i = 1; i <= 400; ++i) form->AddLogLine("line " + std::to_string(i));
  EXPECT_EQ(zone->document()->blockCount(), 400);
  form->AddLogLine("line 401");
  EXPECT_EQ(zone->toPlainText(), "(Log zone cleared)");
  form->AddLogLine(std::string(300, 'x') + "\xe9");
  form.reset();  // the file is complete once the form is gone

  QStringList lines = FileLines();
  ASSERT_EQ(lines.size(), 403);
  EXPECT_EQ(lines[0], "line 1");
  EXPECT_EQ(lines[400], "line 401");
  EXPECT_EQ(lines[401], "(Log zone cleared)");  // no empty line from the clearing itself
  EXPECT_EQ(lines[402], QString(255, 'x'));
}

TEST_F(LogFormTest, EachFormStartsTheFileAfresh) {
  { TLogForm first; first.AddLogLine("old"); }
  { TLogForm second; second.AddLogLine("new"); }
  EXPECT_EQ(FileLines(), QStringList{"new"});
}

TEST_F(LogFormTest, UnwritableFileIsReportedInTheZone) {
  ASSERT_TRUE(QDir(dir.path()).mkdir("LogZone.log"));  // refuses even a privileged user
  TLogForm form;
  EXPECT_EQ(form.LogZone->toPlainText(), "Impossible to save this Log zone.");
  form.AddLogLine("still works");
  EXPECT_EQ(form.LogZone->document()->blockCount(), 2);
}

TEST_F(LogFormTest, TickCounterCountsTimerTicksOnly) {
  TLogForm form;
  auto* timer = form.findChild<QTimer*>("TimerLog");
  ASSERT_NE(timer, nullptr);
  EXPECT_FALSE(timer->isActive());
  EXPECT_EQ(timer->interval(), 1000);
  QCoreApplication::processEvents();
  EXPECT_EQ(form.GetTicks(), 0u);
  QMetaObject::invokeMethod(timer, "timeout");
  QMetaObject::invokeMethod(timer, "timeout");
  EXPECT_EQ(form.GetTicks(), 2u);
}

}  // namespace
