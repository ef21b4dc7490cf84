#pragma once
// The plan editor without its form, loading files from a scratch folder that is the working
// directory while a test runs (as the open dialog leaves it), with the host's log memo, a
// recording prompter and a recording file chooser.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <string>

#include "AppServices.h"
#include "FileDialogs.h"
#include "HostForm.h"
#include "Xr9EditorFakes.h"
#include "Xr9Equip.h"
#include "Xr9PlanEditor.h"
#include "Xr9PlanIn.h"

namespace xr9test {

class PlanInFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    previous = QDir::currentPath();
    ASSERT_TRUE(dir.isValid());
    QDir::setCurrent(dir.path());
  }
  void TearDown() override { QDir::setCurrent(previous); }
  std::string Path(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(Path(name), std::ios::binary) << text;
  }

  QString previous;
  QTemporaryDir dir;
  HostForm host;
  cv::RecordingPrompter prompter;
  cv::RecordingFileChooser chooser;
  cv::xr9::TXR9Equip offline{&host.form, nullptr};
  FakeView view;
  cv::xr9::TPlanEditor editor{offline, prompter, view};
  cv::xr9::TPlanIn in{editor};
};

}  // namespace xr9test
