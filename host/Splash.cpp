#include "Splash.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QVBoxLayout>

#include "LogoImage.h"
#include "Messages.h"
#include "MsgIds.h"

TMySplash::TMySplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName("MySplash");
  auto* panel = new QFrame(this);
  panel->setObjectName("Panel1");
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Raised);
  panel->setLineWidth(2);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(panel);

  Image1 = new QLabel(panel);
  Image1->setObjectName("Image1");
  Image1->setPixmap(BuiltInLogo(220, 70));
  Image2 = new QLabel(panel);
  Image2->setObjectName("Image2");
  Image2->setPixmap(BuiltInLogo(64, 64));
  ProductName = new QLabel(cv::MsgQ(cv::msg::HostCaption), panel);
  ProductName->setObjectName("ProductName");
  QFont big = ProductName->font();
  big.setPointSize(big.pointSize() + 10);
  big.setBold(true);
  ProductName->setFont(big);
  Version = new QLabel(cv::MsgQ(cv::msg::SplashVersion), panel);
  Version->setObjectName("Version");
  Copyright = new QLabel(cv::MsgQ(cv::msg::MakerNotice), panel);
  Copyright->setObjectName("Copyright");
  Comments = new QLabel(cv::MsgQ(cv::msg::SplashComments), panel);
  Comments->setObjectName("Comments");

  auto* v = new QVBoxLayout(panel);
  v->addWidget(Image1, 0, Qt::AlignHCenter);
  auto* h = new QHBoxLayout;
  h->addWidget(Image2);
  auto* names = new QVBoxLayout;
  names->addWidget(ProductName);
  names->addWidget(Version);
  h->addLayout(names);
  h->addStretch();
  v->addLayout(h);
  v->addWidget(Comments);
  v->addWidget(Copyright);
  setFixedSize(400, 260);
  if (QScreen* s = QGuiApplication::primaryScreen()) move(s->geometry().center() - rect().center());
}
