#pragma once
// Records the pages the program asks the desktop to open (help pages), in place of a browser.
#include <QUrl>
#include <vector>

#include "Help.h"

class RecordingOpener : public cv::UrlOpener {
 public:
  RecordingOpener() { cv::SetUrlOpener(this); }
  ~RecordingOpener() override { cv::SetUrlOpener(nullptr); }
  bool OpenUrl(const QUrl& url) override {
    urls.push_back(url);
    return true;
  }
  std::vector<QUrl> urls;
};
