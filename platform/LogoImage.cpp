#include "LogoImage.h"

#include <QLabel>
#include <QPixmap>

namespace cv {

void ApplyLogoFlags(QLabel* image, bool stretch, bool proportional, bool center) {
  if (!image) return;
  image->setProperty("stretch", stretch);
  image->setProperty("proportional", proportional);
  image->setProperty("center", center);
  image->setAlignment(center ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
}

void ShowLogo(QLabel* image, const QPixmap& picture) {
  if (!image || picture.isNull()) return;
  bool stretch = image->property("stretch").toBool();
  bool proportional = image->property("proportional").toBool();
  if (stretch && !proportional) {
    image->setScaledContents(true);
    image->setPixmap(picture);
    return;
  }
  image->setScaledContents(false);
  if (stretch && image->width() > 0 && image->height() > 0)
    image->setPixmap(picture.scaled(image->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
  else
    image->setPixmap(picture);
}

}  // namespace cv
