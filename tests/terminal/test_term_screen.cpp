// The terminal's screens: the status rows and the help page as golden cells, the terminal area's
// scrolling, and how received bytes are shown.
#include "TermFixture.h"

TEST_F(TermTest, StatusRowsAndHelpPageMatchTheirGoldenCells) {
  MakeTerm();
  term->portName = "COM3";
  term->baudRate = 115200;
  term->crLf = true;
  term->localEcho = false;
  term->hexMode = true;
  term->testMode = false;
  term->DrawMainScreen();
  ExpectGolden(Cells(term->console.screens[0], 0, 6), "main_rows.txt");
  term->KeyHandler('h');
  EXPECT_EQ(term->console.active, 1);
  ExpectGolden(Cells(term->console.screens[1], 0, 10), "help_page.txt");
  term->KeyHandler('H');
  EXPECT_EQ(term->console.active, 0);
  EXPECT_EQ(term->console.screens[0].cursorY, TTerm::kTermTop);
}

TEST_F(TermTest, TheTerminalAreaScrollsBelowTheStatusBox) {
  MakeTerm();
  term->DrawMainScreen();
  const std::string status = Cells(term->console.screens[0], 0, 5);
  for (int i = 0; i < 30; ++i) term->PrintLine("line " + std::to_string(i));
  const cv::ConsoleScreen& s = term->console.screens[0];
  EXPECT_EQ(Cells(s, 0, 5), status);
  EXPECT_EQ(s.Row(23).substr(0, 8), "line 29 ");
  EXPECT_EQ(s.Row(24), std::string(80, ' '));
  EXPECT_EQ(s.At(0, 24).attr, TTerm::kTermAttr);
  EXPECT_EQ(s.cursorY, 24);
}

TEST_F(TermTest, ReceivedBytesInTextAndHexMode) {
  MakeTerm();
  term->DrawMainScreen();
  const cv::ConsoleScreen& s = term->console.screens[0];
  term->crLf = false;
  for (char c : std::string("ab\rc\nd")) term->ShowReceived(static_cast<uint8_t>(c));
  EXPECT_EQ(s.Row(6).substr(0, 3), "cb ");  // CR alone returns to column 0
  EXPECT_EQ(s.Row(7).substr(0, 2), "d ");    // LF goes to column 0 of the next row
  EXPECT_EQ(s.At(1, 7).attr, 3);

  term->crLf = true;
  term->ShowReceived('\r');
  EXPECT_EQ(s.cursorY, 8);  // CR+LF mode: a new line after the CR

  term->hexMode = true;
  term->console.screens[0].MoveTo(0, 10);
  for (uint8_t c : {uint8_t{0x06}, uint8_t{0x41}, uint8_t{0x13}}) term->ShowReceived(c);
  EXPECT_EQ(s.Row(10).substr(0, 18), "(ACK)06.A41.(XOFF)");
  EXPECT_EQ(s.At(0, 10).attr, 3);
  EXPECT_EQ(s.At(8, 10).attr, 11);  // the character itself bright
  EXPECT_EQ(s.At(9, 10).attr, 3);
  term->ShowReceived('\r');
  EXPECT_EQ(s.cursorY, 11);
  EXPECT_EQ(s.At(0, 11), (cv::ConsoleCell{0x0D, 11}));
  EXPECT_EQ(s.Row(11).substr(1, 3), "0D.");
}

TEST_F(TermTest, AByteInTheLastColumnFirstStartsANewLine) {
  MakeTerm();
  term->DrawMainScreen();
  const cv::ConsoleScreen& s = term->console.screens[0];
  for (int i = 0; i < 80; ++i) term->ShowReceived('x');
  EXPECT_EQ(s.At(78, 6).ch, 'x');
  EXPECT_EQ(s.At(79, 6).ch, ' ');
  EXPECT_EQ(s.At(0, 7).ch, 'x');
  EXPECT_EQ(s.At(1, 7).ch, ' ');
}
