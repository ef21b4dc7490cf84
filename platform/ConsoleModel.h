#pragma once
// A text console as a plain model: two screen buffers of character cells (a code page 437 byte
// and a colour attribute each, the attribute laid out as foreground in the low four bits and
// background in the high four, bit 3 bright), a cursor for each, one active buffer and a queue of
// input records. ConsoleWindow paints it; tests read it cell by cell.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace cv {

constexpr int kConsoleWidth = 80;
constexpr int kConsoleHeight = 25;

struct ConsoleCell {
  uint8_t ch = ' ';
  uint8_t attr = 7;
  bool operator==(const ConsoleCell&) const = default;
};

class ConsoleScreen {
 public:
  ConsoleScreen() : cells_(kConsoleWidth * kConsoleHeight) {}
  const ConsoleCell& At(int x, int y) const { return cells_[Index(x, y)]; }
  ConsoleCell& At(int x, int y) { return cells_[Index(x, y)]; }

  // Like the console's fill calls: `count` cells from (x, y) on, running on into the next rows
  // and stopping at the end of the buffer.
  void FillChars(int x, int y, int count, uint8_t ch);
  void FillAttrs(int x, int y, int count, uint8_t attr);
  void Clear(uint8_t attr);
  // Writes the bytes at the cursor in `attr` and moves the cursor after them (on into the next
  // row at the right edge, never past the last cell).
  void Write(const std::string& bytes, uint8_t attr);
  void MoveTo(int x, int y);
  // Moves rows top+1..bottom up by one row; row `bottom` becomes blanks in `attr`.
  void ScrollUp(int top, int bottom, uint8_t attr);
  // The characters of one row, as bytes, trailing blanks kept.
  std::string Row(int y) const;

  int cursorX = 0;
  int cursorY = 0;

 private:
  static int Index(int x, int y);
  std::vector<ConsoleCell> cells_;
};

struct ConsoleInput {
  enum class Key { None, Char, Enter, Escape, Left, Up, Right, Down };
  bool keyDown = true;
  Key key = Key::Char;
  uint8_t ch = 0;  // the character the key carries, 0 for none (cursor keys, key-up events)
  bool alt = false;
};

class ConsoleModel {
 public:
  ConsoleScreen screens[2];
  int active = 0;
  std::deque<ConsoleInput> input;

  ConsoleScreen& Active() { return screens[active]; }
  // Called after each change a viewer should show (the window repaints).
  std::function<void()> changed;
  void Changed() {
    if (changed) changed();
  }
};

// The Unicode character of a code page 437 byte (the glyphs of 0x01-0x1F and 0x7F included).
char16_t Cp437ToUnicode(uint8_t byte);

}  // namespace cv
