#include <gtest/gtest.h>

#include "Messages.h"
#include "Text1252.h"

TEST(MessageTable, MarkerTextAndFallback) {
  EXPECT_EQ(cv::Msg(6666), "CODELANG_0902");
  EXPECT_EQ(cv::Msg(-5), "");
}

TEST(MessageTable, ParsesEscapesAndSkipsBadLines) {
  std::vector<cv::MsgEntry> e;
  int bad = cv::ParseMessageTable("# c\n\n12\tA\\nB\r\nxx\tbad\n13\tEspa\xc3\xb1ol\n\tnoid\n", e);
  ASSERT_EQ(e.size(), 2u);
  EXPECT_EQ(e[0].id, 12);
  EXPECT_EQ(e[0].text, "A\nB");
  EXPECT_EQ(e[1].text, "Espa\xf1ol");  // stored as Windows-1252
  EXPECT_EQ(bad, 2);
}

TEST(MessageTable, IdsBeyondTheTableAreBadLines) {
  std::vector<cv::MsgEntry> e;
  int bad = cv::ParseMessageTable(
      "99999\tlast\n100000\ttoo big\n3488888009\t\n99999999999999999999\tx\n0\tfirst\n", e);
  ASSERT_EQ(e.size(), 2u);
  EXPECT_EQ(e[0].id, 99999);
  EXPECT_EQ(e[0].text, "last");
  EXPECT_EQ(e[1].id, 0);
  EXPECT_EQ(bad, 3);
}

TEST(Text1252, RoundTripsEveryByte) {
  std::string all;
  for (int c = 1; c < 256; ++c) all.push_back(static_cast<char>(c));
  EXPECT_EQ(cv::To1252(cv::From1252(all)), all);
  EXPECT_EQ(cv::From1252("\x80"), QString(QChar(0x20AC)));
}

// A round trip cannot see two swapped entries: each byte against its own character.
TEST(Text1252, EachByteFrom0x80To0x9FHasItsOwnCharacter) {
  const char16_t expected[32] = {
      u'€', 0x81, u'‚', u'ƒ', u'„', u'…', u'†', u'‡', u'ˆ', u'‰', u'Š', u'‹', u'Œ', 0x8D, u'Ž', 0x8F,
      0x90, u'‘', u'’', u'“', u'”', u'•', u'–', u'—', u'˜', u'™', u'š', u'›', u'œ', 0x9D, u'ž', u'Ÿ'};
  for (int i = 0; i < 32; ++i) {
    const std::string byte(1, static_cast<char>(0x80 + i));
    const QString character(QChar(expected[i]));
    EXPECT_EQ(cv::From1252(byte), character) << std::hex << 0x80 + i;
    EXPECT_EQ(cv::To1252(character), byte) << std::hex << 0x80 + i;
    EXPECT_EQ(cv::Utf8To1252(character.toUtf8().toStdString()), byte) << std::hex << 0x80 + i;
  }
}
