#include "Xr9Chanplandlg.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <new>

#include "AppServices.h"
#include "AttributeCombos.h"
#include "BusyCursor.h"
#include "DialogExit.h"
#include "FixedFont.h"
#include "LogoImage.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PluginHelp.h"
#include "Prompt.h"
#include "Text1252.h"
#include "Xr9Equip.h"
#include "Xr9Transfer.h"

namespace cv::xr9 {

namespace {

namespace m = cv::msg::xr9;

constexpr const char* kHelpFile = "help\\XR9Tools.hlp";
const QString kHelpTopic = QStringLiteral("ChannelEditor");

// Windows colour values, 0x00BBGGRR.
QColor WinColor(uint32_t value) { return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }
const QColor kFieldColour = WinColor(7838207);
const QColor kListTextColour = WinColor(6684672);
const QColor kNavy(0, 0, 128);

void Colour(QWidget* w) {
  QPalette p = w->palette();
  p.setColor(QPalette::Base, kFieldColour);
  p.setColor(QPalette::Text, kListTextColour);
  w->setPalette(p);
}

// Enter belongs to the fields' own table: no push button may take it as the dialog's default.
void NoDefaultButtons(QWidget* dialog) {
  for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }
}

// The room a control gives its caption; 0 for a control whose caption is not measured.
int CaptionRoom(QWidget* w, QString& text) {
  if (auto* b = qobject_cast<QPushButton*>(w)) {
    text = b->text();
    return b->width() - 2 * b->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b) / 2 - 4;
  }
  if (auto* r = qobject_cast<QRadioButton*>(w)) {
    text = r->text();
    return r->width() - r->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, r) -
           r->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, r) - 2;
  }
  auto* l = qobject_cast<QLabel*>(w);
  if (!l || qobject_cast<TLogoImage*>(l) || l->wordWrap()) return 0;
  text = l->text();
  return l->width() - 2 * l->margin();
}

}  // namespace

// The controls keep the places they had under a smaller system font: where this platform's font
// draws a caption wider than its control, the control's type gets smaller until it fits.
void FitCaptions(QWidget* dialog) {
  for (QWidget* w : dialog->findChildren<QWidget*>()) {
    QString text;
    const int room = CaptionRoom(w, text);
    if (room <= 0 || text.isEmpty()) continue;
    QFont f = w->font();
    if (f.pixelSize() <= 0) f.setPixelSize(QFontInfo(f).pixelSize());
    const int start = f.pixelSize();
    while (QFontMetrics(f).horizontalAdvance(text) > room && f.pixelSize() > kSmallestCaptionPixels)
      f.setPixelSize(f.pixelSize() - 1);
    if (f.pixelSize() != start) w->setFont(f);
  }
}

bool CaptionFits(QWidget* w) {
  QString text;
  const int room = CaptionRoom(w, text);
  return room <= 0 || text.isEmpty() || QFontMetrics(w->font()).horizontalAdvance(text) <= room;
}

namespace {

void SetLines(QListWidget* list, const std::vector<std::string>& lines) {
  QSignalBlocker block(list);
  list->clear();
  for (const std::string& l : lines) list->addItem(cv::From1252(l));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The editor's form

TChannelsPlanDlg::TChannelsPlanDlg(QWidget* owner, TXR9Equip* equipment) : QDialog(owner), equip(equipment) {
  using cv::MsgQ;
  setObjectName("ChannelsPlanDlg");
  setWindowTitle(MsgQ(m::FormCaption));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(792, 476);
  // The controls are placed for a small dialog font; a larger one would cut their captions.
  QFont small = font();
  small.setPixelSize(11);
  setFont(small);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kNavy);
  pal.setColor(QPalette::WindowText, Qt::white);
  setPalette(pal);

  auto button = [&](QPushButton*& b, const char* name, int text, int hint, QRect at, void (TChannelsPlanDlg::*slot)()) {
    b = new QPushButton(MsgQ(text), this);
    b->setObjectName(name);
    if (hint) b->setToolTip(MsgQ(hint));
    b->setGeometry(at);
    QFont f = b->font();
    f.setPixelSize(10);
    b->setFont(f);
    if (slot) connect(b, &QPushButton::clicked, this, slot);
  };
  auto list = [&](QListWidget*& l, const char* name, int hint, QRect at, bool multi) {
    l = new QListWidget(this);
    l->setObjectName(name);
    l->setToolTip(MsgQ(hint));
    l->setGeometry(at);
    QFont fixed = cv::FixedPitchFont("Courier New");
    fixed.setPixelSize(12);
    l->setFont(fixed);
    if (multi) l->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Colour(l);
  };
  auto label = [&](const char* name, const QString& text, QRect at) {
    auto* l = new QLabel(text, this);
    l->setObjectName(name);
    l->setGeometry(at);
    return l;
  };

  // Plans.
  label("PlansLabel", MsgQ(m::PlansLabel), QRect(8, 4, 180, 16));
  list(PlanListBox, "PlanListBox", m::PlanListHint, QRect(8, 22, 182, 168), true);
  button(AddPlanBtn, "AddPlanBtn", m::NewPlanBtn, m::NewPlanHint, QRect(8, 194, 90, 22), &TChannelsPlanDlg::AddPlanBtnClick);
  button(DeletePlanBtn, "DeletePlanBtn", m::DeletePlanBtn, m::DeletePlanHint, QRect(100, 194, 90, 22),
         &TChannelsPlanDlg::DeletePlanBtnClick);
  button(MovePlanUpBtn, "MovePlanUpBtn", m::MoveUpBtn, m::MoveUpHint, QRect(8, 218, 90, 22),
         &TChannelsPlanDlg::MovePlanUpBtnClick);
  button(MoveDownPlanBtn, "MoveDownPlanBtn", m::MoveDownBtn, m::MoveDownHint, QRect(100, 218, 90, 22),
         &TChannelsPlanDlg::MoveDownPlanBtnClick);
  list(ComPlanListBox, "ComPlanListBox", m::PlanAttrListHint, QRect(8, 244, 182, 86), false);

  // Channels.
  ChannelLabel = label("ChannelLabel", MsgQ(m::ChannelsLabel), QRect(388, 4, 182, 16));
  list(ChanListBox, "ChanListBox", m::ChanListHint, QRect(388, 22, 182, 168), true);
  button(AddChannelBtn, "AddChannelBtn", m::NewChannelBtn, m::NewChannelHint, QRect(388, 194, 90, 22),
         &TChannelsPlanDlg::AddChannelBtnClick);
  button(DeleteChannelBtn, "DeleteChannelBtn", m::DeleteChannelBtn, m::DeleteChannelHint, QRect(480, 194, 90, 22),
         &TChannelsPlanDlg::DeleteChannelBtnClick);
  list(ComChanListBox, "ComChanListBox", m::ChanAttrListHint, QRect(388, 244, 182, 86), false);

  BuildFieldArea();
  BuildAttributeArea();

  // Transfers, log zone, exit and help.
  LogZone = new QPlainTextEdit(this);
  LogZone->setObjectName("LogZone");
  LogZone->setToolTip(MsgQ(m::LogZoneHint));
  LogZone->setReadOnly(true);
  LogZone->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  LogZone->setGeometry(8, 338, 372, 130);
  Colour(LogZone);
  const int bx = 388, bw = 90, bh = 22;
  button(ReadBtn, "ReadBtn", m::LoadCanalization, m::LoadCanalizationHint, QRect(bx, 338, 2 * bw + 2, bh),
         &TChannelsPlanDlg::ReadBtnClick);
  button(AddChannelSetBtn, "AddChannelSetBtn", m::LoadOnePlan, m::LoadOnePlanHint, QRect(bx, 362, bw, bh),
         &TChannelsPlanDlg::AddChannelSetBtnClick);
  button(SaveBtn, "SaveBtn", m::SaveOnePlan, m::SaveOnePlanHint, QRect(bx + bw + 2, 362, bw, bh),
         &TChannelsPlanDlg::SaveBtnClick);
  button(SavePROFileBtn, "SavePROFileBtn", m::SaveCanalization, m::SaveCanalizationHint, QRect(bx, 386, 2 * bw + 2, bh),
         &TChannelsPlanDlg::SavePROFileBtnClick);
  button(ReceiveBtn, "ReceiveBtn", m::ReceivePlans, m::ReceivePlansHint, QRect(bx, 410, 2 * bw + 2, bh),
         &TChannelsPlanDlg::ReceiveBtnClick);
  button(SendBtn, "SendBtn", m::SendOnePlan, m::SendOnePlanHint, QRect(bx, 434, bw, bh), &TChannelsPlanDlg::SendBtnClick);
  button(SendAllBtn, "SendAllBtn", m::SendAllPlans, m::SendAllPlansHint, QRect(bx + bw + 2, 434, bw, bh),
         &TChannelsPlanDlg::SendAllBtnClick);
  button(HelpBtn, "HelpBtn", m::HelpBtn, 0, QRect(602, 446, 88, 24), &TChannelsPlanDlg::HelpBtnClick);
  button(CloseBtn, "CloseBtn", m::ExitBtn, 0, QRect(696, 446, 88, 24), &TChannelsPlanDlg::CloseBtnClick);
  // The close box and Escape ask the unsaved-changes question as EXIT does.
  cv::ExitThrough(*this, *CloseBtn);
  auto* logo = new TLogoImage(this);
  logo->SetStretch(true);
  logo->SetProportional(true);
  logo->SetCenter(true);
  logo->SetPicture(BuiltInLogo(182, 72));
  Image3 = logo;
  Image3->setObjectName("Image3");
  Image3->setGeometry(602, 368, 182, 72);

  connect(PlanListBox, &QListWidget::itemClicked, this, &TChannelsPlanDlg::PlanListBoxClick);
  connect(PlanListBox, &QListWidget::currentRowChanged, this, &TChannelsPlanDlg::PlanListBoxClick);
  connect(ChanListBox, &QListWidget::itemClicked, this, &TChannelsPlanDlg::ChanListBoxClick);
  connect(ChanListBox, &QListWidget::currentRowChanged, this, &TChannelsPlanDlg::ChanListBoxClick);

  editor = std::make_unique<TPlanEditor>(*equip, cv::PrompterInForce(), *this);
  out = std::make_unique<TPlanOut>(*editor, *this);
  in = std::make_unique<TPlanIn>(*editor);
  PlanListBox->clear();
  LogZone->clear();
  editor->EnableTransferButtons(false);
  FillChannelAttributeCombos(*this);
  FillPlanAttributeCombos(*this);
  FillBandCombo();
  ConnectEditing();
  // The plans arrive through the transfer's own buffer, sized per file; this one only tells
  // whether memory for a reception can be had at all.
  std::unique_ptr<uint8_t[]> receiveBuffer(new (std::nothrow) uint8_t[TFileTransfer::kMaxPlanSize]);
  if (!receiveBuffer) {
    cv::ShowBox(cv::CurrentPrompter(), cv::Msg(m::NoReceiveBuffer), cv::Msg(cv::msg::xr9fmt::ErrorCaption),
                cv::MsgIcon::Error);
    editor->receiveBuffer = false;
    editor->EnableTransferButtons(false);
  }
  equip->LoadCustomLogo(Image3);
  RefreshAll();
  RefreshEnables();
  NoDefaultButtons(this);
  FitCaptions(this);
}

// The fields' exit handlers must not run while the form goes away.
TChannelsPlanDlg::~TChannelsPlanDlg() {
  for (QLineEdit* e : findChildren<QLineEdit*>()) e->removeEventFilter(this);
}

void TChannelsPlanDlg::BuildFieldArea() {
  using cv::MsgQ;
  auto edit = [&](QLineEdit*& e, const char* name, int hint, QRect at, int maxLength) {
    e = new QLineEdit(this);
    e->setObjectName(name);
    e->setToolTip(MsgQ(hint));
    e->setGeometry(at);
    if (maxLength) e->setMaxLength(maxLength);
    Colour(e);
  };
  auto label = [&](const char* name, int text, QRect at) {
    auto* l = new QLabel(MsgQ(text), this);
    l->setObjectName(name);
    l->setGeometry(at);
  };
  auto radios = [&](QGroupBox*& g, const char* name, int title, int hint, int first, int second, QRect at) {
    g = new QGroupBox(title ? MsgQ(title) : QString(), this);
    g->setObjectName(name);
    g->setToolTip(MsgQ(hint));
    g->setGeometry(at);
    QFont f = g->font();
    f.setPixelSize(10);
    g->setFont(f);
    auto* a = new QRadioButton(MsgQ(first), g);
    auto* b = new QRadioButton(MsgQ(second), g);
    const int top = title ? 16 : 4;
    a->setGeometry(4, top, at.width() / 2 - 4, 18);
    b->setGeometry(at.width() / 2, top, at.width() / 2 - 2, 18);
    a->setChecked(true);
  };
  // Plan fields.
  edit(PlanNameEdit, "PlanNameEdit", m::PlanNameHint, QRect(198, 22, 84, 20), 0);
  label("PlanNameLabel", m::PlanNameLabel, QRect(286, 22, 100, 20));
  BandComboBox = new QComboBox(this);
  BandComboBox->setObjectName("BandComboBox");
  BandComboBox->setToolTip(MsgQ(m::BandHint));
  BandComboBox->setGeometry(198, 46, 60, 20);
  Colour(BandComboBox);
  radios(PlanAttRadioGroup, "PlanAttRadioGroup", m::PlanAttGroup, m::PlanAttHint, m::Protected, m::Modifiable,
         QRect(198, 70, 182, 40));
  // Channel fields.
  edit(ChannelNameEdit, "ChannelNameEdit", m::ChannelNameHint, QRect(578, 22, 80, 20), 0);
  label("ChannelNameLabel", m::ChannelNameLabel, QRect(662, 22, 122, 20));
  edit(FreqEdit, "FreqEdit", m::FreqHint, QRect(578, 46, 80, 20), 0);
  radios(FreqRadioGroup, "FreqRadioGroup", 0, m::FreqRadioHint, m::FreqVideo, m::FreqCenter, QRect(662, 44, 122, 24));
  label("ChannelSpacingLabel", m::SpacingLabel, QRect(578, 70, 96, 20));
  edit(ChannelSpacingEdit, "ChannelSpacingEdit", m::SpacingHint, QRect(676, 70, 56, 20), 0);
  label("ChannelSpacingMHzLabel", m::MHzLabel, QRect(736, 70, 40, 20));
}

void TChannelsPlanDlg::BuildAttributeArea() {
  using cv::MsgQ;
  struct Row {
    const char* button;
    int caption;
    const char* chooser;  // a combo box, or an edit when `edit` is set
    int hint;
    const char* edit;
    const char* initial;
    int unit;
  };
  auto rows = [&](const std::vector<Row>& table, int x, int y, int addHint) {
    for (const Row& r : table) {
      auto* b = new QPushButton(MsgQ(r.caption), this);
      b->setObjectName(r.button);
      b->setToolTip(MsgQ(addHint));
      b->setGeometry(x, y, 66, 20);
      if (r.edit) {
        auto* e = new QLineEdit(this);
        ShowFieldText(e, QString::fromLatin1(r.initial));
        e->setObjectName(r.edit);
        e->setToolTip(MsgQ(r.hint));
        e->setGeometry(x + 70, y, 70, 20);
        Colour(e);
        auto* u = new QLabel(MsgQ(r.unit), this);
        u->setGeometry(x + 144, y, 56, 20);
      } else {
        auto* c = new QComboBox(this);
        c->setObjectName(r.chooser);
        c->setToolTip(MsgQ(r.hint));
        c->setGeometry(x + 70, y, 130, 20);
        Colour(c);
      }
      y += 22;
    }
    return y;
  };
  int y = rows({{"AddComPlanSYSBtn", m::AddSys, "ComPlanSYSComboBox", m::SysHint, nullptr, nullptr, 0},
                {"AddComPlanTYPEBtn", m::AddType, "ComPlanTYPEComboBox", m::TypeHint, nullptr, nullptr, 0},
                {"AddComPlanLNBBtn", m::AddLnb, "ComPlanLNBComboBox", m::LnbHint, nullptr, nullptr, 0},
                {"AddComPlanBWBtn", m::AddBw, nullptr, m::BwHint, "ComPlanBWEdit", "8.00", m::MHzLabel}},
               198, 116, m::AddPlanHint);
  auto* delPlan = new QPushButton(MsgQ(m::DeleteConfig), this);
  delPlan->setObjectName("DelComPlanBtn");
  delPlan->setToolTip(MsgQ(m::DeleteConfigHint));
  delPlan->setGeometry(198, y + 2, 120, 22);
  y = rows({{"AddComChanSYSBtn", m::AddSys, "ComChanSYSComboBox", m::SysHint, nullptr, nullptr, 0},
            {"AddComChanTYPEBtn", m::AddType, "ComChanTYPEComboBox", m::TypeHint, nullptr, nullptr, 0},
            {"AddComChanLNBBtn", m::AddLnb, "ComChanLNBComboBox", m::LnbHint, nullptr, nullptr, 0},
            {"AddComChanBWBtn", m::AddBw, nullptr, m::BwHint, "ComChanBWEdit", "8.00", m::MHzLabel},
            {"AddComChanSRBtn", m::AddSr, nullptr, m::SrHint, "ComChanSREdit", "27500", m::KSymbLabel},
            {"AddComChanSPINVBtn", m::AddSpInv, "ComChanSPINVComboBox", m::SpInvHint, nullptr, nullptr, 0},
            {"AddComChanCONSTBtn", m::AddConst, "ComChanCONSTComboBox", m::ConstHint, nullptr, nullptr, 0},
            {"AddComChanCARRIERSBtn", m::AddCarriers, "ComChanCARRIERSComboBox", m::CarriersHint, nullptr, nullptr, 0},
            {"AddComChanGUARDBtn", m::AddGuard, "ComChanGUARDComboBox", m::GuardHint, nullptr, nullptr, 0},
            {"AddComChanOFFSETFREQBtn", m::AddOffset, nullptr, m::OffsetHint, "ComChanOFFSETFREQEdit", "166666",
             m::HzLabel},
            {"AddComChanCRBtn", m::AddCodeRate, "ComChanCRComboBox", m::CodeRateHint, nullptr, nullptr, 0}},
           578, 94, m::AddChanHint);
  auto* delChan = new QPushButton(MsgQ(m::DeleteConfig), this);
  delChan->setObjectName("DelComChanBtn");
  delChan->setToolTip(MsgQ(m::DeleteConfigHint));
  delChan->setGeometry(578, y + 2, 120, 22);
}

// ---------------------------------------------------------------------------------------------
// Lists

void TChannelsPlanDlg::FillPlanList() {
  const int keep = editor->planIndex < 0 ? 0 : editor->planIndex;
  SetLines(PlanListBox, editor->PlanListLines());
  QSignalBlocker block(PlanListBox);
  if (PlanListBox->count() > 0) {
    const int row = std::min(keep, PlanListBox->count() - 1);
    PlanListBox->setCurrentRow(row);
    editor->planIndex = row;
  } else {
    editor->planIndex = -1;
  }
}

void TChannelsPlanDlg::ShowPlanAttributes(int plan) {
  SetLines(ComPlanListBox, editor->PlanAttributeLines(plan));
  QSignalBlocker block(ComPlanListBox);
  if (ComPlanListBox->count() > 0) ComPlanListBox->setCurrentRow(ComPlanListBox->count() - 1);
}

void TChannelsPlanDlg::FillChannelList(int plan) {
  ChannelLabel->setText(cv::From1252(editor->ChannelLabelText(plan)));
  SetLines(ChanListBox, editor->ChannelListLines(plan));
  QSignalBlocker block(ChanListBox);
  if (ChanListBox->count() > 0) ChanListBox->setCurrentRow(0);
}

void TChannelsPlanDlg::ShowChannelAttributes(int channel) {
  SetLines(ComChanListBox, editor->ChannelAttributeLines(editor->FocusedPlan(), channel));
  QSignalBlocker block(ComChanListBox);
  if (ComChanListBox->count() > 0) ComChanListBox->setCurrentRow(ComChanListBox->count() - 1);
}

void TChannelsPlanDlg::RefreshAll() {
  FillPlanList();
  const int plan = editor->FocusedPlan();
  ShowPlanFields(editor->planIndex);
  ShowPlanAttributes(editor->planIndex);
  FillChannelList(plan);
  editor->channelIndex = ChanListBox->count() > 0 ? 0 : -1;
  ShowChannelFields(0);
  ShowChannelAttributes(0);
  ShowBandControls(BandComboBox->currentIndex() == 1 ? 5 : 7);
  ApplyChannelTypeEnables(ChannelTypeId());
}

void TChannelsPlanDlg::RefreshChannels() {
  const int plan = editor->planIndex;
  ShowPlanAttributes(plan);
  const int top = ChanListBox->verticalScrollBar()->value();
  FillChannelList(plan);
  const int count = ChanListBox->count();
  int channel = editor->channelIndex;
  if (channel >= count) channel = count - 1;
  editor->channelIndex = channel;
  ChanListBox->verticalScrollBar()->setValue(top);
  {
    QSignalBlocker block(ChanListBox);
    ChanListBox->setCurrentRow(channel);
  }
  ShowChannelFields(channel);
  ShowChannelAttributes(channel);
  ShowPlanFields(plan);
  RefreshEnables();
}

void TChannelsPlanDlg::SetTransferButtons(bool save, bool send, bool receive) {
  SaveBtn->setEnabled(save);
  SavePROFileBtn->setEnabled(save);
  SendBtn->setEnabled(send);
  SendAllBtn->setEnabled(send);
  ReceiveBtn->setEnabled(receive);
}

void TChannelsPlanDlg::AddLogZone(const std::string& line) { LogZone->appendPlainText(cv::From1252(line)); }

void TChannelsPlanDlg::SetBusy(bool busy) { cv::SetBusyCursor(busy); }

void TChannelsPlanDlg::SendBehind() {
  if (QWidget* owner = parentWidget()) owner->lower();
  lower();
}

ReceiveChoice TChannelsPlanDlg::RunReceiveDialog(TPlanEditor& planEditor, const std::vector<std::string>& lines) {
  TReceivePlansDlg dlg(this, planEditor, equip, lines);
  const int result = dlg.exec();
  // SendBehind lowered the editor with the main form; the person goes on working in the editor.
  raise();
  activateWindow();
  switch (result) {
    case TReceivePlansDlg::ResultOk: return ReceiveChoice::Receive;
    case TReceivePlansDlg::ResultYes: return ReceiveChoice::Erase;
    default: return ReceiveChoice::Cancel;
  }
}

// ---------------------------------------------------------------------------------------------
// Handlers

void TChannelsPlanDlg::PlanListBoxClick() {
  const int row = PlanListBox->currentRow();
  if (row < 0) return;
  editor->PlanListBoxClick(row);
}

void TChannelsPlanDlg::ChanListBoxClick() {
  const int row = ChanListBox->currentRow();
  editor->ChanListBoxClick(row);
  if (row >= 0 && editor->planIndex >= 0) {
    ShowChannelAttributes(row);
    ShowChannelFieldsVideo(row);
  }
}

void TChannelsPlanDlg::AddChannelBtnClick() {
  editor->AddChannelBtnClick();
  ChanListBox->setFocus();
}

void TChannelsPlanDlg::DeleteChannelBtnClick() {
  editor->DeleteChannelBtnClick();
  ChanListBox->setFocus();
}

void TChannelsPlanDlg::AddPlanBtnClick() {
  editor->AddPlanBtnClick();
  PlanListBox->setFocus();
}

void TChannelsPlanDlg::DeletePlanBtnClick() {
  const int top = PlanListBox->verticalScrollBar()->value();
  editor->DeletePlanBtnClick();
  PlanListBox->verticalScrollBar()->setValue(top);
  PlanListBox->setFocus();
}

void TChannelsPlanDlg::MovePlanUpBtnClick() {
  editor->MovePlanUpBtnClick();
  PlanListBox->setFocus();
}

void TChannelsPlanDlg::MoveDownPlanBtnClick() {
  editor->MoveDownPlanBtnClick();
  PlanListBox->setFocus();
}

void TChannelsPlanDlg::ReceiveBtnClick() { editor->ReceiveBtnClick(); }

void TChannelsPlanDlg::CloseBtnClick() {
  ReadFieldBeingTyped();
  if (editor->CloseBtnClick()) done(QDialog::Accepted);
}

void TChannelsPlanDlg::SaveBtnClick() { out->SaveBtnClick(); }
void TChannelsPlanDlg::ReadBtnClick() { in->ReadBtnClick(this); }
void TChannelsPlanDlg::AddChannelSetBtnClick() { in->AddChannelSetBtnClick(this); }
void TChannelsPlanDlg::SavePROFileBtnClick() { out->SavePROFileBtnClick(); }
void TChannelsPlanDlg::SendBtnClick() { out->SendBtnClick(); }
void TChannelsPlanDlg::SendAllBtnClick() { out->SendAllBtnClick(); }

std::vector<int> TChannelsPlanDlg::SelectedPlanLines() const {
  std::vector<int> rows;
  for (int r = 0; r < PlanListBox->count(); ++r)
    if (PlanListBox->item(r)->isSelected()) rows.push_back(r);
  return rows;
}

void TChannelsPlanDlg::DisableSendButton(bool sendAll) { (sendAll ? SendAllBtn : SendBtn)->setEnabled(false); }

void TChannelsPlanDlg::HelpBtnClick() { ShowPluginHelp(equip->GetStartDir(), kHelpTopic, kHelpFile); }

// ---------------------------------------------------------------------------------------------
// The receive dialog

TReceivePlansDlg::TReceivePlansDlg(QWidget* owner, TPlanEditor& planEditor, TXR9Equip* equipment,
                                   const std::vector<std::string>& lines)
    : QDialog(owner), editor(planEditor), equip(equipment) {
  using cv::MsgQ;
  setObjectName("ReceivePlansDlg");
  setWindowTitle(MsgQ(m::SelectCaption));
  setFixedSize(297, 290);
  QFont bold = font();
  bold.setBold(true);
  bold.setUnderline(true);
  const struct {
    const char* name;
    int text;
    int y;
  } labels[] = {{"Label3", m::FoundLabel1, 6}, {"Label1", m::FoundLabel2, 22}, {"Label2", m::FoundLabel3, 38}};
  for (const auto& l : labels) {
    auto* label = new QLabel(MsgQ(l.text), this);
    label->setObjectName(l.name);
    label->setFont(bold);
    label->setGeometry(8, l.y, 281, 16);
  }
  PlansCheckListBox = new QListWidget(this);
  PlansCheckListBox->setObjectName("PlansCheckListBox");
  PlansCheckListBox->setToolTip(MsgQ(m::FoundListHint));
  PlansCheckListBox->setGeometry(8, 58, 180, 224);
  PlansCheckListBox->setFont(cv::FixedPitchFont("Courier New", 9));
  for (const std::string& line : lines) {
    auto* item = new QListWidgetItem(cv::From1252(line), PlansCheckListBox);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  auto button = [&](QPushButton*& b, const char* name, int text, int hint, int y, void (TReceivePlansDlg::*slot)()) {
    b = new QPushButton(MsgQ(text), this);
    b->setObjectName(name);
    if (hint) b->setToolTip(MsgQ(hint));
    b->setGeometry(194, y, 95, 25);
    connect(b, &QPushButton::clicked, this, slot);
  };
  button(SelectAllBtn, "SelectAllBtn", m::SelectAllBtn, m::SelectAllHint, 58, &TReceivePlansDlg::SelectAllBtnClick);
  button(UnselectAllBtn, "UnselectAllBtn", m::UnselectAllBtn, m::UnselectAllHint, 88,
         &TReceivePlansDlg::UnselectAllBtnClick);
  button(EraseBtn, "EraseBtn", m::EraseBtn, m::EraseHint, 148, &TReceivePlansDlg::EraseBtnClick);
  button(ReceiveBtn, "ReceiveBtn", m::ReceiveBtn, m::ReceiveHint, 188, &TReceivePlansDlg::ReceiveBtnClick);
  button(CancelBtn, "CancelBtn", m::CancelBtn, 0, 257, &TReceivePlansDlg::CancelBtnClick);
  // The list as wide as its longest line in this platform's fonts; the buttons stand beside it.
  const int lineWidth = PlansCheckListBox->sizeHintForColumn(0) + 2 * PlansCheckListBox->frameWidth() +
                        PlansCheckListBox->verticalScrollBar()->sizeHint().width() + 4;
  const int listWidth = std::max(180, lineWidth);
  PlansCheckListBox->resize(listWidth, PlansCheckListBox->height());
  for (QPushButton* b : {SelectAllBtn, UnselectAllBtn, EraseBtn, ReceiveBtn, CancelBtn}) b->move(listWidth + 14, b->y());
  setFixedSize(listWidth + 14 + 95 + 8, 290);
  NoDefaultButtons(this);
  FitCaptions(this);
}

std::vector<int> TReceivePlansDlg::Ticked() const {
  std::vector<int> rows;
  for (int i = 0; i < PlansCheckListBox->count(); ++i)
    if (PlansCheckListBox->item(i)->checkState() == Qt::Checked) rows.push_back(i);
  return rows;
}

void TReceivePlansDlg::SelectAllBtnClick() {
  for (int i = 0; i < PlansCheckListBox->count(); ++i) PlansCheckListBox->item(i)->setCheckState(Qt::Checked);
}

void TReceivePlansDlg::UnselectAllBtnClick() {
  for (int i = 0; i < PlansCheckListBox->count(); ++i) PlansCheckListBox->item(i)->setCheckState(Qt::Unchecked);
}

// With no line ticked the dialog stays open, so no empty loop runs.
void TReceivePlansDlg::ReceiveBtnClick() {
  const std::vector<int> rows = Ticked();
  if (rows.empty()) {
    cv::ShowBox(editor.Ask(), cv::Msg(m::NoPlanSelected), cv::Msg(m::TempoCaption), cv::MsgIcon::Information);
    return;
  }
  for (int row : rows) editor.SelectDirEntry(row);
  done(ResultOk);
}

void TReceivePlansDlg::EraseBtnClick() {
  const std::vector<int> rows = Ticked();
  if (rows.empty()) {
    cv::ShowBox(editor.Ask(), cv::Msg(m::NoPlanSelected), cv::Msg(m::TempoCaption), cv::MsgIcon::Information);
    return;
  }
  if (cv::AskBoxYesNoCancel(editor.Ask(), cv::Msg(m::EraseQuestion), cv::Msg(m::WarningCaption),
                            cv::MsgIcon::Information) != cv::MsgAnswer::Yes) {
    done(ResultCancel);
    return;
  }
  for (int row : rows) editor.SelectDirEntry(row);
  done(ResultYes);
}

void TReceivePlansDlg::CancelBtnClick() { done(ResultCancel); }

// ---------------------------------------------------------------------------------------------
// The equipment object's channel editor

void TXR9Equip::ShowChannelEditor() {
  TChannelsPlanDlg dlg(ownerForm, this);
  dlg.exec();
}

}  // namespace cv::xr9
