#include "Memdlg.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include "Cv3Equip.h"
#include "ControlsOff.h"
#include "Cv3MemoryEquipment.h"
#include "DialogExit.h"
#include "DialogFileChooser.h"
#include "FixedFont.h"
#include "Memdatadlg.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PluginHelp.h"
#include "Text1252.h"

namespace {

namespace m = cv::msg::mem;

const QString kMemoryHelpTopic = QStringLiteral("MemoryEditor");

}  // namespace

// The editor's way to the equipment, the file dialogs and this form.
class TMemoryDlg::Adapter : public cv::mem::Cv3MemoryEquipment,
                            public cv::plan::DialogFileChooser,
                            public cv::mem::MemoryView {
 public:
  Adapter(TMemoryDlg& dlg, TCv3Equip& e)
      : Cv3MemoryEquipment(e), DialogFileChooser(&dlg, cv::MsgQ(m::SelectFile)), dlg(dlg) {}

  void SetGauge(int percent) override {
    dlg.Gauge->setValue(percent);
    dlg.Gauge->repaint();
  }
  void ShowList() override { dlg.ShowList(); }
  void ShowButtons() override { dlg.ShowButtons(); }

 private:
  TMemoryDlg& dlg;
};

MemoryFormFamily Cv3MemoryForm() { return {nullptr, m::SendOneHint, m::SendHint, m::ReceiveHint}; }

TMemoryDlg::TMemoryDlg(QWidget* owner, TCv3Equip* equipment, const MemoryFormFamily& family)
    : QDialog(owner), equip(equipment), codec(family.codec) {
  using cv::MsgQ;
  setWindowTitle(MsgQ(m::FormCaption));
  auto* grid = new QGridLayout(this);
  Label1 = new QLabel(MsgQ(m::ListLabel), this);
  Label1->setObjectName("Label1");
  QFont bold = Label1->font();
  bold.setBold(true);
  Label1->setFont(bold);
  grid->addWidget(Label1, 0, 0, 1, 2);
  MemoryListBox = new QListWidget(this);
  MemoryListBox->setObjectName("MemoryListBox");
  MemoryListBox->setToolTip(MsgQ(m::ListHint));
  MemoryListBox->setFont(cv::FixedPitchFont("Courier New", 8));
  MemoryListBox->setMinimumSize(190, 180);
  Label1->setBuddy(MemoryListBox);
  grid->addWidget(MemoryListBox, 1, 0, 8, 1);
  connect(MemoryListBox, &QListWidget::currentRowChanged, this, [this](int row) { editor->SelectLine(row); });
  // A double click is Edit, and like Edit does nothing while a transfer holds the button off.
  connect(MemoryListBox, &QListWidget::itemDoubleClicked, this, [this] {
    if (EditBtn->isEnabled()) EditBtnClick();
  });

  int row = 1;
  auto button = [&](QPushButton*& b, const char* name, int text, int hint, void (TMemoryDlg::*slot)()) {
    b = new QPushButton(MsgQ(text), this);
    b->setObjectName(name);
    if (hint) b->setToolTip(MsgQ(hint));
    b->setAutoDefault(false);
    grid->addWidget(b, row++, 1);
    connect(b, &QPushButton::clicked, this, slot);
  };
  button(SaveBtn, "SaveBtn", m::SaveBtn, m::SaveHint, &TMemoryDlg::SaveBtnClick);
  button(ReadBtn, "ReadBtn", m::ReadBtn, m::ReadHint, &TMemoryDlg::ReadBtnClick);
  button(EditBtn, "EditBtn", m::EditBtn, m::EditHint, &TMemoryDlg::EditBtnClick);
  button(SendOneBtn, "SendOneBtn", m::SendOneBtn, family.sendOneHint, &TMemoryDlg::SendOneBtnClick);
  button(SendBtn, "SendBtn", m::SendBtn, family.sendHint, &TMemoryDlg::SendBtnClick);
  button(ReceiveBtn, "ReceiveBtn", m::ReceiveBtn, family.receiveHint, &TMemoryDlg::ReceiveBtnClick);
  button(HelpBtn, "HelpBtn", m::HelpBtn, 0, &TMemoryDlg::HelpBtnClick);
  button(CloseBtn, "CloseBtn", m::CloseBtn, 0, &TMemoryDlg::CloseBtnClick);

  Bevel1 = new QFrame(this);
  Bevel1->setObjectName("Bevel1");
  Bevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  auto* bevel = new QVBoxLayout(Bevel1);
  bevel->setContentsMargins(2, 2, 2, 2);
  Gauge = new QProgressBar(Bevel1);
  Gauge->setObjectName("Gauge");
  Gauge->setRange(0, 100);
  Gauge->setValue(0);
  Gauge->setTextVisible(false);
  Gauge->setToolTip(MsgQ(m::GaugeHint));
  Gauge->setStyleSheet("QProgressBar::chunk { background: blue; }");
  bevel->addWidget(Gauge);
  grid->addWidget(Bevel1, 9, 0, 1, 2);
  grid->setSizeConstraint(QLayout::SetFixedSize);

  adapter = std::make_unique<Adapter>(*this, *equip);
  editor = std::make_unique<cv::mem::MemoryEditor>(*adapter, cv::PrompterInForce(), *adapter, *adapter,
                                                   codec ? *codec : cv::mem::Cv3MemoryCodec());
  // Edit opens the settings dialog on the current record; an invalid record is refused there
  // and the dialog is not shown.
  settingsEditor = [this](TMemoryDlg* self) {
    TMemoryDataDlg dialog(self, equip);
    return dialog.Opened() && dialog.exec() == QDialog::Accepted;
  };
  // Esc and the close box ask as Close does, and do nothing while a transfer holds Close off.
  cv::ExitThrough(*this, *CloseBtn);
  ShowList();
  ShowButtons();
}

TMemoryDlg::~TMemoryDlg() = default;

void TMemoryDlg::ShowList() {
  if (!editor) return;
  QSignalBlocker block(MemoryListBox);
  const auto& lines = editor->listLines;
  if (MemoryListBox->count() > static_cast<int>(lines.size())) MemoryListBox->clear();
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    QString text = cv::From1252(lines[i]);
    if (i < MemoryListBox->count())
      MemoryListBox->item(i)->setText(text);
    else
      MemoryListBox->addItem(text);
  }
  MemoryListBox->setCurrentRow(editor->listIndex);
  if (editor->listIndex < 0) MemoryListBox->clearSelection();
}

void TMemoryDlg::ShowButtons() {
  if (!editor || locked) return;
  const cv::mem::MemoryButtons& b = editor->buttons;
  CloseBtn->setEnabled(b.close);
  ReadBtn->setEnabled(b.read);
  ReceiveBtn->setEnabled(b.receive);
  EditBtn->setEnabled(b.edit);
  SaveBtn->setEnabled(b.save);
  SendBtn->setEnabled(b.send);
  SendOneBtn->setEnabled(b.sendOne);
  MemoryListBox->setEnabled(b.close);
}

void TMemoryDlg::CloseBtnClick() {
  if (editor->CloseBtnClick()) accept();
}

void TMemoryDlg::Locked(const std::function<void()>& run) {
  {
    // The meter's waits let window events run, and the questions and file dialogs on the way
    // are windows of their own: nothing may start another exchange, change the memories or the
    // selection the run works on, or close the editor under it (Close off, Esc and the close box
    // do nothing). Each control gets back its own state; the editor's then shows. The editor's
    // own button states wait until then (a save before a Receive ends with them on): `locked`
    // holds from before the controls go off until after they are back and the held input has
    // fallen on them.
    const QScopedValueRollback<bool> lockedNow(locked, true);
    const cv::ControlsOff off{SaveBtn, ReadBtn, EditBtn, SendOneBtn, SendBtn, ReceiveBtn, CloseBtn, MemoryListBox};
    run();
  }
  ShowButtons();
}

void TMemoryDlg::ReadBtnClick() {
  Locked([this] { editor->ReadBtnClick(); });
}
void TMemoryDlg::ReceiveBtnClick() {
  Locked([this] { editor->ReceiveBtnClick(); });
}
void TMemoryDlg::SaveBtnClick() {
  Locked([this] { editor->SaveBtnClick(); });
}
void TMemoryDlg::SendBtnClick() {
  Locked([this] { editor->SendBtnClick(); });
}
void TMemoryDlg::SendOneBtnClick() {
  Locked([this] { editor->SendOneBtnClick(); });
}

void TMemoryDlg::EditBtnClick() {
  int index = editor->EditBtnClick();
  if (index >= 0 && settingsEditor && settingsEditor(this)) editor->MemoryEdited(index);
}

void TMemoryDlg::HelpBtnClick() { ShowPluginHelp(equip, HelpTopic::MemoryEditor); }
