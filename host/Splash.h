#pragma once
// The splash window shown while the main window is built.
#include <QLabel>
#include <QWidget>

class TMySplash : public QWidget {
  Q_OBJECT
 public:
  explicit TMySplash(QWidget* parent = nullptr);

  QLabel* Image1;
  QLabel* Image2;
  QLabel* ProductName;
  QLabel* Version;
  QLabel* Copyright;
  QLabel* Comments;
};
