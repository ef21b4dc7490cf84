// Canalization scripts of the TV MIRELTO plan editor: the file kind, the script reader with its
// statement dispatch and the ".CAN" files it names (one plan file, "a.can", lies beside it).
#include <QDir>

#include "Xr9InSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static cvfuzz::Xr9Loader* loader = [] {
    auto* l = new cvfuzz::Xr9Loader;
    cv::xr9::TPlanXR9 plan;
    plan.InUse = 3;
    plan.Name = "A";
    plan.Channels = std::vector<cv::xr9::TChanXR9>{cv::xr9::TChanXR9("ONE", 474000, 474000)};
    plan.ChannelCount = 1;
    cv::xr9::WriteBinaryPlan((cvfuzz::ScratchDir() / "a.can").string(), plan, 0, l->editor.Sinks());
    return l;
  }();
  const std::string path = cvfuzz::WriteScratch("in.PRO", cvfuzz::Text(data, size));
  const int kind = cv::xr9::DetectPlanFileKind(path, loader->editor.Sinks());
  FUZZ_CHECK(kind >= 0 && kind <= 2);
  loader->editor.ClearAllPlans();
  // The script's folder is the working directory while it loads, as the open dialog leaves it.
  const QString previous = QDir::currentPath();
  QDir::setCurrent(QString::fromStdString(cvfuzz::ScratchDir().string()));
  loader->in.LoadCanalization(path);
  QDir::setCurrent(previous);
  loader->CheckStore();
  return 0;
}
