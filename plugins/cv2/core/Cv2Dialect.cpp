#include "Cv2Dialect.h"

#include "Dv8Dialect.h"

namespace cv::cv2 {

const ScriptDialect& Dialect() {
  static const ScriptDialect dialect = [] {
    ScriptDialect d = cv::dv8::Dialect();
    d.plainIntermediate = false;
    return d;
  }();
  return dialect;
}

}  // namespace cv::cv2
