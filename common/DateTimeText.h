#pragma once
// The date and time stamps of transcripts, logger files and reports: "d/m/yyyy" and "h:mm"
// (day, month and hour without leading zeros).
#include <QDateTime>
#include <string>

namespace cv {

std::string DateText(const QDateTime& when);
std::string TimeText(const QDateTime& when);

}  // namespace cv
