#pragma once
// The printed sheet's sizes in printer pixels, from the printer's resolution and page and the
// printer font's size, and how the download is cut into pages across and down.
#include <string>

namespace cv::logger {

enum class PrintLayout { TPInRows = 0, TPInColumns = 1 };

struct TPrinterInfo {
  int dpiX = 300, dpiY = 300;
  int pageWidth = 0, pageHeight = 0;  // printable area
  int physicalHeight = 0;             // the whole sheet
  int topOffset = 0;                  // of the printable area
  int fontPoints = 10;
};

class TLoggerPrintMetrics {
 public:
  TLoggerPrintMetrics(const TPrinterInfo& printer, PrintLayout layout, bool timeStamps, int tpCount,
                      int memoryCount);

  // The platform's MulDiv: a x b / c rounded to the nearest integer.
  static int MulDiv(int a, int b, int c);

  int pX = 0, pY = 0;  // character size of the printer font
  int lineHeight = 0;      // PrintLineHeight
  int columnWidth = 0;     // PrintColumnWidth
  int timeStampWidth = 0;  // TimeStampWidth
  int left = 0, right = 0, header = 0, bottom = 0;
  int downCount = 0, acrossCount = 0;

  int RowsPerPage() const;     // test points on a page
  int ColumnsPerPage() const;  // memories on a page
  int RowPageCount() const;
  int ColumnPageCount() const;
  int PageCount() const { return RowPageCount() * ColumnPageCount(); }
  int RowsOnPage(int page) const;     // 0-based test-point page
  int ColumnsOnPage(int page) const;  // 0-based memory page

 private:
  PrintLayout layout;
  int tpCount, memoryCount;
};

}  // namespace cv::logger
