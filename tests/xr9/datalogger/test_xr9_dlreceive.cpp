// Listing, receiving and storing the analyser's data-logger files through the dialog's
// controller, against the simulated analyser over a pseudo-terminal.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <deque>
#include <functional>

#include "DataLoggerCtl.h"
#include "FileSizeLimit.h"
#include "Xr9DlFixture.h"
#include "Xr9Sim.h"
#include "Xr9TestFiles.h"

using namespace cv::xr9;

namespace {

class DlReceive : public Xr9Sim {
 protected:
  void SetUp() override {
    Xr9Sim::SetUp();
    ASSERT_TRUE(folder.isValid());
    ctl = std::make_unique<DataLoggerCtl>(*equip, [this](const std::string& l) { memo << QString::fromStdString(l); });
    ctl->folder = folder.path().toStdString();
    OpenLink();
  }
  QStringList Boxes() const {
    QStringList l;
    for (const auto& s : prompter.shown) l << s.caption + ": " + s.text;
    return l;
  }
  std::string Stored(const QString& name) const {
    QFile f(folder.filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("<missing>");
  }
  void Put(const QString& name, const std::string& bytes) {
    QFile f(folder.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), qint64(bytes.size()));
  }
  // Lists the analyser's files and ticks `items`.
  void ListAndTick(std::initializer_list<int> items) {
    ctl->ListAll();
    for (int i : items) ctl->SetTicked(i, true);
    memo.clear();
    prompter.shown.clear();
  }

  QTemporaryDir folder;
  QStringList memo;
  std::unique_ptr<DataLoggerCtl> ctl;
};

const std::string kGood = xr9test::DlBytes(xr9test::DlFixture());
const std::string kOther = xr9test::DlBytes(xr9test::DlGrid(2, 3));

}  // namespace

TEST(DlNames, ListedNamesBecomeFileNamesInsideTheFolder) {
  const std::pair<std::string, std::string> rows[] = {
      {"PLAIN", "PLAIN"}, {"A/B", "A_B"}, {"A\\B", "A_B"}, {"..", "__"}, {"..X", "__X"}, {"X..", "X.."},
      {std::string("T\tAB\x7F", 5), "T_AB_"}, {"", "_"}};
  for (const auto& [listed, file] : rows) EXPECT_EQ(DataLoggerCtl::SafeFileName(listed), file) << listed;
}

TEST_F(DlReceive, ListingStopsAtTheLimits) {
  Analyser([](cvsim::Xr9Profile& p) {
    for (int i = 0; i < 250; ++i) p.PutFile(10, "F" + std::to_string(i), "x");
  });
  ctl->ListAll();
  EXPECT_EQ(ctl->ItemCount(), 200);
  EXPECT_EQ(ctl->Entry(199).name, "F199");
  EXPECT_EQ(ctl->Entry(199).state, TDataLogListEntry::ListedOnly);
  EXPECT_EQ(Boxes(), QStringList({"Error: Maximum number of DataLogger files has been reached!"}));
  EXPECT_EQ(memo, QStringList({"Receiving list of DataLogger files.", "List of DataLogger files received."}));

  prompter.shown.clear();
  Analyser([](cvsim::Xr9Profile& p) {
    p.files.clear();
    p.PutFile(10, "A", "x");
    p.PutFile(10, "B", "yy");
    p.PutFile(10, "HUGE", std::string(520001, 'h'));
    p.PutFile(10, "D", "z");
  });
  ctl->ListAll();
  EXPECT_EQ(ctl->ItemCount(), 2);
  EXPECT_EQ(ctl->Entry(1).size, 2u);
  EXPECT_EQ(Boxes(), QStringList({"Error: DataLogger file too big !!"}));
}

TEST_F(DlReceive, ReceivesTickedFilesAndStoresThemInTheFolder) {
  Analyser([](cvsim::Xr9Profile& p) {
    p.PutFile(10, "GOOD", kGood);
    p.PutFile(10, "BADSUM", kGood);
    p.PutFile(10, "../UP/A/B", kOther);
    // Last: the analyser's ready mark after a reply cut short is read as part of it.
    p.PutFile(10, "CUT", kGood);
    p.badChecksumFiles = {"BADSUM"};
    p.shortFiles = {"CUT"};
  });
  ListAndTick({0, 1, 2, 3});
  ctl->ReceiveTicked();
  EXPECT_EQ(Boxes(), QStringList({"Error: Bad CRC Received", "Error: Bad CRC Received"}));
  const uint8_t states[] = {0, 255, 0, 255};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(ctl->Entry(i).state, states[i]) << i;
  EXPECT_EQ(Stored("GOOD.DL"), kGood);
  // The name keeps its listed form; only the file name loses what would leave the folder.
  EXPECT_EQ(ctl->Entry(2).name, "../UP/A/B");
  EXPECT_EQ(Stored("___UP_A_B.DL"), kOther);
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files, QDir::Name), QStringList({"GOOD.DL", "___UP_A_B.DL"}));
  EXPECT_TRUE(memo.contains("Reception has finished."));
  EXPECT_EQ(ctl->store.File(0).name, "GOOD");
  EXPECT_EQ(ctl->store.File(1).name, "../UP/A/B");
  EXPECT_TRUE(ctl->CanView());
  // A received item stays ticked; a listed-only one may be unticked; nothing is received twice.
  EXPECT_TRUE(ctl->SetTicked(0, false));
  EXPECT_FALSE(ctl->SetTicked(1, false));
  prompter.shown.clear();
  sim->ClearTraffic();
  ctl->SetTicked(3, false);
  ctl->ReceiveTicked();
  EXPECT_TRUE(prompter.shown.empty());
  for (const auto& line : sim->Lines()) EXPECT_NE(line.rfind("*?FL", 0), 0u) << line;
}

TEST_F(DlReceive, AnExistingFileIsKeptAsBakOrLeftAlone) {
  Analyser([](cvsim::Xr9Profile& p) { p.PutFile(10, "GOOD", kGood); });
  struct Row {
    const char* name;
    cv::MsgAnswer answer;
    bool olderBak;
    std::string dl, bak;
  } rows[] = {
      {"yes", cv::MsgAnswer::Yes, false, kGood, "old"},
      {"yes over an older copy", cv::MsgAnswer::Yes, true, kGood, "old"},
      {"no", cv::MsgAnswer::No, true, "old", "older"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    QFile::remove(folder.filePath("GOOD.BAK"));
    Put("GOOD.DL", "old");
    if (r.olderBak) Put("GOOD.BAK", "older");
    ListAndTick({0});
    prompter.answers = {r.answer};
    ctl->ReceiveTicked();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "Warning");
    EXPECT_EQ(prompter.shown[0].text, "File " + folder.filePath("GOOD.DL") + "\n already exists. Overwrite?");
    EXPECT_EQ(Stored("GOOD.DL"), r.dl);
    EXPECT_EQ(Stored("GOOD.BAK"), r.olderBak || r.answer == cv::MsgAnswer::Yes ? r.bak : "<missing>");
    // Stored or not, the file was received and decoded.
    EXPECT_EQ(ctl->Entry(0).state, TDataLogListEntry::Received);
    EXPECT_TRUE(ctl->CanView());
  }
}

TEST_F(DlReceive, NothingIsStoredWhereItCannotBe) {
  Analyser([](cvsim::Xr9Profile& p) { p.PutFile(10, "GOOD", kGood); });
  // The old file's copy cannot be made (a folder holds its name): the new file is not stored.
  Put("GOOD.DL", "old");
  ASSERT_TRUE(QDir(folder.path()).mkpath("GOOD.BAK/inside"));
  ListAndTick({0});
  ctl->ReceiveTicked();
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_EQ(prompter.shown[1].caption, "Error");
  EXPECT_TRUE(prompter.shown[1].text.startsWith("The file " + folder.filePath("GOOD.DL") + " could not be renamed"));
  EXPECT_EQ(Stored("GOOD.DL"), "old");

  // A write cut short by a file-size limit keeps the old file and its copy.
  QDir(folder.filePath("GOOD.BAK")).removeRecursively();
  ListAndTick({0});
  {
    cvtest::FileSizeLimit limit(64);
    ctl->ReceiveTicked();
  }
  EXPECT_EQ(Boxes(), QStringList({"Warning: File " + folder.filePath("GOOD.DL") + "\n already exists. Overwrite?",
                                  "Possible error: No s'ha escrit tot el fitxer binari!!"}));
  EXPECT_EQ(Stored("GOOD.DL"), "old");
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files, QDir::Name), QStringList({"GOOD.DL"}));

  // A missing folder.
  ctl->folder = folder.filePath("missing").toStdString();
  ListAndTick({0});
  ctl->ReceiveTicked();
  EXPECT_EQ(Boxes(), QStringList({"Error: The destination folder does not exist.\nThe file will not be saved."}));
  EXPECT_EQ(ctl->Entry(0).state, TDataLogListEntry::Received);

  // Saving switched off, and nothing ticked.
  QFile::remove(folder.filePath("GOOD.DL"));
  ctl->folder = folder.path().toStdString();
  ctl->saveReceived = false;
  ListAndTick({0});
  ctl->ReceiveTicked();
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_EQ(Stored("GOOD.DL"), "<missing>");
  EXPECT_TRUE(ctl->CanView());
  ListAndTick({});
  ctl->ReceiveTicked();
  EXPECT_EQ(Boxes(), QStringList({"User Error: No file selected!"}));
  EXPECT_FALSE(memo.contains("Reception has finished."));
}

// List drops the files in memory: received files that are on disk nowhere go only when the person
// agrees, and a listing that brings nothing back keeps every file.
TEST_F(DlReceive, ListKeepsReceivedFilesNotSavedUnlessToldTo) {
  Analyser([](cvsim::Xr9Profile& p) {
    p.PutFile(10, "SAVED", kGood);
    p.PutFile(10, "ONLY\xC9", kOther);
  });
  // SAVED goes to the folder; ONLY\xC9 is received with saving off.
  ListAndTick({0});
  ctl->ReceiveTicked();
  ctl->saveReceived = false;
  ctl->SetTicked(1, true);
  ctl->ReceiveTicked();
  ASSERT_EQ(ctl->Entry(1).state, TDataLogListEntry::Received);
  prompter.shown.clear();
  struct Row {
    const char* name;
    cv::MsgAnswer answer;
    bool analyserSilent;
    bool kept;
    QStringList boxes;
  } rows[] = {
      {"No keeps them", cv::MsgAnswer::No, false, true, {}},
      {"a silent analyser keeps them", cv::MsgAnswer::Yes, true, true, {"Error: Error. Equipment not detected"}},
      {"Yes lists afresh", cv::MsgAnswer::Yes, false, false, {}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    prompter.shown.clear();
    prompter.answers = {r.answer};
    Analyser([&](cvsim::Xr9Profile& p) {
      p.unansweredQuery = r.analyserSilent ? "*?VE" : "";
      p.unansweredFrom = 1;
    });
    ctl->ListAll();
    ASSERT_GE(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "Warning");
    EXPECT_EQ(prompter.shown[0].text, QString::fromLatin1("These received files have not been saved and will be dropped "
                                                          "from the list: ONLY\xC9\nList the files of the equipment all the same?"));
    EXPECT_EQ(Boxes().mid(1), r.boxes);
    EXPECT_EQ(ctl->Entry(1).state, r.kept ? TDataLogListEntry::Received : TDataLogListEntry::ListedOnly);
    EXPECT_EQ(ctl->CanView(), r.kept);
    if (r.kept) {
      EXPECT_EQ(ctl->ItemCount(), 2);
      EXPECT_EQ(ctl->store.File(1).name, "ONLY\xC9");
    }
    if (r.analyserSilent) {
      port.Close();
      ASSERT_NO_FATAL_FAILURE(OpenLink());
    }
  }
  // Nothing unsaved in memory: no question.
  prompter.shown.clear();
  ctl->saveReceived = true;
  ctl->SetTicked(0, true);
  ctl->ReceiveTicked();
  prompter.shown.clear();
  ctl->ListAll();
  EXPECT_TRUE(prompter.shown.empty()) << Boxes().join('\n').toStdString();
  EXPECT_EQ(ctl->ItemCount(), 2);
}

// A received file whose automatic save failed is in memory only: List asks before dropping it as
// it does for one received with saving off.
TEST_F(DlReceive, ListAsksForReceivedFilesWhoseSaveFailed) {
  Analyser([](cvsim::Xr9Profile& p) { p.PutFile(10, "RECV", kGood); });
  struct Row {
    const char* name;
    std::function<void()> before;  // what makes the save fail
    std::deque<cv::MsgAnswer> answers;  // the store's own question first, where it asks one
    bool underLimit;
  } rows[] = {
      {"the folder is gone", [&] { ctl->folder = folder.filePath("gone").toStdString(); }, {}, false},
      {"No to overwriting an older file", [&] { Put("RECV.DL", "older"); }, {cv::MsgAnswer::No}, false},
      {"the write fails", [] {}, {}, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    ctl->folder = folder.path().toStdString();
    QFile::remove(folder.filePath("RECV.DL"));
    ListAndTick({0});
    r.before();
    prompter.answers = r.answers;
    if (r.underLimit) {
      cvtest::FileSizeLimit limit(64);
      ctl->ReceiveTicked();
    } else {
      ctl->ReceiveTicked();
    }
    ASSERT_EQ(ctl->Entry(0).state, TDataLogListEntry::Received);
    EXPECT_FALSE(ctl->Entry(0).stored);
    prompter.shown.clear();
    prompter.answers = {cv::MsgAnswer::No};
    ctl->ListAll();
    ASSERT_EQ(prompter.shown.size(), 1u) << Boxes().join('|').toStdString();
    EXPECT_EQ(prompter.shown[0].text, "These received files have not been saved and will be dropped from the list: RECV\n"
                                      "List the files of the equipment all the same?");
    EXPECT_EQ(ctl->Entry(0).state, TDataLogListEntry::Received);
    EXPECT_TRUE(ctl->CanView());
    prompter.answers = {cv::MsgAnswer::Yes};  // drop it for the next row
    ctl->ListAll();
  }
}
