#pragma once
// Read of a memory file that fails, through a family's editor form as a person uses it: 99
// memories received from the simulated meter, one edited, another line selected; then Read of a bad file
// (answering No to the save question) must leave the memories, the list, the selection, the
// modified mark and every button as they were, and say in a box which file, memory and field;
// so must a cancelled open dialog (without a box) and a file that does not open; a good file
// then replaces them. The rows every family runs are made by `FailedReadRows`.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AppServices.h"
#include "FileDialogs.h"
#include "Memdlg.h"
#include "MemoryTestKit.h"

namespace memtest {

struct FailedRead {
  std::string name;     // the row's, and the file's name
  std::string content;  // the file
  // What the box must say besides the file's name; empty: the file is good and replaces the set.
  std::vector<std::string> says;
  // What the open dialog gives: the file, nothing (Cancel), a folder's path, a file that is not
  // there (what root cannot read either).
  enum class Answer { File, Cancel, Folder, Missing } answer = Answer::File;
  // A good file whose rows hold values outside their ranges: how its one warning box begins.
  std::string warns{};
};

// The family's own file cut at a third (in a row) and at 700 bytes (in the comment block for some
// families), and what each box says of the memory it stopped at.
inline std::vector<FailedRead> FailedReadRows(const std::string& good, const std::string& third,
                                              const std::string& at700) {
  using A = FailedRead::Answer;
  return {{"third.csv", good.substr(0, good.size() / 3), {third}},
          {"cut700.csv", good.substr(0, 700), {at700}},
          {"cancel", "", {}, A::Cancel},
          {"folder", "", {"Unable to read data file"}, A::Folder},
          {"missing", "", {"Unable to read data file"}, A::Missing}};
}

// The form's state that a failed read must keep.
struct FormState {
  std::vector<QString> lines;
  int row = -1;
  bool modified = false;
  QString enabled;
  std::array<MemoryRecord, cv::mem::kMemoryCount> records{};
  bool operator==(const FormState&) const = default;
};

inline FormState StateOf(TMemoryDlg& d) {
  FormState s;
  for (int i = 0; i < d.MemoryListBox->count(); ++i) s.lines.push_back(d.MemoryListBox->item(i)->text());
  s.row = d.MemoryListBox->currentRow();
  s.modified = d.Editor().modified;
  for (QPushButton* b : {d.SaveBtn, d.ReadBtn, d.EditBtn, d.SendOneBtn, d.SendBtn, d.ReceiveBtn, d.CloseBtn})
    if (b->isEnabled()) s.enabled += b->objectName() + " ";
  if (d.MemoryListBox->isEnabled()) s.enabled += "list";
  s.records = d.Editor().records;
  return s;
}

// Each row of `rows` through a new form made by `make`, after its Receive and an edit of memory 3;
// `replacing` is a good file, whose memory 7 is named "NEW7".
inline void FailedReadsKeepTheSet(const std::function<std::unique_ptr<TMemoryDlg>()>& make,
                                  const std::vector<FailedRead>& rows, const std::string& replacing) {
  for (const FailedRead& row : rows) {
    SCOPED_TRACE(row.name);
    // A fatal check ends its row only.
    [&] {
      QTemporaryDir dir;
      using A = FailedRead::Answer;
      const QString badPath = row.answer == A::Folder ? dir.path() : dir.filePath(QString::fromStdString(row.name));
      const QString newPath = dir.filePath("new.csv");
      if (row.answer == A::File) {
        ASSERT_TRUE(WriteAll(badPath, row.content));
      }
      ASSERT_TRUE(WriteAll(newPath, replacing));
      cv::RecordingPrompter prompter;
      cv::RecordingFileChooser chooser;
      chooser.openAnswers = {row.answer == A::Cancel ? QStringList{} : QStringList{badPath}, {newPath}};
      std::unique_ptr<TMemoryDlg> d = make();
      d->show();
      d->ReceiveBtn->click();
      ASSERT_EQ(d->MemoryListBox->count(), 99);
      d->settingsEditor = [](TMemoryDlg* owner) {
        std::copy_n("EDIT", 4, owner->Editor().current.label);
        return true;
      };
      d->MemoryListBox->setCurrentRow(2);
      d->EditBtn->click();
      d->MemoryListBox->setCurrentRow(5);
      const FormState before = StateOf(*d);
      ASSERT_TRUE(before.modified);
      ASSERT_TRUE(prompter.shown.empty());

      prompter.answers = {cv::MsgAnswer::No};  // read on without saving the edit
      d->ReadBtn->click();
      ASSERT_EQ(chooser.opens.size(), 1);
      if (row.says.empty() && row.answer == A::File) {
        ASSERT_EQ(prompter.shown.size(), row.warns.empty() ? 1u : 2u);
        if (!row.warns.empty()) {
          const std::string box = cv::To1252(prompter.shown.back().text);
          EXPECT_EQ(box.rfind(row.warns, 0), 0u) << box;
          EXPECT_EQ(prompter.shown.back().icon, cv::MsgIcon::Warning);
        }
        EXPECT_EQ(d->MemoryListBox->count(), 99);
        EXPECT_FALSE(d->Editor().modified);
        EXPECT_NE(StateOf(*d).records, before.records);
        return;
      }
      EXPECT_EQ(StateOf(*d), before);
      const size_t boxes = row.answer == A::Cancel ? 1 : 2;
      ASSERT_EQ(prompter.shown.size(), boxes);
      const std::string box = cv::To1252(prompter.shown.back().text);
      if (row.answer == A::File) {
        EXPECT_EQ(box.rfind("Couldn't read memories from " + row.name + ":\n", 0), 0u) << box;
      }
      for (const std::string& part : row.says) EXPECT_NE(box.find(part), std::string::npos) << part << " in " << box;
      EXPECT_TRUE(d->isVisible());

      // A good file replaces them all.
      prompter.answers = {cv::MsgAnswer::No};
      d->ReadBtn->click();
      EXPECT_EQ(prompter.shown.size(), boxes + 1);
      EXPECT_EQ(d->MemoryListBox->count(), 99);
      EXPECT_EQ(std::string(d->Editor().records[6].label, 4), "NEW7");
      EXPECT_NE(std::string(d->Editor().records[2].label, 4), "EDIT");
      EXPECT_FALSE(d->Editor().modified);
      EXPECT_EQ(StateOf(*d).enabled, before.enabled);
    }();
  }
}

// `content` with the label of memory 7 (the seventh row) named "NEW7".
inline std::string WithNewSeventhLabel(std::string content) {
  size_t at = 0;
  for (int rows = 0; at < content.size();) {
    if (content[at] != '#' && ++rows == 7) break;
    at = content.find('\n', at) + 1;
  }
  content.replace(at + 3, 4, "NEW7");
  return content;
}

// The CORVANE-3 test file (list ';', decimal ',') with memory 4 on `band` at `freq` as its
// column holds it ("0870,00"): another family's memories where that family's ranges differ.
inline std::string Cv3FileWithMemory4(char band, const std::string& freq) {
  std::vector<std::string> lines = SplitLines(ReadAll(QString(CV_TEST_DATA_DIR) + "/memories/semicolon.csv"));
  lines[23][8] = band;
  lines[23].replace(18, freq.size(), freq);
  std::string content;
  for (const std::string& l : lines) content += l + "\n";
  return content;
}

// The CORVANE-PLENAR's file of its simulated meter's memories, memory 4 a satellite one at
// 1020 MHz.
inline std::string PlenarFile() { return ReadAll(QString(CV_TEST_DATA_DIR) + "/memories/plenar.csv"); }

// The file `rig`'s family writes of `records`.
template <class R>
std::string FamilyFile(R& rig, const std::array<MemoryRecord, cv::mem::kMemoryCount>& records) {
  QTemporaryDir dir;
  rig.editor.records = records;
  const QString path = dir.filePath("family.csv");
  EXPECT_TRUE(rig.editor.WriteMemoryFile(path.toStdString()));
  return ReadAll(path);
}

}  // namespace memtest
