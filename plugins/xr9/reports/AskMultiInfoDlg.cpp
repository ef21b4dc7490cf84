#include "AskMultiInfoDlg.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>

#include "DialogExit.h"
#include "FileDialogs.h"
#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Prompt.h"
#include "SkySheetQuery.h"

namespace cv::xr9 {

namespace {

namespace m = cv::msg::xr9info;

constexpr int kClientWidth = 323, kClientHeight = 275;

std::string LocalPath(const QString& path) { return path.toLocal8Bit().toStdString(); }

void ErrorBox(const std::string& text) { ShowBox(PrompterInForce(), text, Msg(m::ErrorCaption), MsgIcon::Error); }

// Tab and Backtab go from one text to the next: the field names cannot be edited, so a step onto
// one would swallow what the user types next.
class InfoTableView : public QTableView {
 public:
  using QTableView::QTableView;

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
    if (action != MoveNext && action != MovePrevious) return QTableView::moveCursor(action, modifiers);
    const int row = currentIndex().row() + (action == MoveNext ? 1 : -1);
    if (!currentIndex().isValid() || row < 0 || row >= model()->rowCount()) return {};
    return model()->index(row, ReportInfoModel::TextColumn);
  }
};

// The text editor takes no more characters than the report prints; a longer text already there
// (from an earlier file) can still be shortened and is not cut by opening it.
class PrintedLengthDelegate : public QStyledItemDelegate {
 public:
  PrintedLengthDelegate(const int& limit, QObject* parent) : QStyledItemDelegate(parent), limit_(limit) {}

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    if (auto* line = qobject_cast<QLineEdit*>(editor); line && limit_ > 0)
      line->setMaxLength(std::max<int>(limit_, int(index.data(Qt::EditRole).toString().size())));
    QStyledItemDelegate::setEditorData(editor, index);
  }

 private:
  const int& limit_;
};

}  // namespace

TDataLogAskMultiInfoDlg::TDataLogAskMultiInfoDlg(QWidget* owner, TXR9Equip& equipment)
    : QDialog(owner), equipment(&equipment), model_(this) {
  setObjectName("DataLogAskMultiInfoDlg");
  setWindowTitle(MsgQ(m::Caption));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(kClientWidth, kClientHeight);
  // The form is laid out in pixels: its texts are sized in pixels too, so they fit at any DPI.
  QFont formFont = font();
  formFont.setPixelSize(11);
  setFont(formFont);
  auto hinted = [](QWidget* w, const char* name, int hintId) {
    w->setObjectName(name);
    if (hintId) {
      w->setToolTip(MsgQ(hintId));
      w->setStatusTip(MsgQ(hintId));
    }
  };
  auto bold = [](QWidget* w) {
    QFont f = w->font();
    f.setBold(true);
    w->setFont(f);
  };

  Label1 = new QLabel(MsgQ(m::Heading), this);
  hinted(Label1, "Label1", 0);
  bold(Label1);
  Label1->setGeometry(8, 6, 306, 18);

  ValueListEditor = new InfoTableView(this);
  hinted(ValueListEditor, "ValueListEditor", m::EditorHint);
  ValueListEditor->setModel(&model_);
  ValueListEditor->setGeometry(8, 28, 306, 209);
  ValueListEditor->verticalHeader()->hide();
  ValueListEditor->verticalHeader()->setDefaultSectionSize(ValueListEditor->fontMetrics().height() + 6);
  ValueListEditor->setWordWrap(false);
  ValueListEditor->horizontalHeader()->setHighlightSections(false);
  ValueListEditor->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  ValueListEditor->horizontalHeader()->setStretchLastSection(true);
  ValueListEditor->setColumnWidth(ReportInfoModel::FieldColumn, 150);
  ValueListEditor->setSelectionMode(QAbstractItemView::SingleSelection);
  ValueListEditor->setEditTriggers(QAbstractItemView::AllEditTriggers);
  ValueListEditor->setTabKeyNavigation(true);
  ValueListEditor->setItemDelegate(new PrintedLengthDelegate(printedLength_, ValueListEditor));

  auto button = [&](QPushButton*& b, const char* name, int captionId, int hintId, int left, int width,
                    void (TDataLogAskMultiInfoDlg::*handler)()) {
    b = new QPushButton(MsgQ(captionId), this);
    hinted(b, name, hintId);
    bold(b);
    b->setAutoDefault(false);
    b->setGeometry(left, 244, width, 25);
    // Virtual: each subclass's own handler runs.
    connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
  };
  button(LoadBtn, "LoadBtn", m::LoadCaption, m::LoadHint, 8, 108, &TDataLogAskMultiInfoDlg::LoadBtnClick);
  button(SaveBtn, "SaveBtn", m::SaveCaption, m::SaveHint, 120, 98, &TDataLogAskMultiInfoDlg::SaveBtnClick);
  button(DoneBtn, "DoneBtn", m::DoneCaption, m::DoneHint, 222, 92, &TDataLogAskMultiInfoDlg::DoneBtnClick);
  setTabOrder(ValueListEditor, LoadBtn);
  setTabOrder(LoadBtn, SaveBtn);
  setTabOrder(SaveBtn, DoneBtn);
}

void TDataLogAskMultiInfoDlg::DoneBtnClick() { accept(); }

void TDataLogAskMultiInfoDlg::AppendFields(const std::vector<std::string>& names) {
  model_.Change([&names](ReportInfoRows& rows) {
    for (const std::string& n : names) rows.Append(n);
  });
  EditFirstText();
}

void TDataLogAskMultiInfoDlg::EditFirstText() {
  if (model_.rowCount() == 0) return;
  const QModelIndex first = model_.index(0, ReportInfoModel::TextColumn);
  ValueListEditor->setCurrentIndex(first);
  if (ValueListEditor->isVisible()) ValueListEditor->edit(first);
}

void TDataLogAskMultiInfoDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  const QModelIndex current = ValueListEditor->currentIndex();
  if (current.isValid() && !ValueListEditor->indexWidget(current)) ValueListEditor->edit(current);
}

void TDataLogAskMultiInfoDlg::CommitEdit() { CommitCellBeingTyped(*ValueListEditor); }

std::string TDataLogAskMultiInfoDlg::FieldText(const std::string& name) {
  CommitEdit();
  return model_.Rows().TextOf(name);
}

void TDataLogAskMultiInfoDlg::LoadInfoFile(const std::string& signature, int notInfoTextId) {
  FileDialogRequest request;
  request.filter = MsgQ(m::TextFilter);
  request.initialDir = QDir::currentPath();
  const QString path = OpenFileDialog(this, request);
  if (path.isEmpty()) return;
  CommitEdit();  // the text being typed is one the file may lack
  ReportInfoRows rows = model_.Rows();
  switch (rows.Load(LocalPath(path), signature)) {
    case ReportInfoRows::Loaded::NotOpened:
      ErrorBox(Msg(m::CannotOpen));
      return;
    case ReportInfoRows::Loaded::NoSignature:
      ErrorBox(Msg(notInfoTextId));
      return;
    case ReportInfoRows::Loaded::Ok: {
      model_.Change([&rows](ReportInfoRows& shown) { shown = std::move(rows); });
      EditFirstText();
      std::string longer;
      for (const InfoRow& r : model_.Rows().Rows())
        if (printedLength_ > 0 && r.text.size() > size_t(printedLength_)) longer += "\n" + r.key;
      if (!longer.empty())
        ShowBox(PrompterInForce(), Format(Msg(m::LongerThanPrinted), printedLength_, longer.substr(1)),
                Msg(m::WarningCaption), MsgIcon::Warning);
      return;
    }
  }
}

void TDataLogAskMultiInfoDlg::SaveInfoFile(const std::string& signature, const std::string& notice) {
  FileDialogRequest request;
  request.filter = MsgQ(m::TextFilter);
  request.defaultExt = "txt";
  request.initialDir = QDir::currentPath();
  const QString path = SaveFileDialog(this, request);
  if (path.isEmpty()) return;
  CommitEdit();
  std::string why;
  if (model_.Rows().Save(LocalPath(path), signature, notice, &why) != SaveResult::Saved)
    ErrorBox(Format(Msg(m::NotSaved), LocalPath(path)) + (why.empty() ? "" : "\n" + why));
}

// ---- The generic report's three texts ----

TDataLogAskMultiInfoCvToolsDlg::TDataLogAskMultiInfoCvToolsDlg(QWidget* owner, TXR9Equip& equipment,
                                                               std::array<std::string, 3>* target)
    : TDataLogAskMultiInfoDlg(owner, equipment),
      target_(target),
      fields_{Msg(m::Identification), Msg(m::Address), Msg(m::Observations)} {}

void TDataLogAskMultiInfoCvToolsDlg::FillFields() { AppendFields(fields_); }

void TDataLogAskMultiInfoCvToolsDlg::LoadBtnClick() { LoadInfoFile(kCvToolsInfoSignature, m::NotReportFile); }

void TDataLogAskMultiInfoCvToolsDlg::SaveBtnClick() {
  SaveInfoFile(kCvToolsInfoSignature, ";" + Msg(m::DoNotModify));
}

void TDataLogAskMultiInfoCvToolsDlg::DoneBtnClick() {
  if (target_)
    for (size_t i = 0; i < fields_.size(); ++i) (*target_)[i] = FieldText(fields_[i]);
  TDataLogAskMultiInfoDlg::DoneBtnClick();
}

// ---- The SKY certificate's twelve texts ----

TDataLogAskMultiInfoSkyDlg::TDataLogAskMultiInfoSkyDlg(QWidget* owner, TXR9Equip& equipment, SkySheetQuery* target)
    : TDataLogAskMultiInfoDlg(owner, equipment), target_(target) {
  SetPrintedLength(int(kSkyInfoPrinted));
}

const std::vector<std::string>& TDataLogAskMultiInfoSkyDlg::FieldNames() {
  // Keys of the information file: kept as the files have always spelt them.
  static const std::vector<std::string> names = {
      "Analogue Transmitter", "Analogue Channel 5 Transmitter", "Digital Transmitter",   "FM Transmitter",
      "DAB Transmitter",      "Satellite Position One",         "Satellite Position Two", "Project Enginneer",
      "Site Address",         "Date",                           "Engineers Name",        "On Behalf Of"};
  return names;
}

void TDataLogAskMultiInfoSkyDlg::FillFields() { AppendFields(FieldNames()); }

void TDataLogAskMultiInfoSkyDlg::LoadBtnClick() { LoadInfoFile(kSkyInfoSignature, m::NotCertificateFile); }

void TDataLogAskMultiInfoSkyDlg::SaveBtnClick() { SaveInfoFile(kSkyInfoSignature, ";Do not modify this file manually"); }

void TDataLogAskMultiInfoSkyDlg::DoneBtnClick() {
  if (target_)
    for (int n = 1; n <= kSkyInfoTexts; ++n) target_->SetInfoText(n, FieldText(FieldNames()[size_t(n - 1)]));
  TDataLogAskMultiInfoDlg::DoneBtnClick();
}

}  // namespace cv::xr9
