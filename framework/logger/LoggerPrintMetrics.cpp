#include "LoggerPrintMetrics.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace cv::logger {

int TLoggerPrintMetrics::MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  return static_cast<int>(std::llround(static_cast<double>(a) * b / c));
}

TLoggerPrintMetrics::TLoggerPrintMetrics(const TPrinterInfo& p, PrintLayout layout, bool timeStamps, int tpCount,
                                         int memoryCount)
    : layout(layout), tpCount(tpCount), memoryCount(memoryCount) {
  pX = std::abs(MulDiv(p.fontPoints, p.dpiX, 72));
  pY = std::abs(MulDiv(p.fontPoints, p.dpiY, 72));
  lineHeight = static_cast<int>(1.4 * pY);
  columnWidth = static_cast<int>(9 * (0.8 * pX));
  timeStampWidth = !timeStamps && layout == PrintLayout::TPInRows ? 0 : static_cast<int>(17 * (0.7 * pX));
  left = 150 * p.dpiX / 300;
  right = 60 * p.dpiX / 300;
  header = 500 * p.dpiY / 300;
  bottom = std::max(p.physicalHeight - p.pageHeight - p.topOffset, 200 * p.dpiY / 300);
  // A font too small to measure fits nothing rather than dividing by zero.
  downCount = lineHeight > 0 ? std::max(0, (p.pageHeight - header - bottom - 3 * lineHeight) / lineHeight) : 0;
  acrossCount =
      columnWidth > 0 ? std::max(0, (p.pageWidth - columnWidth - timeStampWidth - 2 * left) / columnWidth) : 0;
}

int TLoggerPrintMetrics::RowsPerPage() const { return layout == PrintLayout::TPInRows ? downCount : acrossCount; }

int TLoggerPrintMetrics::ColumnsPerPage() const {
  return layout == PrintLayout::TPInRows ? acrossCount : downCount;
}

namespace {
int PagesFor(int items, int perPage) { return perPage > 0 ? (items + perPage - 1) / perPage : 0; }
int OnPage(int items, int perPage, int page) {
  if (perPage <= 0) return 0;
  const int pages = PagesFor(items, perPage);
  if (page == pages - 1 && items % perPage != 0) return items % perPage;
  return perPage;
}
}  // namespace

int TLoggerPrintMetrics::RowPageCount() const { return PagesFor(tpCount, RowsPerPage()); }
int TLoggerPrintMetrics::ColumnPageCount() const { return PagesFor(memoryCount, ColumnsPerPage()); }
int TLoggerPrintMetrics::RowsOnPage(int page) const { return OnPage(tpCount, RowsPerPage(), page); }
int TLoggerPrintMetrics::ColumnsOnPage(int page) const { return OnPage(memoryCount, ColumnsPerPage(), page); }

}  // namespace cv::logger
