#pragma once
// The per-user registry store: keys such as "Software\Tessary\CvTools\AddOnKit" holding named,
// typed values, kept in one file under the user's configuration directory
// ($XDG_CONFIG_HOME or ~/.config, then "CvTools/registry.ini"). Key and value names compare
// without case. Every write re-reads the file and replaces it through a temporary file, so the
// host and the plug-ins, each with its own RegKey objects, never lose each other's values.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cv {

enum class RegType { String, Dword, Binary };  // integers and booleans are both Dword values

enum class RegRead { Ok, Missing, WrongType };

class RegKey {
 public:
  // Opens `key` (backslash-separated path); with `create` a missing key is made. Without it a
  // missing key gives nullopt; nullopt also when the store cannot be read or written.
  static std::optional<RegKey> Open(const std::string& key, bool create);
  static bool KeyExists(const std::string& key);

  const std::string& Path() const { return key_; }

  RegRead ReadString(const std::string& name, std::string& out) const;
  RegRead ReadInteger(const std::string& name, int32_t& out) const;
  RegRead ReadBool(const std::string& name, bool& out) const;  // a Dword other than 0 is true
  RegRead ReadBinary(const std::string& name, std::vector<uint8_t>& out) const;
  bool ValueExists(const std::string& name) const;

  // False for an empty name, which the store cannot hold.
  bool WriteString(const std::string& name, const std::string& value);
  bool WriteInteger(const std::string& name, int32_t value);
  bool WriteBool(const std::string& name, bool value);
  bool WriteBinary(const std::string& name, const std::vector<uint8_t>& value);

 private:
  explicit RegKey(std::string key) : key_(std::move(key)) {}
  bool Write(const std::string& name, const std::string& encoded);
  std::optional<std::string> Encoded(const std::string& name) const;
  std::string key_;
};

// The store's file. SetRegistryFile overrides it (empty restores the normal rule); tests may
// instead point $XDG_CONFIG_HOME at a temporary directory.
std::string RegistryFile();
void SetRegistryFile(const std::string& path);

}  // namespace cv
