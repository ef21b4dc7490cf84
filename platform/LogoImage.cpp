#include "LogoImage.h"

#include <QLinearGradient>
#include <QPainter>

TLogoImage::TLogoImage(QWidget* parent) : QLabel(parent) { Refresh(); }

void TLogoImage::SetPicture(const QPixmap& picture) {
  picture_ = picture;
  Refresh();
}

bool TLogoImage::LoadPicture(const QString& path) {
  QPixmap p;
  if (path.isEmpty() || !p.load(path)) return false;
  SetPicture(p);
  return true;
}

void TLogoImage::SetStretch(bool on) {
  stretch_ = on;
  Refresh();
}

void TLogoImage::SetProportional(bool on) {
  proportional_ = on;
  Refresh();
}

void TLogoImage::SetCenter(bool on) {
  center_ = on;
  Refresh();
}

void TLogoImage::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Refresh();
}

void TLogoImage::Refresh() {
  setAlignment(center_ ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignTop));
  if (picture_.isNull()) {
    setPixmap(QPixmap());
    return;
  }
  QSize area = contentsRect().size();
  QPixmap shown = picture_;
  bool larger = picture_.width() > area.width() || picture_.height() > area.height();
  if (!area.isEmpty()) {
    if (proportional_ && (stretch_ || larger))
      shown = picture_.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    else if (stretch_)
      shown = picture_.scaled(area, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  setPixmap(shown);
}

QPixmap BuiltInLogo(int width, int height) {
  QPixmap p(width, height);
  QPainter g(&p);
  QLinearGradient grad(0, 0, width, height);
  grad.setColorAt(0, QColor(16, 48, 112));
  grad.setColorAt(1, QColor(40, 120, 200));
  g.fillRect(p.rect(), grad);
  g.setPen(Qt::white);
  QFont f = g.font();
  f.setBold(true);
  f.setPixelSize(qMax(6, qMin(height * 2 / 5, width / 5)));
  g.setFont(f);
  g.drawText(p.rect(), Qt::AlignCenter, QStringLiteral("CvTools"));
  return p;
}
