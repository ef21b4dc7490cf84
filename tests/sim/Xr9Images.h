#pragma once
// Images of the TV MIRELTO analyser's binary files made from a short description: binary channel
// plans (".CAN") and data-logger files (".DL"). Their own small writer, independent of the
// plug-in's code, so golden files, fuzz seeds, the simulator's files and benchmarks are made
// rather than edited by hand. Descriptions may be malformed on purpose (counts that disagree with
// what follows) to make damaged files.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cvsim::xr9img {

struct Attr {
  uint8_t code = 0;
  uint32_t value = 0;  // little-endian in the file
};

struct Channel {
  std::string name;  // right-aligned in 8 bytes; longer names are cut to 8
  uint32_t value1 = 0, value2 = 0;
  std::vector<Attr> attrs;   // first list
  std::vector<Attr> attrs2;  // second list
};

struct Plan {
  uint8_t type = 7;
  std::vector<Attr> attrs;
  std::vector<Channel> channels;
  std::optional<uint16_t> countOverride;  // the channel count written instead of the real one
  bool header16 = false;                  // a 16-byte header whose bytes 1 to 3 are FF FF FF
};

std::vector<uint8_t> BinaryPlan(const Plan& plan);

// One data-logger channel block: its measurement codes, LNB mode and oscillator (kHz).
struct DlChannel {
  std::vector<uint8_t> codes;
  uint8_t lnbMode = 0;
  uint32_t oscillator = 0;
};

// A test point: name, level units and its values, channel after channel, each channel's values in
// code order (24 bits each).
struct DlTestPoint {
  std::string name;
  uint8_t units = 1;
  std::vector<uint32_t> values;
};

struct DataLog {
  uint8_t magic = 0xDA;
  std::string planName = "PLAN";
  Plan plan;
  std::optional<uint32_t> planLengthOverride;
  std::string text;
  std::vector<DlChannel> channels;  // one per plan channel
  std::vector<DlTestPoint> testPoints;
  std::optional<uint16_t> testPointCountOverride;
};

// The image; `boundaries`, when given, receives the offset at which every field starts and the
// image's length, so a test can cut the image at each of them.
std::vector<uint8_t> DataLogFile(const DataLog& log, std::vector<size_t>* boundaries = nullptr);

// The most a file of `limit` bytes can declare: as many channels as the plan room allows, without
// measurements, and 65535 test points with empty names.
DataLog LargestDataLog(size_t limit = 520000);
// A full file of `limit` bytes the other way: 200 channels of 15 measurements each, and as many
// test points as the values leave room for.
DataLog DenseDataLog(size_t limit = 520000);

// 24-bit measurement values: flag byte and a signed count of tenths (or a 16-bit number).
uint32_t MeasValue(uint8_t flags, int number);
// An error rate: flag byte, mantissa in tenths, signed power of ten.
uint32_t BerValue(uint8_t flags, uint8_t mantissaTenths, int exponent);

}  // namespace cvsim::xr9img
