#pragma once
// A terminal under test: its registry and start directory in a temporary place, message boxes
// recorded, no window, and optionally a simulated instrument on COM1 (COM2 to COM4 lead nowhere
// unless a test maps them).
#include <gtest/gtest.h>

#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "AppServices.h"
#include "HostHome.h"
#include "PortMap.h"
#include "SRecordSink.h"
#include "Corvane1Profile.h"
#include "Simulator.h"
#include "Term.h"

struct FakeOwner : TermOwner {
  std::vector<std::string> log;
  std::string detected;
  std::function<void()> onRepaint;
  void AddLog(const std::string& line) override { log.push_back(line); }
  std::string DetectedPort() const override { return detected; }
  void Repaint() override {
    if (onRepaint) onRepaint();
  }
  bool Logged(const std::string& part) const {
    for (const auto& l : log)
      if (l.find(part) != std::string::npos) return true;
    return false;
  }
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline std::string MaskDates(std::string text) {
  return std::regex_replace(text, std::regex(R"(\d{1,2}/\d{1,2}/\d{4} \(\d{1,2}:\d\d\))"), "<date> (<time>)");
}

// The statement lines of a transcript, without header, comments and footer. DISPLAY's and the
// transfers' lines keep the CR LF they begin with.
inline std::vector<std::string> Statements(std::string transcript) {
  const size_t footer = transcript.rfind("#\n# End:");
  if (footer != std::string::npos) transcript.resize(footer);
  for (size_t p; (p = transcript.find("\r\n")) != std::string::npos;) transcript.replace(p, 2, "\n\x01");
  std::vector<std::string> out;
  std::stringstream in(transcript);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#' || line[0] == ' ') continue;
    if (line[0] == '\x01') line = "\r\n" + line.substr(1);
    out.push_back(line);
  }
  return out;
}

// Compares with tests/data/terminal/<name>; CV_UPDATE_GOLDEN=1 rewrites the golden file.
inline void ExpectGolden(const std::string& actual, const std::string& name) {
  const std::string path = std::string(CV_TEST_DATA_DIR) + "/terminal/" + name;
  if (std::getenv("CV_UPDATE_GOLDEN")) WriteFile(path, actual);
  EXPECT_EQ(actual, ReadFile(path)) << name;
}

struct TermTest : ::testing::Test {
  HostHome home;
  cv::RecordingPrompter prompter;
  FakeOwner owner;
  std::unique_ptr<cvsim::Simulator> sim;
  std::unique_ptr<TTerm> term;
  cv::FakeClock fake;

  TermTest() {
    for (int n = 1; n <= 4; ++n) unsetenv(("CV_PORT_COM" + std::to_string(n)).c_str());
    cv::SetPortPaths({{1, "/nonexistent/com1"}, {2, "/nonexistent/com2"}, {3, "/nonexistent/com3"},
                      {4, "/nonexistent/com4"}});
    fake.pumpStepMs = 100;
  }
  ~TermTest() override {
    term.reset();
    cv::SetPortPaths({});
  }

  // The simulator on COM<n> (and on no other port).
  void StartSim(int com = 1, std::unique_ptr<cvsim::Profile> profile = nullptr) {
    sim = std::make_unique<cvsim::Simulator>(profile ? std::move(profile)
                                                     : std::make_unique<cvsim::Corvane3Profile>());
    std::string error;
    ASSERT_TRUE(sim->Start(&error)) << error;
    std::map<int, std::string> paths;
    for (int n = 1; n <= 4; ++n) paths[n] = n == com ? sim->Path() : "/nonexistent/com" + std::to_string(n);
    cv::SetPortPaths(paths);
  }
  TTerm& MakeTerm() {
    term = std::make_unique<TTerm>(owner);
    term->showWindow = false;
    return *term;
  }
  // A terminal with its port open on COM1 and the instrument's readiness (XON) waiting in it.
  void OpenOnSim() {
    MakeTerm();
    term->portName = "COM1";
    ASSERT_TRUE(term->OpenPort());
    Ready();
  }
  // The instrument announces that it is ready (XON), once the terminal's port can see it: the
  // simulator drops bytes until it has noticed that the port was opened.
  void Ready() {
    for (int attempt = 0; attempt < 20; ++attempt) {
      sim->SendXon();
      sim->WaitTxIdle();
      if (cv::SerialWaitReadable(term->port, 50)) return;
    }
    ADD_FAILURE() << "the XON never reached the terminal's port";
  }
  void UseFakeClock() {
    term->clock = &fake;
    term->sliceMs = 0;
  }
  // Queues a key record for the console.
  void Key(uint8_t ch, bool alt = false,
           cv::ConsoleInput::Key key = cv::ConsoleInput::Key::Char) {
    term->console.input.push_back({true, key, ch, alt});
  }
  // Drives a running terminal: while it runs (checked every few milliseconds) each step in turn
  // runs until it returns true; after the last one, or after `limitMs` at the latest, Alt+Q is
  // queued. The terminal discards input queued before its port opens, so keys go in from steps.
  void Drive(std::vector<std::function<bool()>> steps, int limitMs = 3000) {
    auto* timer = new QTimer;
    const auto start = std::chrono::steady_clock::now();
    auto at = std::make_shared<size_t>(0);
    QObject::connect(timer, &QTimer::timeout, [this, timer, steps, start, limitMs, at] {
      const bool late = std::chrono::steady_clock::now() - start > std::chrono::milliseconds(limitMs);
      while (!late && *at < steps.size() && steps[*at]()) ++*at;
      if (late || *at == steps.size()) {
        Key('q', true);
        timer->stop();
        timer->deleteLater();
      }
    });
    timer->start(5);
  }
  // A terminal on the real clock with its port open on the simulator running `profile`, ready for
  // a script run (the per-run state reset as the run dialog resets it).
  void StartOn(std::unique_ptr<cvsim::Profile> profile) {
    StartSim(1, std::move(profile));
    OpenOnSim();
    term->ResetRunState();
  }
  // A run ends by dropping whatever the port still holds, so the instrument announces its
  // readiness again before each one.
  bool RunScript(const std::string& text, const std::string& name = "d.pro") {
    if (sim && term->port != cv::kInvalidSerialHandle && !sim->GetFaults().silent) Ready();
    return term->RunProFile(Script(name, text));
  }
  // The screen's rows first..last as text, trailing blanks cut.
  std::string ScreenText(int first, int last) {
    std::string out;
    for (int y = first; y <= last; ++y) {
      std::string row = term->console.screens[0].Row(y);
      row.erase(row.find_last_not_of(' ') + 1);
      out += row + "\n";
    }
    return out;
  }
  std::function<bool()> PortOpen() {
    return [this] { return term->port != cv::kInvalidSerialHandle; };
  }
  std::function<bool()> Keys(const std::string& keys, bool alt = false) {
    return [this, keys, alt] {
      for (char c : keys) Key(static_cast<uint8_t>(c), alt);
      return true;
    };
  }

  // A script file in the start directory.
  std::string Script(const std::string& name, const std::string& text) {
    const std::string path = home.Path(QString::fromStdString(name));
    WriteFile(path, text);
    return path;
  }
  std::string Transcript(const std::string& name) {
    std::string text = ReadFile(home.Path(QString::fromStdString(name)));
    const std::string dir = home.path().toStdString();
    for (size_t p; (p = text.find(dir)) != std::string::npos;) text.replace(p, dir.size(), "<dir>");
    return text;
  }
  // The cells of rows first..last: per row the characters (code page 437 shown as Unicode) and
  // then the attributes in hex.
  static std::string Cells(const cv::ConsoleScreen& s, int first, int last) {
    std::string out;
    for (int y = first; y <= last; ++y) {
      QString text;
      std::string attrs;
      char hex[4];
      for (int x = 0; x < cv::kConsoleWidth; ++x) {
        text += QChar(cv::Cp437ToUnicode(s.At(x, y).ch));
        std::snprintf(hex, sizeof hex, "%02X", s.At(x, y).attr);
        attrs += hex;
      }
      char label[8];
      std::snprintf(label, sizeof label, "%02d ", y);
      out += label + text.toStdString() + "|\n" + label + attrs + "\n";
    }
    return out;
  }
};
