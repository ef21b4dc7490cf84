#pragma once
// The console as a window: paints the active screen of a ConsoleModel at 80 x 25 cells in a
// fixed-pitch font, code page 437 shown as its Unicode glyphs, and turns key presses into the
// model's input records. Closing the window queues Alt+Q.
#include <QWidget>

#include "ConsoleModel.h"

namespace cv {

class ConsoleWindow : public QWidget {
  Q_OBJECT
 public:
  explicit ConsoleWindow(ConsoleModel& model, QWidget* parent = nullptr);
  ~ConsoleWindow() override;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  ConsoleModel& model_;
  int cellW_ = 8;
  int cellH_ = 16;
  int ascent_ = 12;
};

}  // namespace cv
