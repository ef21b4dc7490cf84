#pragma once
// Profile (INI) files with the rules the tools were written against: section and key names
// compare without case, the first of duplicate sections or keys wins, a missing file or key
// gives the caller's default, and values are Windows-1252 bytes kept as they are.
#include <string>
#include <vector>

namespace cv {

class IniFile {
 public:
  IniFile() = default;
  explicit IniFile(std::string path);

  // Reads the file; a missing file is not an error (every read then gives its default).
  // False only when the file exists but cannot be read.
  bool Load();
  const std::string& Path() const { return path_; }
  bool Exists() const { return exists_; }
  // The file exists but could not be read at the last Load.
  bool LoadFailed() const { return failed_; }

  // The value with surrounding blanks removed; a value wholly enclosed in matching quotes loses them.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) const;
  // The decimal or 0x-hexadecimal number the value starts with ("600 ;note" gives 600); a value
  // that starts with none, a number beyond 32 bits or a missing key gives `def`.
  int ReadInteger(const std::string& section, const std::string& key, int def) const;
  bool KeyExists(const std::string& section, const std::string& key) const;
  bool SectionExists(const std::string& section) const;
  // Key names of a section in file order (the first spelling of each).
  std::vector<std::string> ReadSection(const std::string& section) const;

  // Sets the value (adding the section and key when missing) and saves the whole file through a
  // temporary file renamed over it. False when the file cannot be written.
  bool WriteString(const std::string& section, const std::string& key, const std::string& value);

  // Adds the sections and keys of `shipped` that this file lacks, each key with the comment lines
  // just above it there; every key already here keeps its value. Returns how many were added.
  int AddMissingFrom(const IniFile& shipped);
  // Saves the whole file through a temporary file renamed over it. False when it cannot be written.
  bool Save();

  // Parses text in profile-file form (used by Load; tests feed it directly).
  void Parse(const std::string& content);

 private:
  struct Entry {
    std::string key;  // empty for a line that is no key (comment, blank, stray text)
    std::string value;
    std::string raw;  // the line as read, written back unchanged when untouched
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };
  const Section* FindSection(const std::string& name) const;
  const Entry* FindEntry(const std::string& section, const std::string& key) const;
  std::string Serialise() const;
  static long EndOfKeys(const Section& s);

  std::string path_;
  bool exists_ = false;
  bool failed_ = false;
  std::vector<Section> sections_;  // sections_[0] holds the lines before the first header
};

// The host's INI file, read by the host and the plug-ins alike: the program's file name with its
// extension replaced by ".INI". An override (SetHostIniPath, then the environment variable
// CV_INI_FILE) takes its place, which is how tests point everything at a file of their own.
std::string HostIniPath();
void SetHostIniPath(const std::string& path);  // empty restores the normal rule
// HostIniPath() loaded.
IniFile HostIni();

// Compares two ASCII names without case.
bool SameText(const std::string& a, const std::string& b);

}  // namespace cv
