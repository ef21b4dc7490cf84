// The per-user registry store: the input is the store's file, then a line "%%", a value name
// line and the value's bytes. The store's values are read as every type; the value is then
// written as a string, a number and binary data under the language override's key and must read
// back exactly, whatever bytes its name and data hold.
#include "FuzzSupport.h"
#include "IniFile.h"
#include "LanguageModule.h"
#include "Registry.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto [store, rest] = cvfuzz::SplitAtLine(cvfuzz::Text(data, size), "%%");
  const size_t lf = rest.find('\n');
  const std::string name = rest.substr(0, lf);
  const std::string value = lf == std::string::npos ? std::string() : rest.substr(lf + 1);
  const std::string file = cvfuzz::WriteScratch("registry.ini", store);
  cv::SetRegistryFile(file);

  const cv::IniFile ini(file);
  for (const std::string& line : cvfuzz::Lines(store)) {
    if (line.size() < 2 || line[0] != '[') continue;
    const std::string key = line.substr(1, line.find(']') - 1);
    auto k = cv::RegKey::Open(key, false);
    if (!k) continue;
    for (const std::string& n : ini.ReadSection(key)) {
      std::string s;
      int32_t i = 0;
      bool b = false;
      std::vector<uint8_t> bytes;
      k->ReadString(n, s);
      k->ReadInteger(n, i);
      k->ReadBool(n, b);
      k->ReadBinary(n, bytes);
    }
  }

  auto key = cv::RegKey::Open(cv::kLocaleOverrideKey, true);
  FUZZ_CHECK(key.has_value());
  if (name.empty() || name == "@") {  // no name, or the store's own mark of a key: refused
    FUZZ_CHECK(!key->WriteString(name, value));
    return 0;
  }
  std::string s;
  FUZZ_CHECK(key->WriteString(name, value) && key->ReadString(name, s) == cv::RegRead::Ok && s == value);
  const std::string other = name + "#";
  const int32_t number = static_cast<int32_t>(std::hash<std::string>()(value));
  int32_t n = 0;
  FUZZ_CHECK(key->WriteInteger(other, number) && key->ReadInteger(other, n) == cv::RegRead::Ok && n == number);
  const std::vector<uint8_t> bytes(value.begin(), value.end());
  std::vector<uint8_t> back;
  FUZZ_CHECK(key->WriteBinary(name, bytes) && key->ReadBinary(name, back) == cv::RegRead::Ok && back == bytes);
  FUZZ_CHECK(key->ReadString(name, s) == cv::RegRead::WrongType);
  return 0;
}
