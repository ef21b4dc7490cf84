#include "MpegAnalyzer.h"

#include <cstdio>

#include "Cv3Equip.h"
#include "NumFormat.h"
#include "Serial.h"

namespace cv::cv4 {

bool EquipMpegLink::SendCommand(const std::string& command) { return equipment.SendCommand(command.c_str()); }

bool EquipMpegLink::Query(const std::string& command, std::string& reply) {
  char buffer[kReplyBufferSize] = {};
  const bool ok = equipment.Query(command.c_str(), buffer);
  buffer[kReplyBufferSize - 1] = '\0';
  reply = buffer;
  return ok;
}

bool EquipMpegLink::WriteLine(const std::string& line) {
  TSerial* port = equipment.port;
  if (!port || !port->IsOpen()) return false;
  char text[kMaxCommandLength + 1] = {};
  line.copy(text, kMaxCommandLength);
  return port->WriteLine(text);
}

std::string ReplyField(const std::string& reply, size_t at, size_t count) {
  return at < reply.size() ? reply.substr(at, count) : std::string();
}

std::string AssembleDump(const std::vector<std::string>& replies, const std::vector<DumpPiece>& pieces) {
  std::string text;
  for (size_t i = 0; i < pieces.size() && i < replies.size(); ++i) {
    const std::string piece = ReplyField(replies[i], pieces[i].at, pieces[i].count);
    text += piece;
    if (piece.size() < pieces[i].count) break;
  }
  return text;
}

std::string HexToText(const std::string& hex, size_t length) {
  std::string out;
  out.reserve(length + 1);
  for (size_t i = 0; i < length; i += 2) {
    const int high = i < hex.size() ? HexDigitValue(hex[i]) : -1;
    const int low = i + 1 < hex.size() ? HexDigitValue(hex[i + 1]) : -1;
    const int value = high < 0 || low < 0 ? -1 : high * 16 + low;
    out += value >= 32 && value <= 125 ? static_cast<char>(value) : '.';
    out += ' ';
  }
  return out;
}

SelectionReadout ShowSelection(size_t selected, char decimalSeparator) {
  SelectionReadout r;
  r.bytes = std::to_string(selected / 2);
  if (selected % 2) r.bytes += std::string(1, decimalSeparator) + "5";
  char hex[24];
  std::snprintf(hex, sizeof hex, "x%03zX", selected / 2);
  r.hex = hex;
  return r;
}

bool TableIsSdt(const std::string& reply) {
  char c = reply.size() > 3 ? reply[3] : '\0';
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  const int value = c <= '9' ? c - '0' : c - 55;
  return (value & 8) != 0;
}

std::string AppendStatus(const std::string& current, const std::string& reply) {
  return current.substr(0, 255) + " " + ReplyField(reply, 3, 255);
}

std::string UpperCommand(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

std::optional<std::string> MpegAnalyzer::Dump(const std::vector<std::string>& queries,
                                              const std::vector<DumpPiece>& pieces) {
  if (!link.SendCommand(kAccessCode)) return std::nullopt;
  std::vector<std::string> replies;
  for (const std::string& q : queries) {
    std::string reply;
    if (!link.Query(q, reply)) return std::nullopt;
    replies.push_back(reply);
  }
  return AssembleDump(replies, pieces);
}

std::optional<std::string> MpegAnalyzer::PacketDump() {
  // The first reply is taken from its fourth character, the second from its eighth.
  return Dump({"*?DNP00078", "*?DNP07850"}, {{3, 244}, {7, 156}});
}

std::optional<std::string> MpegAnalyzer::SectionDump() {
  static const std::vector<std::string> queries = {"*?DN00007A", "*?DN007A7A", "*?DN00F47A",
                                                   "*?DN016E7A", "*?DN01E87A", "*?DN02627A",
                                                   "*?DN02DC7A", "*?DN03567A", "*?DN03D030"};
  std::vector<DumpPiece> pieces(8, DumpPiece{3, 244});
  pieces.push_back({3, 95});
  return Dump(queries, pieces);
}

namespace {

// The register's reply: "*I2" and at least the digit the table is read from.
std::optional<bool> ReadTable(MpegLink& link) {
  std::string reply;
  if (!link.Query("*?I2148001", reply) || reply.size() < 4 || reply.compare(0, 3, "*I2") != 0) return std::nullopt;
  return TableIsSdt(UpperCommand(reply.substr(0, 9)));
}

MpegAnalyzer::Table Shown(const std::optional<bool>& sdt) {
  if (!sdt) return MpegAnalyzer::Table::NoAnswer;
  return *sdt ? MpegAnalyzer::Table::Sdt : MpegAnalyzer::Table::Nit;
}

}  // namespace

MpegAnalyzer::Table MpegAnalyzer::ChangeTable(bool& sdtSelected) {
  link.SendCommand(kAccessCode);
  if (!link.SendCommand(sdtSelected ? "*I21487F" : "*I2148FF")) return Table::NotChanged;
  sdtSelected = !sdtSelected;
  return Shown(ReadTable(link));
}

MpegAnalyzer::Table MpegAnalyzer::RefreshTable(bool& sdtSelected) {
  const std::optional<bool> sdt = ReadTable(link);
  if (sdt) sdtSelected = *sdt;
  return Shown(sdt);
}

std::optional<std::string> MpegAnalyzer::Status(const std::string& current) {
  std::string reply;
  if (!link.Query("*?MP", reply)) return std::nullopt;
  return AppendStatus(current, reply);
}

MpegAnalyzer::Typed MpegAnalyzer::SendTyped(std::string& text, std::string& reply) {
  text = UpperCommand(text);
  reply.clear();
  if (text.size() < 3) return Typed::TooShort;
  if (text[1] == '?') {
    if (link.Query(text, reply)) return Typed::Query;
    reply.clear();
    return Typed::NoReply;
  }
  link.SendCommand(text);
  return Typed::Command;
}

const std::vector<std::string>& MpegAnalyzer::DirectLines(int button) {
  static const std::vector<std::string> lines[] = {{"S=0;0"}, {"S=0;1"}, {"V=P", "A=S", "T"},
                                                   {"S"},     {"T"},     {"V=P", "A=S"}};
  static const std::vector<std::string> none;
  return button >= 0 && button < 6 ? lines[button] : none;
}

void MpegAnalyzer::WriteDirect(int button) {
  for (const std::string& line : DirectLines(button)) link.WriteLine(line);
}

MpegAnalyzer::FlagWrite MpegAnalyzer::WriteFlag(const std::string& address, bool on, std::string& command) {
  if (address.size() != kFlagAddressLength) return FlagWrite::BadAddress;
  command = "*PT" + address + (on ? "0001" : "0000");
  link.SendCommand(kAccessCode);
  return link.SendCommand(command) ? FlagWrite::Accepted : FlagWrite::Refused;
}

std::optional<bool> MpegAnalyzer::ReadFlag(const std::string& address) {
  std::string reply;
  if (!link.Query("*?PT" + address + "02", reply)) return std::nullopt;
  return ReplyField(reply, 3, 4) != "0000";
}

void MpegAnalyzer::ReadDab(DabFields& fields) {
  std::string reply;
  fields.answered = link.Query("*?I21DA20005", reply);
  if (!fields.answered) {
    fields = DabFields{false, false, {}, {}, {}};
    return;
  }
  fields.locked = reply.size() > 4 && reply[4] == '1';
  if (fields.locked) {
    fields.snr = ReplyField(reply, 5, 4);
    fields.qual = ReplyField(reply, 9, 4);
  }
  reply.clear();
  fields.captura = link.Query("*?I21DA30002", reply) ? ReplyField(reply, 3, 4) : std::string();
}

void MpegAnalyzer::SelectAudio(const std::string& audio) { link.SendCommand("*I21DA18" + audio); }

bool MpegAnalyzer::SerialTest(int test) { return link.WriteRaw(test == 1 ? "*RC01\r" : "*RC05\r"); }

}  // namespace cv::cv4
