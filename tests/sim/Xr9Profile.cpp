#include "Xr9Profile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace cvsim {

namespace {

// The hexadecimal number of `digits` characters at `at`; false when the text is short or not hex.
bool HexAt(const std::string& text, size_t at, size_t digits, unsigned long& value) {
  if (text.size() < at + digits) return false;
  const std::string part = text.substr(at, digits);
  if (part.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
  value = std::strtoul(part.c_str(), nullptr, 16);
  return true;
}

std::string Hex(unsigned long value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*lX", width, value);
  return text;
}

}  // namespace

Xr9Profile::Xr9Profile(std::string model, std::string version) : Profile(std::move(model), std::move(version)) {
  On("*?NA", [this](const std::string&) { return Answer::Reply("*NA " + this->model); });
  On("*?VE", [this](const std::string&) { return Answer::Reply("*VE" + this->version); });
  On("*7205&", [this](const std::string&) {
    accessGranted = true;
    return Answer::Ok();
  });
  On("*?ID", [this](const std::string&) {
    if (requireAccess && !accessGranted) return Answer::Nak();
    return Answer::Reply(IdReply());
  });
  // "*?FI%02X": the count from the reply's fourth character; "*?FI%02X%02X": one entry, the size
  // as 8 digits from the sixth character and the name from the fourteenth.
  On("*?FI", [this](const std::string& line) {
    if (requireAccess && !accessGranted) return Answer::Nak();
    unsigned long type = 0, index = 0;
    if (!HexAt(line, 4, 2, type)) return Answer::Nak();
    const auto it = files.find(static_cast<int>(type));
    const size_t count = it == files.end() ? 0 : it->second.size();
    if (line.size() == 6) return Answer::Reply("*FI" + Hex(std::min<size_t>(count, 255), 2));
    if (line.size() != 8 || !HexAt(line, 6, 2, index) || index >= count) return Answer::Nak();
    const File& f = it->second[index];
    return Answer::Reply("*FI" + Hex(index, 2) + Hex(f.bytes.size(), 8) + f.name);
  });
  On("*?FL", [this](const std::string& line) {
    unsigned long type = 0;
    if (!HexAt(line, 4, 2, type)) return Answer::Nak();
    const File* f = FindFile(static_cast<int>(type), line.substr(6));
    if (!f) return Answer::Nak();
    return Answer::Raw(DownloadBytes(static_cast<int>(type), *f));
  });
  // "*FL" size (8 digits), block size (2), type (2), name: the blocks follow, each with its
  // checksum byte.
  On("*FL", [this](const std::string& line) {
    unsigned long size = 0, block = 0, type = 0;
    if (!HexAt(line, 3, 8, size) || !HexAt(line, 11, 2, block) || !HexAt(line, 13, 2, type) || block == 0)
      return Answer::Nak();
    upload = Upload{static_cast<int>(type), line.substr(15), size, block, {}};
    blocksTaken = 0;
    if (size == 0) {
      PutFile(upload.type, upload.name, {});
      rawBlockBytes = 0;
    } else {
      rawBlockBytes = std::min<size_t>(block, size) + 1;
    }
    return Answer::Ok();
  });
  On("*FD", [this](const std::string& line) {
    unsigned long type = 0;
    if (refuseDelete || !HexAt(line, 3, 2, type)) return Answer::Nak();
    if (!refuseDeleteName.empty() && line.substr(5) == refuseDeleteName) return Answer::Nak();
    auto it = files.find(static_cast<int>(type));
    if (it == files.end()) return Answer::Nak();
    const std::string name = line.substr(5);
    auto f = std::find_if(it->second.begin(), it->second.end(), [&](const File& x) { return x.name == name; });
    if (f == it->second.end()) return Answer::Nak();
    it->second.erase(f);
    return Answer::Ok();
  });
}

Answer Xr9Profile::Handle(const std::string& line) {
  const int count = ++queryCounts[line];
  if (unansweredFrom > 0 && line == unansweredQuery && count >= unansweredFrom) return Answer::NoAnswer();
  return Profile::Handle(line);
}

Answer Xr9Profile::HandleBlock(const std::string& block) {
  const int number = ++blocksTaken;
  if (silentAfterBlock > 0 && number > silentAfterBlock) {
    rawBlockBytes = 0;
    return Answer::Unheard();
  }
  unsigned sum = 0;
  for (char c : block) sum += static_cast<unsigned char>(c);
  const bool refusedName = !nakUploadName.empty() && upload.name == nakUploadName;
  if (number == nakBlock || refusedName || (sum & 0xFF) != 0) {
    rawBlockBytes = 0;  // the upload is over: the host stops at a refused block
    return Answer::Nak();
  }
  upload.data.append(block, 0, block.size() - 1);
  const size_t left = upload.size > upload.data.size() ? upload.size - upload.data.size() : 0;
  if (left == 0) {
    PutFile(upload.type, upload.name, upload.data);
    rawBlockBytes = 0;
  } else {
    rawBlockBytes = std::min(upload.blockSize, left) + 1;
  }
  return Answer::Ok();
}

std::string Xr9Profile::IdReply() const {
  return "*ID " + Hex(idModel, 2) + "." + Hex(optionWord, 8) + "." + Hex(optionByte, 2);
}

void Xr9Profile::PutFile(int type, const std::string& name, const std::string& bytes) {
  auto& list = files[type];
  for (File& f : list)
    if (f.name == name) {
      f.bytes = bytes;
      return;
    }
  list.push_back({name, bytes});
}

const Xr9Profile::File* Xr9Profile::FindFile(int type, const std::string& name) const {
  auto it = files.find(type);
  if (it == files.end()) return nullptr;
  for (const File& f : it->second)
    if (f.name == name) return &f;
  return nullptr;
}

bool Xr9Profile::LoadFolder(const std::string& folder, std::string* error) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) {
    if (error) *error = folder + " is not a folder";
    return false;
  }
  for (int type : {1, 2, 4, 5, 10}) {
    const fs::path sub = fs::path(folder) / std::to_string(type);
    if (!fs::is_directory(sub, ec)) continue;
    std::vector<fs::path> paths;
    for (const auto& e : fs::directory_iterator(sub, ec))
      if (e.is_regular_file()) paths.push_back(e.path());
    std::sort(paths.begin(), paths.end());
    for (const fs::path& p : paths) {
      std::ifstream in(p, std::ios::binary);
      if (!in) {
        if (error) *error = "cannot read " + p.string();
        return false;
      }
      PutFile(type, p.filename().string(), std::string(std::istreambuf_iterator<char>(in), {}));
    }
  }
  return true;
}

uint32_t Xr9Profile::Checksum(const std::string& bytes) {
  uint32_t sum = 0;
  for (char c : bytes) sum += static_cast<unsigned char>(c);
  return 0u - sum;
}

std::string Xr9Profile::DownloadBytes(int type, const File& file) const {
  std::string out = "*FL" + Hex(static_cast<unsigned long>(type), 2) + Hex(file.bytes.size() & 0xFFFFFF, 6);
  out += file.bytes;
  const bool bad = badDownloadChecksum || (!badChecksumName.empty() && file.name == badChecksumName);
  uint32_t sum = Checksum(file.bytes) + (bad ? 1u : 0u);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((sum >> (8 * i)) & 0xFF));
  return out;
}

}  // namespace cvsim
