#include "ConsoleModel.h"

#include <algorithm>

namespace cv {

int ConsoleScreen::Index(int x, int y) {
  x = std::clamp(x, 0, kConsoleWidth - 1);
  y = std::clamp(y, 0, kConsoleHeight - 1);
  return y * kConsoleWidth + x;
}

void ConsoleScreen::FillChars(int x, int y, int count, uint8_t ch) {
  for (int i = Index(x, y); count > 0 && i < static_cast<int>(cells_.size()); ++i, --count) cells_[i].ch = ch;
}

void ConsoleScreen::FillAttrs(int x, int y, int count, uint8_t attr) {
  for (int i = Index(x, y); count > 0 && i < static_cast<int>(cells_.size()); ++i, --count) cells_[i].attr = attr;
}

void ConsoleScreen::Clear(uint8_t attr) {
  for (auto& c : cells_) c = {' ', attr};
}

void ConsoleScreen::Write(const std::string& bytes, uint8_t attr) {
  for (char c : bytes) {
    ConsoleCell& cell = At(cursorX, cursorY);
    cell.ch = static_cast<uint8_t>(c);
    cell.attr = attr;
    if (cursorX < kConsoleWidth - 1) {
      ++cursorX;
    } else if (cursorY < kConsoleHeight - 1) {
      cursorX = 0;
      ++cursorY;
    }
  }
}

void ConsoleScreen::MoveTo(int x, int y) {
  cursorX = std::clamp(x, 0, kConsoleWidth - 1);
  cursorY = std::clamp(y, 0, kConsoleHeight - 1);
}

void ConsoleScreen::ScrollUp(int top, int bottom, uint8_t attr) {
  top = std::clamp(top, 0, kConsoleHeight - 1);
  bottom = std::clamp(bottom, 0, kConsoleHeight - 1);
  if (top > bottom) return;
  std::copy(cells_.begin() + (top + 1) * kConsoleWidth, cells_.begin() + (bottom + 1) * kConsoleWidth,
            cells_.begin() + top * kConsoleWidth);
  std::fill(cells_.begin() + bottom * kConsoleWidth, cells_.begin() + (bottom + 1) * kConsoleWidth,
            ConsoleCell{' ', attr});
}

std::string ConsoleScreen::Row(int y) const {
  std::string row;
  for (int x = 0; x < kConsoleWidth; ++x) row.push_back(static_cast<char>(At(x, y).ch));
  return row;
}

char16_t Cp437ToUnicode(uint8_t byte) {
  static const char16_t kLow[32] = {
      u' ',    u'\u263A', u'\u263B', u'\u2665', u'\u2666', u'\u2663', u'\u2660', u'\u2022',
      u'\u25D8', u'\u25CB', u'\u25D9', u'\u2642', u'\u2640', u'\u266A', u'\u266B', u'\u263C',
      u'\u25BA', u'\u25C4', u'\u2195', u'\u203C', u'\u00B6', u'\u00A7', u'\u25AC', u'\u21A8',
      u'\u2191', u'\u2193', u'\u2192', u'\u2190', u'\u221F', u'\u2194', u'\u25B2', u'\u25BC'};
  static const char16_t kHigh[128 + 1] =
      u"\u00C7\u00FC\u00E9\u00E2\u00E4\u00E0\u00E5\u00E7\u00EA\u00EB\u00E8\u00EF\u00EE\u00EC\u00C4\u00C5"
      u"\u00C9\u00E6\u00C6\u00F4\u00F6\u00F2\u00FB\u00F9\u00FF\u00D6\u00DC\u00A2\u00A3\u00A5\u20A7\u0192"
      u"\u00E1\u00ED\u00F3\u00FA\u00F1\u00D1\u00AA\u00BA\u00BF\u2310\u00AC\u00BD\u00BC\u00A1\u00AB\u00BB"
      u"\u2591\u2592\u2593\u2502\u2524\u2561\u2562\u2556\u2555\u2563\u2551\u2557\u255D\u255C\u255B\u2510"
      u"\u2514\u2534\u252C\u251C\u2500\u253C\u255E\u255F\u255A\u2554\u2569\u2566\u2560\u2550\u256C\u2567"
      u"\u2568\u2564\u2565\u2559\u2558\u2552\u2553\u256B\u256A\u2518\u250C\u2588\u2584\u258C\u2590\u2580"
      u"\u03B1\u00DF\u0393\u03C0\u03A3\u03C3\u00B5\u03C4\u03A6\u0398\u03A9\u03B4\u221E\u03C6\u03B5\u2229"
      u"\u2261\u00B1\u2265\u2264\u2320\u2321\u00F7\u2248\u00B0\u2219\u00B7\u221A\u207F\u00B2\u25A0\u00A0";
  if (byte < 32) return kLow[byte];
  if (byte == 0x7F) return u'\u2302';
  if (byte < 0x80) return byte;
  return kHigh[byte - 0x80];
}

}  // namespace cv
