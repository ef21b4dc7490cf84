#pragma once
// The CORVANE-4's data logger: its 43-character memory record, time stamps read from every
// firmware, and the result sheet's identification (name, version and serial number, asked again
// on every page), on the framework's data logger and sheet.
#include <memory>
#include <string>

#include "LoggerFamily.h"

class QDialog;
class QWidget;
class TCv3Equip;

namespace cv::cv4 {

const cv::logger::TLoggerFamily& Cv4LoggerFamily();

// The sheet's equipment text: "*?NA", "*?VE", the access code, then the serial number at 0x1F00.
std::string AskIdentification(cv::logger::LoggerMeter& meter);
// The serial number in a reply to "*?I20A01F00010": the characters read are the first 35; the
// number ends at a 00 or FF byte. Empty unless the reply begins "*I2".
std::string SerialFromReply(const std::string& reply);

// The "DataLogger" dialog on the CORVANE-4's formats.
std::unique_ptr<QDialog> MakeDataLoggerDlg4(QWidget* owner, TCv3Equip* equipment);

}  // namespace cv::cv4
