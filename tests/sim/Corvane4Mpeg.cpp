// The CORVANE-4's MPEG-2 decoder as the analyser reaches it: memory dumps, the table register,
// the status line, test flags and the decoder's own lines written without the line protocol.
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "Corvane4Profile.h"

namespace cvsim {

namespace {

bool HexField(const std::string& line, size_t at, size_t count, unsigned& value) {
  if (line.size() < at + count) return false;
  for (size_t i = at; i < at + count; ++i)
    if (!std::isxdigit(static_cast<unsigned char>(line[i]))) return false;
  value = static_cast<unsigned>(std::strtoul(line.substr(at, count).c_str(), nullptr, 16));
  return true;
}

// A transport packet (sync byte, PID 0x0100) carrying readable text, then the next packet's start;
// a section of readable text among binary bytes.
std::vector<unsigned char> PacketImage() {
  std::vector<unsigned char> image = {0x47, 0x01, 0x00, 0x17};
  const std::string text = "CVTV MPEG-2 TRANSPORT STREAM ";
  while (image.size() < 188) image.push_back(static_cast<unsigned char>(text[(image.size() - 4) % text.size()]));
  image.push_back(0x47);
  while (image.size() < 200) image.push_back(static_cast<unsigned char>(image.size()));
  return image;
}

std::vector<unsigned char> SectionImage() {
  std::vector<unsigned char> image;
  const std::string text = "SERVICE CVTV 1 PROVIDER CV BROADCAST ";
  for (unsigned i = 0; i < 1024; ++i)
    image.push_back(i % 64 < 32 ? static_cast<unsigned char>(text[i % text.size()]) : static_cast<unsigned char>(i * 7));
  return image;
}

}  // namespace

std::string Corvane4Profile::HexBytes(const std::vector<unsigned char>& image, size_t at, size_t count) {
  std::string out;
  char hex[4];
  for (size_t i = at; i < at + count && i < image.size(); ++i) {
    std::snprintf(hex, sizeof hex, "%02X", image[i]);
    out += hex;
  }
  return out;
}

Answer Corvane4Profile::TakeRawLine(const std::string& line, std::initializer_list<const char*> known) {
  for (const char* k : known)
    if (line == k) {
      rawLines.push_back(line);
      return Answer::Unheard();
    }
  return Answer::Nak();
}

void Corvane4Profile::AddMpegDecoder() {
  mpegPacket = PacketImage();
  mpegSection = SectionImage();
  registers[kMpegTable] = 0x7F;
  On("*?DNP", [this](const std::string& line) {
    unsigned at = 0, count = 0;
    if (line.size() != 10 || !HexField(line, 5, 3, at) || !HexField(line, 8, 2, count) ||
        at + count > mpegPacket.size())
      return Answer::Nak();
    return Answer::Reply("*DNP" + line.substr(5, 3) + HexBytes(mpegPacket, at, count));
  });
  On("*?DN", [this](const std::string& line) {
    unsigned at = 0, count = 0;
    if (line.size() != 10 || !HexField(line, 4, 4, at) || !HexField(line, 8, 2, count) ||
        at + count > mpegSection.size())
      return Answer::Nak();
    return Answer::Reply("*DN" + HexBytes(mpegSection, at, count));
  });
  On("*I2148", [this](const std::string& line) {
    if (line != "*I21487F" && line != "*I2148FF") return Answer::Nak();
    registers[kMpegTable] = line[7] == 'F' && line[6] == 'F' ? 0xFF : 0x7F;
    return Answer::Ok();
  });
  On("*?I2148001", [this](const std::string& line) {
    if (line.size() != 10) return Answer::Nak();
    return Answer::Reply(RegisterReply(kMpegTable, 1));
  });
  On("*?MP", [this](const std::string&) { return Answer::Reply("*MP" + mpegStatus); });
  On("*PT", [this](const std::string& line) {
    if (line.size() != 16) return Answer::Nak();
    testFlags[line.substr(3, 9)] = line.substr(12);
    return Answer::Ok();
  });
  On("*?PT", [this](const std::string& line) {
    if (line.size() != 15 || line.compare(13, 2, "02") != 0) return Answer::Nak();
    auto it = testFlags.find(line.substr(4, 9));
    return Answer::Reply("*PT" + (it == testFlags.end() ? std::string("0000") : it->second));
  });
  On("S", [this](const std::string& line) { return TakeRawLine(line, {"S=0;0", "S=0;1", "S"}); });
  On("T", [this](const std::string& line) { return TakeRawLine(line, {"T"}); });
  On("V=", [this](const std::string& line) { return TakeRawLine(line, {"V=P"}); });
  On("A=", [this](const std::string& line) { return TakeRawLine(line, {"A=S"}); });
}

}  // namespace cvsim
