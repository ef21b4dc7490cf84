#include "DateTimeText.h"

namespace cv {

std::string DateText(const QDateTime& when) {
  QDate d = when.date();
  return std::to_string(d.day()) + "/" + std::to_string(d.month()) + "/" +
         std::string(d.year() < 1000 ? (d.year() < 100 ? (d.year() < 10 ? "000" : "00") : "0") : "") +
         std::to_string(d.year());
}

std::string TimeText(const QDateTime& when) {
  QTime t = when.time();
  return std::to_string(t.hour()) + ":" + (t.minute() < 10 ? "0" : "") + std::to_string(t.minute());
}

}  // namespace cv
