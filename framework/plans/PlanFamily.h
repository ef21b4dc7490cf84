#pragma once
// What one CORVANE family's plan dialogs do their own way: the command table its combos and
// scripts use, the frequency ranges of its channels, its canalization script (writer, dialect,
// the other generation's directory line) and temporary file, and the texts that differ. The
// framework's editors take the CORVANE-3 record unless a family hands its own.
#include <string>

#include "Pll.h"
#include "Prompt.h"

struct ScriptDialect;
// Declared only, so that the CORVANE-3 free lookups of CommandTable.h do not meet another
// family's lookups of the same names where this header is included.
class TCommandTable;
extern const TCommandTable kCv3CommandTable;

namespace cv::plan {

class PlanScriptWriter;

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
};

const PlanFamily& Corvane3PlanFamily();

}  // namespace cv::plan
