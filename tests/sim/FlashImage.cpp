#include "FlashImage.h"

#include <cstdio>
#include <cstring>

#include "ScriptCore.h"

namespace cvsim {

namespace {
constexpr int kHeaderSize = 16;
constexpr int kChannelSize = 8;
constexpr int kMaxListWords = 64;  // a list that long is not a list: the image is corrupt

std::string Text(const std::vector<uint8_t>& bytes, int at, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s.push_back(static_cast<char>(bytes[(at + i) & 0xFFFF]));
  return s;
}
}  // namespace

bool FlashImage::Apply(const std::string& record) {
  cv::script::ParsedRecord r;
  if (!cv::script::ParseFlashRecord(record, r)) return false;
  switch (r.type) {
    case 0:
      if (planSegment >= 0 && segment != planSegment) {
        ++recordsElsewhere;
        break;
      }
      for (size_t i = 0; i < r.data.size(); ++i) bytes[(r.address + i) & 0xFFFF] = r.data[i];
      break;
    case 1: break;  // end of file: the loader closes the write
    case 2:
      if (r.data.size() != 2) return false;
      segment = static_cast<uint16_t>(r.data[0] << 8 | r.data[1]);
      break;
    default: return false;
  }
  ++recordsWritten;
  return true;
}

uint16_t FlashImage::Word(int address) const {
  return static_cast<uint16_t>(bytes[address & 0xFFFF] | bytes[(address + 1) & 0xFFFF] << 8);
}

int FlashImage::SkipList(int address, std::vector<uint16_t>* words) const {
  for (int i = 0; i < kMaxListWords; ++i) {
    const uint16_t w = Word(address);
    address += 2;
    if (w == 0xFFFF) return address;
    if (words) words->push_back(w);
  }
  return -1;
}

int FlashImage::PlanCount() const {
  if (Text(bytes, 0, 11) != "CANALITZACI") return -1;
  const int count = Word(14);
  return count > maxPlans ? maxPlans : count;
}

bool FlashImage::ReadPlan(int plan, Plan& out) const {
  if (plan < 0 || plan >= PlanCount()) return false;
  int at = kHeaderSize;
  for (int p = 0; p <= plan; ++p) {
    Plan h;
    h.name = Text(bytes, at, 8);
    h.address = Word(at + 8);
    h.channelCount = bytes[(at + 10) & 0xFFFF];
    h.bandCode = bytes[(at + 11) & 0xFFFF];
    h.lnbTenths = static_cast<uint32_t>(bytes[(at + 12) & 0xFFFF]) << 16 |
                  bytes[(at + 13) & 0xFFFF] << 8 | bytes[(at + 14) & 0xFFFF];
    h.code = bytes[(at + 15) & 0xFFFF];
    at = SkipList(at + kHeaderSize, &h.commands);
    if (at < 0) return false;
    if (p == plan) out = h;
  }
  return true;
}

bool FlashImage::ReadChannel(int plan, int channel, Channel& out) const {
  Plan h;
  if (!ReadPlan(plan, h) || channel < 0 || channel >= h.channelCount) return false;
  int at = h.address;
  for (int c = 0; c <= channel; ++c) {
    Channel ch;
    ch.name = Text(bytes, at, 4);
    ch.word = Word(at + 4);
    ch.word2 = Word(at + 6);
    at = SkipList(at + kChannelSize, &ch.commands);
    if (at < 0) return false;
    if (c == channel) out = ch;
  }
  return true;
}

int FlashImage::CommandBlock() const {
  const int plans = PlanCount();
  if (plans < 0) return -1;
  int at = kHeaderSize;
  for (int p = 0; p < plans && at >= 0; ++p) at = SkipList(at + kHeaderSize, nullptr);
  return at;
}

std::string FlashImage::CommandNameAt(uint16_t offset) const {
  const int block = CommandBlock();
  if (block < 0) return "";
  const int at = block + offset;
  // The code's high byte first; an option word follows low byte first.
  const unsigned high = bytes[at & 0xFFFF], low = bytes[(at + 1) & 0xFFFF];
  const unsigned option = bytes[(at + 2) & 0xFFFF] | bytes[(at + 3) & 0xFFFF] << 8;
  char name[16];
  switch (high) {
    case 0x01: std::snprintf(name, sizeof name, "SY%02X", low); break;
    case 0x02:
      // The tuned sound carriers take their frequency as the option.
      if (low == 0x04 || low == 0x0F)
        std::snprintf(name, sizeof name, "SO%X%03X", low, option);
      else
        std::snprintf(name, sizeof name, "SO%X", low);
      break;
    case 0x04: std::snprintf(name, sizeof name, "LB%X", low); break;
    case 0x06: std::snprintf(name, sizeof name, "UN%X", low); break;
    case 0x1B: std::snprintf(name, sizeof name, "ME%X", low); break;
    case 0x1F: std::snprintf(name, sizeof name, "CW%04X", option); break;
    case 0x37:
      if (low > 1) return "";
      std::snprintf(name, sizeof name, "SV%u", low ^ 1u);  // 0x3701 is negative video, "SV0"
      break;
    default: return "";
  }
  return name;
}

std::string FlashImage::CommandsText(const std::vector<uint16_t>& offsets) const {
  std::string text;
  for (uint16_t offset : offsets) {
    if (offset == 0xFFFF) continue;
    if (commandName) {
      text += "," + commandName(offset);
    } else if (const std::string name = CommandNameAt(offset); !name.empty()) {
      text += "," + name;
    }
  }
  return text;
}

std::string FlashImage::PlanReply(int plan) const {
  Plan h;
  if (!ReadPlan(plan, h)) return "*JI!!";
  char tail[32];
  std::snprintf(tail, sizeof tail, "%02X%c%05X%02X", h.channelCount & 0xFF,
                h.bandCode == 5 ? 'S' : (h.bandCode == dabBandCode ? 'D' : 'T'), h.lnbTenths & 0xFFFFF, h.code & 0xFF);
  return "*JI" + h.name + tail + CommandsText(h.commands);
}

std::string FlashImage::ChannelReply(int plan, int channel) const {
  Channel c;
  if (!ReadChannel(plan, channel, c)) return "*CI!!";
  char tail[16];
  std::snprintf(tail, sizeof tail, "%04X%04X", c.word, c.word2);
  return "*CI" + c.name + tail + CommandsText(c.commands);
}

}  // namespace cvsim
