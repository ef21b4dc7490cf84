#include "ConsoleWindow.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

#include "FixedFont.h"
#include "Text1252.h"

namespace cv {
namespace {

QColor AttrColor(int nibble) {
  static const QRgb kPalette[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                    0x808000, 0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,
                                    0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
  return QColor(kPalette[nibble & 15]);
}

}  // namespace

ConsoleWindow::ConsoleWindow(ConsoleModel& model, QWidget* parent) : QWidget(parent), model_(model) {
  setObjectName("ConsoleWindow");
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  QFont font = cv::FixedPitchFont(QString());
  // A console's cell: about 8 by 16 pixels, glyphs without colour fringes.
  font.setPixelSize(15);
  font.setStyleStrategy(QFont::NoSubpixelAntialias);
  setFont(font);
  const QFontMetrics fm(font);
  cellW_ = std::max(1, fm.horizontalAdvance(QChar(u'M')));
  cellH_ = std::max(1, fm.height());
  ascent_ = fm.ascent();
  setFixedSize(sizeHint());
  model_.changed = [this] { update(); };
}

ConsoleWindow::~ConsoleWindow() { model_.changed = nullptr; }

QSize ConsoleWindow::sizeHint() const { return {cellW_ * kConsoleWidth, cellH_ * kConsoleHeight}; }

void ConsoleWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(font());
  const ConsoleScreen& screen = model_.screens[model_.active];
  for (int y = 0; y < kConsoleHeight; ++y) {
    for (int x = 0; x < kConsoleWidth; ++x) {
      const ConsoleCell& cell = screen.At(x, y);
      const QRect r(x * cellW_, y * cellH_, cellW_, cellH_);
      painter.fillRect(r, AttrColor(cell.attr >> 4));
      if (cell.ch == ' ') continue;
      painter.setPen(AttrColor(cell.attr));
      painter.drawText(r.left(), r.top() + ascent_, QString(QChar(Cp437ToUnicode(cell.ch))));
    }
  }
  if (hasFocus()) {
    painter.fillRect(screen.cursorX * cellW_, screen.cursorY * cellH_ + cellH_ - 2, cellW_, 2, Qt::lightGray);
  }
}

void ConsoleWindow::keyPressEvent(QKeyEvent* event) {
  ConsoleInput in;
  in.alt = event->modifiers() & Qt::AltModifier;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: in.key = ConsoleInput::Key::Enter; in.ch = '\r'; break;
    case Qt::Key_Escape: in.key = ConsoleInput::Key::Escape; in.ch = 0x1B; break;
    case Qt::Key_Left: in.key = ConsoleInput::Key::Left; break;
    case Qt::Key_Up: in.key = ConsoleInput::Key::Up; break;
    case Qt::Key_Right: in.key = ConsoleInput::Key::Right; break;
    case Qt::Key_Down: in.key = ConsoleInput::Key::Down; break;
    default: {
      QString text = event->text();
      if (in.alt && text.isEmpty()) {
        // With Alt held some platforms give no text: take the key's own letter or digit.
        const int k = event->key();
        if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9)) {
          QChar c(k);
          text = (event->modifiers() & Qt::ShiftModifier) ? QString(c) : QString(c).toLower();
        }
      }
      if (text.isEmpty()) return QWidget::keyPressEvent(event);
      const std::string bytes = To1252(text.left(1));
      in.key = ConsoleInput::Key::Char;
      in.ch = static_cast<uint8_t>(bytes.empty() ? 0 : bytes[0]);
      if (in.ch == 0) return;
    }
  }
  model_.input.push_back(in);
}

void ConsoleWindow::closeEvent(QCloseEvent* event) {
  // The terminal decides when the window goes: closing asks it to quit, as Alt+Q does.
  model_.input.push_back({true, ConsoleInput::Key::Char, 'q', true});
  event->ignore();
}

}  // namespace cv
