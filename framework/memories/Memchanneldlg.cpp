#include "Memchanneldlg.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "Cv3Equip.h"
#include "Cv3MemoryEquipment.h"
#include "DialogExit.h"
#include "Memdatadlg.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Text1252.h"

namespace {
namespace d = cv::msg::memdata;
}  // namespace

class TMemoryChannelDlg::Adapter : public cv::mem::Cv3MemoryEquipment, public cv::mem::ChannelPickerView {
 public:
  Adapter(TMemoryChannelDlg& dlg, TCv3Equip& e) : Cv3MemoryEquipment(e), dlg(dlg) {}
  void Render() override {
    dlg.Render();
    dlg.repaint();
  }

 private:
  TMemoryChannelDlg& dlg;
};

TMemoryChannelDlg::TMemoryChannelDlg(TMemoryDataDlg* owner, TCv3Equip* equip)
    : TMemoryChannelDlg(owner, equip, {owner->Model().pickedPlan, owner->Model().pickedChannel,
                                       owner->Model().pickedPlanNumber}) {}

TMemoryChannelDlg::TMemoryChannelDlg(QWidget* owner, TCv3Equip* equip, cv::mem::PickTarget target,
                                     cv::mem::PickerStart* start)
    : QDialog(owner), start(start) {
  using cv::MsgQ;
  setWindowTitle(MsgQ(d::PickerCaption));
  auto* outer = new QVBoxLayout(this);
  Bevel1 = new QFrame(this);
  Bevel1->setObjectName("Bevel1");
  Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
  auto* grid = new QGridLayout(Bevel1);
  QFont bold = font();
  bold.setBold(true);
  auto list = [&](QLabel*& label, const char* labelName, int text, QComboBox*& combo, const char* name, int hint,
                  int row) {
    label = new QLabel(MsgQ(text), Bevel1);
    label->setObjectName(labelName);
    label->setFont(bold);
    combo = new QComboBox(Bevel1);
    combo->setObjectName(name);
    combo->setToolTip(MsgQ(hint));
    combo->setMinimumWidth(200);
    label->setBuddy(combo);
    grid->addWidget(label, row, 0);
    grid->addWidget(combo, row, 1);
  };
  list(Label1, "Label1", d::PlanListLabel, PlanCombo, "PlanCombo", d::PlanHint, 0);
  list(Label2, "Label2", d::ChannelListLabel, ChannelCombo, "ChannelCombo", d::ChannelHint, 1);
  outer->addWidget(Bevel1);

  auto* bottom = new QHBoxLayout;
  Bevel2 = new QFrame(this);
  Bevel2->setObjectName("Bevel2");
  Bevel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  auto* bevel = new QVBoxLayout(Bevel2);
  bevel->setContentsMargins(2, 2, 2, 2);
  Gauge = new QProgressBar(Bevel2);
  Gauge->setObjectName("Gauge");
  Gauge->setRange(0, 100);
  Gauge->setTextVisible(false);
  Gauge->setStyleSheet("QProgressBar::chunk { background: blue; }");
  bevel->addWidget(Gauge);
  bottom->addWidget(Bevel2, 1);
  OKBtn = new QPushButton(MsgQ(d::OKBtn), this);
  OKBtn->setObjectName("OKBtn");
  OKBtn->setDefault(true);
  CancelBtn = new QPushButton(MsgQ(d::CancelBtn), this);
  CancelBtn->setObjectName("CancelBtn");
  CancelBtn->setAutoDefault(false);
  bottom->addWidget(OKBtn);
  bottom->addWidget(CancelBtn);
  outer->addLayout(bottom);
  outer->setSizeConstraint(QLayout::SetFixedSize);

  adapter = std::make_unique<Adapter>(*this, *equip);
  picker = std::make_unique<cv::mem::ChannelPicker>(*adapter, cv::PrompterInForce(), *adapter, target.plan,
                                                    target.channel, target.planNumber);
  connect(PlanCombo, &QComboBox::activated, this, &TMemoryChannelDlg::OnChangePlan);
  connect(ChannelCombo, &QComboBox::activated, this, &TMemoryChannelDlg::OnChangeChannel);
  connect(OKBtn, &QPushButton::clicked, this, &TMemoryChannelDlg::OKBtnClick);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  // Cancel is off while the plans are read: so are Esc and the close box.
  cv::ExitThrough(*this, *CancelBtn);

  TimerToShowForm = new QTimer(this);
  TimerToShowForm->setObjectName("TimerToShowForm");
  TimerToShowForm->setInterval(1000);
  connect(TimerToShowForm, &QTimer::timeout, this, &TMemoryChannelDlg::LoadChannels);
  if (start)
    start->Arm([this] { LoadChannels(); });
  else
    TimerToShowForm->start();
  Render();
}

TMemoryChannelDlg::~TMemoryChannelDlg() = default;

void TMemoryChannelDlg::Render() {
  const cv::mem::ChannelPicker& p = *picker;
  auto fill = [](QComboBox* c, const std::vector<std::string>& items, int index) {
    QStringList texts;
    for (const std::string& t : items) texts << cv::From1252(t);
    QStringList now;
    for (int i = 0; i < c->count(); ++i) now << c->itemText(i);
    if (now != texts) {
      c->clear();
      c->addItems(texts);
    }
    c->setCurrentIndex(index);
  };
  fill(PlanCombo, p.plans, p.planIndex);
  fill(ChannelCombo, p.channels, p.channelIndex);
  Gauge->setValue(p.gauge);
  for (QWidget* w : std::initializer_list<QWidget*>{PlanCombo, ChannelCombo, OKBtn, CancelBtn})
    w->setEnabled(p.enabled);
}

void TMemoryChannelDlg::Finish() {
  if (picker->result == cv::mem::ChannelPicker::Result::Cancel) done(QDialog::Rejected);
  if (picker->result == cv::mem::ChannelPicker::Result::Ok) done(QDialog::Accepted);
}

void TMemoryChannelDlg::LoadChannels() {
  TimerToShowForm->stop();
  if (start) start->Disarm();
  picker->LoadChannels();
  Render();
  Finish();
}

void TMemoryChannelDlg::OnChangePlan(int index) {
  picker->OnChangePlan(index);
  Render();
}

void TMemoryChannelDlg::OnChangeChannel(int index) {
  picker->OnChangeChannel(index);
  Render();
}

void TMemoryChannelDlg::OKBtnClick() {
  picker->OKBtnClick();
  Finish();
}
