// The Select-equipment dialog's reading of CvTools.cfg: "[" lines name a model, the line after
// each names its library. Input: the file, in the start directory beside two plug-in libraries.
// The dialog offers only libraries that are there and that the file names, each once, and lists
// under one exactly the models the file gives it, brackets taken out of their start.
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <set>

#include "FuzzSupport.h"
#include "PluginLibrary.h"
#include "Selectdlg.h"
#include "Text1252.h"

namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

const char* const kPresent[] = {"Cv3Tools", "XR9TOOLS"};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "cvfuzz";
  static char* argv[] = {name, nullptr};
  ::setenv("XDG_CONFIG_HOME", cvfuzz::ScratchDir().c_str(), 1);
  new QApplication(argc, argv);
  cv::SetPrompter(new cvfuzz::QuietPrompter);
  std::filesystem::current_path(cvfuzz::ScratchDir());
  for (const char* library : kPresent)
    cvfuzz::WriteScratch(std::string(library) + TPluginLibrary::LibrarySuffix(), "");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = cvfuzz::Text(data, size);
  cvfuzz::WriteScratch("CvTools.cfg", text);

  // The records as the file gives them: a "[" line and the line after it, CRs before LFs left out.
  std::vector<std::string> lines = cvfuzz::Lines(text);
  for (std::string& l : lines)
    if (!l.empty() && l.back() == '\r') l.pop_back();
  std::vector<std::pair<std::string, std::string>> records;
  for (size_t i = 0; i + 1 < lines.size(); ++i)
    if (!lines[i].empty() && lines[i][0] == '[') records.push_back({Upper(lines[i]), Upper(lines[i + 1])});

  TSelectEquipmentDlg dialog(nullptr);
  FUZZ_CHECK(dialog.ConfigRead());
  FUZZ_CHECK(dialog.models.size() == records.size());
  std::set<std::string> offered;
  for (const std::string& library : dialog.available) {
    FUZZ_CHECK(offered.insert(library).second);
    bool named = false;
    for (const auto& r : records) named = named || r.second == library;
    FUZZ_CHECK(named && (library == Upper(kPresent[0]) || library == Upper(kPresent[1])));
  }
  FUZZ_CHECK(dialog.ListDLLsComboBox->count() == static_cast<int>(dialog.available.size()));
  for (int option = 0; option < dialog.ListDLLsComboBox->count(); ++option) {
    dialog.ListDLLsComboBox->setCurrentIndex(option);
    dialog.ListDLLsComboBoxClick();
    QStringList shown, expected;
    for (int row = 0; row < dialog.EquipmentsListBox->count(); ++row)
      shown << dialog.EquipmentsListBox->item(row)->text();
    for (const auto& [model, library] : records) {
      if (library != dialog.available[option]) continue;
      const std::string head = model.substr(0, 33);
      std::string stripped;
      for (char c : head)
        if (c != '[' && c != ']') stripped.push_back(c);
      expected << cv::From1252(stripped + model.substr(head.size()));
    }
    FUZZ_CHECK(shown == expected);
  }
  return 0;
}
