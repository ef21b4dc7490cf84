#pragma once
// The spectrum analyser dialog: a thin form over TSpectrumSweep (the run and its sweeps) and
// TSpectrumScale (the plot), drawing the trace on its bitmap, with the marker, the delta grid,
// the logger file and the printed page.
#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QPrinter>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PluginHelp.h"
#include "TSpectrumScale.h"
#include "TSpectrumSweep.h"

class QCheckBox;
class QPaintDevice;
class QPainter;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QSlider;
class QTableWidget;
class QTimer;
class QMouseEvent;
class TCv3Equip;

// What the dialog takes from its equipment object besides the command layer.
struct TSpectrumHostInfo {
  char decimalSeparator = ',';
  char listSeparator = ';';
  std::string startDir;
  std::string versionText;
  // The help page and topic the Help button opens.
  std::string helpFile = kPluginHelpFile;
  QString helpTopic = kSpectrumHelpTopic;
};

// The picture of the trace: shows the dialog's bitmap, and the rubber band over it.
class TSpecImage : public QWidget {
  Q_OBJECT
 public:
  explicit TSpecImage(QWidget* parent);
  const QImage* bitmap = nullptr;
  bool band = false;
  QPoint bandFrom, bandTo;
  std::function<void(QMouseEvent*)> onDown, onMove, onUp;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
};

class TSpectrumDlg : public QDialog, private TSpectrumView {
  Q_OBJECT
 public:
  using TMeas = TSpectrumMeas;

  // The dialog over an equipment object, with its family's spectrum values.
  TSpectrumDlg(QWidget* owner, TCv3Equip* equipment, const TSpectrumProfile& profile = {});
  // The same over a family's own view of its equipment object (the dialog owns it).
  TSpectrumDlg(QWidget* owner, TCv3Equip* equipment, std::unique_ptr<TSpectrumLink> familyLink,
               const TSpectrumProfile& profile);
  TSpectrumDlg(QWidget* owner, TSpectrumLink& link, const TSpectrumHostInfo& info,
               const TSpectrumProfile& profile = {});
  ~TSpectrumDlg() override;

  TSpectrumSweep& Sweep() { return sweep; }
  const TSpectrumScale& Scale() const { return scale; }
  const QImage& TraceBitmap() const { return traceBitmap; }
  int MarkerX() const { return markerX; }
  QPrinter& Printer() { return *printer; }
  const std::vector<QLabel*>& LevelLabels() const { return levelLabels; }
  const std::vector<QLabel*>& FreqLabels() const { return freqLabels; }

  // Person-facing services; tests replace them.
  std::function<void(const QString& caption, const QString& text)> showError;
  std::function<QString()> chooseSaveFile;      // empty: cancelled
  std::function<bool(QPrinter&)> confirmPrint;  // false: cancelled
  std::function<void()> showPrinterSetup;
  std::function<void()> beep;

 public slots:
  void StartBtnClick();
  void LessToNextSnap();
  void MeasBtnClick();
  void OnExitInitialFreq();
  void OnExitFinalFreq();
  void OnExitStepFreq();
  void OnExitSnaps();
  void OnExitTimeStep();
  void OnExitCurrentFreqEdit();
  void EditToData();
  void OnChangeFreqTrackBar();
  void SnapsUpDownClick();
  void FullSpanCheckBoxClick();
  void FullTerCheckBoxClick();
  void FullSatCheckBoxClick();
  void HelpBtnClick();
  void SaveBtnClick();
  void PrintBtnClick();
  void PrintSetupBtnClick();
  void SpecImageMouseDown(QMouseEvent* e);
  void SpecImageMouseMove(QMouseEvent* e);
  void SpecImageMouseUp(QMouseEvent* e);
  void reject() override;
  void QuickCheckBoxClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // TSpectrumView
  void ApplyState(int state, bool enable) override;
  void SetTimer(bool on) override;
  void DataToEdit() override;
  void ShowCountdown(int seconds) override;
  void ResetMarker() override;
  void BeginTrace() override;
  void StartPen() override;
  void PlotLevel(float mhz, float level) override;
  void SetUnits(const std::string& units) override;
  void ErrorBox(const std::string& caption, const std::string& text) override;
  void PendingReady() override;
  bool QuickTicked() override;
  void ApplyQuickMode() override;
  void SetReferenceItem(int item) override;

  void BuildForm();
  void FillCombos();
  void ResetFullSpan();
  void MoveMarker();
  void DrawGrid();
  void DrawScales();
  void ShowLevelDiv();
  void ShowFreqDiv();
  void ShowDeltaGrid();
  void UpdateDelta(const QPoint& p);
  void ShowBitmap();
  void DrawPrintedPage(QPainter& p, const QPaintDevice& page);
  void RunPending();
  void Refuse(QLineEdit* edit, const QString& shown);
  QString Num(double value, int width, int precision) const;
  QLabel* AddLabel(const QString& text, int x, int y, int w = 0);

  std::unique_ptr<TSpectrumLink> ownedLink;
  TSpectrumLink& link;
  TSpectrumHostInfo info;
  char decimalSeparator = ' ';
  char listSeparator = ' ';
  QImage traceBitmap;
  QPoint lastPoint, originPoint;
  int32_t markerX = 0;
  bool dragging = false;
  QPoint penPos;
  TSpectrumScale scale;
  TSpectrumSweep sweep;
  // The range and scale the trace on screen was drawn with, which Print tells: settings typed
  // since, or a Start that failed, leave that trace as it was.
  struct TraceScale {
    int32_t levelDiv = 0, mhzPerDiv = 0, refLevel = 0;
    float initialFreq = 0, finalFreq = 0;
  } traceScale;
  std::vector<QLabel*> levelLabels, freqLabels;
  std::unique_ptr<QPrinter> printer;
  bool pendingPosted = false;

  QCheckBox *FullSpanCheckBox, *FullTerCheckBox, *FullSatCheckBox;
  QLineEdit *InitialFreqEdit, *StepFreqEdit, *FinalFreqEdit, *SnapsEdit, *TimeStepEdit;
  QComboBox* ReferenceLevelCombo;
  QScrollBar* SnapsUpDown;
  QPushButton *StartBtn, *SaveBtn, *PrintBtn, *SpecPrintSetupBtn, *HelpBtn, *CloseBtn, *MeasBtn;
  TSpecImage* SpecImage;
  QSlider* FreqTrackBar;
  QLineEdit *CurrentFreqEdit, *CurrentLevelEdit, *CurrentSnapEdit, *CurrentTimeStepEdit;
  QLabel *UnitsLabel, *FreqDivLabel, *LevelDivLabel, *Image1;
  QComboBox* MeasCombo;
  QTableWidget* DeltaStringGrid;
  QGroupBox* FrequencyGroup;
  QTimer* TimerToSnaps;
  // Only a profile with a quick mode has it.
  QCheckBox* QuickCheckBox = nullptr;
};

// DateString and TimeString: day/month/year without leading zeros, hour:minutes.
std::string SpecDateString();
std::string SpecTimeString();
