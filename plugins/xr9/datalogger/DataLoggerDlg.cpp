#include "DataLoggerDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <vector>

#include "AskMultiInfoDlg.h"
#include "AskObsDlg.h"
#include "DataLoggerSheetDlg.h"
#include "DataLoggerSheetDlg_Sky.h"
#include "FileDialogs.h"
#include "LogoImage.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PluginHelp.h"
#include "Text1252.h"
#include "Xr9Equip.h"

namespace cv::xr9 {

namespace {
namespace m = cv::msg::xr9dl;
constexpr const char* kHelpFile = "help\\XR9Tools.hlp";
}  // namespace

TDataLoggerDlg::TDataLoggerDlg(QWidget* owner, TXR9Equip& equipment)
    : QDialog(owner), ctl_(equipment, [this](const std::string& line) { LogLine(line); }), equipment_(equipment) {
  BuildForm();
  ctl_.listChanged = [this] { FillList(); };
  ctl_.observationsQuestion = [this](const std::string& prompt) {
    TDataLoggerAskObsDlg ask(this, equipment_);
    ask.SetPrompt(From1252(prompt));
    ask.exec();
    return ask.HasObservations();
  };
  ctl_.cvtoolsInformationQuestion = [this] {
    TDataLogAskMultiInfoCvToolsDlg ask(this, equipment_, &ctl_.reportInfo);
    ask.FillFields();
    ask.exec();
  };
  ctl_.skyInformationQuestion = [this] {
    if (!ctl_.skySheet) return;
    TDataLogAskMultiInfoSkyDlg ask(this, equipment_, ctl_.skySheet);
    ask.FillFields();
    ask.exec();
  };
}

TDataLoggerDlg::~TDataLoggerDlg() {
  ctl_.listChanged = nullptr;
  ctl_.observationsQuestion = nullptr;
  ctl_.cvtoolsInformationQuestion = nullptr;
  ctl_.skyInformationQuestion = nullptr;
  if (settingsLoaded_) DataLoggerCtl::WriteRegistry(ctl_.RegistryValues());
}

void TDataLoggerDlg::BuildForm() {
  setObjectName("TDataLoggerDlg");
  setWindowTitle(MsgQ(m::DialogCaption));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  auto named = [](QWidget* w, const char* name, int hintId = 0) {
    w->setObjectName(name);
    if (hintId) {
      w->setToolTip(MsgQ(hintId));
      w->setStatusTip(MsgQ(hintId));
    }
    return w;
  };
  Image1 = new QLabel(this);
  named(Image1, "Image1");
  Image2 = new QLabel(this);
  named(Image2, "Image2");
  // The built-in logo until the INI file names a picture of the user's, as on the main window.
  auto* logo = new TLogoImage(this);
  logo->SetStretch(true);
  logo->SetProportional(true);
  logo->SetCenter(true);
  logo->SetPicture(BuiltInLogo(160, 60));
  Image3 = logo;
  named(Image3, "Image3");
  Image3->setFixedSize(160, 60);
  Bevel1 = new QFrame(this);
  named(Bevel1, "Bevel1");
  Bevel1->setFrameShape(QFrame::HLine);
  Bevel2 = new QFrame(this);
  named(Bevel2, "Bevel2");
  Bevel2->setFrameShape(QFrame::HLine);

  Label1 = new QLabel(MsgQ(m::FilesLabel), this);
  named(Label1, "Label1");
  FilesCheckList = new QListWidget(this);
  named(FilesCheckList, "FilesCheckList", m::FilesHint);
  connect(FilesCheckList, &QListWidget::itemChanged, this, [this](QListWidgetItem* i) { FilesCheckListClickCheck(i); });

  auto button = [&](QPushButton*& b, const char* name, int captionId, int hintId, void (TDataLoggerDlg::*handler)()) {
    b = new QPushButton(MsgQ(captionId), this);
    named(b, name, hintId);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
  };
  button(ListAllBtn, "ListAllBtn", m::ListAllCaption, m::ListAllHint, &TDataLoggerDlg::ListAllBtnClick);
  button(ReceiveFileBtn, "ReceiveFileBtn", m::ReceiveCaption, m::ReceiveHint, &TDataLoggerDlg::ReceiveFileBtnClick);
  button(ReadFromFileBtn, "ReadFromFileBtn", m::LoadCaption, m::LoadHint, &TDataLoggerDlg::ReadFromFileBtnClick);
  button(ViewBtn, "ViewBtn", m::ViewCaption, m::ViewHint, &TDataLoggerDlg::ViewBtnClick);
  button(SelectFolderBtn, "SelectFolderBtn", m::FolderCaption, m::FolderHint, &TDataLoggerDlg::SelectFolderBtnClick);
  button(CloseBtn, "CloseBtn", m::ExitCaption, 0, &TDataLoggerDlg::CloseBtnClick);
  button(HelpBtn, "HelpBtn", m::HelpCaption, 0, &TDataLoggerDlg::HelpBtnClick);

  SaveReceivedCheckBox = new QCheckBox(MsgQ(m::SaveReceivedCaption), this);
  named(SaveReceivedCheckBox, "SaveReceivedCheckBox");
  SaveReceivedCheckBox->setChecked(true);
  connect(SaveReceivedCheckBox, &QCheckBox::clicked, this, [this] { SaveReceivedCheckBoxClick(); });
  NameFolderEdit = new QLineEdit(this);
  named(NameFolderEdit, "NameFolderEdit");
  NameFolderEdit->setReadOnly(true);
  NameFolderEdit->installEventFilter(this);

  EnableReportsCheckBox = new QCheckBox(MsgQ(m::EnableReportsCaption), this);
  named(EnableReportsCheckBox, "EnableReportsCheckBox", m::EnableReportsHint);
  connect(EnableReportsCheckBox, &QCheckBox::clicked, this, [this] { EnableReportsCheckBoxClick(); });
  ReportsComboBox = new QComboBox(this);
  named(ReportsComboBox, "ReportsComboBox", m::ReportsHint);
  ReportsComboBox->setEnabled(false);
  connect(ReportsComboBox, qOverload<int>(&QComboBox::activated), this, [this](int i) { ReportsComboBoxChange(i); });

  DLMemo = new QPlainTextEdit(this);
  named(DLMemo, "DLMemo", m::MemoHint);
  DLMemo->setReadOnly(true);
  DLMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  auto* top = new QHBoxLayout;
  top->addWidget(Image1);
  top->addStretch();
  top->addWidget(Image3);
  top->addWidget(Image2);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {ListAllBtn, ReceiveFileBtn, ReadFromFileBtn, ViewBtn}) {
    b->setMinimumHeight(34);
    buttons->addWidget(b);
  }
  buttons->addStretch();
  auto* files = new QVBoxLayout;
  files->addWidget(Label1);
  files->addWidget(FilesCheckList);
  auto* middle = new QHBoxLayout;
  middle->addLayout(files, 1);
  middle->addLayout(buttons);
  auto* folder = new QHBoxLayout;
  folder->addWidget(SaveReceivedCheckBox);
  folder->addWidget(NameFolderEdit, 1);
  folder->addWidget(SelectFolderBtn);
  auto* reports = new QHBoxLayout;
  reports->addWidget(EnableReportsCheckBox);
  reports->addWidget(ReportsComboBox, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(HelpBtn);
  bottom->addWidget(CloseBtn);
  auto* all = new QVBoxLayout(this);
  all->addLayout(top);
  all->addWidget(Bevel1);
  all->addLayout(middle, 1);
  all->addLayout(folder);
  all->addLayout(reports);
  all->addWidget(Bevel2);
  all->addWidget(DLMemo);
  all->addLayout(bottom);
  resize(640, 560);
}

void TDataLoggerDlg::LogLine(const std::string& line) { DLMemo->appendPlainText(From1252(line)); }

bool TDataLoggerDlg::LoadSettings() {
  if (!ctl_.LoadSettings()) return false;
  // The logo is read from the same INI file: after it proved readable, so its failure shows once.
  equipment_.LoadCustomLogo(Image3);
  ReportsComboBox->clear();
  for (const std::string& n : ctl_.settings.reportNames) ReportsComboBox->addItem(From1252(n));
  EnableReportsCheckBox->setChecked(ctl_.reportsEnabled);
  EnableReportsCheckBoxClick();
  NameFolderEdit->setText(QString::fromLocal8Bit(ctl_.folder.c_str()));
  settingsLoaded_ = true;
  EnableControls(true);
  return true;
}

void TDataLoggerDlg::EnableControls(bool enable) {
  const bool port = ctl_.HasPort();
  ListAllBtn->setEnabled(port && enable);
  ReceiveFileBtn->setEnabled(port && enable);
  ViewBtn->setEnabled(enable && ctl_.CanView());
}

void TDataLoggerDlg::FillList() {
  filling_ = true;
  FilesCheckList->clear();
  for (int i = 0; i < ctl_.ItemCount(); ++i) {
    auto* item = new QListWidgetItem(From1252(ctl_.Entry(i).name), FilesCheckList);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(ctl_.Ticked(i) ? Qt::Checked : Qt::Unchecked);
  }
  filling_ = false;
}

void TDataLoggerDlg::FilesCheckListClickCheck(QListWidgetItem* item) {
  if (filling_ || !item) return;
  const int i = FilesCheckList->row(item);
  const bool on = ctl_.SetTicked(i, item->checkState() == Qt::Checked);
  if (on != (item->checkState() == Qt::Checked)) {
    filling_ = true;
    item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    filling_ = false;
  }
}

void TDataLoggerDlg::ListAllBtnClick() {
  EnableControls(false);
  ctl_.ListAll();
  EnableControls(true);
}

void TDataLoggerDlg::ReceiveFileBtnClick() {
  EnableControls(false);
  ctl_.saveReceived = SaveReceivedCheckBox->isChecked();
  ctl_.folder = NameFolderEdit->text().toLocal8Bit().toStdString();
  ctl_.ReceiveTicked();
  EnableControls(true);
}

void TDataLoggerDlg::ReadFromFileBtnClick() {
  FileDialogRequest request;
  request.filter = MsgQ(m::OpenFilter);
  request.defaultExt = "DL";
  request.multiSelect = true;
  EnableControls(false);
  const QStringList files = OpenFilesDialog(this, request);
  std::vector<std::string> paths;
  for (const QString& f : files) paths.push_back(f.toLocal8Bit().toStdString());
  if (!paths.empty()) ctl_.LoadFiles(paths);
  EnableControls(true);
}

void TDataLoggerDlg::ViewBtnClick() {
  if (ctl_.CurrentReportKind() == 3) {
    ViewSkySheet();
    return;
  }
  TDataLoggerSheetDlg sheet(this, ctl_, equipment_);
  if (!sheet.Init()) {
    ctl_.HostLog(Msg(m::ViewerInitFailed));
    return;
  }
  sheet_ = &sheet;
  ctl_.sheet = &sheet.Sheet();
  if (ReportsComboBox->isEnabled()) {
    const std::string title = ctl_.ReportTitle();
    if (!title.empty()) sheet.SetReportTypeText(From1252(title));
  }
  sheet.ShowFile(0);
  ctl_.HostLog(Msg(m::RunningViewer));
  sheet.exec();
  ctl_.HostLog(Msg(m::ClosedViewer));
  ctl_.sheet = nullptr;
  sheet_ = nullptr;
}

void TDataLoggerDlg::ViewSkySheet() {
  TDataLoggerSheetDlg_Sky sheet(this, ctl_, equipment_);
  if (!sheet.Init()) {
    ctl_.HostLog(Msg(m::ViewerInitFailed));
    return;
  }
  ctl_.skySheet = &sheet.Sheet();
  if (ReportsComboBox->isEnabled()) {
    const std::string title = ctl_.ReportTitle();
    if (!title.empty()) sheet.SetReportTypeText(From1252(title));
  }
  sheet.ShowTerFile(0);
  sheet.ShowSatFile(0);
  ctl_.HostLog(Msg(m::RunningViewer));
  sheet.exec();
  ctl_.HostLog(Msg(m::ClosedViewer));
  ctl_.skySheet = nullptr;
}

void TDataLoggerDlg::ReportsComboBoxChange(int index) {
  if (!ctl_.SelectReportItem(index)) {
    // The choice stays as it was.
    int item = 0;
    if (ctl_.chosenKind >= 0 && ctl_.FindReportItem(ctl_.chosenKind, item) == DataLoggerCtl::Find::Found)
      ReportsComboBox->setCurrentIndex(item);
  }
}

void TDataLoggerDlg::EnableReportsCheckBoxClick() {
  const bool on = EnableReportsCheckBox->isChecked();
  ReportsComboBox->setEnabled(on);
  ReportsComboBox->setCurrentIndex(ctl_.EnableReports(on));
}

void TDataLoggerDlg::SaveReceivedCheckBoxClick() {
  const bool on = SaveReceivedCheckBox->isChecked();
  QPalette p = NameFolderEdit->palette();
  p.setColor(QPalette::Text, on ? QColor(Qt::black) : QColor(0xA6, 0xCA, 0xF0));
  NameFolderEdit->setPalette(p);
  SelectFolderBtn->setEnabled(on);
  ctl_.saveReceived = on;
}

void TDataLoggerDlg::SelectFolderBtnClick() {
  const QString start = NameFolderEdit->text().isEmpty() ? QDir::currentPath() : NameFolderEdit->text();
  const QString chosen = FolderDialog(this, QString(), start);
  if (chosen.isEmpty()) return;
  NameFolderEdit->setText(chosen);
  ctl_.folder = chosen.toLocal8Bit().toStdString();
}

void TDataLoggerDlg::HelpBtnClick() { ShowPluginHelp(equipment_.GetStartDir(), QStringLiteral("DataLogger"), kHelpFile); }

void TDataLoggerDlg::CloseBtnClick() { accept(); }

bool TDataLoggerDlg::eventFilter(QObject* watched, QEvent* event) {
  // The folder field only shows the folder: keys (the Delete key too) are swallowed.
  if (watched == NameFolderEdit && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) return true;
  return QDialog::eventFilter(watched, event);
}

bool ShowDataLoggerDialog(TXR9Equip& equipment) {
  TDataLoggerDlg dlg(equipment.GetOwner(), equipment);
  if (!dlg.LoadSettings()) return false;
  dlg.exec();
  return true;
}

}  // namespace cv::xr9
