#pragma once
// What one CORVANE family's plan dialogs do their own way: the command table its combos and
// scripts use, the frequency ranges of its channels, its canalization script (writer, dialect,
// the other generation's directory line) and temporary file, and the texts that differ. The
// framework's editors take the CORVANE-3 record unless a family hands its own.
#include <string>

#include "Pll.h"
#include "Prompt.h"

#include <string_view>

#include <functional>
#include <vector>

#include "Chan3.h"
#include "PlanFormat.h"
#include "PlanReport.h"
#include "PlanSlot.h"

struct ScriptDialect;
class TScriptEngine;
using ScriptExecutor = bool (*)(TScriptEngine&);
// Declared only, so that the CORVANE-3 free lookups of CommandTable.h do not meet another
// family's lookups of the same names where this header is included.
class TCommandTable;
extern const TCommandTable kCv3CommandTable;

namespace cv::plan {

// The plan text file (Add and Extract) where a family's rules differ; the CORVANE-3's by default.
// The oscillator rule of satellite channels is the family's `ifToFreq` / `freqToIF`.
struct PlanTextRules {
  // Band letters whose plans the reader refuses with "These channels cannot be loaded" (a
  // family's third band is always taken).
  const char* refusedBands = "D";
  // A plan letter that names no band reads as a terrestrial plan instead of being refused.
  bool otherBandsTerrestrial = false;
  // The characters of a channel's name the reader keeps.
  size_t channelNameChars = 4;
  // One message for every refused value, its %s the numbered line; 0: a message naming the value.
  int badValueMsg = 0;
  // The log line of a refused file names the file (name and extension) instead of its path.
  bool errorLogNamesFile = false;
};

class PlanEditor;
class PlanScriptWriter;
class Report;
using FieldSplitter = std::function<bool(const std::string& line, std::vector<std::string>& fields)>;

struct PlanFamily {
  const TCommandTable* commands;
  const cv::FamilyRanges* ranges;
  // Where a channel read from a file may lie (satellite: the intermediate frequency), by
  // `cv::ChannelInBand`.
  const cv::FamilyRanges* channelRanges;
  const PlanScriptWriter* writer;
  const ScriptDialect& (*dialect)();
  // The other generation's directory line, rewritten for this family when the person agrees.
  bool (*convertDirectory)(const std::string& line, const std::string& modelName, cv::Prompter& prompter,
                           std::string& converted);
  int commandListSize;      // COMMAND3 entries the reader keeps
  // Whether channel lines after a plan's declared count are passed over (else they fail the read).
  bool skipsExtraChannels;
  const char* tempScript;   // the script Save and Send write in the working directory
  const char* loaderFile;   // the file Send needs beside the script; none when the meter has its own
  int scriptNotCreatedMsg;  // the message of a script file that cannot be written
  // Message ids of the hints that differ; 0 where the control has none.
  int sendHint, receiveHint, channelComm3Hint, channelCancelHint;
  // How many plan slots the family's instrument holds (at most kPlanSlots), and the message of a
  // directory that declares more (0: the framework's, which names 32).
  int planSlots = 32;
  int tooManyPlansMsg = 0;
  // A family with a third band: HEADER3's band number that reads as it (0: none), its band
  // letter, and the executor of its channel statement (CHAND: index, name, MHz, command).
  int thirdBandNumber = 0;
  char thirdBand = 'T';
  ScriptExecutor thirdBandChannel = nullptr;
  // Builds a channel read from a script or a plan file; the CORVANE-3 record's from MHz unless
  // given. `bandwidth` is in the family's unit.
  TChan3 (*channelFromMHz)(std::string_view name, float mhz, int32_t bandwidth, char band, std::string_view c1,
                           std::string_view c2, std::string_view c3) = nullptr;
  // CHAN3T's bandwidth: whole MHz (1), or MHz with decimals kept in hundredths (100).
  int bandwidthUnitsPerMHz = 1;
  // The bandwidth a channel of the third band gets, which no file carries.
  int32_t thirdBandBandwidth = 0;
  // A CHAN3S intermediate frequency outside the band is logged and taken as the band's fallback
  // (the message ids of its log lines), instead of failing the read; 0: it fails.
  int satelliteOutOfRangeMsg = 0;
  int satelliteFallbackMsg = 0;
  // The most channels a plan holds: what a plan header may declare, what the plan file readers
  // keep (a file with more is cut there, with a warning) and what the channel editor lets a plan
  // hold (Add, Block, a block's quantity).
  int maxPlanChannels = kMaxPlanChannels;
  // Rebuilds a channel from its PLL word for the channel editor's working copy; the CORVANE-3
  // record's from a word unless given, so that a family's record keeps its own rules.
  TChan3 (*channelFromWord)(std::string_view name, uint32_t word, int32_t bandwidth, char band,
                            std::string_view c1, std::string_view c2, std::string_view c3) = nullptr;
  // Builds a channel the instrument reported ("*?CI"'s word texts); the CORVANE-3 record's rules
  // with the family's ranges unless given.
  TChan3 (*channelFromTexts)(std::string_view name, std::string_view wordText, std::string_view word2Text,
                             char band, std::string_view c1, std::string_view c2, std::string_view c3) = nullptr;
  // Where a new channel or block of the band starts (MHz; satellite: the intermediate
  // frequency); 1500 for a satellite plan and 471.25 otherwise unless given.
  float (*newChannelMHz)(char band) = nullptr;
  // The band combo's caption of the third band, and the Extract hint where it differs (0: none).
  int thirdBandLabel = 0;
  int extractHint = 0;
  // The family's plan file: what Add reads from a file's lines and what Extract writes (a file
  // that cannot be written reported by it); the framework's plan text file, read and written with
  // `planText`, unless given.
  bool (*readPlanFile)(const TextFileLines& file, const std::string& path, const FieldSplitter& split,
                       PlanSlot& slot, Report& report) = nullptr;
  bool (*writePlanFile)(const std::string& path, const PlanSlot& slot, char decimalSeparator, char listSeparator,
                        Report& report) = nullptr;
  // How the channel dialogs turn a satellite channel's stored intermediate frequency into the
  // frequency a person sees and back (the C-band rule unless a family's meter adds plainly), and
  // the intermediate frequency a new satellite block starts from.
  float (*ifToFreq)(float oscillatorMHz, float intermediateMHz) = &cv::IFToFreq;
  float (*freqToIF)(float oscillatorMHz, float frequencyMHz) = &cv::FreqToIF;
  float satelliteBlockStartMHz = 1500.0f;
  // Send asks the meter first, then writes the script and passes it through `checkPlans` (none:
  // unchecked) before the loader check; otherwise the script is written before the meter is asked.
  bool sendAsksFirst = false;
  // The script Send writes and runs, where it is not `tempScript` (which Save then keeps).
  const char* sendScript = nullptr;
  bool (*checkPlans)(const PlanSlots& planSlots, Report& report) = nullptr;
  // A received plan whose channels stopped coming: the host log line (its text, then the plan's
  // name) and the box (the name for its %s), captioned "PLANS ERROR"; 0: only marked unread.
  int readPlanFailedLogMsg = 0;
  int readPlanFailedBoxMsg = 0;
  // What the channel dialogs accept when a frequency is typed or a block generated, where a
  // family's dialogs are narrower than its file readers (which may bring in a channel for the
  // plan check to judge); none: `channelRanges`.
  const cv::FamilyRanges* editorRanges = nullptr;
  PlanTextRules planText{};
};

// Whether a file may bring in a channel of the band at `mhz`.
inline bool InBand(const PlanFamily& family, char band, double mhz) {
  return cv::ChannelInBand(band, mhz, *family.channelRanges);
}
// Whether the channel dialogs take the frequency for a plan of the band.
inline bool EditorInBand(const PlanFamily& family, char band, double mhz) {
  return cv::ChannelInBand(band, mhz, family.editorRanges ? *family.editorRanges : *family.channelRanges);
}

// Whether the band is the family's third band (a family without one has none).
inline bool IsThirdBand(const PlanFamily& family, char band) {
  return family.thirdBandNumber != 0 && band == family.thirdBand;
}
// A channel of the family's record, from MHz or from its PLL word.
TChan3 MakeChannel(const PlanFamily& family, std::string_view name, float mhz, int32_t bandwidth, char band,
                   std::string_view c1 = {}, std::string_view c2 = {}, std::string_view c3 = {});
TChan3 MakeChannelFromWord(const PlanFamily& family, std::string_view name, uint32_t word, int32_t bandwidth,
                           char band, std::string_view c1 = {}, std::string_view c2 = {},
                           std::string_view c3 = {});
// Where the channel editor starts a new channel or block of the band.
float NewChannelMHz(const PlanFamily& family, char band);
// 8 MHz in the family's bandwidth unit, the bandwidth of a new channel.
inline int32_t NewChannelBandwidth(const PlanFamily& family) { return 8 * family.bandwidthUnitsPerMHz; }
// DeepCopyPlan with the family's channel record.
PlanSlot DeepCopyPlan(const PlanSlot& source, const PlanFamily& family);

const PlanFamily& Corvane3PlanFamily();

}  // namespace cv::plan
