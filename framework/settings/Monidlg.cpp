#include "Monidlg.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "AppServices.h"
#include "Cv3Equip.h"
#include "DialogExit.h"
#include "FocusMoves.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PluginHelp.h"
#include "Text1252.h"

namespace m = cv::msg::settings;

namespace {

QString M(int id) { return cv::MsgQ(id); }

}  // namespace

TUpDown::TUpDown(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (bool up : {true, false}) {
    auto* b = new QToolButton(this);
    b->setObjectName(up ? "Up" : "Down");
    b->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    b->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(b);
    connect(b, &QToolButton::clicked, this, [this, up] { emit Clicked(up); });
  }
}

TMonitorRadioGroup::TMonitorRadioGroup(QWidget* parent, const QString& caption, const QStringList& items,
                                       int columns)
    : QWidget(parent), buttons(new QButtonGroup(this)) {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* box = new QGroupBox(caption, this);
  outer->addWidget(box);
  auto* grid = new QGridLayout(box);
  const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
  for (int i = 0; i < items.size(); ++i) {
    auto* b = new QRadioButton(items[i], box);
    b->setObjectName(QStringLiteral("Item%1").arg(i));
    buttons->addButton(b, i);
    grid->addWidget(b, i % rows, i / rows);
  }
  connect(buttons, &QButtonGroup::idClicked, this, [this] { emit Clicked(); });
}

int TMonitorRadioGroup::ItemIndex() const { return buttons->checkedId(); }

void TMonitorRadioGroup::SetItemIndex(int index) {
  if (QAbstractButton* b = buttons->button(index)) {
    b->setChecked(true);
  } else if (QAbstractButton* checked = buttons->checkedButton()) {
    // No item: an exclusive group cannot uncheck its last button.
    buttons->setExclusive(false);
    checked->setChecked(false);
    buttons->setExclusive(true);
  }
}

QWidget* TMonitorRadioGroup::CheckedButton() const {
  return buttons->checkedButton() ? buttons->checkedButton() : buttons->button(0);
}

TMonitorDlg::TMonitorDlg(QWidget* owner, TCv3Equip* equipment, const cv::settings::MonitorProfile& profile)
    : TMonitorDlg(owner, equipment, cv::settings::EquipLink(equipment), profile) {}

TMonitorDlg::TMonitorDlg(QWidget* owner, TCv3Equip* equipment, cv::settings::Link link,
                         const cv::settings::MonitorProfile& profile)
    : QDialog(owner), equipment(equipment), logMemo(equipment->GetLogMemo()), poller(std::move(link), profile) {
  setObjectName("MonitorDlg");
  setWindowTitle(M(m::MonCaption));
  setFixedSize(560, 330);
  ClearFlags();

  Label1 = new QLabel(M(m::MonFreqLabel), this);
  Label1->setObjectName("Label1");
  Label1->setGeometry(12, 12, 120, 22);
  FreqEdit = new QLineEdit(this);
  FreqEdit->setObjectName("FreqEdit");
  FreqEdit->setGeometry(136, 12, 90, 24);
  Label1->setBuddy(FreqEdit);
  FreqUpDown = new TUpDown(this);
  FreqUpDown->setObjectName("FreqUpDown");
  FreqUpDown->setGeometry(228, 12, 18, 24);
  BandLabel = new QLabel(this);
  BandLabel->setObjectName("BandLabel");
  BandLabel->setGeometry(254, 12, 40, 22);
  Label9 = new QLabel(M(m::MonChannelLabel), this);
  Label9->setObjectName("Label9");
  Label9->setGeometry(12, 44, 120, 22);
  ChannelEdit = new QLineEdit(this);
  ChannelEdit->setObjectName("ChannelEdit");
  ChannelEdit->setReadOnly(true);
  ChannelEdit->setGeometry(136, 44, 130, 24);
  Label9->setBuddy(ChannelEdit);
  ChannelUpDown = new TUpDown(this);
  ChannelUpDown->setObjectName("ChannelUpDown");
  ChannelUpDown->setGeometry(268, 44, 18, 24);

  DisplayMemo = new QPlainTextEdit(this);
  DisplayMemo->setObjectName("DisplayMemo");
  DisplayMemo->setReadOnly(true);
  // The display is rewritten in place every cycle: an undo history of that would only grow.
  DisplayMemo->setUndoRedoEnabled(false);
  DisplayMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  DisplayMemo->document()->setDefaultTextOption(QTextOption(Qt::AlignHCenter));
  DisplayMemo->setGeometry(12, 80, 290, 120);
  QFont big = DisplayMemo->font();
  big.setPointSize(big.pointSize() + 3);
  big.setBold(true);
  DisplayMemo->setFont(big);

  const cv::settings::MonitorProfile& family = poller.Profile();
  BandLabel->setVisible(family.showBand);
  MeasRadioGroup = new TMonitorRadioGroup(
      this, M(m::MonMeasGroup), M(family.measureItemsId ? family.measureItemsId : m::MonMeasItems).split('|'), 2);
  MeasRadioGroup->setObjectName("MeasRadioGroup");
  MeasRadioGroup->setGeometry(12, 206, 290, 116);
  MeasRadioGroup->SetItemIndex(0);
  StdRadioGroup = new TMonitorRadioGroup(
      this, M(m::MonStdGroup), M(family.standardItemsId ? family.standardItemsId : m::MonStdItems).split('|'), 1);
  StdRadioGroup->setObjectName("StdRadioGroup");
  StdRadioGroup->setGeometry(312, 12, 130, 310);

  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setGeometry(452, 12, 100, 48);
  HelpBtn = new QPushButton(M(m::HelpBtn), this);
  HelpBtn->setObjectName("HelpBtn");
  HelpBtn->setGeometry(456, 254, 92, 28);
  CloseBtn = new QPushButton(M(m::CloseBtn), this);
  CloseBtn->setObjectName("CloseBtn");
  CloseBtn->setGeometry(456, 290, 92, 28);
  equipment->LoadCustomLogo(Image1);

  TimerToReceiveAll = new QTimer(this);
  TimerToReceiveAll->setObjectName("TimerToReceiveAll");
  TimerToReceiveAll->setInterval(40);
  TimerToReceiveAll->setSingleShot(true);

  FreqEdit->installEventFilter(this);
  ChannelEdit->installEventFilter(this);
  connect(TimerToReceiveAll, &QTimer::timeout, this, &TMonitorDlg::ReceiveAll);
  connect(FreqUpDown, &TUpDown::Clicked, this, &TMonitorDlg::FreqUpDownClick);
  connect(ChannelUpDown, &TUpDown::Clicked, this, &TMonitorDlg::ChannelUpDownClick);
  connect(MeasRadioGroup, &TMonitorRadioGroup::Clicked, this, &TMonitorDlg::MeasRadioGroupClick);
  connect(StdRadioGroup, &TMonitorRadioGroup::Clicked, this, &TMonitorDlg::StdRadioGroupClick);
  connect(CloseBtn, &QPushButton::clicked, this, &TMonitorDlg::CloseBtnClick);
  connect(HelpBtn, &QPushButton::clicked, this, &TMonitorDlg::HelpBtnClick);
  // A cycle under way ends its exchanges before the dialog goes.
  cv::ExitThrough(*this, *CloseBtn);
  if (family.bandAboveFreq) PlaceBandAboveFreq();
}

TMonitorDlg::~TMonitorDlg() = default;

// Every control moves down one label's height, and the band label takes the room over the
// frequency edit, in bold.
void TMonitorDlg::PlaceBandAboveFreq() {
  QFont bold = BandLabel->font();
  bold.setBold(true);
  BandLabel->setFont(bold);
  const int room = QFontMetrics(bold).height() + 2;
  for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (w != BandLabel) w->move(w->x(), w->y() + room);
  setFixedSize(width(), height() + room);
  const QRect freq = FreqEdit->geometry();
  BandLabel->setGeometry(freq.x(), freq.y() - room, freq.width(), room);
}

void TMonitorDlg::ClearFlags() {
  receiving = false;
  closing = false;
  poller.channelMode = false;
}

void TMonitorDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The display is the active control: the frequency edit holding the focus would stop polling.
  DisplayMemo->setFocus();
  if (!closing) TimerToReceiveAll->start();
}

void TMonitorDlg::ReceiveAll() {
  cv::settings::MonitorMeasurement record;
  if (!receiving) {
    receiving = true;
    TimerToReceiveAll->stop();
    if (poller.Cycle(record)) ShowMeasurement(record);
    ++cycles;
  }
  receiving = false;
  if (closing)
    accept();
  else
    TimerToReceiveAll->start();
}

void TMonitorDlg::ShowMeasurement(const cv::settings::MonitorMeasurement& record) {
  const auto lines = cv::settings::DisplayLines(record, poller.channelMode, poller.Profile());
  // Cycle after cycle most lines (often all) read as before: only a line that changed is laid out
  // and repainted again, not the whole display many times a second.
  QTextDocument* doc = DisplayMemo->document();
  if (doc->blockCount() == static_cast<int>(lines.size())) {
    QTextBlock block = doc->begin();
    for (const std::string& line : lines) {
      const QString text = cv::From1252(line);
      if (block.text() != text) {
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(text);
      }
      block = block.next();
    }
  } else {
    QString text;
    for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\n" : "") + cv::From1252(lines[i]);
    DisplayMemo->setPlainText(text);
    DisplayMemo->moveCursor(QTextCursor::Start);
  }
  const auto show = [](QLineEdit* edit, const QString& value) {
    if (edit->text() != value) edit->setText(value);
  };
  show(ChannelEdit, poller.channelMode ? cv::From1252(record.channel) : QString());
  show(FreqEdit, cv::From1252(poller.Profile().FrequencyText(record.mhz)));
  BandLabel->setText(M(record.band == 'T' ? m::MonTer : m::MonSat));
  const int item = poller.Profile().MeasureItem(record.measureType);
  if (item != cv::settings::MonitorProfile::kKeepMeasureItem) MeasRadioGroup->SetItemIndex(item);
  StdRadioGroup->SetItemIndex(record.standard);
}

bool TMonitorDlg::SendFrequency() {
  bool refused = false;
  const bool ok = poller.SendFrequency(cv::To1252(FreqEdit->text()), &refused);
  if (refused) {
    FreqEdit->clear();
    cv::Beep();
  }
  return ok;
}

void TMonitorDlg::FreqEditEnter() {
  if (receiving) return;
  TimerToReceiveAll->stop();
  poller.ReceiveTuningMode();
  if (poller.channelMode) equipment->SendCommand("*CF");
}

void TMonitorDlg::OnExitFreqEdit() {
  if (receiving) return;
  SendFrequency();
  TimerToReceiveAll->start();
}

void TMonitorDlg::FreqUpDownClick(bool up) {
  if (receiving) return;
  TimerToReceiveAll->stop();
  FreqUpDown->setEnabled(false);
  poller.StepFrequency(cv::To1252(FreqEdit->text()), up);
  FreqUpDown->setEnabled(true);
  TimerToReceiveAll->start();
}

void TMonitorDlg::ChannelUpDownClick(bool up) {
  if (receiving) return;
  TimerToReceiveAll->stop();
  ChannelUpDown->setEnabled(false);
  poller.StepChannel(up);
  TimerToReceiveAll->start();
  ChannelUpDown->setEnabled(true);
}

void TMonitorDlg::ChannelEditClick() {
  if (receiving) return;
  TimerToReceiveAll->stop();
  poller.ToChannelMode();
  TimerToReceiveAll->start();
}

void TMonitorDlg::MeasRadioGroupClick() {
  if (receiving || MeasRadioGroup->ItemIndex() < 0) return;
  poller.SelectMeasure(MeasRadioGroup->ItemIndex());
}

void TMonitorDlg::StdRadioGroupClick() {
  if (receiving) return;
  TimerToReceiveAll->stop();
  if (StdRadioGroup->ItemIndex() >= 0) poller.SelectStandard(StdRadioGroup->ItemIndex());
  TimerToReceiveAll->start();
}

void TMonitorDlg::CloseBtnClick() {
  closing = true;
  CloseBtn->setText(M(m::MonWait));
  // Without a cycle to come (the timer stopped by an edit holding the focus) one runs now.
  if (!receiving && !TimerToReceiveAll->isActive()) TimerToReceiveAll->start();
}

bool TMonitorDlg::EditToData(QObject* edit, int key) {
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
  (void)edit;
  MeasRadioGroup->CheckedButton()->setFocus();
  return true;
}

bool TMonitorDlg::eventFilter(QObject* watched, QEvent* event) {
  // Another window taking the focus, or a popup, is no move between the dialog's controls: the
  // half-typed frequency is not tuned and polling stays stopped while the field keeps the focus.
  if (watched == FreqEdit && cv::IsControlEntry(event)) FreqEditEnter();
  if (watched == FreqEdit && cv::IsControlExit(event)) OnExitFreqEdit();
  if (watched == ChannelEdit && event->type() == QEvent::MouseButtonPress) ChannelEditClick();
  if ((watched == FreqEdit || watched == ChannelEdit) && event->type() == QEvent::KeyPress)
    if (EditToData(watched, static_cast<QKeyEvent*>(event)->key())) return true;
  return QDialog::eventFilter(watched, event);
}

void TMonitorDlg::HelpBtnClick() { ShowPluginHelp(equipment, HelpTopic::Monitor); }
