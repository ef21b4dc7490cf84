#pragma once
// The About box: product name, version, the maker's notice and a link to the maker's web address.
#include <QDialog>
#include <QLabel>

class TLinkLabel : public QLabel {
  Q_OBJECT
 public:
  TLinkLabel(const QString& address, QWidget* parent = nullptr);
  const QString& Address() const { return address_; }

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void SetColour(const QColor& colour);
  QString address_;
};

class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  static constexpr const char* kWebAddress = "https://cvtools.example.org/";

  explicit TAboutBox(QWidget* parent = nullptr);
  ~TAboutBox() override;

  QLabel* ProgramIcon;
  QLabel* ProductName;
  QLabel* Version;
  QLabel* Copyright;
  QLabel* Label1;
  TLinkLabel* LinkLabel;
  class QPushButton* OKButton;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void ApplyTexts();
};

// The About box of the running program (created once at start-up).
extern TAboutBox* AboutBox;
