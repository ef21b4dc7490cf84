#pragma once
// What the memory editor benchmarks share: a screen that shows nothing, chooses no file and prints
// any box to stderr (answering No).
#include <QString>
#include <cstdio>
#include <string>

#include "AppServices.h"
#include "MemoryEditor.h"

class QuietMemoryScreen : public cv::Prompter, public cv::plan::FileChooser, public cv::mem::MemoryView {
 public:
  cv::MsgAnswer Message(cv::MsgIcon, const QString&, const QString& text, int) override {
    std::fprintf(stderr, "box: %s\n", text.toLocal8Bit().constData());
    return cv::MsgAnswer::No;
  }
  void Beep() override {}
  std::string OpenFile(const std::string&, const std::string&) override { return {}; }
  std::string SaveFile(const std::string&, const std::string&, const std::string&) override { return {}; }
  void SetGauge(int) override {}
  void ShowList() override {}
  void ShowButtons() override {}
};
