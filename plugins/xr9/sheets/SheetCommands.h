#pragma once
// What the commands of both sheets share: writing a report (the data check, the save dialog, the
// probes that each report file can be made, the waiting window around GenerateReport, the log
// lines and the closing message) and the question before a sheet with edits closes.
#include <QString>

class QWidget;

namespace cv::xr9 {

class DataLoggerCtl;

// `withXml`: an XML file is made beside the HTML and PDF files. `defaultExt` is given to a name
// typed without extension (none when empty). True when the report was written; a failed data
// check tells "The report was not generated."
bool RunSheetReport(QWidget* parent, DataLoggerCtl& owner, int slot, int kind, bool withXml, const QString& defaultExt);

// Whether a sheet may close: without edits at once, with edits only when the reset question is
// answered Yes.
bool MaySheetClose(bool modified);

}  // namespace cv::xr9
