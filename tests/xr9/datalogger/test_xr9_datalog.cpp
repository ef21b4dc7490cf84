#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>

#include <set>

#include "AppServices.h"
#include "DataLogFile.h"
#include "MeasValue.h"
#include "Xr9Images.h"
#include "Xr9TestFiles.h"

using namespace cv::xr9;
namespace img = cvsim::xr9img;

namespace {

struct Store {
  cv::RecordingPrompter boxes;
  std::vector<std::string> memo;
  int listResets = 0;
  TDataLogStore store{{&boxes, [this](const std::string& l) { memo.push_back(l); }, [this] { ++listResets; }}};

  int Decode(const std::vector<uint8_t>& image, const char* name = "FILE.DL") {
    return store.DecodeDataLogFile(image.data(), image.size(), name);
  }
  std::string OnlyBox() const {
    EXPECT_EQ(boxes.shown.size(), 1u);
    if (boxes.shown.empty()) return {};
    EXPECT_EQ(boxes.shown[0].caption, "Error");
    EXPECT_EQ(boxes.shown[0].icon, cv::MsgIcon::Error);
    return boxes.shown[0].text.toStdString();
  }
};

// Three terrestrial channels: a digital one with three measurements, an analogue DK one with two,
// an analogue BG one with none; two test points.
img::DataLog Base() {
  img::DataLog d;
  d.planName = "TER PLAN";
  d.plan.attrs = {{2, 0}};
  d.plan.channels = {{"C21", 474000, 474000, {}, {}},
                     {"S6", 175250, 177000, {{2, 3}, {1, 0x0201}}, {}},
                     {"E3", 55250, 55250, {{2, 3}, {1, 0x0101}}, {}}};
  d.text = "campaign text";
  d.channels = {{{MeasLevel, MeasMer, MeasCber}, 0, 0}, {{MeasLevel, MeasVA}, 0, 0}, {{}, 0, 0}};
  d.testPoints = {{"HEAD END", 1,
                   {img::MeasValue(0, 653), img::MeasValue(0, 312), img::BerValue(0, 23, -4), img::MeasValue(0x40, 200),
                    img::MeasValue(0, 95)}},
                  {"FLAT 1", 3,
                   {img::MeasValue(0, 100), img::MeasValue(0xC0, 0), img::BerValue(0x80, 10, -8),
                    img::MeasValue(0, -125), img::MeasValue(0, 80)}}};
  return d;
}

std::vector<std::string> CellTexts(TDataLogChannel& ch, int tp, int units) {
  std::vector<std::string> out;
  TDataLogCell cell = ch.Cell(tp);
  for (int i = 0; i < cell.count; ++i) {
    std::string t;
    MeasValueText(cell.meas[i], units, t);
    out.push_back(t);
  }
  return out;
}

TEST(Xr9DataLog, DecodesTheModelOfAFile) {
  Store s;
  std::vector<uint8_t> image = xr9test::Golden("datalogger/terrestrial.dl", img::DataLogFile(Base()));
  ASSERT_EQ(s.Decode(image), 0);
  EXPECT_TRUE(s.boxes.shown.empty());
  EXPECT_EQ(s.memo, std::vector<std::string>{"DataLogger loaded: FILE.DL"});
  TDataLogFile& f = s.store.File(0);
  EXPECT_EQ(f.name, "FILE.DL");
  EXPECT_EQ(f.testPointCount, 2);
  ASSERT_TRUE(f.plan);
  EXPECT_EQ(f.plan->Name, "TER PLAN");
  EXPECT_EQ(f.plan->InUse, 1);
  ASSERT_EQ(f.channels.size(), 3u);
  EXPECT_EQ((*f.testPoints)[0].name, "HEAD END");
  EXPECT_EQ((*f.testPoints)[1].levelUnits, 3);
  EXPECT_EQ((*f.testPoints)[1].pointType, -1);

  // Values in channel and code order, units from their test point, in their own units and in dBuV.
  EXPECT_EQ(CellTexts(f.channels[0], 0, 1), (std::vector<std::string>{" 65.3", " 31.2", " 2.3E-4"}));
  EXPECT_EQ(CellTexts(f.channels[1], 0, 1), (std::vector<std::string>{"<20.0", " 9.5"}));
  EXPECT_EQ(CellTexts(f.channels[0], 1, 3), (std::vector<std::string>{" 10.0", "!!", ">1.0E-8"}));
  EXPECT_EQ(CellTexts(f.channels[0], 1, 1)[0], " 118.8");
  EXPECT_EQ(CellTexts(f.channels[1], 1, 3), (std::vector<std::string>{" -12.5", " 8.0"}));
  TDataLogCell cell = f.channels[0].Cell(1);
  EXPECT_EQ(cell.testPoint, 1);
  EXPECT_EQ(cell.meas[2].code, MeasCber);
  EXPECT_EQ(cell.meas[2].levelUnits, 3);
  EXPECT_EQ(cell.meas[2].mark, 0);
  // A channel without measurements has cells without valid measurements.
  EXPECT_EQ(f.channels[2].CellCount(), 2);
  EXPECT_EQ(f.channels[2].Cell(0).count, 0);
  EXPECT_EQ(f.channels[0].Cell(2).count, 0);

  // The views write through: a later reading sees a changed value and mark.
  cell.meas[0].value = img::MeasValue(0, 111);
  cell.meas[0].mark = 1;
  EXPECT_EQ(f.channels[0].Cell(1).meas[0].mark, 1);
  EXPECT_EQ(CellTexts(f.channels[0], 1, 3)[0], " 11.1");

  // The plan's attributes went onto the channels that lacked them.
  const auto& chans = *f.plan->Channels;
  EXPECT_EQ(ChannelAttributeText(chans[0], 2), "DVB-T/H");
  EXPECT_EQ(ChannelAttributeText(chans[1], 2), "ANALOG");
  EXPECT_EQ(s.store.ChannelFreqText(0, &chans[0]), "474.00");
  EXPECT_EQ(s.store.ChannelFreqText(0, &chans[1]), "175.25");  // analogue: the first value
  EXPECT_EQ(s.store.ChannelFreqText(0, nullptr), "( ? ? ? ) ");
  EXPECT_EQ(s.store.ChannelFreqText(1, &chans[0]), "( ? ? ? ) ");
  EXPECT_EQ(s.store.LevelUnitsText(0, 0), "(dBuV & dB)");
  EXPECT_EQ(s.store.LevelUnitsText(0, 1), "(dBm & dB)");
  EXPECT_EQ(s.store.LevelUnitsText(0, 2), "");
}

// The Part's edge cases, each a file made by the builder.
TEST(Xr9DataLog, EdgeCasesOfTheLayout) {
  {
    SCOPED_TRACE("a plan name over 12 bytes and names of 16 and 17 bytes");
    img::DataLog d = Base();
    d.planName = "ABCDEFGHIJKLMNOPQRST";
    d.testPoints[0].name = "1234567890123456";
    d.testPoints[1].name = "ABCDEFGHIJKLMNOPQ";
    Store s;
    ASSERT_EQ(s.Decode(img::DataLogFile(d)), 0);
    TDataLogFile& f = s.store.File(0);
    EXPECT_EQ(f.plan->Name, "ABCDEFGHIJKL");
    EXPECT_EQ(f.plan->Channels->size(), 3u);
    EXPECT_EQ((*f.testPoints)[0].name, "1234567890123456");
    EXPECT_EQ((*f.testPoints)[1].name, "ABCDEFGHIJKLMNOP");
    EXPECT_EQ((*f.testPoints)[1].levelUnits, 3);
    EXPECT_EQ(CellTexts(f.channels[1], 1, 3), (std::vector<std::string>{" -12.5", " 8.0"}));
  }
  {
    SCOPED_TRACE("15 measurements accepted, 16 refused with the slot left free");
    for (int n : {15, 16}) {
      img::DataLog d = Base();
      d.channels[2].codes.assign(size_t(n), MeasMer);
      for (auto& tp : d.testPoints) tp.values.insert(tp.values.end(), size_t(n), img::MeasValue(0, n));
      Store s;
      int slot = s.Decode(img::DataLogFile(d));
      if (n == 15) {
        ASSERT_EQ(slot, 0);
        EXPECT_EQ(CellTexts(s.store.File(0).channels[2], 1, 3).back(), " 1.5");
        EXPECT_EQ(s.store.FindFreeSlot(), 1);
      } else {
        EXPECT_EQ(slot, -1);
        EXPECT_EQ(s.OnlyBox(), "Too many measurements per channel");
        EXPECT_EQ(s.store.FindFreeSlot(), 0);
        EXPECT_FALSE(s.store.File(0).plan);
        EXPECT_TRUE(s.memo.empty());
      }
    }
  }
  {
    SCOPED_TRACE("no test points: loaded, and the slot is taken");
    img::DataLog d = Base();
    d.testPoints.clear();
    Store s;
    ASSERT_EQ(s.Decode(img::DataLogFile(d), nullptr), 0);
    EXPECT_EQ(s.store.File(0).name, "no-name");
    EXPECT_TRUE(s.store.File(0).testPoints->empty());
    EXPECT_EQ(s.store.FindFreeSlot(), 1);
    EXPECT_EQ(s.Decode(img::DataLogFile(d), "0123456789012345678901234567890123456789"), 1);
    EXPECT_EQ(s.store.File(1).name, "01234567890123456789012345678901");
  }
  {
    SCOPED_TRACE("files refused before a slot is taken");
    img::DataLog bad = Base();
    bad.magic = 0xDB;
    img::DataLog noPlan = Base();
    noPlan.planLengthOverride = 0;
    Store s;
    EXPECT_EQ(s.Decode(img::DataLogFile(bad)), -1);
    EXPECT_EQ(s.Decode(img::DataLogFile(noPlan)), -1);
    ASSERT_EQ(s.boxes.shown.size(), 2u);
    EXPECT_EQ(s.boxes.shown[0].text, "DataLogger code not found");
    EXPECT_EQ(s.boxes.shown[1].text, "This dataLogger file has no channel plan!");
    EXPECT_EQ(s.store.FindFreeSlot(), 0);
  }
}

TEST(Xr9DataLog, The201stFileIsRefusedAndFreeingEmptiesEverySlot) {
  Store s;
  std::vector<uint8_t> image = img::DataLogFile(Base());
  for (int i = 0; i < DataLogSlots; ++i) ASSERT_EQ(s.Decode(image), i);
  EXPECT_EQ(s.store.FindFreeSlot(), -1);
  EXPECT_EQ(s.Decode(image), -1);
  EXPECT_EQ(s.OnlyBox(), "Maximum number of DataLogger files has been reached!");

  s.store.FreeDataLogFile(57);
  EXPECT_EQ(s.store.FindFreeSlot(), 57);
  EXPECT_EQ(s.store.File(57).name, "");
  EXPECT_EQ(s.Decode(image), 57);
  s.store.FreeAllDataLogFiles();
  EXPECT_EQ(s.listResets, 1);
  for (int i = 0; i < DataLogSlots; ++i) EXPECT_TRUE(s.store.File(i).IsFree()) << i;
  EXPECT_EQ(s.Decode(image), 0);
}

// A file cut at any field boundary is refused with a message naming where it ends, and its slot
// stays free for the next file.
TEST(Xr9DataLog, EveryTruncationIsRefusedWithTheSlotFree) {
  std::vector<size_t> cuts;
  const std::vector<uint8_t> image = img::DataLogFile(Base(), &cuts);
  ASSERT_EQ(cuts.back(), image.size());
  cuts.pop_back();
  std::set<std::string> messages;
  for (size_t cut : cuts) {
    Store s;
    std::vector<uint8_t> part(image.begin(), image.begin() + long(cut));
    EXPECT_EQ(s.Decode(part), -1) << cut;
    messages.insert(s.OnlyBox());
    EXPECT_EQ(s.store.FindFreeSlot(), 0) << cut;
    EXPECT_FALSE(s.store.File(0).plan) << cut;
    EXPECT_TRUE(s.store.File(0).channels.empty()) << cut;
    EXPECT_TRUE(s.memo.empty()) << cut;
    EXPECT_EQ(s.Decode(image), 0) << cut;  // the next file takes the slot
  }
  EXPECT_EQ(messages, (std::set<std::string>{"DataLogger code not found",
                                             "This DataLogger file ends inside its plan name",
                                             "This DataLogger file ends inside its plan length",
                                             "This DataLogger file ends inside its channel plan",
                                             "This DataLogger file ends inside its text",
                                             "This DataLogger file ends inside the block of channel 1",
                                             "This DataLogger file ends inside the block of channel 2",
                                             "This DataLogger file ends inside the block of channel 3",
                                             "This DataLogger file ends inside its test-point count",
                                             "This DataLogger file ends inside test point 1",
                                             "This DataLogger file ends inside test point 2"}));
}

TEST(Xr9DataLog, TheEmbeddedPlanIsDecodedWithinItsOwnLength) {
  img::DataLog d = Base();
  // The plan length stops inside the third channel; the bytes after it (text, blocks) must not
  // be read as the rest of the plan.
  d.planLengthOverride = uint32_t(img::BinaryPlan(d.plan).size() - 12);
  Store s;
  EXPECT_EQ(s.Decode(img::DataLogFile(d)), -1);
  ASSERT_EQ(s.boxes.shown.size(), 1u);  // the plan decoder's own message
  EXPECT_EQ(s.boxes.shown[0].text, "The channel plan ends before the end of its channel 3");
  EXPECT_EQ(s.store.FindFreeSlot(), 0);
  EXPECT_FALSE(s.store.File(0).plan);
}

TEST(Xr9DataLog, FrequencySoundCarrierAndBandTexts) {
  img::DataLog d;
  d.plan.type = 5;
  d.plan.channels = {{"A", 0, 11954000, {}, {}}, {"B", 0, 11954000, {}, {}}, {"C", 0, 3700000, {}, {}},
                     {"D", 0, 11954000, {}, {}}, {"E", 0, 11954000, {}, {}}};
  d.channels = {{{}, 1, 9750000}, {{}, 0, 9750000}, {{}, 2, 5150000}, {{}, 4, 9750000}, {{}, 7, 9750000}};
  d.testPoints = {{"TP", 0, {}}, {"TP2", 9, {}}};
  d.channels[0].codes = {MeasLevel, MeasMpeg2, MeasOffset};
  d.testPoints[0].values = {img::MeasValue(0, 523), 1, img::MeasValue(0, -3)};
  d.testPoints[1].values = {img::MeasValue(0x10, 523), 0, img::MeasValue(0xC0, 0)};
  Store s;
  ASSERT_EQ(s.Decode(xr9test::Golden("datalogger/satellite.dl", img::DataLogFile(d))), 0);
  const auto& chans = *s.store.File(0).plan->Channels;
  EXPECT_EQ(s.store.ChannelFreqText(0, &chans[0]), "2204.00");
  EXPECT_EQ(s.store.ChannelFreqText(0, &chans[1]), "11954.00");
  EXPECT_EQ(s.store.ChannelFreqText(0, &chans[2]), "1450.00");
  EXPECT_EQ(s.store.ChannelFreqText(0, &chans[3]), "-2204.00");  // signed, not wrapped
  EXPECT_EQ(s.store.ChannelFreqText(0, &chans[4]), "11954.00");
  TChanXR9 stranger("X", 0, 11954000);
  EXPECT_EQ(s.store.SatChannelFreqText(0, &stranger), "");
  EXPECT_EQ(s.store.LevelUnitsText(0, 0), " ");
  EXPECT_EQ(s.store.LevelUnitsText(0, 1), "( ? ? ? ) ");
  EXPECT_TRUE(s.memo.size() == 1);
  EXPECT_EQ(s.store.LevelUnitsText(200, 0), "");
  EXPECT_EQ(s.memo.back(), "DataLogger index out of bounds");
  EXPECT_EQ(s.store.LevelUnitsText(199, 0), "");
  EXPECT_EQ(s.memo.size(), 2u);

  struct Case {
    TChanXR9 chan;
    const char* sound;
    const char* band;
  } cases[] = {
      {TChanXR9("DK", 175250, 0, {TChanAttribute::Of(2, 3), TChanAttribute::Of(1, 0x0201)}), "181.75", "VHF BIII"},
      {TChanXR9("BG", 55250, 0, {TChanAttribute::Of(1, 0x0101), TChanAttribute::Of(2, 3)}), "60.75", "VHF BI"},
      {TChanXR9("L", 607000, 0, {TChanAttribute::Of(2, 3), TChanAttribute::Of(1, 0x0602)}), "613.50", "UHF BV"},
      {TChanXR9("M", 110001, 0, {TChanAttribute::Of(2, 3), TChanAttribute::Of(1, 0x010403)}), "114.50", "VHF BIII"},
      {TChanXR9("DIGI", 68001, 0, {TChanAttribute::Of(2, 0), TChanAttribute::Of(1, 0x0201)}), "", "FM"},
      {TChanXR9("NOSYS", 606000, 0, {TChanAttribute::Of(2, 3)}), "", "UHF BIV"},
      {TChanXR9("ODD", 862000, 0, {TChanAttribute::Of(2, 3), TChanAttribute::Of(1, 0x0901)}), "862.00", "UHF BV"},
      {TChanXR9("HIGH", 862001, 0), "", "( ? ? ? ) "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SoundCarrierText(&c.chan), c.sound) << c.chan.name;
    EXPECT_EQ(BandName(&c.chan), c.band) << c.chan.name;
  }
  EXPECT_EQ(BandName(nullptr), "");
  EXPECT_EQ(SoundCarrierText(nullptr), "");
}

TEST(Xr9DataLog, NamesAndUnitsOfMeasurements) {
  const char* names[] = {"LEVEL", "V/A",     "C/N Auto",     "POWER", "MER",     "CBER", "VBER",
                         "OFFSET(kHz)", "MPEG-2", "NOISE MARGIN", "REF.", "C/N Ref", "SER", "LBER"};
  const char* units[] = {"dBm", "dB", "dB", "dBm", "dB", " ", " ", "kHz", " ", "dB", "dBm", "dB", " ", " "};
  for (int code = 0; code < 14; ++code) {
    EXPECT_EQ(MeasName(code), names[code]);
    TDataLogMeas m{uint8_t(code), 3, 0, 0};
    EXPECT_EQ(MeasUnitText(&m), units[code]) << code;
  }
  EXPECT_EQ(MeasName(14), "( ? ? ? ) ");
  TDataLogMeas level{0, 1, 0, 0}, unknown{99, 2, 0, 0}, noUnits{3, 0, 0, 0}, oddUnits{10, 7, 0, 0};
  EXPECT_EQ(MeasUnitText(&level), "dBuV");
  EXPECT_EQ(MeasUnitText(&unknown), "dBmV");
  EXPECT_EQ(MeasUnitText(&noUnits), " ");
  EXPECT_EQ(MeasUnitText(&oddUnits), " ");
  EXPECT_EQ(MeasUnitText(nullptr), "");
}

long ResidentKb() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The worst a file of the receive buffer's size can declare: every channel the plan room allows,
// without measurements, and 65535 test points. Kept as the file gives it, it takes memory of the
// order of the file (bench_xr9formats_datalog times it).
TEST(Xr9DataLog, TheLargestDeclaredModelStaysSmall) {
  img::DataLog d = img::LargestDataLog();
  const size_t channels = d.channels.size();
  std::vector<uint8_t> image = img::DataLogFile(d);
  ASSERT_LE(image.size(), 520000u);
  ASSERT_GT(image.size(), 519950u);

  Store s;
  struct rusage before, after;
  getrusage(RUSAGE_SELF, &before);
  long residentBefore = ResidentKb();
  int slot = s.Decode(image);
  long heldKb = ResidentKb() - residentBefore;
  getrusage(RUSAGE_SELF, &after);
  ASSERT_EQ(slot, 0);
  EXPECT_EQ(s.store.File(0).testPointCount, 65535);
  EXPECT_EQ(s.store.File(0).channels.size(), channels);
  EXPECT_EQ(s.store.File(0).channels[channels - 1].Cell(65534).count, 0);
  long grownKb = after.ru_maxrss - before.ru_maxrss;
  EXPECT_LT(grownKb, 64 * 1024) << "peak resident memory grew by " << grownKb << " KB";
  // The peak may stand higher already from earlier tests; what the decoded file holds shows too.
  EXPECT_LT(heldKb, 64 * 1024) << "the decoded file holds " << heldKb << " KB";
}

}  // namespace
