#pragma once
// Files for the TV MIRELTO format tests: reading whole files, golden files in tests/data/xr9/
// (made by the image builder; CV_WRITE_GOLDENS=1 writes them again from the builder), and a
// scratch folder per test.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace xr9test {

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::string GoldenPath(const std::string& name) { return std::string(CV_TEST_DATA_DIR) + "/xr9/" + name; }

// The golden file `name` (e.g. "link/ab.can"), checked to be what the builder makes of its
// description, so a golden never drifts from the description it was made from.
inline std::vector<uint8_t> Golden(const std::string& name, const std::vector<uint8_t>& made) {
  if (std::getenv("CV_WRITE_GOLDENS")) WriteBytes(GoldenPath(name), made);
  std::vector<uint8_t> golden = ReadBytes(GoldenPath(name));
  EXPECT_EQ(golden, made) << name << " differs from its description";
  return golden;
}

// A report golden of tests/data/xr9/reports/ as text.
inline std::string ReportGolden(const std::string& name, const std::string& made) {
  const auto g = Golden("reports/" + name, std::vector<uint8_t>(made.begin(), made.end()));
  return std::string(g.begin(), g.end());
}

// How often `what` stands in `text` (overlaps counted).
inline int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

}  // namespace xr9test
