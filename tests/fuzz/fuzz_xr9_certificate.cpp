// Certificate reports of any data-logger file: the file decoded, its test points given roles and
// branches drawn from the input's bytes (branch 15 too, which the sheet never offers), the IF SAT
// box and the page sizes likewise; then the writer of every report kind, with observations that
// hold markup, "]]>" and control characters. Every XML file must be well formed.
#include <QByteArray>
#include <QDir>
#include <QXmlStreamReader>
#include <cstddef>
#include <cstdint>
#include <fstream>

#include "../xr9/support/Xr9SheetFakes.h"
#include "CertificateFrame.h"
#include "CertificateSections.h"
#include "DataLoggerCtl.h"
#include "FuzzSupport.h"
#include "ReportDispatch.h"
#include "Xr9Equip.h"

using namespace cv::xr9;

namespace {

// Bytes of the input, taken in turn and round again.
struct Draw {
  const uint8_t* data;
  size_t size;
  size_t at = 0;
  uint32_t mix = 2166136261u;
  int Next(int range) {
    mix = (mix ^ (size ? data[at++ % size] : 0)) * 16777619u;
    return int((mix >> 8) % uint32_t(range));
  }
};

// The equipment object's start directory, where the observations file goes, is the scratch one.
struct InScratch {
  InScratch() { QDir::setCurrent(QString::fromStdString(cvfuzz::ScratchDir().string())); }
};
struct BackFrom {
  explicit BackFrom(const QString& dir) { QDir::setCurrent(dir); }
};

struct World {
  cvfuzz::QuietPrompter& prompter = cvfuzz::InitApplication();
  QString started = QDir::currentPath();
  InScratch scratch;
  TXR9Equip equip{nullptr, nullptr};
  BackFrom back{started};
  DataLoggerCtl ctl{equip, [](const std::string&) {}};
  xr9test::FakeSheet sheet;
  xr9test::FakeSkySheet sky;
};

void CheckXml(const std::string& xml) {
  if (xml.empty()) return;
  QXmlStreamReader reader(QByteArray(xml.data(), qsizetype(xml.size())));
  while (!reader.atEnd()) reader.readNext();
  if (reader.hasError()) {
    std::fprintf(stderr, "XML not well formed: %s at line %lld\n", reader.errorString().toLocal8Bit().constData(),
                 static_cast<long long>(reader.lineNumber()));
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static World w;
  DataLoggerCtl& ctl = w.ctl;
  const int slot = ctl.store.DecodeDataLogFile(data, size, "FUZZ.DL");
  if (slot < 0) return 0;
  Draw draw{data, size};
  for (TDataLogTestPoint& tp : *ctl.store.File(slot).testPoints) {
    tp.pointType = draw.Next(6) - 1;  // -1 .. 4
    tp.branch = draw.Next(17) - 1;    // -1 .. 15
  }
  w.sheet.ifSat = draw.Next(2) == 1;
  ctl.sheet = draw.Next(4) == 0 ? nullptr : &w.sheet;
  w.sky.ter = w.sky.sat = slot;
  ctl.skySheet = &w.sky;
  ctl.settings.pages.channelsPerPageTer = draw.Next(5) - 1;
  ctl.settings.pages.channelsPerPageSat = draw.Next(5) - 1;
  // Each section's observations: a few lines of the input's bytes, markup and CDATA ends among them.
  ctl.observationsQuestion = [&](const std::string&) {
    const int lines = draw.Next(4) - 1;
    if (lines < 0) return false;
    std::ofstream out(ObservationsPath(ctl), std::ios::binary | std::ios::trunc);
    static const char* const pieces[] = {"]]>", "<&>", "\x01", "\xF1", "]]", ">"};
    for (int l = 0; l < lines; ++l) {
      for (int i = draw.Next(12); i > 0; --i)
        out << (draw.Next(3) == 0 ? std::string(pieces[draw.Next(6)]) : std::string(1, char(draw.Next(256))));
      out << "\r\n";
    }
    return lines > 0;
  };
  for (int kind = 0; kind <= 7; ++kind) {
    ctl.generatingKind = kind;
    TReportFiles files;
    switch (WriterOfKind(kind)) {
      case ReportWriter::Certificate: WriteCertificateReport(ctl, slot, &files); break;
      case ReportWriter::CertificateCat: WriteCertificateReportCat(ctl, slot, &files); break;
      case ReportWriter::CertificateUpd: WriteCertificateReportUpd(ctl, slot, &files); break;
      case ReportWriter::CertificateUpdCat: WriteCertificateReportUpdCat(ctl, slot, &files); break;
      case ReportWriter::Sky: WriteSkyReport(ctl, slot, slot, &files.htmlFile); break;
      case ReportWriter::Generic: WriteMeasurementReport(ctl, slot, files, "1/1/2026", "9:00"); break;
    }
    CheckXml(files.xmlFile);
    const bool planned = ctl.store.File(slot).plan->PlanType == 7 || ctl.store.File(slot).plan->PlanType == 5;
    if (kind != 3 && kind != 5) FUZZ_CHECK(planned != files.xmlFile.empty());
  }
  ctl.generatingKind = -1;
  ctl.observationsQuestion = nullptr;
  ctl.store.FreeDataLogFile(slot);
  return 0;
}
