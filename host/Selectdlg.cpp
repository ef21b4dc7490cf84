#include "Selectdlg.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <fstream>

#include "AppServices.h"
#include "FixedFont.h"
#include "Format.h"
#include "LogoImage.h"
#include "Mainform.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PluginLibrary.h"
#include "Text1252.h"

namespace msg = cv::msg::detect;

namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

TSelectEquipmentDlg::TSelectEquipmentDlg(TMainForm* owner) : QDialog(owner), owner(owner) {
  setObjectName("SelectEquipmentDlg");
  setWindowTitle(cv::MsgQ(msg::SelectDialogCaption));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint);

  Image1 = new TLogoImage(this);
  Image1->setObjectName("Image1");
  Image1->SetStretch(true);
  Image1->setFixedSize(120, 60);
  Image1->SetPicture(BuiltInLogo(120, 60));
  Label2 = new QLabel(cv::MsgQ(msg::OptionsLabel), this);
  Label2->setObjectName("Label2");
  ListDLLsComboBox = new QComboBox(this);
  ListDLLsComboBox->setObjectName("ListDLLsComboBox");
  ListDLLsComboBox->setToolTip(cv::MsgQ(msg::OptionsHint));
  OKBtn = new QPushButton(cv::MsgQ(msg::SelectCaption), this);
  OKBtn->setObjectName("OKBtn");
  OKBtn->setDefault(true);
  OKBtn->setToolTip(cv::MsgQ(msg::SelectHint));
  CancelBtn = new QPushButton(cv::MsgQ(msg::CancelCaption), this);
  CancelBtn->setObjectName("CancelBtn");
  Label1 = new QLabel(cv::MsgQ(msg::CoveredModelsLabel), this);
  Label1->setObjectName("Label1");
  EquipmentsListBox = new QListWidget(this);
  EquipmentsListBox->setObjectName("EquipmentsListBox");
  EquipmentsListBox->setFont(cv::FixedPitchFont(QString()));
  EquipmentsListBox->setToolTip(cv::MsgQ(msg::ModelsHint));
  for (QWidget* w : {static_cast<QWidget*>(ListDLLsComboBox), static_cast<QWidget*>(OKBtn),
                     static_cast<QWidget*>(EquipmentsListBox)})
    w->setStatusTip(w->toolTip());

  auto* grid = new QGridLayout(this);
  grid->addWidget(Image1, 0, 0, 1, 2);
  grid->addWidget(Label2, 1, 0);
  grid->addWidget(ListDLLsComboBox, 2, 0, 1, 2);
  grid->addWidget(Label1, 3, 0);
  grid->addWidget(EquipmentsListBox, 4, 0, 1, 2);
  grid->addWidget(OKBtn, 5, 0);
  grid->addWidget(CancelBtn, 5, 1);

  connect(ListDLLsComboBox, QOverload<int>::of(&QComboBox::activated), this, &TSelectEquipmentDlg::ListDLLsComboBoxClick);
  connect(OKBtn, &QPushButton::clicked, this, &TSelectEquipmentDlg::OKBtnClick);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  connect(EquipmentsListBox, &QListWidget::itemDoubleClicked, this, &TSelectEquipmentDlg::EquipmentsListBoxDblClick);
  connect(EquipmentsListBox, &QListWidget::itemClicked, this, &TSelectEquipmentDlg::EquipmentsListBoxClick);

  if (owner) owner->LoadCustomLogo(Image1);
  selection = 0;
  LoadConfig();
  if (!configRead) return;
  StripBrackets();
  if (models.empty()) {
    cv::ShowWarning(cv::MsgQ(msg::ConfigCaption), cv::MsgQ(msg::NoDllsFound));
    return;
  }
  FindLibraries();
  FillOptions();
}

TSelectEquipmentDlg::~TSelectEquipmentDlg() = default;

void TSelectEquipmentDlg::LoadConfig() {
  std::ifstream in("CvTools.cfg", std::ios::binary);
  if (!in) {
    configRead = false;
    std::string text = cv::Format(cv::Msg(msg::ConfigUnreadable), "CvTools.cfg");
    if (owner) owner->AddLog(text);
    cv::ShowWarning(cv::MsgQ(msg::ConfigCaption), cv::From1252(text));
    return;
  }
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    // A record needs its library line; a "[" line at the very end names nothing to load.
    if (lines[i].empty() || lines[i][0] != '[' || i + 1 >= lines.size()) continue;
    models.push_back(Upper(lines[i]));
    libraries.push_back(Upper(lines[i + 1]));
  }
}

void TSelectEquipmentDlg::StripBrackets() {
  for (std::string& model : models) {
    std::string head = model.substr(0, 33), out;
    for (char c : head)
      if (c != '[' && c != ']') out.push_back(c);
    model = out + model.substr(head.size());
  }
}

void TSelectEquipmentDlg::FindLibraries() {
  QDir dir(QDir::currentPath());
  QStringList files;
  for (const QString& f : dir.entryList(QDir::Files, QDir::Unsorted))
    if (f.endsWith(TPluginLibrary::LibrarySuffix(), Qt::CaseInsensitive)) files << f;
  if (files.isEmpty()) {
    cv::ShowWarning(cv::MsgQ(msg::CvToolsErrorCaption), cv::MsgQ(msg::NoLibraryFiles));
    cv::ShowWarning(cv::MsgQ(msg::ConfigCaption), cv::MsgQ(msg::NoDllsFound));
    return;
  }
  for (const QString& f : files) {
    // The name without its extension, whatever the extension's length.
    std::string name = Upper(QFileInfo(f).completeBaseName().toLocal8Bit().toStdString());
    for (const std::string& library : libraries)
      if (library == name) {
        available.push_back(name);
        break;
      }
  }
}

void TSelectEquipmentDlg::FillOptions() {
  for (const std::string& library : available) ListDLLsComboBox->addItem(cv::From1252(library));
  if (!available.empty()) ListDLLsComboBox->setCurrentIndex(0);
  ShowModels(0);
}

void TSelectEquipmentDlg::ShowModels(int index) {
  EquipmentsListBox->clear();
  if (index < 0 || index >= static_cast<int>(available.size())) return;
  for (size_t i = 0; i < models.size() && i < libraries.size(); ++i)
    if (libraries[i] == available[index]) EquipmentsListBox->addItem(cv::From1252(models[i]));
}

void TSelectEquipmentDlg::ListDLLsComboBoxClick() {
  int index = ListDLLsComboBox->currentIndex();
  selection = index >= 0 ? index : 0;
  ShowModels(selection);
}

void TSelectEquipmentDlg::Accept() {
  if (!available.empty() && selection >= 0 && selection < static_cast<int>(available.size()) &&
      !available[selection].empty()) {
    if (owner) owner->SetDllName(available[selection]);
    accept();
  } else {
    reject();
  }
}
