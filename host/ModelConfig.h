#pragma once
// CvTools.cfg, the model-to-plug-in configuration, and the identity an instrument gives of itself.
//
// The file holds records of three or four lines: "[" model "]", the plug-in library name, the
// model code (0 to 126) and an optional option line; every other line is ignored. The only option
// is "BAUDRATE=" with an extra rate for the detection to try after 19200.
#include <cstdint>
#include <string>
#include <vector>

class TModelConfig {
 public:
  static constexpr int kBaudEntries = 5;
  static constexpr int32_t kFirstBaud = 19200;

  // Empty lists and a baud table holding only the first rate.
  void Clear();
  // Reads the file and rebuilds the four lists and the baud table. A file that cannot be read,
  // or a record cut short, leaves the lists empty and `error` saying what is wrong.
  bool ReadConfigFile(const std::string& path, std::string& error);
  // The same from the file's text; `fileName` only names the file in the error.
  bool ReadConfigText(const std::string& text, const std::string& fileName, std::string& error);

  enum class Lookup { Found, Missing, BadCode };
  // Looks "[" model "]" up without regard to case; the first record wins. Found gives the
  // record's library and code; BadCode means its code line is not a number.
  Lookup FindModel(const std::string& modelName, std::string& library, int32_t& code) const;

  std::vector<std::string> models;     // line 1 of each record, upper-case, brackets kept
  std::vector<std::string> libraries;  // line 2, upper-case
  std::vector<std::string> codes;      // line 3 as written
  std::vector<std::string> options;    // line 4 without blanks; sorted without case, no duplicates
  int32_t baudTable[kBaudEntries] = {kFirstBaud, 0, 0, 0, 0};
};

// Model and version cut out of an identity text such as "*NACORVANE3 v2.10". False when the text
// holds no "*" or no model name after the reply's two command letters.
bool ParseIdentityText(const std::string& identity, std::string& modelName, float& version);

// The identity text built from the replies to "*?VE" and "*?NA" (nameOk false: no name reply).
std::string BuildIdentity(const std::string& versionReply, bool nameOk, const std::string& nameReply);

// Model codes the host accepts.
constexpr int32_t kMinModelCode = 0;
constexpr int32_t kMaxModelCode = 126;
