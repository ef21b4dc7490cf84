#include "Cv4Dialect.h"

namespace cv::cv4 {

const ScriptDialect& Dialect() {
  static const ScriptDialect dialect = [] {
    ScriptDialect d = cv::script::Corvane3Dialect();
    d.Rename("IFVER3", "IFVER4");
    d.Rename("DIRECTORY3", "DIRECTORY4");
    d.versionMark = ' ';
    d.segmentRecord = "020000022000DC";
    d.planCap = 32;
    d.hexTriesStartDir = false;
    d.updSeconds = cv::script::UpdSecondsPerLine45;
    return d;
  }();
  return dialect;
}

}  // namespace cv::cv4
