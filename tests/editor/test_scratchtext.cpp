#include <gtest/gtest.h>

#include "ScratchText.h"

namespace {

TEST(EditorFileText, LineBreaksRoundTripByteForByte) {
  const std::string cases[] = {
      "a\r\nb\r\n", "a\r\nb", "a\nb\n", "a\nb", "", "x", "\r\n\r\n", "\n\n",
      "caf\xe9 \x80\x93\r\n\xff\r\n",  // Windows-1252 bytes stay bytes
      "a\r\n\r\n\r\nb\r\n",
  };
  for (const std::string& bytes : cases) {
    cv::EditorText t = cv::SplitLineBreaks(bytes);
    EXPECT_EQ(t.text.find('\r'), std::string::npos) << bytes;
    EXPECT_EQ(cv::JoinLineBreaks(t), bytes) << bytes;
  }
}

TEST(EditorFileText, SplitKeepsStyleAndFinalBreak) {
  cv::EditorText crlf = cv::SplitLineBreaks("one\r\ntwo");
  EXPECT_EQ(crlf.text, "one\ntwo");
  EXPECT_EQ(crlf.lineBreak, "\r\n");
  EXPECT_FALSE(crlf.finalBreak);
  cv::EditorText lf = cv::SplitLineBreaks("one\ntwo\n");
  EXPECT_EQ(lf.lineBreak, "\n");
  EXPECT_TRUE(lf.finalBreak);
  // An edited text is written in the file's own style.
  lf.text += "\nthree";
  EXPECT_EQ(cv::JoinLineBreaks(lf), "one\ntwo\nthree\n");
}

TEST(EditorFind, CaseWholeWordAndStart) {
  struct Case {
    const char* text;
    const char* what;
    int from;
    bool matchCase, wholeWord;
    int expected;
  } cases[] = {
      {"Alpha alpha", "alpha", 0, false, false, 0},
      {"Alpha alpha", "alpha", 0, true, false, 6},
      {"Alpha alpha", "alpha", 1, false, false, 6},
      {"alphabet alpha", "alpha", 0, false, true, 9},
      {"x_alpha alpha1 alpha", "alpha", 0, false, true, 15},
      {"alpha", "beta", 0, false, false, -1},
      {"alpha", "", 0, false, false, -1},
      {"alpha", "alpha", 5, false, false, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(cv::FindInText(c.text, c.what, c.from, c.matchCase, c.wholeWord), c.expected)
        << c.text << " / " << c.what << " from " << c.from;
}

TEST(EditorPrintLayout, LineHeightAndRowsPerPage) {
  EXPECT_EQ(cv::PrintLineHeight(10, 600), 116);  // 83 dots x 1.4
  EXPECT_EQ(cv::PrintLineHeight(10, 72), 14);
  EXPECT_EQ(cv::PrintLinesPerPage(1400, 14), 96);
}

TEST(EditorPrintLayout, FirstPageStartsBelowHeaderLaterPagesAtRowFour) {
  std::vector<cv::PrintRow> r = cv::LayoutPrintRows(10, 8);
  // Page 0: rows 5..8 (4 lines); page 1: rows 4..8 (5 lines); page 2: row 4.
  ASSERT_EQ(r.size(), 10u);
  EXPECT_EQ(r[0].page, 0);
  EXPECT_EQ(r[0].row, 5);
  EXPECT_EQ(r[3].row, 8);
  EXPECT_EQ(r[4].page, 1);
  EXPECT_EQ(r[4].row, 4);
  EXPECT_EQ(r[8].row, 8);
  EXPECT_EQ(r[9].page, 2);
  EXPECT_EQ(r[9].row, 4);
}

TEST(EditorPrintLayout, ShortPagesNeverRunOffThePage) {
  for (int lpp : {-3, 0, 1, 3, 4}) {
    std::vector<cv::PrintRow> r = cv::LayoutPrintRows(6, lpp);
    ASSERT_EQ(r.size(), 6u);
    for (const cv::PrintRow& row : r) EXPECT_LE(row.row, 5) << lpp;
    EXPECT_GE(r.back().page, 2) << lpp;  // the lines are spread over pages
  }
}

}  // namespace
