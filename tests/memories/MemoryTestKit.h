#pragma once
// Shared set-ups of the memory tests: the editor's rules over a CORVANE-3 equipment object whose
// log goes to a host form, with a scripted file chooser, a recording view and the recording
// prompter; the simulator's default memories as records.
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "AppServices.h"
#include "Cv3Equip.h"
#include "Cv3MemoryEquipment.h"
#include "HostForm.h"
#include "MemoryEditor.h"
#include "Simulator.h"
#include "Text1252.h"

namespace memtest {

// A terrestrial PAL_BG LEVEL memory at 48.25 MHz, tuned by frequency, number 5.
inline MemoryRecord TerLevel() {
  MemoryRecord r;
  r.number = 5;
  std::copy_n("M005", 5, r.label);
  r.band = 'T';
  r.color = '0';
  r.std = '0';
  r.freq = 48.25f;
  r.chFr = '1';
  r.codePlan = 1;
  r.units = '0';
  r.lnbSup = '1';
  r.meas = '0';
  r.sound = '6';
  r.bw = 8;
  return r;
}

class ScriptedChooser : public cv::plan::FileChooser {
 public:
  std::string OpenFile(const std::string&, const std::string&) override {
    ++opens;
    return openPath;
  }
  std::string SaveFile(const std::string&, const std::string& ext, const std::string&) override {
    ++saves;
    defaultExt = ext;
    return savePath;
  }
  std::string openPath, savePath, defaultExt;
  int opens = 0, saves = 0;
};

class RecordingView : public cv::mem::MemoryView {
 public:
  void SetGauge(int percent) override {
    gauges.push_back(percent);
    if (onGauge) onGauge(percent);
  }
  std::function<void(int percent)> onGauge;  // a test's hook into a transfer under way
  void ShowList() override {}
  void ShowButtons() override {}
  std::vector<int> gauges;
};

// The editor on an equipment object with `port` (none: offline).
struct Rig {
  explicit Rig(TSerial* port = nullptr, char decimal = ',', char list = ';') : equip(&host.form, port) {
    equip.decimalSeparator = decimal;
    equip.listSeparator = list;
  }
  std::vector<std::string> Log() const {
    std::vector<std::string> lines;
    for (const QString& l : host.Lines()) lines.push_back(cv::To1252(l));
    return lines;
  }
  bool Logged(const std::string& line) const {
    for (const std::string& l : Log())
      if (l == line) return true;
    return false;
  }
  HostForm host;
  TCv3Equip equip;
  cv::mem::Cv3MemoryEquipment link{equip};
  ScriptedChooser chooser;
  RecordingView view;
  cv::RecordingPrompter prompter;
  cv::mem::MemoryEditor editor{link, prompter, chooser, view};
};

// The editor on a family's equipment object E (with `port`; none: offline) and its codec C, made
// from the object's version text or from the object itself when C takes one.
template <class E, class C>
struct FamilyRig {
  explicit FamilyRig(TSerial* port = nullptr, char decimal = ',', char list = ';')
      : equip(TCv3Equip::Build<E>(&host.form, port)) {
    equip->decimalSeparator = decimal;
    equip->listSeparator = list;
  }
  std::vector<std::string> Log() const {
    std::vector<std::string> lines;
    for (const QString& l : host.Lines()) lines.push_back(cv::To1252(l));
    return lines;
  }
  bool Logged(const std::string& line) const {
    const std::vector<std::string> lines = Log();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  static C MakeCodec(E& e) {
    if constexpr (std::is_constructible_v<C, std::string>)
      return C(e.VersionText());
    else if constexpr (std::is_constructible_v<C, E&>)
      return C(e);
    else
      return C();
  }
  HostForm host;
  std::unique_ptr<E> equip;
  cv::mem::Cv3MemoryEquipment link{*equip};
  C codec = MakeCodec(*equip);
  ScriptedChooser chooser;
  RecordingView view;
  cv::RecordingPrompter prompter;
  cv::mem::MemoryEditor editor{link, prompter, chooser, view, codec};
};

// `r` changed by `change`.
inline MemoryRecord With(MemoryRecord r, const std::function<void(MemoryRecord&)>& change) {
  change(r);
  return r;
}

// The lines of `lines` that begin with `prefix`.
inline std::vector<std::string> LinesStarting(const std::vector<std::string>& lines, const std::string& prefix) {
  std::vector<std::string> out;
  for (const std::string& l : lines)
    if (l.rfind(prefix, 0) == 0) out.push_back(l);
  return out;
}

// The lines of a file's content, without their LF.
inline std::vector<std::string> SplitLines(const std::string& content) {
  std::vector<std::string> lines;
  for (size_t at = 0; at < content.size();) {
    size_t end = content.find('\n', at);
    if (end == std::string::npos) end = content.size();
    lines.push_back(content.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

// The simulator's 99 default memories, decoded.
inline std::array<MemoryRecord, cv::mem::kMemoryCount> DefaultRecords() {
  std::array<MemoryRecord, cv::mem::kMemoryCount> records{};
  for (int n = 1; n <= cv::mem::kMemoryCount; ++n)
    cv::mem::DecodeMemoryRecord(cvsim::Corvane3Profile::DefaultMemory(n), records[n - 1]);
  return records;
}

// Four-character labels that a row must keep apart from its separators: the list separators, the
// decimal characters, a leading '#' or blank, quotes, Windows-1252 letters.
inline std::vector<std::string> HostileLabels() {
  return {"A;B ", ";;;;", "A,B,", ",,,,", "1.5;", "#;,.", " #AB", "\"a;'", "\xE9t\xE9;", ",\xA3;\"", ";   "};
}

// Saves the editor's records with Save in `path` and reads them back with Read.
template <class R>
void SaveAndRead(R& rig, const std::string& path) {
  rig.editor.loaded = true;
  rig.chooser.savePath = path;
  EXPECT_TRUE(rig.editor.SaveBtnClick());
  rig.editor.records.fill(MemoryRecord{});
  rig.chooser.openPath = path;
  rig.editor.ReadBtnClick();
  EXPECT_TRUE(rig.editor.loaded);
}

// The first memories of `editor` take the hostile labels, are saved and read back; returns the
// records the file should give back: those of the same file without the labels (a family's file
// may leave out what a memory does not use), with the labels. The file writes a label's '.' as
// the decimal separator, so with a decimal comma the label's commas come back as points.
template <class R>
std::array<MemoryRecord, cv::mem::kMemoryCount> SaveAndReadHostileLabels(R& rig, char decimal,
                                                                         const std::string& path) {
  SaveAndRead(rig, path);
  auto expected = rig.editor.records;
  const std::vector<std::string> labels = HostileLabels();
  for (size_t i = 0; i < labels.size(); ++i) {
    std::memcpy(rig.editor.records[i].label, labels[i].data(), 4);
    std::string back = labels[i];
    if (decimal == ',') std::replace(back.begin(), back.end(), ',', '.');
    std::memcpy(expected[i].label, back.data(), 4);
  }
  SaveAndRead(rig, path);
  EXPECT_EQ(rig.editor.records, expected);
  return expected;
}

// The user's path with the hostile labels, for both separator settings: Save and Read give every
// memory back as the file should, and Send All to the (simulated) meter and Receive its labels.
template <class R, class Load>
void HostileLabelsThroughTheMeter(R& rig, TCv3Equip& equip, Load loadDefaults) {
  for (const char* separators : {",;", ".,"}) {
    SCOPED_TRACE(separators);
    equip.decimalSeparator = separators[0];
    equip.listSeparator = separators[1];
    loadDefaults();
    QTemporaryDir dir;
    const auto expected = SaveAndReadHostileLabels(rig, separators[0], dir.filePath("labels.csv").toStdString());
    EXPECT_FALSE(rig.Logged("Reading memories failed"));
    rig.editor.SendBtnClick();
    EXPECT_TRUE(rig.Logged("Sending memories complete"));
    rig.editor.records.fill(MemoryRecord{});
    rig.editor.ReceiveBtnClick();
    // The meter keeps its own form of what a file leaves out; the labels it gives back are the file's.
    for (int i = 0; i < cv::mem::kMemoryCount; ++i)
      EXPECT_EQ(std::string(rig.editor.records[i].label, 4), std::string(expected[i].label, 4)) << i + 1;
    rig.host.Clear();
  }
}

// The box of a Receive whose memory `n` came and was refused, for the reasons logged (`why`).
inline std::string ReceiveRefusedBox(int n, const std::vector<std::string>& why) {
  std::string lines;
  for (const std::string& line : why) lines += line + "\n";
  return "Error receiving data\nMemory number " + std::to_string(n) +
         " came from the equipment but could not be taken:\n" + lines +
         "The list holds only the memories before it, which cannot be edited, saved or sent until all 99 are "
         "received or read.";
}

// The box of a Receive that stopped before memory `missing`.
inline std::string ReceiveFailedBox(int missing) {
  return "Error receiving data\nNothing came from memory number " + std::to_string(missing) +
         " on: the list holds only the memories before it, which cannot be edited, saved or sent until all 99 "
         "are received or read.";
}

inline std::string ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("<missing>");
}

inline bool WriteAll(const QString& path, const std::string& content) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(content.data(), static_cast<qint64>(content.size())) ==
                                             static_cast<qint64>(content.size());
}

}  // namespace memtest
