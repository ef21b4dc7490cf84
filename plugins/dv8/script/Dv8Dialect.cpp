#include "Dv8Dialect.h"

namespace cv::dv8 {

const ScriptDialect& Dialect() {
  static const ScriptDialect dialect = [] {
    ScriptDialect d = cv::script::Corvane3Dialect();
    d.Rename("IFVER3", "IFVER2");
    d.versionMark = ' ';
    d.plainIntermediate = true;
    return d;
  }();
  return dialect;
}

}  // namespace cv::dv8
