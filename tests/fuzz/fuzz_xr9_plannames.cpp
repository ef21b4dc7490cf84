// Plan names through the canalization script writer and reader: each input line is a plan name
// (its first 12 bytes). The plans are saved as SAVE ONE PLAN names their files, the script is
// written, then loaded again as LOAD CANALIZATION does: every plan must come back in order with its
// channel, under its own name unless it shared its file name with an earlier plan.
#include <QDir>
#include <filesystem>

#include "Xr9InSupport.h"
#include "Xr9PlanFiles.h"
#include "Xr9PlanOut.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static cvfuzz::Xr9Loader* loader = new cvfuzz::Xr9Loader;
  std::vector<cv::xr9::TPlanXR9> store;
  for (const std::string& line : cvfuzz::Lines(cvfuzz::Text(data, size))) {
    if (line.empty() || store.size() == 16) continue;
    cv::xr9::TPlanXR9 plan;
    plan.InUse = 3;
    plan.Name = line.substr(0, cv::xr9::PlanNameMax);
    plan.Channels = std::vector<cv::xr9::TChanXR9>{
        cv::xr9::TChanXR9("C", 474000 + 8000 * static_cast<uint32_t>(store.size()), 474000)};
    plan.ChannelCount = 1;
    store.push_back(plan);
  }
  const std::filesystem::path folder = cvfuzz::ScratchDir() / "names";
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  std::filesystem::create_directories(folder);
  const std::vector<std::string> files = cv::xr9::PlanFileNames(store);
  for (size_t i = 0; i < store.size(); ++i)
    FUZZ_CHECK(cv::xr9::WriteBinaryPlan((folder / cv::xr9::FileSystemName(files[i])).string(), store[i],
                                        static_cast<int>(i), loader->editor.Sinks()));
  const std::string script = (folder / "set.PRO").string();
  FUZZ_CHECK(cv::xr9::WriteCanalizationScript(store, script, loader->editor.Sinks()));

  loader->editor.ClearAllPlans();
  const QString previous = QDir::currentPath();
  QDir::setCurrent(QString::fromStdString(folder.string()));
  const bool loaded = loader->in.LoadCanalization(script);
  QDir::setCurrent(previous);
  FUZZ_CHECK(loaded);
  loader->CheckStore();
  FUZZ_CHECK(loader->editor.ListedPlans() == static_cast<int>(store.size()));
  for (size_t i = 0; i < store.size(); ++i) {
    const cv::xr9::TPlanXR9& got = loader->editor.plans[i];
    // A plan whose name met another's in one file name comes back under that file's name.
    FUZZ_CHECK(got.Name == (files[i] == cv::xr9::PlanFileName(store[i].Name) ? store[i].Name
                                                                             : cv::xr9::PlanNameFromFile(files[i])));
    FUZZ_CHECK(got.Channels && got.Channels->size() == 1 && (*got.Channels)[0].value1 == (*store[i].Channels)[0].value1);
  }
  return 0;
}
