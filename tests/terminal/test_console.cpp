// The console stand-in: the cell model, the window's key records and the wait.
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QTest>
#include <chrono>

#include "Clock.h"
#include "ConsoleModel.h"
#include "ConsoleWait.h"
#include "ConsoleWindow.h"

TEST(ConsoleScreen, FillRunsIntoTheNextRowsAndStopsAtTheEndOfTheBuffer) {
  cv::ConsoleScreen s;
  s.FillChars(78, 0, 4, 'x');
  EXPECT_EQ(s.At(77, 0).ch, ' ');
  EXPECT_EQ(s.At(79, 0).ch, 'x');
  EXPECT_EQ(s.At(1, 1).ch, 'x');
  EXPECT_EQ(s.At(2, 1).ch, ' ');
  s.FillAttrs(70, 24, 500, 0x1F);  // past the last cell: stops there
  EXPECT_EQ(s.At(79, 24).attr, 0x1F);
  EXPECT_EQ(s.At(69, 24).attr, 7);
}

TEST(ConsoleScreen, ScrollMovesOnlyTheRegionAndBlanksItsLastRow) {
  cv::ConsoleScreen s;
  for (int y = 0; y < cv::kConsoleHeight; ++y) s.FillChars(0, y, 80, static_cast<uint8_t>('A' + y));
  s.ScrollUp(6, 24, 3);
  EXPECT_EQ(s.At(0, 5).ch, 'F');  // above the region: untouched
  EXPECT_EQ(s.At(0, 6).ch, 'H');
  EXPECT_EQ(s.At(0, 23).ch, 'Y');
  EXPECT_EQ(s.At(79, 24), (cv::ConsoleCell{' ', 3}));
}

TEST(ConsoleScreen, WriteWrapsAtTheRightEdgeAndStaysInsideTheBuffer) {
  cv::ConsoleScreen s;
  s.MoveTo(79, 3);
  s.Write("ab", 2);
  EXPECT_EQ(s.At(79, 3), (cv::ConsoleCell{'a', 2}));
  EXPECT_EQ(s.At(0, 4), (cv::ConsoleCell{'b', 2}));
  s.MoveTo(79, 24);
  s.Write("yz", 2);  // no row left: the last cell takes both
  EXPECT_EQ(s.At(79, 24).ch, 'z');
  EXPECT_EQ(s.cursorX, 79);
}

TEST(ConsoleScreen, CodePage437Glyphs) {
  const struct {
    uint8_t byte;
    char16_t glyph;
  } cases[] = {{0xC9, u'\u2554'}, {0xCD, u'\u2550'}, {0xBB, u'\u2557'}, {0xBA, u'\u2551'},
               {0xC8, u'\u255A'}, {0xBC, u'\u255D'}, {0x80, u'\u00C7'}, {0xE1, u'\u00DF'},
               {0xFF, u'\u00A0'}, {0x01, u'\u263A'}, {0x0D, u'\u266A'}, {0x7F, u'\u2302'},
               {'A', u'A'}, {0x00, u' '}};
  for (const auto& c : cases) EXPECT_EQ(cv::Cp437ToUnicode(c.byte), c.glyph) << int(c.byte);
}

TEST(ConsoleWindow, KeysBecomeInputRecordsAndClosingQueuesAltQ) {
  cv::ConsoleModel model;
  cv::ConsoleWindow window(model);
  using K = cv::ConsoleInput::Key;
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    K kind;
    uint8_t ch;
    bool alt;
  } cases[] = {{Qt::Key_A, Qt::NoModifier, K::Char, 'a', false},
               {Qt::Key_Q, Qt::AltModifier, K::Char, 'q', true},
               {Qt::Key_3, Qt::AltModifier, K::Char, '3', true},
               {Qt::Key_Return, Qt::NoModifier, K::Enter, '\r', false},
               {Qt::Key_Escape, Qt::NoModifier, K::Escape, 0x1B, false},
               {Qt::Key_Left, Qt::NoModifier, K::Left, 0, false},
               {Qt::Key_Down, Qt::NoModifier, K::Down, 0, false}};
  for (const auto& c : cases) {
    model.input.clear();
    QTest::keyClick(&window, c.key, c.mods);
    ASSERT_EQ(model.input.size(), 1u) << c.key;
    EXPECT_EQ(model.input[0].key, c.kind) << c.key;
    EXPECT_EQ(model.input[0].ch, c.ch) << c.key;
    EXPECT_EQ(model.input[0].alt, c.alt) << c.key;
  }
  model.input.clear();
  QCloseEvent close;
  QCoreApplication::sendEvent(&window, &close);
  EXPECT_FALSE(close.isAccepted());
  ASSERT_EQ(model.input.size(), 1u);
  EXPECT_TRUE(model.input[0].alt);
  EXPECT_EQ(model.input[0].ch, 'q');
}

TEST(ConsoleWait, EndsOnInputOrAtTheTimeOutOfItsClock) {
  cv::ConsoleModel model;
  cv::FakeClock clock;
  clock.pumpStepMs = 1000;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(cv::ConsoleWait(&model, cv::kInvalidSerialHandle, 1000000, clock, 0), cv::ConsoleEvent::Timeout);
  EXPECT_GE(clock.now, 1000000);
  EXPECT_LT(clock.now, 1001000 + 1);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

  model.input.push_back({});
  const int64_t before = clock.now;
  EXPECT_EQ(cv::ConsoleWait(&model, cv::kInvalidSerialHandle, 5000, clock, 0), cv::ConsoleEvent::Input);
  EXPECT_EQ(clock.now, before);  // at once
  // Input is not watched without a console.
  EXPECT_EQ(cv::ConsoleWait(nullptr, cv::kInvalidSerialHandle, 3000, clock, 0), cv::ConsoleEvent::Timeout);
}
