#include "Xr9Plan.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "AppServices.h"
#include "AtomicFile.h"
#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Prompt.h"
#include "Text1252.h"

namespace cv::xr9 {

namespace m = cv::msg::xr9fmt;

Prompter& PlanSinks::Boxes() const { return prompter ? *prompter : CurrentPrompter(); }

namespace {

void Log(const LogSink& sink, const std::string& line) {
  if (sink) sink(line);
}

void Box(const PlanSinks& sinks, const std::string& text, int caption, MsgIcon icon) {
  ShowBox(sinks.Boxes(), text, Msg(caption), icon);
}

constexpr uint8_t MarkerBytes[5] = {0xFF, 0xFF, 0x00, 0x00, 0x00};

// Reads one attribute list up to and over its end marker into `list` (at most 14 records). The
// result says why it stopped.
enum class ListRead { Ok, Ended, TooLong };
ListRead ReadList(ByteReader& r, TChanAttribute* list) {
  for (int i = 0;; ++i) {
    const uint8_t* rec;
    if (!r.Bytes(5, rec)) return ListRead::Ended;
    if (rec[0] == TChanAttribute::EndCode) {
      std::memcpy(&list[i], rec, 5);
      return ListRead::Ok;
    }
    if (i == AttrListSize - 1) return ListRead::TooLong;
    std::memcpy(&list[i], rec, 5);
  }
}

void FillList(TChanAttribute* list, const std::vector<TChanAttribute>& records) {
  size_t n = std::min<size_t>(records.size(), AttrListSize - 1);
  for (size_t i = 0; i < n; ++i) list[i] = records[i];
  list[n] = TChanAttribute::Marker();
}

// Records of a 15-position list up to its marker or its 15th record.
void AppendList(std::vector<uint8_t>& out, const TChanAttribute* list) {
  for (int i = 0; i < AttrListSize && !list[i].IsMarker(); ++i) {
    const auto* b = reinterpret_cast<const uint8_t*>(&list[i]);
    out.insert(out.end(), b, b + 5);
  }
}

void AppendMarker(std::vector<uint8_t>& out) { out.insert(out.end(), MarkerBytes, MarkerBytes + 5); }

void AppendU32(std::vector<uint8_t>& out, uint32_t v) {
  uint8_t b[4];
  WriteU32LE(v, b);
  out.insert(out.end(), b, b + 4);
}

// A value goes through a 32-bit real on its way to the file, so values up to 16777216 are
// written exactly and larger ones as the nearest real (kept below 2^32, which has no integer).
uint32_t ThroughReal(uint32_t v) {
  float f = static_cast<float>(v);
  if (f >= 4294967296.0f) return 4294967040u;  // the largest real below 2^32
  return static_cast<uint32_t>(f);
}

TChanXR9* ChannelAt(TPlanXR9& plan, int channel) {
  if (!plan.Channels || channel < 0 || size_t(channel) >= plan.Channels->size()) return nullptr;
  return &(*plan.Channels)[size_t(channel)];
}

const TChanXR9* ChannelAt(const TPlanXR9& plan, int channel) {
  return ChannelAt(const_cast<TPlanXR9&>(plan), channel);
}

}  // namespace

uint16_t ReadU16LE(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t ReadU24LE(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16; }
uint32_t ReadU32LE(const uint8_t* p) { return ReadU24LE(p) | uint32_t(p[3]) << 24; }
void WriteU32LE(uint32_t v, uint8_t* p) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

bool ByteReader::Bytes(size_t n, const uint8_t*& at) {
  if (n > size_ - pos_) return false;
  at = data_ + pos_;
  pos_ += n;
  return true;
}
bool ByteReader::Skip(size_t n) {
  const uint8_t* at;
  return Bytes(n, at);
}
bool ByteReader::U8(uint8_t& v) {
  const uint8_t* p;
  if (!Bytes(1, p)) return false;
  v = *p;
  return true;
}
bool ByteReader::U16(uint16_t& v) {
  const uint8_t* p;
  if (!Bytes(2, p)) return false;
  v = ReadU16LE(p);
  return true;
}
bool ByteReader::U24(uint32_t& v) {
  const uint8_t* p;
  if (!Bytes(3, p)) return false;
  v = ReadU24LE(p);
  return true;
}
bool ByteReader::U32(uint32_t& v) {
  const uint8_t* p;
  if (!Bytes(4, p)) return false;
  v = ReadU32LE(p);
  return true;
}

TChanXR9::TChanXR9(std::string_view name8, uint32_t v1, uint32_t v2, const std::vector<TChanAttribute>& list1,
                   const std::vector<TChanAttribute>& list2)
    : value1(v1), value2(v2) {
  std::memcpy(name, name8.data(), std::min<size_t>(name8.size(), 8));
  FillList(attrs1, list1);
  FillList(attrs2, list2);
}

bool DecodeBinaryPlan(TPlanXR9& plan, const uint8_t* data, size_t size, const PlanSinks& sinks) {
  auto refuse = [&](const std::string& text) {
    Box(sinks, text, m::CvToolsErrorCaption, MsgIcon::Warning);
    return false;
  };
  if (plan.InUse == 0) return refuse(Msg(m::MismatchedFileType));
  if (plan.Channels) return refuse(Msg(m::ClosedChannelSet));

  ByteReader r(data, size);
  uint16_t count;
  uint8_t type;
  if (!r.U16(count) || !r.U8(type)) return refuse(Msg(m::PlanShortHeader));
  TChanAttribute attrs[AttrListSize];
  switch (ReadList(r, attrs)) {
    case ListRead::Ended: return refuse(Msg(m::PlanEndsInAttributes));
    case ListRead::TooLong: return refuse(Msg(m::PlanTooManyAttributes));
    case ListRead::Ok: break;
  }
  std::vector<TChanXR9> channels;
  try {
    // A channel takes at least 26 bytes, so what is left bounds what a count may reserve.
    channels.reserve(std::min<size_t>(count, r.Left() / 26));
    for (int i = 0; i < count; ++i) {
      const uint8_t* name;
      TChanXR9 chan;
      if (!r.Bytes(8, name) || !r.U32(chan.value1) || !r.U32(chan.value2))
        return refuse(Format(Msg(m::PlanEndsBeforeChannel), i + 1));
      std::memcpy(chan.name, name, 8);
      for (TChanAttribute* list : {chan.attrs1, chan.attrs2}) {
        ListRead got = ReadList(r, list);
        if (got == ListRead::Ended) return refuse(Format(Msg(m::PlanEndsBeforeChannel), i + 1));
        if (got == ListRead::TooLong) return refuse(Format(Msg(m::ChannelTooManyAttributes), i + 1));
      }
      channels.push_back(chan);
    }
  } catch (const std::bad_alloc&) {
    return refuse(Msg(m::NotEnoughMemory));
  }
  plan.ChannelCount = count;
  plan.PlanType = type;
  plan.FileType = type == 7 ? 1 : 4;
  std::copy(std::begin(attrs), std::end(attrs), plan.Attributes);
  plan.Channels = std::move(channels);
  return true;
}

bool WriteBinaryPlanHeader(std::vector<uint8_t>& out, const TPlanXR9& plan, int slot, const PlanSinks& sinks) {
  if (slot < 0 || slot >= PlanSlots) {
    Box(sinks, Msg(m::BadChannelSet), m::CvToolsErrorCaption, MsgIcon::Error);
    return false;
  }
  if (!plan.Channels) return false;
  if (plan.Channels->empty()) {
    std::string line = Format(Msg(m::PlanWithoutChannels), plan.Name);
    Log(sinks.editorLog, line);
    Log(sinks.hostLog, line);
    return false;
  }
  size_t count = plan.Channels->size();
  out.push_back(uint8_t(count));
  out.push_back(uint8_t(count >> 8));
  out.push_back(plan.PlanType);
  AppendList(out, plan.Attributes);
  AppendMarker(out);
  return true;
}

void WriteBinaryPlanChannels(std::vector<uint8_t>& out, const TPlanXR9& plan) {
  if (!plan.Channels) return;
  for (const TChanXR9& chan : *plan.Channels) {
    size_t len = strnlen(chan.name, 8);
    out.insert(out.end(), 8 - len, ' ');
    out.insert(out.end(), chan.name, chan.name + len);
    AppendU32(out, ThroughReal(plan.PlanType == 5 ? chan.value2 : chan.value1));
    AppendU32(out, ThroughReal(chan.value2));
    AppendList(out, chan.attrs1);
    AppendMarker(out);
    AppendMarker(out);
  }
}

bool WriteBinaryPlan(const std::string& path, const TPlanXR9& plan, int slot, const PlanSinks& sinks) {
  Log(sinks.hostLog, Msg(m::CreatingCan));
  std::vector<uint8_t> bytes;
  try {
    if (!WriteBinaryPlanHeader(bytes, plan, slot, sinks)) return false;
    WriteBinaryPlanChannels(bytes, plan);
  } catch (const std::bad_alloc&) {
    Box(sinks, Msg(m::NotEnoughMemory), m::CvToolsErrorCaption, MsgIcon::Warning);
    return false;
  }
  switch (WriteFileAtomically(path, std::string(bytes.begin(), bytes.end()))) {
    case SaveResult::Saved: break;
    case SaveResult::NotCreated:
      Box(sinks, Msg(m::CannotCreateBin), m::CvToolsErrorCaption, MsgIcon::Warning);
      return false;
    case SaveResult::NotWritten:
      Box(sinks, Msg(m::ErrorWritingData), m::CvToolsErrorCaption, MsgIcon::Warning);
      return false;
  }
  Log(sinks.hostLog, Msg(m::CanGenerated));
  return true;
}

size_t CanHeaderSize(const uint8_t* data, size_t size) {
  if (size >= 4 && data[1] == 0xFF && data[2] == 0xFF && data[3] == 0xFF) return std::min<size_t>(16, size);
  return 0;
}

bool ReadCanFile(TPlanXR9& plan, const PlanSinks& sinks) {
  const std::string path = plan.FilePath;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    Log(sinks.hostLog, LoggedFileName(path) + Msg(m::NotFoundSuffix));
    return false;
  }
  std::vector<uint8_t> bytes;
  bool whole = true;
  try {
    uint8_t piece[4096];
    size_t n;
    while ((n = std::fread(piece, 1, sizeof piece, f)) > 0) bytes.insert(bytes.end(), piece, piece + n);
    whole = !std::ferror(f);
  } catch (const std::bad_alloc&) {
    std::fclose(f);
    Box(sinks, Msg(m::NotEnoughMemory), m::CvToolsErrorCaption, MsgIcon::Warning);
    return false;
  }
  std::fclose(f);
  if (!whole) {
    Log(sinks.hostLog, Msg(m::ErrorReadingFile) + LoggedFileName(path));
    return false;
  }
  size_t skip = CanHeaderSize(bytes.data(), bytes.size());
  if (!DecodeBinaryPlan(plan, bytes.data() + skip, bytes.size() - skip, sinks)) return false;
  Log(sinks.hostLog, Msg(m::LoadedFile) + LoggedFileName(path));
  return true;
}

int FindChannelAttributeSlot(const TPlanXR9& plan, int channel, int code) {
  const TChanXR9* chan = ChannelAt(plan, channel);
  if (!chan) return 255;
  for (int i = 0; i < AttrListSize; ++i)
    if (chan->attrs1[i].code == code) return i;
  return 255;
}

int FindChannelAttributeEnd(const TPlanXR9& plan, int channel) {
  return FindChannelAttributeSlot(plan, channel, TChanAttribute::EndCode);
}

void SetChannelAttributeAt(TPlanXR9& plan, int channel, int position, int id, const uint8_t* value) {
  TChanXR9* chan = ChannelAt(plan, channel);
  const TAttributeEntry* row = AttributeById(id);
  if (!chan || !row || position < 0 || position >= AttrListSize) return;
  TChanAttribute& at = chan->attrs1[position];
  at.code = row->code;
  std::memcpy(at.value, value ? value : row->value, 4);
  if (position + 1 < AttrListSize) chan->attrs1[position + 1] = TChanAttribute::Marker();
}

void AddPlanAttributeToChannel(TPlanXR9& plan, int channel, int id, const uint8_t* value, const PlanSinks& sinks) {
  plan.Modified = 1;
  if (FindChannelAttributeSlot(plan, channel, AttributeCodeOfId(id)) != 255) return;
  int end = FindChannelAttributeEnd(plan, channel);
  if (end == 255) {
    Box(sinks, Msg(m::EndOfCommandsNotFound), m::CvToolsErrorCaption, MsgIcon::Error);
    return;
  }
  if (end == AttrListSize - 1) {
    Box(sinks, Msg(m::CannotAddMoreCommands), m::UserErrorCaption, MsgIcon::Error);
    return;
  }
  SetChannelAttributeAt(plan, channel, end, id, value);
}

void ApplyPlanAttributes(TPlanXR9& plan, const PlanSinks& sinks) {
  if (!plan.Channels) return;
  for (size_t c = 0; c < plan.Channels->size(); ++c) {
    for (int i = 0; i < AttrListSize && !plan.Attributes[i].IsMarker(); ++i) {
      TChanAttribute attr = plan.Attributes[i];
      AddPlanAttributeToChannel(plan, int(c), AttributeIdOf(attr), attr.value, sinks);
    }
  }
}

void FindChannelAttribute(const TChanXR9& chan, int code, TChanAttribute& out) {
  FindListAttribute(chan.attrs1, code, out);
}
void FindTypeAttribute(const TChanXR9& chan, TChanAttribute& out) { FindListAttribute(chan.attrs1, AttrType, out); }
void FindSysAttribute(const TChanXR9& chan, TChanAttribute& out) { FindListAttribute(chan.attrs1, AttrSys, out); }
void FindPlanAttribute(const TPlanXR9& plan, int code, TChanAttribute& out) {
  FindListAttribute(plan.Attributes, code, out);
}
std::string ChannelAttributeText(const TChanXR9& chan, int code) { return ListAttributeText(chan.attrs1, code); }

}  // namespace cv::xr9
