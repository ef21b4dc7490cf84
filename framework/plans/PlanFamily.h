#pragma once
// What one CORVANE family's plan dialogs do their own way: the command table its combos and
// scripts use, the frequency ranges of its channels, its canalization script (writer, dialect,
// the other generation's directory line) and temporary file, and the texts that differ. The
// framework's editors take the CORVANE-3 record unless a family hands its own.
#include <string>

#include "Pll.h"
#include "Prompt.h"

#include <string_view>

#include "Chan3.h"
#include "PlanSlot.h"

struct ScriptDialect;
class TScriptEngine;
using ScriptExecutor = bool (*)(TScriptEngine&);
// Declared only, so that the CORVANE-3 free lookups of CommandTable.h do not meet another
// family's lookups of the same names where this header is included.
class TCommandTable;
extern const TCommandTable kCv3CommandTable;

namespace cv::plan {

class PlanEditor;
class PlanScriptWriter;
class Report;

struct PlanFamily {
  const TCommandTable* commands;
  const cv::FamilyRanges* ranges;
  // Whether a channel frequency (satellite: the intermediate frequency) is one a plan may hold.
  bool (*inBand)(char band, double mhz);
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
  // The most channels a plan header may declare.
  int maxPlanChannels = kMaxPlanChannels;
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
  // A family's own plan text file for Extract and Add (slot `slot` of the editor); none: the
  // framework's.
  bool (*writePlanText)(PlanEditor& editor, const std::string& path, int slot) = nullptr;
  bool (*readPlanText)(PlanEditor& editor, const std::string& path, int slot) = nullptr;
};

const PlanFamily& Corvane3PlanFamily();

}  // namespace cv::plan
