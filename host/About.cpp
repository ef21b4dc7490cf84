#include "About.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "Help.h"
#include "LogoImage.h"
#include "Messages.h"
#include "MsgIds.h"

TAboutBox* AboutBox = nullptr;

TLinkLabel::TLinkLabel(const QString& address, QWidget* parent) : QLabel(address, parent), address_(address) {
  SetColour(Qt::black);
}

void TLinkLabel::SetColour(const QColor& colour) {
  QPalette p = palette();
  p.setColor(QPalette::WindowText, colour);
  setPalette(p);
}

void TLinkLabel::enterEvent(QEnterEvent* event) {
  SetColour(Qt::blue);
  setCursor(Qt::PointingHandCursor);
  QLabel::enterEvent(event);
}

void TLinkLabel::leaveEvent(QEvent* event) {
  SetColour(Qt::black);
  unsetCursor();
  QLabel::leaveEvent(event);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    cv::OpenUrlExternally(QUrl(address_));
  QLabel::mouseReleaseEvent(event);
}

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName("AboutBox");
  auto* frame = new QFrame(this);
  frame->setFrameShape(QFrame::Panel);
  frame->setFrameShadow(QFrame::Raised);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(frame);
  auto* v = new QVBoxLayout(frame);

  ProgramIcon = new QLabel(frame);
  ProgramIcon->setObjectName("ProgramIcon");
  ProgramIcon->setPixmap(BuiltInLogo(96, 40));
  ProductName = new QLabel(frame);
  ProductName->setObjectName("ProductName");
  QFont big = ProductName->font();
  big.setPointSize(big.pointSize() + 6);
  big.setBold(true);
  ProductName->setFont(big);
  Version = new QLabel(frame);
  Version->setObjectName("Version");
  Copyright = new QLabel(frame);
  Copyright->setObjectName("Copyright");
  Label1 = new QLabel(frame);
  Label1->setObjectName("Label1");
  LinkLabel = new TLinkLabel(QString::fromLatin1(kWebAddress), frame);
  LinkLabel->setObjectName("LinkLabel");
  OKButton = new QPushButton(frame);
  OKButton->setObjectName("OKButton");
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

  auto* top = new QHBoxLayout;
  top->addWidget(ProgramIcon);
  auto* names = new QVBoxLayout;
  names->addWidget(ProductName);
  names->addWidget(Version);
  top->addLayout(names);
  top->addStretch();
  v->addLayout(top);
  v->addWidget(Label1);
  v->addWidget(Copyright);
  v->addWidget(LinkLabel);
  v->addWidget(OKButton, 0, Qt::AlignHCenter);
  ApplyTexts();
  setFixedSize(360, 240);
  if (QScreen* s = QGuiApplication::primaryScreen()) move(s->geometry().center() - rect().center());
  if (!AboutBox) AboutBox = this;
}

void TAboutBox::ApplyTexts() {
  ProductName->setText(cv::MsgQ(cv::msg::HostCaption));
  Version->setText(cv::MsgQ(cv::msg::SplashVersion));
  Copyright->setText(cv::MsgQ(cv::msg::MakerNotice));
  Label1->setText(cv::MsgQ(cv::msg::RemoteControl));
  OKButton->setText(cv::MsgQ(cv::msg::OkCaption));
}

void TAboutBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) ApplyTexts();
  QDialog::changeEvent(event);
}

TAboutBox::~TAboutBox() {
  if (AboutBox == this) AboutBox = nullptr;
}
