#pragma once
// A logo image with a picture and three switches: stretch (scale the picture to the image),
// proportional (keep its proportions when scaled; a picture larger than the image is then shrunk
// to fit even without stretch) and center (centre it rather than put it at the top left).
#include <QLabel>
#include <QPixmap>

class TLogoImage : public QLabel {
  Q_OBJECT
 public:
  explicit TLogoImage(QWidget* parent = nullptr);

  void SetPicture(const QPixmap& picture);
  const QPixmap& Picture() const { return picture_; }
  // Loads the picture from a file; false (and the picture unchanged) when it cannot be read.
  bool LoadPicture(const QString& path);

  bool Stretch() const { return stretch_; }
  bool Proportional() const { return proportional_; }
  bool Center() const { return center_; }
  void SetStretch(bool on);
  void SetProportional(bool on);
  void SetCenter(bool on);

  // The picture as shown, at its shown size.
  QPixmap Shown() const { return pixmap(); }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Refresh();
  QPixmap picture_;
  bool stretch_ = false;
  bool proportional_ = false;
  bool center_ = false;
};

// The built-in logo, drawn rather than shipped as a file.
QPixmap BuiltInLogo(int width, int height);
