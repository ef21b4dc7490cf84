#include "Specdlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTableWidget>
#include <QTimer>
#include <cmath>

#include "FocusMoves.h"
#include "Messages.h"
#include "PrintFailure.h"
#include "PrintOutput.h"
#include "MsgIds.h"
#include "TCv3SpectrumLink.h"
#include "Format.h"
#include "NumFormat.h"
#include "FileDialogs.h"
#include "PluginHelp.h"
#include "TSpectrumLogFile.h"
#include "Text1252.h"

namespace msg = cv::msg;

namespace {
constexpr int kImageLeft = 40, kImageTop = 28, kImageWidth = 250, kImageHeight = 200;
const QRgb kRed = qRgb(255, 0, 0), kBlue = qRgb(0, 0, 255), kBlack = qRgb(0, 0, 0);

QString Q(const std::string& bytes) { return cv::From1252(bytes); }
QString M(int id) { return cv::MsgQ(id); }
std::string B(const QString& text) { return cv::To1252(text); }
}  // namespace

std::string SpecDateString() {
  QDate d = QDate::currentDate();
  return std::to_string(d.day()) + "/" + std::to_string(d.month()) + "/" + std::to_string(d.year());
}

std::string SpecTimeString() {
  QTime t = QTime::currentTime();
  char mm[3] = {static_cast<char>('0' + t.minute() / 10), static_cast<char>('0' + t.minute() % 10), 0};
  return std::to_string(t.hour()) + ":" + mm;
}

// ---------------------------------------------------------------------------------------------
TSpecImage::TSpecImage(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // the bitmap covers every pixel: no erase, no flicker
  setCursor(Qt::CrossCursor);
}

void TSpecImage::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (bitmap) p.drawImage(0, 0, *bitmap);
  if (band) {
    // Inverting keeps the band visible over the white background and the black trace alike.
    p.setCompositionMode(QPainter::RasterOp_NotDestination);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(bandFrom, bandTo);
  }
}

void TSpecImage::mousePressEvent(QMouseEvent* e) {
  if (onDown) onDown(e);
}
void TSpecImage::mouseMoveEvent(QMouseEvent* e) {
  if (onMove) onMove(e);
}
void TSpecImage::mouseReleaseEvent(QMouseEvent* e) {
  if (onUp) onUp(e);
}

// ---------------------------------------------------------------------------------------------
namespace {
TSpectrumHostInfo InfoOf(TCv3Equip* equipment) {
  TSpectrumHostInfo info;
  equipment->GetSeparators(info.decimalSeparator, info.listSeparator);
  info.startDir = equipment->GetStartDir();
  info.versionText = equipment->VersionText();
  info.helpFile = equipment->HelpFile();
  info.helpTopic = QString::fromLatin1(equipment->HelpTopicName(HelpTopic::Spectrum));
  return info;
}
}  // namespace

TSpectrumDlg::TSpectrumDlg(QWidget* owner, TCv3Equip* equipment, const TSpectrumProfile& profile)
    : TSpectrumDlg(owner, equipment, std::make_unique<TCv3SpectrumLink>(*equipment), profile) {}

TSpectrumDlg::TSpectrumDlg(QWidget* owner, TCv3Equip* equipment, std::unique_ptr<TSpectrumLink> familyLink,
                           const TSpectrumProfile& profile)
    : TSpectrumDlg(owner, *familyLink, InfoOf(equipment), profile) {
  ownedLink = std::move(familyLink);
  equipment->LoadCustomLogo(Image1);
}

TSpectrumDlg::TSpectrumDlg(QWidget* owner, TSpectrumLink& link, const TSpectrumHostInfo& info,
                           const TSpectrumProfile& profile)
    : QDialog(owner), link(link), info(info), sweep(link, *this, profile) {
  showError = [this](const QString& caption, const QString& text) {
    QMessageBox::critical(this, caption, text);
  };
  chooseSaveFile = [this]() {
    return cv::RunSaveDialog(this, {M(msg::SpecCsvFilter), M(msg::SpecAllFilter)}, "csv");
  };
  confirmPrint = [this](QPrinter& p) { return cv::RunPrintDialog(p, this); };
  showPrinterSetup = [this]() {
    QPageSetupDialog dlg(printer.get(), this);
    dlg.setObjectName("PrinterSetupDlg");
    dlg.exec();
  };
  beep = []() { QApplication::beep(); };

  // 1. the form, the equipment and its separators
  BuildForm();
  decimalSeparator = listSeparator = ' ';
  decimalSeparator = info.decimalSeparator;
  listSeparator = info.listSeparator;
  printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  // 2. the trace bitmap, sized like the picture
  traceBitmap = QImage(SpecImage->width(), SpecImage->height(), QImage::Format_RGB32);
  traceBitmap.fill(Qt::white);
  SpecImage->bitmap = &traceBitmap;
  scale.width = traceBitmap.width();
  scale.height = traceBitmap.height();
  scale.firstRefLevel = profile.firstRefLevel;
  scale.refLevelCount = profile.refLevelCount;
  scale.linesInsideSpan = profile.scaleLinesInsideSpan;
  sweep.pictureWidth = SpecImage->width();
  sweep.timeText = []() { return SpecTimeString(); };
  // 3. state 0, logo, lists
  sweep.state = 0;
  FillCombos();
  // 4. defaults
  sweep.InitDefaults();
  ResetFullSpan();
  ApplyState(0, false);
  DrawGrid();
  if (!sweep.TerrestrialAllowed()) FullTerCheckBox->setEnabled(false);
  if (!profile.satelliteBand) FullSatCheckBox->setEnabled(false);
  DataToEdit();
  TimerToSnaps->stop();
  sweep.bandGap = sweep.profile.bandGap;
}

TSpectrumDlg::~TSpectrumDlg() {
  TimerToSnaps->stop();
  sweep.FreeTables();
}

QLabel* TSpectrumDlg::AddLabel(const QString& text, int x, int y, int w) {
  auto* l = new QLabel(text, this);
  l->move(x, y);
  if (w) l->resize(w, l->sizeHint().height());
  return l;
}

void TSpectrumDlg::BuildForm() {
  setWindowTitle(M(msg::SpecCaption));
  setFixedSize(568, 373);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

  auto edit = [this](const char* name, int x, int y, int w, QWidget* parent = nullptr) {
    auto* e = new QLineEdit(parent ? parent : this);
    e->setObjectName(name);
    e->setGeometry(x, y, w, 21);
    return e;
  };
  auto button = [this](const char* name, int text, int x, int y, int hint = 0) {
    auto* b = new QPushButton(M(text), this);
    b->setObjectName(name);
    b->setGeometry(x, y, 115, 27);
    b->setAutoDefault(false);
    if (hint) b->setToolTip(M(hint));
    return b;
  };

  SpecImage = new TSpecImage(this);
  SpecImage->setObjectName("SpecImage");
  SpecImage->setGeometry(kImageLeft, kImageTop, kImageWidth, kImageHeight);
  SpecImage->onDown = [this](QMouseEvent* e) { SpecImageMouseDown(e); };
  SpecImage->onMove = [this](QMouseEvent* e) { SpecImageMouseMove(e); };
  SpecImage->onUp = [this](QMouseEvent* e) { SpecImageMouseUp(e); };
  LevelDivLabel = AddLabel("", kImageLeft, 8, 120);
  LevelDivLabel->setObjectName("LevelDivLabel");
  FreqDivLabel = AddLabel("", kImageLeft + 150, 8, 100);
  FreqDivLabel->setObjectName("FreqDivLabel");
  FreqDivLabel->setAlignment(Qt::AlignRight);

  FreqTrackBar = new QSlider(Qt::Horizontal, this);
  FreqTrackBar->setObjectName("FreqTrackBar");
  FreqTrackBar->setGeometry(kImageLeft - 6, kImageTop + kImageHeight + 2, kImageWidth + 12, 20);
  FreqTrackBar->setTickPosition(QSlider::NoTicks);
  connect(FreqTrackBar, &QSlider::valueChanged, this, &TSpectrumDlg::OnChangeFreqTrackBar);

  AddLabel(M(msg::SpecFreq), 8, 277);
  CurrentFreqEdit = edit("CurrentFreqEdit", 44, 274, 66);
  AddLabel(M(msg::SpecLevelLabel), 118, 277);
  CurrentLevelEdit = edit("CurrentLevelEdit", 156, 274, 80);
  CurrentLevelEdit->setReadOnly(true);
  UnitsLabel = AddLabel(M(msg::SpecDbuv), 242, 277, 40);
  UnitsLabel->setObjectName("UnitsLabel");
  AddLabel(M(msg::SpecSnap), 8, 303);
  CurrentSnapEdit = edit("CurrentSnapEdit", 44, 300, 50);
  CurrentSnapEdit->setReadOnly(true);
  AddLabel(M(msg::SpecNextSnap), 118, 303);
  CurrentTimeStepEdit = edit("CurrentTimeStepEdit", 216, 300, 50);
  CurrentTimeStepEdit->setReadOnly(true);
  AddLabel(M(msg::SpecMeasurement), 8, 332);
  MeasCombo = new QComboBox(this);
  MeasCombo->setObjectName("MeasCombo");
  MeasCombo->setGeometry(94, 328, 98, 22);
  MeasBtn = button("MeasBtn", msg::SpecMeasBtn, 196, 326, msg::SpecMeasHint);
  connect(MeasBtn, &QPushButton::clicked, this, &TSpectrumDlg::MeasBtnClick);

  DeltaStringGrid = new QTableWidget(4, 3, this);
  DeltaStringGrid->setObjectName("DeltaStringGrid");
  DeltaStringGrid->setGeometry(8, 268, 300, 100);
  DeltaStringGrid->horizontalHeader()->hide();
  DeltaStringGrid->verticalHeader()->hide();
  DeltaStringGrid->horizontalHeader()->setDefaultSectionSize(96);
  DeltaStringGrid->verticalHeader()->setDefaultSectionSize(23);
  DeltaStringGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 3; ++c) DeltaStringGrid->setItem(r, c, new QTableWidgetItem());
  DeltaStringGrid->hide();

  const int rx = 318;
  FullSpanCheckBox = new QCheckBox(M(msg::SpecFullSpan), this);
  FullSpanCheckBox->setObjectName("FullSpanCheckBox");
  FullSpanCheckBox->setGeometry(rx, 6, 84, 20);
  FullTerCheckBox = new QCheckBox(M(msg::SpecTer), this);
  FullTerCheckBox->setObjectName("FullTerCheckBox");
  FullTerCheckBox->setGeometry(rx + 90, 6, 60, 20);
  FullSatCheckBox = new QCheckBox(M(msg::SpecSat), this);
  FullSatCheckBox->setObjectName("FullSatCheckBox");
  FullSatCheckBox->setGeometry(rx + 155, 6, 60, 20);
  connect(FullSpanCheckBox, &QCheckBox::clicked, this, &TSpectrumDlg::FullSpanCheckBoxClick);
  connect(FullTerCheckBox, &QCheckBox::clicked, this, &TSpectrumDlg::FullTerCheckBoxClick);
  connect(FullSatCheckBox, &QCheckBox::clicked, this, &TSpectrumDlg::FullSatCheckBoxClick);

  FrequencyGroup = new QGroupBox(M(msg::SpecFrequencyGroup), this);
  FrequencyGroup->setGeometry(rx, 28, 240, 100);
  auto glabel = [this](int text, int y) {
    auto* l = new QLabel(M(text), FrequencyGroup);
    l->move(12, y + 3);
    return l;
  };
  glabel(msg::SpecInitial, 20)->setBuddy(InitialFreqEdit = edit("InitialFreqEdit", 82, 20, 90, FrequencyGroup));
  glabel(msg::SpecStep, 45)->setBuddy(StepFreqEdit = edit("StepFreqEdit", 82, 45, 90, FrequencyGroup));
  glabel(msg::SpecFinal, 70)->setBuddy(FinalFreqEdit = edit("FinalFreqEdit", 82, 70, 90, FrequencyGroup));

  AddLabel(M(msg::SpecRefLevel), rx, 139);
  ReferenceLevelCombo = new QComboBox(this);
  ReferenceLevelCombo->setObjectName("ReferenceLevelCombo");
  ReferenceLevelCombo->setGeometry(rx + 100, 135, 90, 22);
  auto* snapsLabel = AddLabel(M(msg::SpecSnapshots), rx, 165);
  SnapsEdit = edit("SnapsEdit", rx + 100, 162, 60);
  SnapsEdit->setToolTip(M(msg::SpecSnapshotsHint));
  snapsLabel->setBuddy(SnapsEdit);
  SnapsUpDown = new QScrollBar(Qt::Vertical, this);
  SnapsUpDown->setObjectName("SnapsUpDown");
  SnapsUpDown->setGeometry(rx + 161, 162, 16, 21);
  SnapsUpDown->setRange(1, 999);
  SnapsUpDown->setInvertedControls(true);
  SnapsUpDown->setInvertedAppearance(true);
  SnapsUpDown->setValue(1);
  connect(SnapsUpDown, &QScrollBar::valueChanged, this, [this](int v) {
    SnapsEdit->setText(QString::number(v));
    SnapsUpDownClick();
  });
  auto* timeLabel = AddLabel(M(msg::SpecTimeStep), rx, 191);
  TimeStepEdit = edit("TimeStepEdit", rx + 100, 188, 60);
  TimeStepEdit->setToolTip(M(msg::SpecTimeStepHint));
  timeLabel->setBuddy(TimeStepEdit);

  StartBtn = button("StartBtn", msg::SpecStartBtn, rx, 220, msg::SpecStartHint);
  SaveBtn = button("SaveBtn", msg::SpecSaveBtn, rx + 125, 220, msg::SpecSaveHint);
  PrintBtn = button("PrintBtn", msg::SpecPrintBtn, rx, 252, msg::SpecPrintHint);
  SpecPrintSetupBtn = button("SpecPrintSetupBtn", msg::SpecPrintSetupBtn, rx + 125, 252);
  HelpBtn = button("HelpBtn", msg::SpecHelpBtn, rx, 284);
  CloseBtn = button("CloseBtn", msg::SpecCloseBtn, rx + 125, 284);
  connect(StartBtn, &QPushButton::clicked, this, &TSpectrumDlg::StartBtnClick);
  connect(SaveBtn, &QPushButton::clicked, this, &TSpectrumDlg::SaveBtnClick);
  connect(PrintBtn, &QPushButton::clicked, this, &TSpectrumDlg::PrintBtnClick);
  connect(SpecPrintSetupBtn, &QPushButton::clicked, this, &TSpectrumDlg::PrintSetupBtnClick);
  connect(HelpBtn, &QPushButton::clicked, this, &TSpectrumDlg::HelpBtnClick);
  connect(CloseBtn, &QPushButton::clicked, this, &TSpectrumDlg::reject);

  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setGeometry(rx, 318, 240, 48);

  TimerToSnaps = new QTimer(this);
  TimerToSnaps->setObjectName("TimerToSnaps");
  TimerToSnaps->setInterval(1000);
  connect(TimerToSnaps, &QTimer::timeout, this, &TSpectrumDlg::LessToNextSnap);

  for (QWidget* w : std::initializer_list<QWidget*>{InitialFreqEdit, StepFreqEdit, FinalFreqEdit, SnapsEdit,
                                                    TimeStepEdit, CurrentFreqEdit, ReferenceLevelCombo})
    w->installEventFilter(this);

  if (sweep.profile.quickMode) {
    QuickCheckBox = new QCheckBox(M(sweep.profile.quickCaptionId), this);
    QuickCheckBox->setObjectName("QuickCheckBox");
    QFont font("Verdana");
    font.setBold(true);
    font.setItalic(true);
    QuickCheckBox->setFont(font);
    QuickCheckBox->setStyleSheet("color: black");
    QuickCheckBox->setGeometry(8, 353, 160, 18);
    connect(QuickCheckBox, &QCheckBox::clicked, this, &TSpectrumDlg::QuickCheckBoxClick);
    if (sweep.profile.measHintId) MeasBtn->setToolTip(M(sweep.profile.measHintId));
  }
}

bool TSpectrumDlg::QuickTicked() { return QuickCheckBox && QuickCheckBox->isChecked(); }

void TSpectrumDlg::QuickCheckBoxClick() { ApplyQuickMode(); }

void TSpectrumDlg::ApplyQuickMode() {
  if (!QuickCheckBox) return;
  const bool on = !QuickCheckBox->isChecked();
  if (!on) ResetFullSpan();
  for (QWidget* w : std::initializer_list<QWidget*>{InitialFreqEdit, FinalFreqEdit, StepFreqEdit,
                                                    ReferenceLevelCombo, FullSpanCheckBox})
    w->setEnabled(on);
}

void TSpectrumDlg::SetReferenceItem(int item) {
  if (item < 0 || item >= ReferenceLevelCombo->count()) return;
  ReferenceLevelCombo->setCurrentIndex(item);
  scale.SetLevelScale(item);
}

void TSpectrumDlg::FillCombos() {
  ReferenceLevelCombo->clear();
  const TSpectrumProfile& profile = sweep.profile;
  for (int i = 0; i < profile.refLevelCount; ++i)
    ReferenceLevelCombo->addItem(QString::number(profile.firstRefLevel + 10 * i) + " dB");
  ReferenceLevelCombo->setCurrentIndex(profile.defaultRefItem);
  MeasCombo->clear();
  // Each measurement mode's item text; the family's list picks its modes.
  const QString modeTexts[8] = {M(msg::SpecLevel), "V/A", M(msg::SpecPower), "C/N Auto", "BER (QPSK)",
                                "BER (QAM)", "BER (COFDM)", "C/N Ref"};
  for (int mode : profile.measModes)
    if (mode >= 0 && mode < 8) MeasCombo->addItem(modeTexts[mode]);
  MeasCombo->setCurrentIndex(0);
}

QString TSpectrumDlg::Num(double value, int width, int precision) const {
  return Q(cv::PrintfFixed(value, width, precision, decimalSeparator));
}

// ---------------------------------------------------------------------------------------------
// Settings and their edits

void TSpectrumDlg::DataToEdit() {
  FinalFreqEdit->setText(Num(sweep.finalFreq, 4, 2));
  InitialFreqEdit->setText(Num(sweep.initialFreq, 4, 2));
  const int newMin = static_cast<int>(std::trunc(sweep.initialFreq)) * 100;
  const int newMax = static_cast<int>(std::trunc(sweep.finalFreq)) * 100;
  // The bar's own clamping must not move the marker, so its signals rest meanwhile.
  const bool blocked = FreqTrackBar->blockSignals(true);
  if (newMax < FreqTrackBar->minimum()) {
    FreqTrackBar->setMinimum(newMin);
    FreqTrackBar->setMaximum(newMax);
  } else {
    FreqTrackBar->setMaximum(newMax);
    FreqTrackBar->setMinimum(newMin);
  }
  FreqTrackBar->setMaximum(newMax);
  FreqTrackBar->setMinimum(newMin);
  FreqTrackBar->blockSignals(blocked);
  StepFreqEdit->setText(Num(sweep.stepFreq, 4, 2));
  FreqTrackBar->setSingleStep(std::max(1, static_cast<int>(std::trunc(sweep.stepFreq * 100))));
  TimeStepEdit->setText(QString::number(sweep.timeStep));
  SnapsEdit->setText(QString::number(sweep.snapshots));
  CurrentFreqEdit->setText(Num(sweep.currentFreq, 4, 2));
  CurrentSnapEdit->setText(QString::number(sweep.snapNo));
  CurrentLevelEdit->setText(Num(sweep.meas.level, 4, 2));
}

void TSpectrumDlg::Refuse(QLineEdit* edit, const QString& shown) {
  edit->setText(shown);
  QTimer::singleShot(0, edit, [edit]() { edit->setFocus(); });
  beep();
}

void TSpectrumDlg::OnExitInitialFreq() {
  float old = sweep.initialFreq;
  switch (sweep.ValidateInitialFreq(B(InitialFreqEdit->text()), decimalSeparator)) {
    case TEditResult::Unchanged: break;
    case TEditResult::Accepted:
      FreqTrackBar->setMinimum(static_cast<int>(std::trunc(sweep.initialFreq)) * 100);
      SaveBtn->setEnabled(false);
      ResetFullSpan();
      break;
    case TEditResult::Refused: Refuse(InitialFreqEdit, Num(old, 4, 2)); break;
  }
}

void TSpectrumDlg::OnExitFinalFreq() {
  float old = sweep.finalFreq;
  switch (sweep.ValidateFinalFreq(B(FinalFreqEdit->text()), decimalSeparator)) {
    case TEditResult::Unchanged: break;
    case TEditResult::Accepted:
      FreqTrackBar->setMaximum(static_cast<int>(std::trunc(sweep.finalFreq)) * 100);
      SaveBtn->setEnabled(false);
      ResetFullSpan();
      break;
    case TEditResult::Refused: Refuse(FinalFreqEdit, Num(old, 4, 2)); break;
  }
}

void TSpectrumDlg::OnExitStepFreq() {
  switch (sweep.ValidateStep(B(StepFreqEdit->text()), decimalSeparator)) {
    case TEditResult::Unchanged: break;
    case TEditResult::Accepted:
      FreqTrackBar->setTickInterval(static_cast<int>(std::trunc(1 / sweep.stepFreq + 0.5)));
      SaveBtn->setEnabled(false);
      break;
    case TEditResult::Refused: Refuse(StepFreqEdit, QString()); break;
  }
}

void TSpectrumDlg::OnExitSnaps() {
  switch (sweep.ValidateSnaps(B(SnapsEdit->text()))) {
    case TEditResult::Unchanged: break;
    case TEditResult::Accepted: SaveBtn->setEnabled(false); break;
    case TEditResult::Refused: Refuse(SnapsEdit, QString()); break;
  }
}

void TSpectrumDlg::OnExitTimeStep() {
  if (sweep.ValidateTimeStep(B(TimeStepEdit->text())) == TEditResult::Refused)
    Refuse(TimeStepEdit, QString());
}

void TSpectrumDlg::OnExitCurrentFreqEdit() {
  if (CurrentFreqEdit->text().isEmpty()) return;
  // While a sweep runs the marker frequency is the sweep's own tuning frequency; the edit shows
  // it and a typed value would send the sweep elsewhere.
  if (sweep.busy) {
    CurrentFreqEdit->setText(Num(sweep.currentFreq, 4, 2));
    return;
  }
  switch (sweep.ValidateCurrentFreq(B(CurrentFreqEdit->text()), decimalSeparator)) {
    case TEditResult::Unchanged: break;
    case TEditResult::Accepted: {
      const bool blocked = FreqTrackBar->blockSignals(true);
      FreqTrackBar->setValue(static_cast<int>(std::trunc(sweep.currentFreq * 100.0)));
      FreqTrackBar->blockSignals(blocked);
      MoveMarker();
      break;
    }
    case TEditResult::Refused: Refuse(CurrentFreqEdit, QString()); break;
  }
}

bool TSpectrumDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      EditToData();
      return true;
    }
  } else if (cv::IsControlExit(event)) {
    if (watched == InitialFreqEdit) OnExitInitialFreq();
    else if (watched == FinalFreqEdit) OnExitFinalFreq();
    else if (watched == StepFreqEdit) OnExitStepFreq();
    else if (watched == SnapsEdit) OnExitSnaps();
    else if (watched == TimeStepEdit) OnExitTimeStep();
    else if (watched == CurrentFreqEdit) OnExitCurrentFreqEdit();
  }
  return QDialog::eventFilter(watched, event);
}

void TSpectrumDlg::EditToData() { StartBtn->setFocus(); }

void TSpectrumDlg::SnapsUpDownClick() {
  int32_t n;
  if (cv::ParseInteger(B(SnapsEdit->text()), n) && n >= 1 && n <= 1000) sweep.snapshots = n;
}

void TSpectrumDlg::ResetFullSpan() {
  FullTerCheckBox->setChecked(false);
  FullSatCheckBox->setChecked(false);
  FullTerCheckBox->hide();
  FullSatCheckBox->hide();
  FullSpanCheckBox->setChecked(false);
}

void TSpectrumDlg::FullSpanCheckBoxClick() {
  if (FullSpanCheckBox->isChecked()) {
    FullTerCheckBox->show();
    FullSatCheckBox->show();
  } else {
    ResetFullSpan();
  }
}

void TSpectrumDlg::FullTerCheckBoxClick() {
  sweep.SetFullSpan(FullTerCheckBox->isChecked(), FullSatCheckBox->isChecked());
  DataToEdit();
}

void TSpectrumDlg::FullSatCheckBoxClick() {
  if (sweep.profile.satelliteBand) FullTerCheckBoxClick();
}

void TSpectrumDlg::HelpBtnClick() { ShowPluginHelp(info.startDir, info.helpTopic, info.helpFile.c_str()); }

// ---------------------------------------------------------------------------------------------
// States, run and measurement

void TSpectrumDlg::ApplyState(int state, bool enable) {
  std::vector<QWidget*> controls;
  std::vector<QLineEdit*> emptied;
  switch (state) {
    case 0:
      emptied = {CurrentTimeStepEdit, CurrentFreqEdit, CurrentLevelEdit, CurrentSnapEdit};
      controls = {MeasCombo, MeasBtn, SaveBtn, PrintBtn, FreqTrackBar, CurrentFreqEdit,
                  CurrentLevelEdit, CurrentSnapEdit, CurrentTimeStepEdit};
      break;
    case 1:
      emptied = {CurrentTimeStepEdit, CurrentSnapEdit};
      controls = {CurrentSnapEdit, CurrentTimeStepEdit};
      break;
    case 2:
      controls = {FreqTrackBar, InitialFreqEdit, StepFreqEdit, FinalFreqEdit, ReferenceLevelCombo,
                  MeasCombo, MeasBtn, SaveBtn, FullSpanCheckBox, PrintBtn, CloseBtn};
      break;
    case 3:
      emptied = {CurrentTimeStepEdit, CurrentLevelEdit, CurrentSnapEdit};
      controls = {InitialFreqEdit, StepFreqEdit, FinalFreqEdit, ReferenceLevelCombo, CurrentSnapEdit,
                  CurrentTimeStepEdit, FullSpanCheckBox, MeasBtn};
      break;
    default: return;
  }
  for (QLineEdit* e : emptied) e->clear();
  StartBtn->setText(M(state == 2 ? msg::SpecStop : msg::SpecStart));
  for (QWidget* w : controls) w->setEnabled(enable);
  if (state == 1 && !enable) FreqTrackBar->setFocus();
}

void TSpectrumDlg::SetTimer(bool on) {
  if (on)
    TimerToSnaps->start();
  else
    TimerToSnaps->stop();
}

void TSpectrumDlg::ShowCountdown(int seconds) { CurrentTimeStepEdit->setText(QString::number(seconds)); }

void TSpectrumDlg::ResetMarker() {
  const bool blocked = FreqTrackBar->blockSignals(true);
  FreqTrackBar->setValue(FreqTrackBar->minimum());
  FreqTrackBar->blockSignals(blocked);
  markerX = 0;
}

void TSpectrumDlg::BeginTrace() {
  DrawGrid();
  DrawScales();
}

void TSpectrumDlg::StartPen() { penPos = QPoint(0, traceBitmap.height()); }

void TSpectrumDlg::SetUnits(const std::string& units) { UnitsLabel->setText(Q(units)); }

void TSpectrumDlg::ErrorBox(const std::string& caption, const std::string& text) {
  showError(Q(caption), Q(text));
}

void TSpectrumDlg::PendingReady() {
  if (pendingPosted) return;
  pendingPosted = true;
  QTimer::singleShot(0, this, &TSpectrumDlg::RunPending);
}

void TSpectrumDlg::RunPending() {
  pendingPosted = false;
  if (sweep.closePending && !sweep.InsideWait()) {
    sweep.closePending = false;
    QDialog::reject();
  } else if (sweep.TakePendingStart()) {
    StartBtnClick();
  }
}

void TSpectrumDlg::reject() {
  if (!sweep.StopForClose()) return;  // closes once the sweep has unwound
  QDialog::reject();
}

void TSpectrumDlg::StartBtnClick() {
  const bool starting = !sweep.running && !sweep.InsideWait();
  if (starting) scale.SetLevelScale(std::max(0, ReferenceLevelCombo->currentIndex()));
  // A start that fails keeps the last sweep, so Save and Print stay as they were for it.
  const bool saveOn = SaveBtn->isEnabled(), printOn = PrintBtn->isEnabled();
  sweep.StartBtnClick();
  if (starting && sweep.startFailed) {
    SaveBtn->setEnabled(saveOn);
    PrintBtn->setEnabled(printOn);
  }
}

void TSpectrumDlg::LessToNextSnap() { sweep.LessToNextSnap(); }

void TSpectrumDlg::MeasBtnClick() {
  if (sweep.InsideWait()) return;
  MeasBtn->setEnabled(false);
  const int item = MeasCombo->currentIndex();
  sweep.MeasBtnClick(item);
  CurrentLevelEdit->setText(Q(sweep.MeasText(item < 0 ? 0 : item, decimalSeparator)));
  CurrentFreqEdit->setText(Num(sweep.currentFreq, 4, 2));
  MeasBtn->setEnabled(true);
}

// ---------------------------------------------------------------------------------------------
// Trace, scales and marker

void TSpectrumDlg::ShowBitmap() { SpecImage->update(); }

void TSpectrumDlg::DrawGrid() {
  {
    QPainter p(&traceBitmap);
    p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    p.setPen(QPen(QColor(kBlue), 1, Qt::DashLine));
    p.drawLine(markerX, traceBitmap.height(), markerX, 0);
  }
  traceBitmap.fill(Qt::white);
  penPos = QPoint(0, traceBitmap.height());
  ShowBitmap();
  for (QLabel* l : levelLabels) {
    l->clear();
    l->deleteLater();
  }
  levelLabels.clear();
  for (QLabel* l : freqLabels) {
    l->clear();
    l->deleteLater();
  }
  freqLabels.clear();
  QCoreApplication::processEvents();
}

void TSpectrumDlg::ShowLevelDiv() {
  LevelDivLabel->setText(QString::number(scale.levelDiv) + M(msg::SpecDbuvPerDiv));
}

void TSpectrumDlg::ShowFreqDiv() {
  FreqDivLabel->setText(QString::number(scale.mhzPerDiv) + M(msg::SpecMhzPerDiv));
}

void TSpectrumDlg::DrawScales() {
  scale.SetLevelScale(std::max(0, ReferenceLevelCombo->currentIndex()));
  scale.ComputeScale(sweep.initialFreq, sweep.finalFreq);
  traceScale = {scale.levelDiv, scale.mhzPerDiv, scale.refLevel, sweep.initialFreq, sweep.finalFreq};
  ShowLevelDiv();
  ShowFreqDiv();
  const int w = traceBitmap.width(), h = traceBitmap.height();
  QFont small("Arial", 7);
  {
    QPainter p(&traceBitmap);
    p.setPen(QPen(QColor(kRed), 1, Qt::DotLine));
    for (int i = 0; i <= 5; ++i) {
      double level = scale.LevelOfDivision(i);
      int y = scale.LevelToY(level);
      p.drawLine(0, h - y, w, h - y);
      auto* l = new QLabel(QString::number(static_cast<int>(level)), this);
      l->setFont(small);
      l->move(SpecImage->x() - 20, SpecImage->y() + SpecImage->height() - y - 5);
      l->show();
      levelLabels.push_back(l);
    }
    for (int j = 0; j < scale.freqDivisions; ++j) {
      int f = scale.FreqOfDivision(j);
      int x = scale.FreqToX(f);
      p.drawLine(x, h, x, 0);
      auto* l = new QLabel(QString::number(f), this);
      l->setFont(small);
      l->move(SpecImage->x() + x - 7, SpecImage->y() + SpecImage->height() + 22);
      l->show();
      freqLabels.push_back(l);
    }
    p.setPen(QPen(QColor(kRed), 1, Qt::SolidLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, w - 1, h - 1);
  }
  penPos = QPoint(0, h);
  ShowBitmap();
}

void TSpectrumDlg::PlotLevel(float mhz, float level) {
  QPoint to(scale.FreqToX(mhz), traceBitmap.height() - scale.LevelToY(level));
  {
    QPainter p(&traceBitmap);
    p.setPen(QPen(QColor(kBlack), 1, Qt::SolidLine));
    p.drawLine(penPos, to);
  }
  penPos = to;
  ShowBitmap();
  QCoreApplication::processEvents();
}

void TSpectrumDlg::OnChangeFreqTrackBar() { MoveMarker(); }

void TSpectrumDlg::MoveMarker() {
  if (sweep.state == 0) return;
  // During a sweep the bar is disabled and currentFreq is the sweep's; only the line moves.
  if (!sweep.busy) sweep.currentFreq = static_cast<float>(FreqTrackBar->value() * 0.01);
  {
    QPainter p(&traceBitmap);
    p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    p.setPen(QPen(QColor(kBlue), 1, Qt::DashLine));
    const int h = traceBitmap.height();
    p.drawLine(markerX, h, markerX, 0);
    markerX = scale.FreqToX(sweep.currentFreq);
    p.drawLine(markerX, h, markerX, 0);
  }
  ShowBitmap();
  CurrentFreqEdit->setText(Num(sweep.currentFreq, 4, 2));
  CurrentLevelEdit->clear();
}

// ---------------------------------------------------------------------------------------------
// Delta measurement with the mouse

void TSpectrumDlg::ShowDeltaGrid() {
  DeltaStringGrid->show();
  DeltaStringGrid->raise();
  DeltaStringGrid->item(1, 0)->setText(M(msg::SpecOrigin));
  DeltaStringGrid->item(2, 0)->setText(M(msg::SpecCurrent));
  DeltaStringGrid->item(3, 0)->setText(M(msg::SpecDelta));
  DeltaStringGrid->item(0, 1)->setText(M(msg::SpecMhz));
  DeltaStringGrid->item(0, 2)->setText(M(msg::SpecDbuv));
}

void TSpectrumDlg::UpdateDelta(const QPoint& p) {
  double l0, f0, l1, f1;
  scale.PointToLevelFreq(originPoint.x(), originPoint.y(), l0, f0);
  scale.PointToLevelFreq(p.x(), p.y(), l1, f1);
  DeltaStringGrid->item(1, 1)->setText(Num(f0, 4, 2));
  DeltaStringGrid->item(1, 2)->setText(Num(l0, 4, 2));
  DeltaStringGrid->item(2, 1)->setText(Num(f1, 4, 2));
  DeltaStringGrid->item(2, 2)->setText(Num(l1, 4, 2));
  DeltaStringGrid->item(3, 1)->setText(Num(f1 - f0, 4, 2));
  DeltaStringGrid->item(3, 2)->setText(Num(l1 - l0, 4, 2));
}

void TSpectrumDlg::SpecImageMouseDown(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  dragging = true;
  originPoint = lastPoint = e->position().toPoint();
  SpecImage->bandFrom = SpecImage->bandTo = originPoint;
  SpecImage->band = true;
  ShowDeltaGrid();
}

void TSpectrumDlg::SpecImageMouseMove(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  if (dragging) {
    SpecImage->bandTo = p;
    SpecImage->update();
    UpdateDelta(p);
  }
  lastPoint = p;
}

void TSpectrumDlg::SpecImageMouseUp(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || !dragging) return;
  SpecImage->band = false;
  SpecImage->update();
  dragging = false;
  DeltaStringGrid->hide();
}

// ---------------------------------------------------------------------------------------------
// Logger file and printing

void TSpectrumDlg::SaveBtnClick() {
  if (!sweep.haveLevels) {
    link.Log(cv::Msg(msg::SpecNoSpectrums));
    return;
  }
  const QString path = chooseSaveFile();
  if (path.isEmpty()) return;
  raise();
  activateWindow();
  const std::string fullPath = B(QDir::toNativeSeparators(path));
  const std::string shortName = B(QFileInfo(path).fileName());

  const TSpectrumLogFile file =
      SpectrumLogFileOf(sweep, listSeparator, decimalSeparator, SpecDateString(), SpecTimeString());
  std::string error;
  TSpectrumLogFile::Result r = file.Save(path.toLocal8Bit().toStdString(), error);
  if (r != TSpectrumLogFile::Result::Saved) {
    int id = r == TSpectrumLogFile::Result::NotCreated ? msg::SpecCannotCreate : msg::SpecCannotWrite;
    std::string text = cv::FormatStyled({.negativeZero = true}, cv::Msg(id), fullPath.substr(0, 310));
    link.Log(text);
    if (!error.empty()) link.Log(error);
    showError(M(msg::SpecErrorCaption), Q(text));
    return;
  }
  link.Log(cv::Msg(msg::SpecSaved) + shortName);
}

void TSpectrumDlg::PrintBtnClick() {
  if (!confirmPrint(*printer)) return;
  cv::PrintOutput job(*printer);
  QPainter p;
  if (job.Begin(p)) DrawPrintedPage(p, job.Device());
  const std::string failed = cv::PrintFailureText(job, job.End(p));
  if (!failed.empty()) {
    link.Log(failed);
    showError(M(msg::SpecErrorCaption), Q(failed));
    return;
  }
  link.Log(cv::Msg(msg::SpecSentToPrint));
}

void TSpectrumDlg::DrawPrintedPage(QPainter& p, const QPaintDevice& page) {
  QFont labels("Arial");
  if (sweep.profile.printLabelPointSize > 0) labels.setPointSize(sweep.profile.printLabelPointSize);
  p.setFont(labels);
  const int pageWidth = page.width();
  const int h2 = page.height() / 2;
  const int left = 225, top = 220, right = 125, gap = 40;
  p.drawImage(QRect(QPoint(left, top), QPoint(pageWidth - right, h2 - gap)), traceBitmap);

  const int rowStep = (h2 - (top + gap)) / 5;
  for (size_t i = 0; i < levelLabels.size() && i <= 5; ++i)
    p.drawText(left - 80, h2 - gap - rowStep * static_cast<int>(i) - 15 + p.fontMetrics().ascent(),
               levelLabels[i]->text());
  // One label alone has no column step; it stands at the left edge.
  const int columns = static_cast<int>(freqLabels.size());
  const int columnStep = columns > 1 ? (pageWidth - (left + right)) / (columns - 1) : 0;
  for (int j = 0; j < columns; ++j)
    p.drawText(columnStep * j + left - 20, h2 - gap + 50 + p.fontMetrics().ascent(), freqLabels[j]->text());

  QFont big("Arial");
  big.setPointSize(12);
  p.setFont(big);
  const int lineHeight = p.fontMetrics().height();
  int y = h2 + 3 * lineHeight;
  auto line = [&](const std::string& text) {
    p.drawText(150, y + p.fontMetrics().ascent(), Q(text));
    y += lineHeight;
  };
  const cv::NumberStyle style{decimalSeparator, true};
  line(cv::FormatStyled(style, cv::Msg(msg::SpecPrintScales), int64_t{traceScale.levelDiv},
                        int64_t{traceScale.mhzPerDiv}, double{traceScale.initialFreq}, double{traceScale.finalFreq},
                        int64_t{traceScale.refLevel}));
  if (sweep.meas.status1 != 0)
    line(cv::FormatStyled(style, cv::Msg(msg::SpecPrintLastMeas), std::string(sweep.meas.name), sweep.meas.status1,
                          sweep.meas.status2, double{sweep.meas.level}, B(UnitsLabel->text()),
                          double{sweep.currentFreq}));
  line(cv::FormatStyled(style, cv::Msg(msg::SpecPrintGenerated), info.versionText, SpecDateString(),
                        SpecTimeString()));
}

void TSpectrumDlg::PrintSetupBtnClick() { showPrinterSetup(); }
