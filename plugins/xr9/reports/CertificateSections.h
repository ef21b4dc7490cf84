#pragma once
// The certificate report's drivers and the sections they put in order. Each section writes its
// XML element into files->xmlFile and its HTML pages into files->htmlFile; nothing without files.
#include <string>

namespace cv::xr9 {

class DataLoggerCtl;
struct TReportFiles;

// Drivers of the report kinds (the kind being generated is set on the dialog around them).
void WriteCertificateReport(DataLoggerCtl& ctl, int slot, TReportFiles* files);        // 0, 2, 6
void WriteCertificateReportCat(DataLoggerCtl& ctl, int slot, TReportFiles* files);     // 2
void WriteCertificateReportUpd(DataLoggerCtl& ctl, int slot, TReportFiles* files);     // 1, 4, 7
void WriteCertificateReportUpdCat(DataLoggerCtl& ctl, int slot, TReportFiles* files);  // 4
// Kind 3: the SKY certificate of the two files (-1 for a file not chosen), then the HTML tail.
void WriteSkyReport(DataLoggerCtl& ctl, int terSlot, int satSlot, std::string* html);
void WriteSkyCertificate(DataLoggerCtl& ctl, int terSlot, int satSlot, std::string* html);

// Terrestrial certificate.
void WriteRfSignalsSection(DataLoggerCtl& ctl, int slot, TReportFiles* files);
void WriteUserSignalsASection(DataLoggerCtl& ctl, int slot, TReportFiles* files);
void WriteBerTerSection(DataLoggerCtl& ctl, int slot, TReportFiles* files);
// Satellite certificate.
void WriteAmplifierLevelsSection(DataLoggerCtl& ctl, int slot, TReportFiles* files);
void WriteBerSatSection(DataLoggerCtl& ctl, int slot, TReportFiles* files);
// The IF SAT test report of a satellite file.
void WriteIfSatTestSection(DataLoggerCtl& ctl, int slot, TReportFiles* files);

}  // namespace cv::xr9
