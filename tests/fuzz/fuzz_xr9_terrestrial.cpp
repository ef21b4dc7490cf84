// The terrestrial certificate's sections over data-logger files: roles, branches (some out of
// range), the report kind and the page sizes taken from the input's bytes, observations with a
// "]]>" and control characters. Every XML the sections write must be well formed.
#include <QXmlStreamReader>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "CertificateSections.h"
#include "DataLoggerCtl.h"
#include "FuzzSupport.h"
#include "ReportDispatch.h"
#include "TerrestrialSections.h"
#include "Xr9Equip.h"

using namespace cv::xr9;

namespace {

using Section = void(DataLoggerCtl&, int, TReportFiles*);

// The observations file goes to the equipment object's start directory, the current directory
// when it is made: the scratch one, and back.
struct Writer {
  Writer() : prompter(cvfuzz::InitApplication()), equip(MadeInScratch()) {}
  static TXR9Equip* MadeInScratch() {
    const std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(cvfuzz::ScratchDir());
    auto* e = new TXR9Equip(nullptr, nullptr);
    std::filesystem::current_path(here);
    return e;
  }
  cvfuzz::QuietPrompter& prompter;
  std::unique_ptr<TXR9Equip> equip;
};

bool WellFormed(const std::string& element) {
  const std::string doc = XmlDeclaration() + "<CAPTACION_Y_DISTRIBUCION_TERRENAL>\n" + element +
                          "</CAPTACION_Y_DISTRIBUCION_TERRENAL>\n";
  QXmlStreamReader r(QByteArray::fromStdString(doc));
  while (!r.atEnd()) r.readNext();
  return !r.hasError();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Writer w;
  DataLoggerCtl ctl(*w.equip, [](const std::string&) {});
  const int slot = ctl.store.DecodeDataLogFile(data, size, "FUZZ.DL");
  if (slot < 0) return 0;
  auto byte = [&](size_t i) { return size ? int(data[(i * 7919) % size]) : 0; };
  auto& points = *ctl.store.File(slot).testPoints;
  for (size_t i = 0; i < points.size(); ++i) {
    points[i].pointType = byte(i) % 6 - 1;
    points[i].branch = byte(i + 1000) % 18 - 1;
  }
  ctl.settings.pages.channelsPerPageTer = byte(1) % 24 - 2;
  ctl.settings.pages.channelsPerPageSat = byte(2) % 48 - 2;
  const std::string path = ObservationsPath(ctl);
  ctl.observationsQuestion = [&](const std::string&) {
    std::ofstream(path, std::ios::binary) << "a ]]> \x01 & <" << char(byte(3)) << "\r\n";
    return true;
  };
  for (Section* section : {WriteRfSignalsSection, WriteUserSignalsASection, WriteBerTerSection}) {
    TReportFiles files;
    files.hasXml = true;
    ctl.generatingKind = byte(4) % 9 - 1;
    section(ctl, slot, &files);
    FUZZ_CHECK(WellFormed(files.xmlFile));
  }
  return 0;
}
