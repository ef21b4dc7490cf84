// The TV MIRELTO data logger's own forms (the observations and information questions, both
// measurement sheets, the waiting window of a report), made as the plug-in makes them, in English
// and in each language module built beside the program: no access key is used twice in one form.
// The data logger and plan editor themselves, and the plan editor's receive dialog, are opened from
// the main window by tests/host/test_langforms.cpp; these need a downloaded file and a report run.
#include <gtest/gtest.h>

#include <QFile>
#include <functional>
#include <memory>

#include "AccessKeys.h"
#include "AppServices.h"
#include "AskMultiInfoDlg.h"
#include "AskObsDlg.h"
#include "DataLoggerCtl.h"
#include "DataLoggerSheetDlg.h"
#include "DataLoggerSheetDlg_Sky.h"
#include "HostForm.h"
#include "Messages.h"
#include "SkySheetFake.h"
#include "StartDir.h"
#include "TempoMessageDlg.h"
#include "Xr9DlFixture.h"
#include "Xr9Equip.h"

using namespace cv::xr9;
namespace img = cvsim::xr9img;

namespace {

struct Forms {
  StartDir dir;
  cv::RecordingPrompter prompter;
  HostForm host;
  TXR9Equip equip{&host.form, nullptr};
  DataLoggerCtl ctl{equip, [](const std::string&) {}};
  std::array<std::string, 3> info;
  xr9test::SkySheetFake sky;

  Forms() {
    ctl.reportsEnabled = true;
    // A terrestrial file in slot 0 and a satellite one in slot 1.
    for (const auto& [name, type] : {std::pair{"TER.DL", 7}, std::pair{"SAT.DL", 5}}) {
      const auto image = img::DataLogFile(xr9test::DlGrid(3, 4, {0}, uint8_t(type)));
      EXPECT_GE(ctl.store.DecodeDataLogFile(image.data(), image.size(), name), 0);
    }
  }
  ~Forms() { ctl.skySheet = nullptr; }

  void Collect(QWidget* form, const char* key, cvtest::Keys& keys) {
    form->show();
    cvtest::CollectKeys(form, key, keys);
  }
  void CollectAll(cvtest::Keys& keys) {
    {
      TDataLoggerAskObsDlg d(nullptr, equip);
      Collect(&d, "AskObs", keys);
    }
    {
      TDataLogAskMultiInfoCvToolsDlg d(nullptr, equip, &info);
      d.FillFields();
      Collect(&d, "AskMultiInfo", keys);
    }
    {
      TDataLogAskMultiInfoSkyDlg d(nullptr, equip, &sky);
      d.FillFields();
      Collect(&d, "AskMultiInfoSky", keys);
    }
    {
      ctl.chosenKind = 5;
      TDataLoggerSheetDlg d(nullptr, ctl, equip);
      ASSERT_TRUE(d.Init());
      d.ShowFile(0);
      Collect(&d, "Sheet", keys);
    }
    {
      ctl.chosenKind = 3;
      TDataLoggerSheetDlg_Sky d(nullptr, ctl, equip);
      ASSERT_TRUE(d.Init());
      ctl.skySheet = &d.Sheet();
      d.ShowTerFile(0);
      d.ShowSatFile(1);
      Collect(&d, "SkySheet", keys);
      ctl.skySheet = nullptr;
    }
    {
      TTempoMessageDlg d(nullptr);
      Collect(&d, "TempoMessage", keys);
    }
  }
};

TEST(Xr9LanguageKeys, NoAccessKeyTwiceInTheDataLoggersFormsInAnyLanguage) {
  int languages = 0;
  for (const char* code : {"eng", "esp", "cat", "deu", "fra"}) {
    SCOPED_TRACE(code);
    const std::string module = std::string(CV_BIN_DIR "/XR9Tools.") + code;
    if (std::string(code) != "eng") {
      if (!QFile::exists(QString::fromStdString(module))) continue;
      ASSERT_TRUE(cv::LoadLanguageTable(module));
      ++languages;
    }
    cvtest::Keys keys;
    {
      Forms forms;
      ASSERT_NO_FATAL_FAILURE(forms.CollectAll(keys));
    }
    cvtest::ExpectNoKeyTwice(keys, code);
    cv::ResetLanguageTable();
  }
  EXPECT_GT(languages, 0) << "no language module beside the program";
}

}  // namespace
