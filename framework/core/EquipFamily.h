#pragma once
// The values in which one CORVANE family's equipment object differs from another's. The
// framework's equipment object (TCv3Equip) runs on the CORVANE-3 record; a family's object hands
// its own record through TCv3Equip::Family(), and every framework operation and dialog that
// differs by family reads it there.
#include "CommandTable.h"
#include "Pll.h"

// The help topics of the tools' dialogs, in this order.
enum class HelpTopic { ChannelEditor, Channels, MemoryEditor, Memories, DataLogger, Configuration, Update, Monitor, Spectrum };
constexpr int kHelpTopics = 9;

struct TEquipFamily {
  const char* versionText;         // "Cv3Tools 1.22", in "Library %s loaded"
  const cv::FamilyRanges* ranges;  // frequency ranges: channels, tuning
  int fieldCount;                  // fields SplitFields keeps, at most kMaxFields
  // Where the version number of the "*?VE" reply starts: after the letter 'V', or (' ') after
  // the first blank; either is looked for from the reply's fourth character on.
  char versionMark;
  // Tools that need the port log their start line once their dialog exists (true), or before
  // they create it.
  bool startLineAfterDialog;
  const TCommandTable* commands;
  int helpFileId;                  // message id of the help file's name; 0: kPluginHelpFile
  const char* helpTopics[kHelpTopics];
  // The band letters a "*?JI" plan header may carry; any other reads as 'T' and fails the read.
  const char* planBands = "ST";
  // Whether SplitFields drops TAB characters from the fields (a file written by a spreadsheet).
  bool fieldsDropTabs = false;

  // Room in the equipment's field table for any family's count (a whole number of words).
  static constexpr int kMaxFields = 32;
};

extern const TEquipFamily kCorvane3Family;
