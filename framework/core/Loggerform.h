#pragma once
// The log window base of the tools that run long sequences against the instrument (the
// channel-plan editor, the firmware update): a log zone mirrored line by line to "LogZone.log",
// a progress gauge, a bold status label and a one-second tick counter that the script engine
// reads for its timings.
#include <QDialog>
#include <cstdint>
#include <cstdio>
#include <string>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QTimer;

class TLogForm : public QDialog {
  Q_OBJECT

 public:
  explicit TLogForm(QWidget* owner = nullptr);
  ~TLogForm() override;

  // Adds one line (Windows-1252 bytes) to the log zone.
  void AddLogLine(const std::string& line);
  uint32_t GetTicks() const { return ticks; }

  // Lines the log zone holds before it is cleared.
  static constexpr int kMaxLogLines = 400;
  // Longest line written to the file.
  static constexpr int kMaxFileLine = 255;

  QProgressBar* Gauge = nullptr;
  QFrame* GaugeBevel = nullptr;
  QLabel* RemoteLabel = nullptr;
  QPlainTextEdit* LogZone = nullptr;
  QTimer* TimerLog = nullptr;

 public slots:
  void CheckLongMemo();
  void TimerLogTimer();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int LogLineCount() const;

  std::FILE* logFile = nullptr;
  uint32_t ticks = 0;
};
