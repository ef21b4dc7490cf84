#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <filesystem>

#include "AppServices.h"
#include "SaveLimits.h"
#include "Xr9Images.h"
#include "Xr9Plan.h"
#include "Xr9TestFiles.h"

using namespace cv::xr9;
namespace img = cvsim::xr9img;
using xr9test::Golden;
using xr9test::ReadBytes;
using xr9test::WriteBytes;

namespace {

struct Sinks {
  cv::RecordingPrompter boxes;
  std::vector<std::string> host, editor;
  PlanSinks Get() {
    return {&boxes, [this](const std::string& l) { host.push_back(l); },
            [this](const std::string& l) { editor.push_back(l); }};
  }
  bool HostLogged(const std::string& part) const {
    for (const auto& l : host)
      if (l.find(part) != std::string::npos) return true;
    return false;
  }
};

TPlanXR9 Decoded(const std::vector<uint8_t>& bytes, Sinks& s) {
  TPlanXR9 plan;
  plan.InUse = 3;
  EXPECT_TRUE(DecodeBinaryPlan(plan, bytes.data(), bytes.size(), s.Get()));
  return plan;
}

bool SamePlan(const TPlanXR9& a, const TPlanXR9& b) {
  if (a.PlanType != b.PlanType || a.FileType != b.FileType || a.ChannelCount != b.ChannelCount) return false;
  if (!std::equal(std::begin(a.Attributes), std::end(a.Attributes), std::begin(b.Attributes))) return false;
  if (a.Channels.has_value() != b.Channels.has_value()) return false;
  if (!a.Channels) return true;
  if (a.Channels->size() != b.Channels->size()) return false;
  for (size_t i = 0; i < a.Channels->size(); ++i) {
    const TChanXR9& x = (*a.Channels)[i];
    const TChanXR9& y = (*b.Channels)[i];
    if (std::string(x.name) != y.name || x.value1 != y.value1 || x.value2 != y.value2 ||
        !std::equal(std::begin(x.attrs1), std::end(x.attrs1), std::begin(y.attrs1)) ||
        !std::equal(std::begin(x.attrs2), std::end(x.attrs2), std::begin(y.attrs2)))
      return false;
  }
  return true;
}

img::Plan TwoChannelPlan() {
  img::Plan p;
  p.type = 7;
  p.attrs = {{2, 0}, {4, 8000}};
  p.channels = {{"C21", 474000, 474000, {{7, 2}, {8, 1}}, {}},
                {"S12", 175250, 175250, {{2, 3}, {1, 0x0201}}, {{9, 1}}}};
  return p;
}

// Each golden case: the plan read (made by the builder), and what writing it must give.
struct WriteCase {
  const char* golden;
  img::Plan in;
  img::Plan expected;
  uint8_t fileType;
};

std::vector<WriteCase> WriteCases() {
  std::vector<WriteCase> cases;
  img::Plan ab;
  ab.attrs = {{2, 0}};
  ab.channels = {{"AB", 497250, 500000, {{4, 8000}}, {}}};
  cases.push_back({"link/ab_terrestrial.can", ab, ab, 1});

  img::Plan sat;
  sat.type = 5;
  sat.attrs = {{2, 2}, {3, 0x0104}};
  sat.channels = {{"ASTRA", 10000000, 11250000, {{5, 27500000}}, {{6, 1}}}};
  img::Plan satOut = sat;
  satOut.channels[0].value1 = 11250000;
  satOut.channels[0].attrs2.clear();  // the second list is never written
  cases.push_back({"link/sat_type5.can", sat, satOut, 4});

  img::Plan type3 = sat;
  type3.type = 3;
  img::Plan type3Out = type3;
  type3Out.channels[0].attrs2.clear();
  cases.push_back({"link/type3.can", type3, type3Out, 4});

  img::Plan real;
  real.channels = {{"R1", 16777217, 16777216, {}, {}}, {"12345678", 4294967295u, 16777219, {}, {}}};
  img::Plan realOut = real;
  realOut.channels[0].value1 = 16777216;
  realOut.channels[1].value1 = 4294967040u;
  realOut.channels[1].value2 = 16777220;
  cases.push_back({"link/real_round.can", real, realOut, 1});
  return cases;
}

class Xr9PlanFiles : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }
  QTemporaryDir dir;
  Sinks s;
};

TEST_F(Xr9PlanFiles, WritingGivesTheGoldenBytesAndDecodesBack) {
  for (const WriteCase& c : WriteCases()) {
    SCOPED_TRACE(c.golden);
    std::vector<uint8_t> golden = Golden(c.golden, img::BinaryPlan(c.expected));
    TPlanXR9 plan = Decoded(img::BinaryPlan(c.in), s);
    EXPECT_EQ(plan.FileType, c.fileType);
    EXPECT_EQ(plan.PlanType, c.in.type);
    EXPECT_EQ(plan.ChannelCount, c.in.channels.size());
    ASSERT_TRUE(WriteBinaryPlan(Path("out.can"), plan, 449, s.Get()));
    EXPECT_EQ(ReadBytes(Path("out.can")), golden);
    EXPECT_EQ(s.host.back(), "CAN file generated");
    EXPECT_EQ(s.host[s.host.size() - 2], "Creating CAN file");
    EXPECT_FALSE(std::filesystem::exists(Path("out.can.part")));
    // What was written reads back as the plan the writer's rules make.
    EXPECT_TRUE(SamePlan(Decoded(golden, s), Decoded(img::BinaryPlan(c.expected), s)));
  }
  EXPECT_TRUE(s.boxes.shown.empty());
}

TEST_F(Xr9PlanFiles, NamesAreRightAlignedAndDecodeWithTheirBlanks) {
  std::vector<uint8_t> bytes = Golden("link/ab_terrestrial.can", img::BinaryPlan(WriteCases()[0].expected));
  // count, type, one plan attribute, its marker: the channel starts at 13.
  EXPECT_EQ(std::string(bytes.begin() + 13, bytes.begin() + 21), "      AB");
  TPlanXR9 plan = Decoded(bytes, s);
  EXPECT_STREQ((*plan.Channels)[0].name, "      AB");
  EXPECT_EQ((*plan.Channels)[0].value1, 497250u);
  EXPECT_EQ((*plan.Channels)[0].value2, 500000u);
}

TEST_F(Xr9PlanFiles, APlanWithoutChannelsDecodesButIsNotWritten) {
  img::Plan empty;
  empty.attrs = {{2, 1}, {4, 7000}};
  TPlanXR9 plan = Decoded(img::BinaryPlan(empty), s);
  plan.Name = "EMPTY";
  ASSERT_TRUE(plan.Channels.has_value());
  EXPECT_TRUE(plan.Channels->empty());
  EXPECT_EQ(AttributeToText(plan.Attributes[1]), "7.00 MHz BW");
  EXPECT_TRUE(plan.Attributes[2].IsMarker());

  EXPECT_FALSE(WriteBinaryPlan(Path("empty.can"), plan, 0, s.Get()));
  EXPECT_EQ(s.editor, std::vector<std::string>{"Plan EMPTY without channels. Error"});
  EXPECT_TRUE(s.HostLogged("Plan EMPTY without channels. Error"));
  EXPECT_FALSE(s.HostLogged("CAN file generated"));
  EXPECT_FALSE(std::filesystem::exists(Path("empty.can")));
  EXPECT_FALSE(std::filesystem::exists(Path("empty.can.part")));
}

// A plan of 450 channels (over 12,000 bytes) under file-size limits below, at and above the write
// buffer: written whole, or failed with the old file as it was.
TEST_F(Xr9PlanFiles, APlanIsWrittenWholeOrTheOldFileStays) {
  img::Plan big = TwoChannelPlan();
  for (int i = 0; i < 450; ++i) big.channels.push_back({"CH" + std::to_string(i), 474000u + i * 8000u, 474000u, {}, {}});
  TPlanXR9 plan = Decoded(img::BinaryPlan(big), s);
  const std::string path = Path("limits.can");
  cvtest::ExpectWholeOrOldFile(path, [&] { return WriteBinaryPlan(path, plan, 2, s.Get()); });
}

TEST_F(Xr9PlanFiles, WriteRefusalsLeaveNoFile) {
  TPlanXR9 plan = Decoded(img::BinaryPlan(TwoChannelPlan()), s);
  EXPECT_FALSE(WriteBinaryPlan(Path("bad.can"), plan, 450, s.Get()));
  ASSERT_EQ(s.boxes.shown.size(), 1u);
  EXPECT_EQ(s.boxes.shown[0].text, "Bad channel set");
  EXPECT_EQ(s.boxes.shown[0].caption, "CvTools Error");
  EXPECT_EQ(s.boxes.shown[0].icon, cv::MsgIcon::Error);
  EXPECT_FALSE(std::filesystem::exists(Path("bad.can")));
  EXPECT_TRUE(WriteBinaryPlan(Path("good.can"), plan, 449, s.Get()));

  TPlanXR9 noList;
  noList.InUse = 3;
  EXPECT_FALSE(WriteBinaryPlan(Path("nolist.can"), noList, 1, s.Get()));
  EXPECT_EQ(s.boxes.shown.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(Path("nolist.can")));

  EXPECT_FALSE(WriteBinaryPlan(Path("missing/dir.can"), plan, 1, s.Get()));
  EXPECT_EQ(s.boxes.shown.back().text, "Cannot create BIN file");
  EXPECT_EQ(s.boxes.shown.back().icon, cv::MsgIcon::Warning);
}

// A write that stops half-way (a file-size limit stops it even for root) fails, leaves neither
// the new file nor a part of it, keeps the file that stood there, and logs no success.
TEST_F(Xr9PlanFiles, AWriteFailingHalfWayLeavesNoFileAndKeepsTheOldOne) {
  img::Plan big = TwoChannelPlan();
  for (int i = 0; i < 200; ++i) big.channels.push_back({"CH" + std::to_string(i), 474000u + i * 8000u, 474000u, {}, {}});
  TPlanXR9 plan = Decoded(img::BinaryPlan(big), s);
  WriteBytes(Path("old.can"), {1, 2, 3});

  struct rlimit old;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  struct rlimit small = old;
  small.rlim_cur = 1000;
  auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  bool written = WriteBinaryPlan(Path("old.can"), plan, 2, s.Get());
  bool writtenNew = WriteBinaryPlan(Path("new.can"), plan, 2, s.Get());
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(written);
  EXPECT_FALSE(writtenNew);
  EXPECT_EQ(ReadBytes(Path("old.can")), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_FALSE(std::filesystem::exists(Path("new.can")));
  EXPECT_FALSE(std::filesystem::exists(Path("new.can.part")));
  EXPECT_FALSE(std::filesystem::exists(Path("old.can.part")));
  EXPECT_FALSE(s.HostLogged("CAN file generated"));
  ASSERT_EQ(s.boxes.shown.size(), 2u);
  EXPECT_EQ(s.boxes.shown[0].text, "Error writing file data");
  EXPECT_EQ(s.boxes.shown[0].caption, "CvTools Error");
}

TEST_F(Xr9PlanFiles, CanFilesReadTheSameWithAndWithoutTheirHeader) {
  img::Plan p = TwoChannelPlan();
  WriteBytes(Path("plain.can"), img::BinaryPlan(p));
  p.header16 = true;
  WriteBytes(Path("header.can"), Golden("link/header16.can", img::BinaryPlan(p)));

  TPlanXR9 plain, header;
  plain.InUse = header.InUse = 3;
  plain.FilePath = Path("plain.can");
  header.FilePath = Path("header.can");
  ASSERT_TRUE(ReadCanFile(plain, s.Get()));
  ASSERT_TRUE(ReadCanFile(header, s.Get()));
  EXPECT_TRUE(SamePlan(plain, header));
  EXPECT_EQ(plain.ChannelCount, 2u);
  EXPECT_STREQ((*header.Channels)[1].name, "     S12");
  EXPECT_EQ(s.host, (std::vector<std::string>{"Loaded file plain.can", "Loaded file header.can"}));

  // A plan whose second byte happens to be FF (256 channels and more) is no header: bytes 1 to 3 must all be FF.
  std::vector<uint8_t> bytes = img::BinaryPlan(TwoChannelPlan());
  EXPECT_EQ(CanHeaderSize(bytes.data(), bytes.size()), 0u);
  const uint8_t onlyTwo[] = {0x00, 0xFF, 0xFF, 0x07};
  EXPECT_EQ(CanHeaderSize(onlyTwo, 4), 0u);
}

TEST_F(Xr9PlanFiles, ReadingAMissingOrRefusedFileFailsWithoutLoadedLine) {
  TPlanXR9 plan;
  plan.InUse = 3;
  plan.FilePath = Path("none.can");
  EXPECT_FALSE(ReadCanFile(plan, s.Get()));
  EXPECT_EQ(s.host, std::vector<std::string>{"none.can not found."});

  std::vector<uint8_t> cut = img::BinaryPlan(TwoChannelPlan());
  ASSERT_GT(cut.size(), 3u);
  cut.erase(cut.end() - 3, cut.end());
  WriteBytes(Path("cut.can"), cut);
  plan.FilePath = Path("cut.can");
  EXPECT_FALSE(ReadCanFile(plan, s.Get()));
  EXPECT_FALSE(s.HostLogged("Loaded file"));
  ASSERT_EQ(s.boxes.shown.size(), 1u);
  EXPECT_EQ(s.boxes.shown[0].text, "The channel plan ends before the end of its channel 2");
  EXPECT_FALSE(plan.Channels.has_value());
}

TEST(Xr9PlanDecode, RefusalsNameTheFaultAndLeaveTheRecordUnchanged) {
  auto withPlanAttrs = [](int n) {
    img::Plan p = TwoChannelPlan();
    p.attrs.assign(size_t(n), {6, 1});
    return img::BinaryPlan(p);
  };
  auto withChannelAttrs = [](int n, bool second) {
    img::Plan p = TwoChannelPlan();
    (second ? p.channels[1].attrs2 : p.channels[1].attrs).assign(size_t(n), {9, 2});
    return img::BinaryPlan(p);
  };
  img::Plan more = TwoChannelPlan();
  more.countOverride = 3;
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    const char* message;  // nullptr: accepted
  } cases[] = {
      {"14 plan attributes", withPlanAttrs(14), nullptr},
      {"15 plan attributes", withPlanAttrs(15), "The channel plan holds more than 14 plan attributes"},
      {"14 in a channel's first list", withChannelAttrs(14, false), nullptr},
      {"15 in a channel's first list", withChannelAttrs(15, false),
       "Channel 2 of the channel plan holds more than 14 attributes in a list"},
      {"14 in a channel's second list", withChannelAttrs(14, true), nullptr},
      {"15 in a channel's second list", withChannelAttrs(15, true),
       "Channel 2 of the channel plan holds more than 14 attributes in a list"},
      {"a count beyond the channels", img::BinaryPlan(more), "The channel plan ends before the end of its channel 3"},
      {"two bytes", {2, 0}, "The channel plan is too short to hold its channel count and plan type"},
      {"no marker", {0, 0, 7, 2, 0, 0, 0, 0}, "The channel plan ends inside its list of plan attributes"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Sinks s;
    TPlanXR9 plan;
    plan.InUse = 1;
    bool ok = DecodeBinaryPlan(plan, c.bytes.data(), c.bytes.size(), s.Get());
    EXPECT_EQ(ok, c.message == nullptr);
    if (c.message) {
      ASSERT_EQ(s.boxes.shown.size(), 1u);
      EXPECT_EQ(s.boxes.shown[0].text.toStdString(), c.message);
      EXPECT_EQ(s.boxes.shown[0].caption, "CvTools Error");
      EXPECT_FALSE(plan.Channels.has_value());
      EXPECT_EQ(plan.ChannelCount, 0u);
      EXPECT_EQ(plan.FileType, 1);
      EXPECT_TRUE(plan.Attributes[0].IsMarker());
    }
  }
}

// Every cut of a plan before its end is refused; none is read past its end (the sanitizer run
// sees that) and none leaves a half-filled record.
TEST(Xr9PlanDecode, EveryTruncationIsRefused) {
  const std::vector<uint8_t> bytes = img::BinaryPlan(TwoChannelPlan());
  for (size_t n = 0; n < bytes.size(); ++n) {
    Sinks s;
    TPlanXR9 plan;
    plan.InUse = 1;
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + long(n));  // a buffer of exactly n bytes
    EXPECT_FALSE(DecodeBinaryPlan(plan, cut.data(), cut.size(), s.Get())) << n;
    EXPECT_EQ(s.boxes.shown.size(), 1u) << n;
    EXPECT_FALSE(plan.Channels.has_value()) << n;
  }
}

TEST(Xr9PlanDecode, RecordsNotReadyForAPlanAreRefused) {
  std::vector<uint8_t> bytes = img::BinaryPlan(TwoChannelPlan());
  Sinks s;
  TPlanXR9 free;
  EXPECT_FALSE(DecodeBinaryPlan(free, bytes.data(), bytes.size(), s.Get()));
  TPlanXR9 closed = Decoded(bytes, s);
  EXPECT_FALSE(DecodeBinaryPlan(closed, bytes.data(), bytes.size(), s.Get()));
  EXPECT_EQ(closed.Channels->size(), 2u);
  ASSERT_EQ(s.boxes.shown.size(), 2u);
  EXPECT_EQ(s.boxes.shown[0].text, "Mismatched type of file");
  EXPECT_EQ(s.boxes.shown[1].text, "Attempting to add channels in a closed channelset");
  for (const auto& b : s.boxes.shown) {
    EXPECT_EQ(b.caption, "CvTools Error");
    EXPECT_EQ(b.icon, cv::MsgIcon::Warning);
  }
  EXPECT_FALSE(free.Channels.has_value());
}

TEST(Xr9PlanAttributes, PlanAttributesFillWhatChannelsLack) {
  img::Plan p;
  p.attrs = {{2, 0}, {4, 8000}, {1, 0x0101}, {3, 0x0103}};  // the last has no table row
  p.channels = {{"A", 1, 1, {{2, 3}, {4, 7000}}, {}}, {"B", 2, 2, {}, {}}};
  img::Plan full = p;
  full.channels.push_back({"FULL", 3, 3, std::vector<img::Attr>(14, {9, 1}), {}});
  Sinks s;
  TPlanXR9 plan = Decoded(img::BinaryPlan(full), s);
  ApplyPlanAttributes(plan, s.Get());
  EXPECT_EQ(plan.Modified, 1);

  const TChanXR9& a = (*plan.Channels)[0];
  EXPECT_EQ(ChannelAttributeText(a, 2), "ANALOG");    // its own value stays
  EXPECT_EQ(ChannelAttributeText(a, 4), "7.00 MHz BW");
  EXPECT_EQ(ChannelAttributeText(a, 1), "PAL  BG");   // added after its own
  EXPECT_EQ(a.attrs1[2], TChanAttribute::Of(1, 0x0101));
  EXPECT_TRUE(a.attrs1[3].IsMarker());               // a record outside the table is not copied
  const TChanXR9& b = (*plan.Channels)[1];
  EXPECT_EQ(b.attrs1[0], TChanAttribute::Of(2, 0));
  EXPECT_EQ(b.attrs1[1], TChanAttribute::Of(4, 8000));  // the plan's value, not the row's
  EXPECT_EQ(b.attrs1[2], TChanAttribute::Of(1, 0x0101));
  EXPECT_TRUE(b.attrs1[3].IsMarker());

  // The full channel refuses each of the three table attributes and keeps its 14.
  const TChanXR9& f = (*plan.Channels)[2];
  for (int i = 0; i < 14; ++i) EXPECT_EQ(f.attrs1[i], TChanAttribute::Of(9, 1));
  EXPECT_TRUE(f.attrs1[14].IsMarker());
  ASSERT_EQ(s.boxes.shown.size(), 3u);
  for (const auto& box : s.boxes.shown) {
    EXPECT_EQ(box.text, "Cannot add more commands");
    EXPECT_EQ(box.caption, "User Error");
    EXPECT_EQ(box.icon, cv::MsgIcon::Error);
  }

  // A list without a marker: nothing is added.
  for (auto& r : (*plan.Channels)[1].attrs1) r = TChanAttribute::Of(6, 0);
  AddPlanAttributeToChannel(plan, 1, 22, nullptr, s.Get());
  EXPECT_EQ(s.boxes.shown.back().text, "End of commands not found");
  EXPECT_EQ(FindChannelAttributeEnd(plan, 1), 255);
  EXPECT_EQ(FindChannelAttributeSlot(plan, 1, 4), 255);

  // Without a value the table row's value is written, with a new marker after it.
  (*plan.Channels)[1] = TChanXR9("B", 2, 2);
  SetChannelAttributeAt(plan, 1, 0, 25, nullptr);
  EXPECT_EQ((*plan.Channels)[1].attrs1[0], TChanAttribute::Of(6, 1));
  EXPECT_EQ(FindChannelAttributeEnd(plan, 1), 1);
}

TEST(Xr9PlanDecode, DecodeWriteDecodeKeepsThePlan) {
  img::Plan p = TwoChannelPlan();
  p.channels[1].attrs2.clear();
  p.channels.push_back({"12345678", 862000, 858000, std::vector<img::Attr>(14, {11, 4}), {}});
  Sinks s;
  QTemporaryDir dir;
  std::string path = dir.filePath("rt.can").toStdString();
  for (uint8_t type : {7, 5, 3}) {
    p.type = type;
    if (type == 5)
      for (auto& c : p.channels) c.value1 = c.value2;
    TPlanXR9 first = Decoded(img::BinaryPlan(p), s);
    ASSERT_TRUE(WriteBinaryPlan(path, first, 0, s.Get()));
    EXPECT_EQ(ReadBytes(path), img::BinaryPlan(p)) << int(type);
    TPlanXR9 second;
    second.InUse = 3;
    second.FilePath = path;
    ASSERT_TRUE(ReadCanFile(second, s.Get()));
    EXPECT_TRUE(SamePlan(first, second)) << int(type);
  }
}

TEST(Xr9PlanBytes, LittleEndianHelpers) {
  const uint8_t b[] = {0x01, 0x02, 0x03, 0x84};
  EXPECT_EQ(ReadU16LE(b), 0x0201);
  EXPECT_EQ(ReadU24LE(b), 0x030201u);
  EXPECT_EQ(ReadU32LE(b), 0x84030201u);
  uint8_t out[4];
  WriteU32LE(0x84030201u, out);
  EXPECT_TRUE(std::equal(out, out + 4, b));
  ByteReader r(b, 4);
  uint32_t v;
  uint16_t w;
  EXPECT_FALSE(r.U32(v) && r.U8(*out));
  EXPECT_EQ(r.Pos(), 4u);
  ByteReader r2(b, 3);
  EXPECT_FALSE(r2.U32(v));
  EXPECT_EQ(r2.Pos(), 0u);
  EXPECT_TRUE(r2.U16(w));
  EXPECT_FALSE(r2.U16(w));
  EXPECT_TRUE(r2.Skip(1));
  EXPECT_FALSE(r2.Skip(1));
}

}  // namespace
