// The keywords of the dialect whose executors live elsewhere: registers and conditions, flash
// records and frequency words, register plans and configuration, data-logger dumps. Until they
// are built here, each parses normally and fails its statement with a clear result text, so a
// script using one stops at that line.
#include "Messages.h"
#include "MsgIds.h"
#include "Term.h"

bool TTerm::ExecutePending() {
  switch (Code()) {
    case kIf: case kIfVer: case kIfVer2: case kIfVer3: case kIfVer4: case kIfVer7:
      // A condition inside a skipped block still counts its depth, so that its ELSE and ENDIF
      // are matched.
      if (!ifLevels.Running()) {
        ifLevels.OpenBlock();
        resultText = "FALSE";
        return true;
      }
      break;
    default:
      if (!ifLevels.Running()) return resultText = "FALSE", true;
  }
  resultText = cv::Msg(cv::msg::term::NotYet);
  return false;
}
