// The satellite file's certificate sections (amplifier levels, BER satellite, IF SAT test) over
// data-logger files whose test points get roles and branches from the input's bytes, with any
// report kind, page size and observation text: no crash, and every XML element they write is
// well formed.
#include <QByteArray>
#include <QXmlStreamReader>
#include <filesystem>
#include <fstream>

#include "CertificateFrame.h"
#include "CertificateSections.h"
#include "DataLoggerCtl.h"
#include "FuzzSupport.h"
#include "ReportDispatch.h"
#include "Xr9Equip.h"

using namespace cv::xr9;

namespace {

bool WellFormed(const std::string& xml) {
  if (xml.empty()) return true;
  QXmlStreamReader r(QByteArray::fromStdString(xml));
  while (!r.atEnd()) r.readNext();
  return !r.hasError();
}

// The equipment object takes the current directory as its start directory, where the
// observations file goes: the scratch directory while it is made.
struct InScratch {
  InScratch() : old(std::filesystem::current_path()) { std::filesystem::current_path(cvfuzz::ScratchDir()); }
  std::filesystem::path old;
};

struct Dialog {
  cvfuzz::QuietPrompter& prompter = cvfuzz::InitApplication();
  InScratch scratch;
  TXR9Equip equip{nullptr, nullptr};
  DataLoggerCtl ctl{equip, [](const std::string&) {}};
  Dialog() { std::filesystem::current_path(scratch.old); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Dialog d;
  DataLoggerCtl& ctl = d.ctl;
  ctl.store.sinks.prompter = &d.prompter;
  const int slot = ctl.store.DecodeDataLogFile(data, size, "FUZZ.DL");
  if (slot < 0) return 0;
  auto& tps = *ctl.store.File(slot).testPoints;
  for (size_t i = 0; i < tps.size(); ++i) {
    const uint8_t b = data[(i * 7 + 3) % size];
    tps[i].pointType = int(b % 6) - 1;        // -1 to 4
    tps[i].branch = int((b >> 3) % 17) - 1;   // -1 to 15
  }
  ctl.generatingKind = int(size % 8);
  ctl.settings.pages.channelsPerPageSat = int(data[size / 2] % 50) - 5;  // 0 and below included
  const std::string observations(reinterpret_cast<const char*>(data), size < 64 ? size : 64);
  ctl.observationsQuestion = [&](const std::string&) {
    std::ofstream(ObservationsPath(ctl), std::ios::binary | std::ios::trunc) << observations;
    return true;
  };
  for (auto section : {WriteAmplifierLevelsSection, WriteBerSatSection, WriteIfSatTestSection}) {
    TReportFiles files;
    files.hasXml = true;
    section(ctl, slot, &files);
    FUZZ_CHECK(WellFormed(files.xmlFile));
  }
  ctl.store.FreeDataLogFile(slot);
  return 0;
}
