#pragma once
// What a family varies in the memory editor: its record's wire form (one or several, chosen per
// transfer), its error lines, its memory text file and its frequency ranges. The editor, the
// settings dialog and their tests work on one record type, `MemoryRecord`, whatever the family.
// This class is the CORVANE-3 codec; a family derives and overrides what differs.
#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "MemoryCompatibility.h"
#include "MemoryFile.h"
#include "MemoryRecord.h"

namespace cv::mem {

class MemoryEquipment;

// What the compatibility check before a send decided.
enum class Compatibility {
  Taken,
  Refused,
  OptionsUnread,  // the meter did not say what it holds: nothing is taken
};

class MemoryCodec {
 public:
  virtual ~MemoryCodec() = default;

  // The record the table holds before anything was received or read.
  virtual MemoryRecord Cleared() const { return {}; }
  // Runs once the instrument answered "*?VE", before memories are received or sent: a family
  // with several record forms picks the form the instrument takes.
  virtual void ChooseForm(MemoryEquipment& /*equip*/) {}
  // Before Send One encodes its memory: false stops it (what stopped it is logged here). The
  // CORVANE-3 sends without asking; the families that ask first take `CheckedSendOne`.
  virtual bool BeginSendOne(MemoryEquipment& /*equip*/) { return true; }
  // Whether the instrument may take memories now; `checkNotLogging` is the editor's data-logger
  // question, which a meter without a logging state has no use for.
  virtual bool MaySend(MemoryEquipment& /*equip*/, const std::function<bool()>& checkNotLogging) const {
    return checkNotLogging();
  }
  // Whether the connected instrument takes every memory of `records` (the first is memory
  // `firstIndex` + 1), checked in order up to the first it refuses; the reasons are logged here.
  // Without `CompatibilityRules` every memory is taken; with them the meter's options are read
  // afresh for every check.
  Compatibility Compatible(std::span<const MemoryRecord> records, int firstIndex, MemoryEquipment& equip) const;
  // The box of a refusal (text and caption ids), for Send All or for Send One.
  std::pair<int, int> IncompatibleBox(bool all) const;
  // Whether the family checks its memories against the meter's options before a send.
  bool ChecksCompatibility() const { return compatibility != nullptr; }

  // The query of memory `number` (1..99).
  virtual std::string QueryCommand(int number) const;
  // The record text of `record`; a field the encoder completes (an LNB oscillator of 0) is
  // completed in `record`.
  virtual std::string Encode(MemoryRecord& record) const { return EncodeMemoryRecord(record); }
  // Whether `text` is a whole record of `record`, fit to be sent, and the log line when it is not.
  virtual bool Sendable(const std::string& text, const MemoryRecord& record) const {
    return MemoryRecordSendable(text, record.meas);
  }
  virtual int BadLengthMessage() const;
  // `complete` false: a reply the decoder cannot take, `record` unchanged. `index` is the memory
  // the record goes to.
  virtual DecodedMemory Decode(const std::string& reply, MemoryRecord& record) const {
    return DecodeMemoryRecord(reply, record);
  }
  // The log lines of a reply the decoder cannot take.
  virtual std::vector<std::string> RefusedReplyLines(const std::string& reply) const;
  virtual std::vector<std::string> ErrorLines(const MemErrors& errors, const MemoryRecord& record, int index) const {
    return MemoryErrorLines(errors, record, index);
  }
  // Whether a list entry's frequency lies in its band's range, and what it shows when not.
  virtual bool FreqInRange(char band, float mhz) const;
  virtual float FallbackFreq(char band) const;

  // The memory text file.
  virtual std::string FileHeader(char list) const { return MemoryFileHeader(list); }
  virtual std::string FormatFileRow(const MemoryRecord& record, char decimal, char list) const {
    return cv::mem::FormatFileRow(record, decimal, list);
  }
  // `numberOk` and `index` say which memory the row goes to.
  virtual ParsedRow ParseFileRow(const std::vector<std::string>& fields, MemoryRecord& record) const {
    return cv::mem::ParseFileRow(fields, record);
  }
  virtual std::vector<std::string> FileLines(const std::string& content) const { return cv::mem::FileLines(content); }
  virtual bool SkippedFileLine(const std::string& line) const { return cv::mem::SkippedFileLine(line); }
  virtual std::string RowText(const std::string& line) const { return cv::mem::RowText(line); }
  // The columns of a row as RowText leaves it.
  virtual int FileColumns() const { return kCv3FileColumns; }
  // Whether the reader, at the end of the file, takes the last row again for the rows still
  // wanted (each then names a memory already read, so the read still fails at the first gap).
  virtual bool RepeatsLastRow() const { return false; }
  // Why `record` cannot go into a memory file row (a number wider than its column), as the
  // message saving shows; empty when it can.
  virtual std::string Unwritable(const MemoryRecord& record) const;

 protected:
  // Send One's "*?VE" with its log line when unanswered, then the record form.
  bool CheckedSendOne(MemoryEquipment& equip);
  // What the meter holds, read before each compatibility check; false when it did not answer
  // (the equipment object has told the user).
  virtual bool ReadMeterOptions(MemoryEquipment& /*equip*/, MeterOptions& /*options*/) const { return false; }
  // The family's check before a send; none: the CORVANE-3, which takes every memory.
  const CompatibilityRules* compatibility = nullptr;
};

// The CORVANE-3 codec the editor takes when it is given none (it keeps no state).
MemoryCodec& Cv3MemoryCodec();

}  // namespace cv::mem
