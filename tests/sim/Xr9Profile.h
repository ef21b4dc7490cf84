#pragma once
// The TV MIRELTO analyser (model "VELDIX-5") at 115200 baud: identification, the access code, and
// a file store per file type with its listing, download, upload in checksummed blocks and delete.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "Simulator.h"

namespace cvsim {

class Xr9Profile : public Profile {
 public:
  explicit Xr9Profile(std::string model = "VELDIX-5", std::string version = "4.05");

  Answer Handle(const std::string& line) override;
  Answer HandleBlock(const std::string& block) override;

  // "*?ID": "*ID " model "." option word "." option byte, all hexadecimal ("*ID 11.2E070000.00").
  // By default an analyser that takes every standard and option of the attribute table.
  unsigned idModel = 0x11;
  uint32_t optionWord = 0x2E070000;
  unsigned optionByte = 0x00;
  // The basic model without an analogue colour system ("*ID 10.2E070000.01").
  void UseBasicIdentity() {
    idModel = 0x10;
    optionByte = 0x01;
  }
  std::string IdReply() const;
  // The access code "*7205&" must come before "*?ID" and the listings (else they are refused).
  bool requireAccess = false;
  bool accessGranted = false;

  // The file store: by file type (1, 2, 4, 5 plans, 10 data-logger files), in listing order.
  struct File {
    std::string name;
    std::string bytes;
  };
  std::map<int, std::vector<File>> files;
  void PutFile(int type, const std::string& name, const std::string& bytes);
  const File* FindFile(int type, const std::string& name) const;
  // Every regular file of the sub-folders named by a file type in decimal ("1", "2", "4", "5",
  // "10") joins the store under its file name. False with a reason when the folder cannot be read.
  bool LoadFolder(const std::string& folder, std::string* error = nullptr);
  bool LoadFiles(const std::string& folder, std::string* error) override { return LoadFolder(folder, error); }
  // A download's 32-bit checksum: the two's complement of the sum of the file's bytes.
  static uint32_t Checksum(const std::string& bytes);
  // What "*?FL" sends: an 11-byte header, the file, the checksum little-endian.
  std::string DownloadBytes(int type, const File& file) const;

  // The upload in progress ("*FL"), and the blocks taken so far of it.
  struct Upload {
    int type = 0;
    std::string name;
    size_t size = 0;
    size_t blockSize = 0;
    std::string data;
  };
  Upload upload;
  int blocksTaken = 0;

  // Faults of the analyser's own.
  bool badDownloadChecksum = false;  // every download's checksum is off by one
  std::set<std::string> badChecksumFiles;  // these files' downloads have their checksum off by one
  std::set<std::string> shortFiles;        // these files' downloads stop 10 bytes before their end
  bool refuseDelete = false;         // "*FD" is refused even for a stored file
  std::string refuseDeleteName;      // ... or only for the file of this name
  int nakBlock = 0;                  // > 0: the upload's block with this number (from 1) is refused
  std::string nakUploadName;         // every upload under this name has its first block refused
  int silentAfterBlock = 0;          // > 0: blocks after this many get no answer at all
  std::string unansweredQuery;       // this exact line goes unanswered (XOFF only) ...
  int unansweredFrom = 0;            // ... from its n-th time on (1: always)
  std::map<std::string, int> queryCounts;
};

}  // namespace cvsim
