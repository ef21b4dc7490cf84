#pragma once
// The MPEG-2 decoder's commands as the analyser sends them and its replies as it reads them, on a
// link to the equipment's exchanges: plain code under the analyser dialog, no widget.
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TCv3Equip;

namespace cv::cv4 {

// The exchanges the analyser makes: the equipment's handshaked command and query, and the port's
// writes without handshake and without a reply read.
class MpegLink {
 public:
  virtual ~MpegLink() = default;
  virtual bool SendCommand(const std::string& command) = 0;
  // reply: the reply line as read (empty when none came).
  virtual bool Query(const std::string& command, std::string& reply) = 0;
  // The line and CR.
  virtual bool WriteLine(const std::string& line) = 0;
  // The bytes as they are; a family whose equipment has no raw write fails.
  virtual bool WriteRaw(const std::string& bytes) = 0;
};

// MpegLink on an equipment object and its port. writeRaw is the family's raw write, if it has one.
class EquipMpegLink : public MpegLink {
 public:
  explicit EquipMpegLink(TCv3Equip& equipment) : equipment(equipment) {}
  bool SendCommand(const std::string& command) override;
  bool Query(const std::string& command, std::string& reply) override;
  bool WriteLine(const std::string& line) override;
  bool WriteRaw(const std::string& bytes) override { return writeRaw && writeRaw(bytes); }
  std::function<bool(const std::string&)> writeRaw;

 private:
  TCv3Equip& equipment;
};

constexpr const char* kAccessCode = "*7205&";
// The packet dump's text and the section dump's text and rendered positions.
constexpr size_t kPacketChars = 400;
constexpr size_t kSectionChars = 2047;
constexpr size_t kSectionPositions = 2048;
constexpr size_t kFlagAddressLength = 9;

// `count` characters of a reply from `at`, or as many as it holds.
std::string ReplyField(const std::string& reply, size_t at, size_t count);

// A dump's pieces laid end to end: `count` characters of each reply from `at`. A reply holding
// fewer ends the text there (the rest of the dump's positions are end-of-text).
struct DumpPiece {
  size_t at, count;
};
std::string AssembleDump(const std::vector<std::string>& replies, const std::vector<DumpPiece>& pieces);

// The characters of a hex dump: for each pair of the first `length` positions (positions past the
// text are end-of-text), the character of a value from 32 to 125, or '.' for any other value and
// for a pair that is not two hexadecimal digits; each followed by a blank.
std::string HexToText(const std::string& hex, size_t length);

// The size of a selection of n dump characters: n x 0.5 with the given decimal separator, and
// "x" with its whole part as (at least) three upper-case hexadecimal digits.
struct SelectionReadout {
  std::string bytes, hex;
};
SelectionReadout ShowSelection(size_t selected, char decimalSeparator);

// The table register's reply: its fourth character read as a hexadecimal digit (upper-cased; a
// character above '9' counts its code minus 55) selects SDT when its bit of weight 8 is set.
bool TableIsSdt(const std::string& reply);

// The status text after one more reply: the current text (at most 255 characters), a blank and
// the reply from its fourth character (at most 255).
std::string AppendStatus(const std::string& current, const std::string& reply);

// ASCII upper case (instrument commands).
std::string UpperCommand(std::string text);

// What the dialog's operations do over the link; the dialog shows the results.
class MpegAnalyzer {
 public:
  explicit MpegAnalyzer(MpegLink& link) : link(link) {}

  // The dumps' texts (up to their first end-of-text), or nothing when an exchange failed; no
  // query follows a failed one.
  std::optional<std::string> PacketDump();
  std::optional<std::string> SectionDump();

  // What Change and Refresh show: the table the meter reports, no answer (no reply line, or one
  // without the register's digit), or a write the meter did not take.
  enum class Table { Sdt, Nit, NoAnswer, NotChanged };
  // Change: the access code, the opposite of what `sdtSelected` says, and the register read back.
  // `sdtSelected` says what was sent only once the meter took the write; a write it did not take
  // reads nothing back. Refresh: the read alone, `sdtSelected` set from an answer.
  Table ChangeTable(bool& sdtSelected);
  Table RefreshTable(bool& sdtSelected);

  // The status text after one more reply; nothing when no reply came.
  std::optional<std::string> Status(const std::string& current);

  // A typed command, upper-cased in place: shorter than 3 characters nothing is sent; a '?'
  // second character makes it a query whose reply `reply` gets (NoReply: none came).
  enum class Typed { TooShort, Command, Query, NoReply };
  Typed SendTyped(std::string& text, std::string& reply);

  // The direct buttons' lines (0..5), written in order.
  static const std::vector<std::string>& DirectLines(int button);
  void WriteDirect(int button);

  // A test flag's write: `command` gets "*PT" + address + "0001" or "0000" once the address is
  // good.
  enum class FlagWrite { BadAddress, Refused, Accepted };
  FlagWrite WriteFlag(const std::string& address, bool on, std::string& command);
  // The refresh's access code; false ends the refresh.
  bool FlagAccess() { return link.SendCommand(kAccessCode); }
  // A flag as the meter holds it: reply characters 3-6, "0000" off, anything else on. Nothing
  // when the query failed: a box is not switched (and written back) on a reply that never came.
  std::optional<bool> ReadFlag(const std::string& address);

  // The DAB reading of the CORVANE-PLENAR: lock ("OK" or "KO"), SNR and QUAL kept on "KO", and the
  // capture counter. When the status query gets no reply the meter is taken as silent: nothing
  // more is asked and every figure is cleared, so that none is shown as current.
  struct DabFields {
    bool answered = true;
    bool locked = false;
    std::string snr, qual, captura;
  };
  void ReadDab(DabFields& fields);
  void SelectAudio(const std::string& audio);
  // "*RC01" (test 1) or "*RC05" (test 2) and a carriage return, raw.
  bool SerialTest(int test);

 private:
  std::optional<std::string> Dump(const std::vector<std::string>& queries, const std::vector<DumpPiece>& pieces);
  MpegLink& link;
};

}  // namespace cv::cv4
