// The analyser's files: listings, downloads, uploads and deletes against the simulated analyser,
// checked on what crossed the line.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "PortMap.h"
#include "Xr9Sim.h"

namespace {

using cv::xr9::DownloadStatus;
using cv::xr9::InstrumentFileEntry;
using cv::xr9::TFileTransfer;

std::string Pattern(size_t n, unsigned seed = 7) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 131 + seed) & 0xFF);
  return s;
}

// A block as the analyser receives it: the bytes and their checksum byte.
std::string Block(const std::string& bytes) {
  unsigned sum = 0;
  for (char c : bytes) sum += static_cast<unsigned char>(c);
  return bytes + static_cast<char>((256 - sum % 256) % 256);
}

class Xr9Transfer : public Xr9Sim {
 protected:
  void SetUp() override {
    Xr9Sim::SetUp();
    ASSERT_TRUE(files.isValid());
  }
  std::string WriteFile(const QString& name, const std::string& bytes) {
    QFile f(files.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return files.filePath(name).toStdString();
  }
  QStringList Shown() const {
    QStringList l;
    for (const auto& s : prompter.shown) l << s.caption + ": " + s.text;
    return l;
  }
  QTemporaryDir files;
};

}  // namespace

TEST(Xr9Replies, ListingRepliesAreReadOnlyWhereTheyHoldTheirCharacters) {
  struct CountRow {
    const char* reply;
    bool ok;
    int count;
  } counts[] = {{"*FI0A", true, 10}, {"*FIff", true, 255}, {"*FI", false, 0}, {"*FI5", false, 0},
                {"*FIZ1", false, 0}, {"*FI1 ", false, 0}, {"", false, 0}};
  for (const CountRow& r : counts) {
    int count = -1;
    EXPECT_EQ(TFileTransfer::ParseCount(r.reply, count), r.ok) << r.reply;
    if (r.ok) {
      EXPECT_EQ(count, r.count) << r.reply;
    }
  }
  struct EntryRow {
    const char* reply;
    int nameLength;
    bool ok;
    uint32_t size;
    std::string name;
  } entries[] = {
      {"*FI0000000067TER01", 12, true, 0x67, "TER01"},
      {"*FI00000067E0A_NAME_OF_MORE_THAN_12", 12, true, 0x67E0, "A_NAME_OF_MO"},
      {"*FI0000000067A_NAME_OF_MORE_THAN_THIRTY_TWO_CHARACTERS", 32, true, 0x67, "A_NAME_OF_MORE_THAN_THIRTY_TWO_C"},
      {"*FI00FFFFFFFFX", 12, true, 0xFFFFFFFF, "X"},
      {"*FI0000000067", 12, false, 0, ""},   // 13 characters: no name
      {"*FI00000G0067X", 12, false, 0, ""},  // not hexadecimal
      {"*FI00", 12, false, 0, ""},
  };
  for (const EntryRow& r : entries) {
    uint32_t size = 0;
    std::string name;
    EXPECT_EQ(TFileTransfer::ParseEntry(r.reply, r.nameLength, size, name), r.ok) << r.reply;
    if (!r.ok) continue;
    EXPECT_EQ(size, r.size) << r.reply;
    EXPECT_EQ(name, r.name) << r.reply;
  }
  EXPECT_EQ(TFileTransfer::TypeLabel(3), "( ? ? ? )");
  EXPECT_EQ(TFileTransfer::UploadName("/a/b/PLAN.CAN", ""), "PLAN");
  EXPECT_EQ(TFileTransfer::UploadName("/a/b/PLAN.CAN", "A.B"), "A");
  EXPECT_EQ(TFileTransfer::UploadName("/a/b/PLAN.CAN", "ABCDEFGHIJKLMNOP"), "ABCDEFGHIJKL");
  EXPECT_EQ(TFileTransfer::UploadName("C:\\x\\SEVENTEEN_CHARS_LONG", ""), "SEVENTEEN_CHARS_");
}

TEST_F(Xr9Transfer, PlanListings) {
  struct Row {
    const char* name;
    std::function<void(cvsim::Xr9Profile&)> store;
    bool ok;
    int entries;
    QStringList first;  // the first entries as the list shows them
    QStringList shown;  // boxes
  } rows[] = {
      {"type order and labels",
       [](cvsim::Xr9Profile& p) {
         p.PutFile(5, "MSAT", "s");
         p.PutFile(10, "LOG", "l");
         p.PutFile(2, "MTER", "m");
         p.PutFile(4, "PSAT", "p");
         p.PutFile(1, "PTER", "t");
         p.PutFile(3, "OTHER", "o");
       },
       true, 4, {"(PROT.TER) PTER", "(MOD. TER) MTER", "(PROT.SAT) PSAT", "(MOD. SAT) MSAT"}, {}},
      {"a failed count counts 0, a failed entry is skipped",
       [](cvsim::Xr9Profile& p) {
         p.PutFile(1, "A", "a");
         p.PutFile(1, "B", "b");
         p.PutFile(2, "C", "c");
         p.On("*?FI0101", [](const std::string&) { return cvsim::Answer::Nak(); });
         p.On("*?FI02", [](const std::string&) { return cvsim::Answer::Nak(); });
       },
       true, 1, {"(PROT.TER) A"}, {}},
      {"26560 bytes accepted", [](cvsim::Xr9Profile& p) { p.PutFile(4, "BIG", std::string(26560, 'x')); }, true, 1,
       {"(PROT.SAT) BIG"}, {}},
      {"26561 bytes too big",
       [](cvsim::Xr9Profile& p) {
         p.PutFile(1, "OK", "x");
         p.PutFile(4, "BIG", std::string(26561, 'x'));
       },
       false, 1, {"(PROT.TER) OK"}, {"Error: Plan too big!"}},
      {"the 450th entry, then the cap",
       [](cvsim::Xr9Profile& p) {
         for (int i = 0; i < 255; ++i) p.PutFile(1, "T" + std::to_string(i), "t");
         for (int i = 0; i < 255; ++i) p.PutFile(2, "M" + std::to_string(i), "m");
       },
       true, 450, {"(PROT.TER) T0"}, {"Error: Maximum number of Plans has been reached!"}},
      {"no analyser: the directory stays as it was",
       [](cvsim::Xr9Profile& p) { p.On("*?VE", [](const std::string&) { return cvsim::Answer::Nak(); }); }, false, 3,
       {}, {}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Analyser([&](cvsim::Xr9Profile& p) {
      p.files.clear();
      p.Remove("*?FI0101");
      p.Remove("*?FI02");
      p.On("*?VE", [&p](const std::string&) { return cvsim::Answer::Reply("*VE" + p.version); });
      p.requireAccess = true;
      p.accessGranted = false;
      r.store(p);
    });
    prompter.shown.clear();
    ASSERT_NO_FATAL_FAILURE(OpenLink());
    std::vector<InstrumentFileEntry> directory(3);  // emptied by the listing
    EXPECT_EQ(Transfer().ListPlans(directory), r.ok);
    EXPECT_EQ(static_cast<int>(directory.size()), r.entries);
    QStringList shown;
    for (size_t i = 0; i < directory.size() && i < static_cast<size_t>(r.first.size()); ++i)
      shown << QString::fromStdString(TFileTransfer::EntryText(directory[i]));
    EXPECT_EQ(shown, r.first);
    EXPECT_EQ(Shown(), r.shown);
    if (r.entries == 450) {
      EXPECT_EQ(directory[449].name, "M194");
      EXPECT_EQ(directory[449].fileType, 2);
    }
    if (r.entries == 1 && r.ok && r.first[0].endsWith("BIG")) {
      EXPECT_EQ(directory[0].size, 26560);
    }
    port.Close();
  }
  EXPECT_TRUE(zone.isEmpty());
}

TEST_F(Xr9Transfer, DataLoggerListings) {
  struct Row {
    const char* name;
    std::function<void(cvsim::Xr9Profile&)> store;
    bool ok;
    int entries;
    QStringList log;
    QStringList shown;
  } rows[] = {
      {"250 files listed as 200",
       [](cvsim::Xr9Profile& p) {
         for (int i = 0; i < 250; ++i) p.PutFile(10, "DATALOGGER_FILE_NUMBER_" + std::to_string(1000 + i) + "_LONG", "d");
       },
       true, 200, {"Receiving list of DataLogger files.", "List of DataLogger files received."},
       {"Error: Maximum number of DataLogger files has been reached!"}},
      {"520000 bytes accepted, 520001 too big",
       [](cvsim::Xr9Profile& p) {
         p.PutFile(10, "A", std::string(520000, 'a'));
         p.PutFile(10, "B", std::string(520001, 'b'));
         p.PutFile(10, "C", "c");
       },
       false, 1, {"Receiving list of DataLogger files.", "List of DataLogger files received."},
       {"Error: DataLogger file too big !!"}},
      {"no files", [](cvsim::Xr9Profile& p) { p.PutFile(1, "PLAN", "p"); }, true, 0,
       {"Receiving list of DataLogger files.", "No DataLogger files found."}, {}},
      {"no analyser", [](cvsim::Xr9Profile& p) { p.On("*?VE", [](const std::string&) { return cvsim::Answer::Nak(); }); },
       false, 0, {"Error. Equipment not detected"}, {}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Analyser([&](cvsim::Xr9Profile& p) {
      p.files.clear();
      p.On("*?VE", [&p](const std::string&) { return cvsim::Answer::Reply("*VE" + p.version); });
      r.store(p);
    });
    prompter.shown.clear();
    zone.clear();
    host.Clear();
    ASSERT_NO_FATAL_FAILURE(OpenLink());
    std::vector<InstrumentFileEntry> directory;
    EXPECT_EQ(Transfer().ListDataLogger(directory), r.ok);
    EXPECT_EQ(static_cast<int>(directory.size()), r.entries);
    EXPECT_EQ(zone, r.log);
    EXPECT_EQ(host.Lines(), r.log);
    EXPECT_EQ(Shown(), r.shown);
    if (r.entries == 200) {
      EXPECT_EQ(directory[199].name, "DATALOGGER_FILE_NUMBER_1199_LONG");
      EXPECT_EQ(directory[0].name.size(), 32u);
      // The access code went before the listing.
      const auto lines = sim->Lines();
      EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3),
                std::vector<std::string>({"*?VE", "*7205&", "*?FI0A"}));
    }
    port.Close();
  }
}

TEST_F(Xr9Transfer, Downloads) {
  const std::string controls = std::string(100, '\x11') + std::string(100, '\x13') + std::string(100, '\x06') +
                               std::string(100, '\x0D') + std::string(1, '\0');
  struct Row {
    const char* name;
    std::string file;
    std::function<void(cvsim::Xr9Profile&, cvsim::Faults&)> fault;
    DownloadStatus status;
    std::string checksumSent;  // the last four bytes the analyser sent, when checked
    QStringList shown;
  } rows[] = {
      {"bytes summing to 0", std::string(3, '\0'), {}, DownloadStatus::Ok, std::string(4, '\0'), {}},
      {"the single byte 01", "\x01", {}, DownloadStatus::Ok, "\xFF\xFF\xFF\xFF", {}},
      {"protocol bytes inside the file", controls, {}, DownloadStatus::Ok, "", {}},
      {"a plan of 26560 bytes", Pattern(26560), {}, DownloadStatus::Ok, "", {}},
      {"a data-logger file of 520000 bytes", Pattern(520000, 3), {}, DownloadStatus::Ok, "", {}},
      {"a changed byte", Pattern(300), [](cvsim::Xr9Profile& p, cvsim::Faults&) { p.badDownloadChecksum = true; },
       DownloadStatus::BadChecksum, "", {"Error: Bad CRC Received"}},
      {"a short reply, no message", Pattern(300),
       [](cvsim::Xr9Profile&, cvsim::Faults& f) { f.rawCutAfterBytes = 200; }, DownloadStatus::Short, "", {}},
      {"an unknown file, no message", Pattern(10), [](cvsim::Xr9Profile& p, cvsim::Faults&) { p.files.clear(); },
       DownloadStatus::Short, "", {}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    sim->SetFaults({});
    Analyser([&](cvsim::Xr9Profile& p) {
      p.files.clear();
      p.badDownloadChecksum = false;
      p.PutFile(10, "FILE", r.file);
    });
    ASSERT_NO_FATAL_FAILURE(OpenLink());
    cvsim::Faults faults;
    Analyser([&](cvsim::Xr9Profile& p) {
      if (r.fault) r.fault(p, faults);
    });
    if (r.fault) sim->SetFaults(faults);
    prompter.shown.clear();
    InstrumentFileEntry entry;
    entry.fileType = 10;
    entry.name = "FILE";
    entry.size = static_cast<int32_t>(r.file.size());
    const auto result = Transfer().Download(entry);
    EXPECT_EQ(result.status, r.status);
    if (r.status == DownloadStatus::Ok) {
      EXPECT_EQ(std::string(result.data.begin(), result.data.end()), r.file);
    } else {
      EXPECT_TRUE(result.data.empty());
    }
    EXPECT_EQ(Shown(), r.shown);
    if (!r.checksumSent.empty()) {
      sim->WaitTxIdle();
      const std::string sent = sim->Sent();
      ASSERT_GE(sent.size(), 5u);
      EXPECT_EQ(sent.substr(sent.size() - 5, 4), r.checksumSent);  // then the XON
    }
    port.Close();
  }
  // The checksum rule on the bytes alone, both sides of a correct sum.
  std::vector<uint8_t> file;
  const uint8_t good[11 + 1 + 4] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(TFileTransfer::CheckDownload(good, sizeof good, 1, file), DownloadStatus::Ok);
  uint8_t off[sizeof good];
  std::memcpy(off, good, sizeof good);
  off[12] = 0xFE;
  EXPECT_EQ(TFileTransfer::CheckDownload(off, sizeof off, 1, file), DownloadStatus::BadChecksum);
  EXPECT_EQ(TFileTransfer::CheckDownload(good, sizeof good - 1, 1, file), DownloadStatus::Short);
  EXPECT_EQ(TFileTransfer::CheckDownload(good, sizeof good, -1, file), DownloadStatus::Short);
}

TEST_F(Xr9Transfer, UploadsAsTheAnalyserReceivesThem) {
  const std::string f120 = Pattern(120);
  const std::string f130 = Pattern(130, 9);
  const std::string header = std::string("\x00\xFF\xFF\xFF", 4) + std::string(12, 'h');
  struct Row {
    const char* name;
    QString file;
    std::string bytes;
    std::string given;  // the name handed in
    int type;
    std::function<void(cvsim::Xr9Profile&)> fault;
    bool ok;
    std::string received;  // after the version check, byte for byte
    QStringList zoneLines;
    std::string stored;    // what the analyser keeps under the sent name ("-": nothing)
  } rows[] = {
      {"120 bytes in blocks of 50, 50 and 20", "PLAN120.CAN", f120, "", 1, {}, true,
       "*FL000000783201PLAN120\r" + Block(f120.substr(0, 50)) + Block(f120.substr(50, 50)) + Block(f120.substr(100)),
       {"PLAN120 sent OK."}, f120},
      {"01 02 followed by FD", "TWO.CAN", "\x01\x02", "", 2, {}, true, std::string("*FL000000023202TWO\r\x01\x02\xFD"),
       {"TWO sent OK."}, "\x01\x02"},
      {"130 bytes announced with block size and type", "X.CAN", f130, "SAT130", 5, {}, true,
       "*FL000000823205SAT130\r" + Block(f130.substr(0, 50)) + Block(f130.substr(50, 50)) + Block(f130.substr(100)),
       {"SAT130 sent OK."}, f130},
      {"a name A.B is sent as A", "Y.CAN", "\x05", "A.B", 1, {}, true, std::string("*FL000000013201A\r\x05\xFB"),
       {"A sent OK."}, "\x05"},
      {"a skipped header still counts in the announced size (the analyser waits for the rest)", "H.CAN",
       header + "body", "", 1, {}, false, "*FL000000143201H\r" + Block("body"), {"H failed."}, "-"},
      {"a NAKed block ends the upload", "NAK.CAN", f120, "", 1, [](cvsim::Xr9Profile& p) { p.nakBlock = 2; }, false,
       "*FL000000783201NAK\r" + Block(f120.substr(0, 50)) + Block(f120.substr(50, 50)), {"NAK failed."}, "-"},
      {"silence after the first block", "SIL.CAN", f120, "", 1, [](cvsim::Xr9Profile& p) { p.silentAfterBlock = 1; },
       false, "*FL000000783201SIL\r" + Block(f120.substr(0, 50)) + Block(f120.substr(50, 50)), {"SIL failed."}, "-"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Analyser([&](cvsim::Xr9Profile& p) {
      p.files.clear();
      p.nakBlock = 0;
      p.silentAfterBlock = 0;
      if (r.fault) r.fault(p);
    });
    zone.clear();
    const std::string path = WriteFile(r.file, r.bytes);
    ASSERT_NO_FATAL_FAILURE(OpenLink());
    EXPECT_EQ(Transfer().UploadFile(path, r.given, r.type), r.ok);
    sim->WaitTxIdle();
    EXPECT_EQ(sim->Received(), "*?VE\r" + r.received);
    EXPECT_EQ(zone, r.zoneLines);
    Analyser([&](cvsim::Xr9Profile& p) {
      const auto* stored = p.FindFile(r.type, r.zoneLines[0].section(' ', 0, 0).toStdString());
      if (r.stored == "-") {
        EXPECT_EQ(stored, nullptr);
      } else {
        ASSERT_TRUE(stored && stored->bytes == r.stored);
      }
    });
    port.Close();
  }
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(Xr9Transfer, UploadsOfFilesThatCannotBeReadSendNothing) {
  const std::string empty = WriteFile("EMPTY.CAN", "");
  const std::string missing = files.filePath("MISSING.CAN").toStdString();
  ASSERT_NO_FATAL_FAILURE(OpenLink());
  EXPECT_FALSE(Transfer().UploadFile(empty, "", 1));
  EXPECT_FALSE(Transfer().UploadFile(missing, "", 1));
  sim->WaitTxIdle();
  EXPECT_EQ(sim->Received(), "");
  // Log lines and boxes name the file, not its folders.
  const QString reopen = "Couldn't reopen file EMPTY.CAN";
  const QString open = "Couldn't open file MISSING.CAN";
  EXPECT_EQ(zone, QStringList({reopen, "EMPTY failed.", open}));
  EXPECT_EQ(host.Lines(), QStringList({reopen, open}));
  EXPECT_EQ(Shown(), QStringList({"CvTools Error: " + reopen, "CvTools Error: " + open}));
  for (const auto& s : prompter.shown) EXPECT_EQ(s.icon, cv::MsgIcon::Error);
  // No analyser: nothing but the version query goes out.
  const std::string one = WriteFile("ONE.CAN", "1");
  Analyser([](cvsim::Xr9Profile& p) { p.On("*?VE", [](const std::string&) { return cvsim::Answer::Nak(); }); });
  zone.clear();
  ASSERT_NO_FATAL_FAILURE(OpenLink());
  EXPECT_FALSE(Transfer().UploadFile(one, "", 1));
  sim->WaitTxIdle();
  EXPECT_EQ(sim->Received(), "*?VE\r");
  EXPECT_EQ(zone, QStringList({"ONE failed."}));
}

TEST_F(Xr9Transfer, DeletesOfTheSelectedEntries) {
  Analyser([](cvsim::Xr9Profile& p) {
    p.PutFile(1, "A", "a");
    p.PutFile(2, "B", "b");
    p.PutFile(4, "C", "c");
  });
  std::vector<InstrumentFileEntry> directory(5);
  directory[0] = {1, 1, 1, "A"};
  directory[1] = {0, 2, 1, "B"};        // not selected
  directory[2] = {1, 4, 1, ""};         // no name
  directory[3] = {1, 5, 1, "MISSING"};  // refused by the analyser
  directory[4] = {1, 4, 1, "C"};
  ASSERT_NO_FATAL_FAILURE(OpenLink());
  Transfer().EraseSelected(directory);
  sim->WaitTxIdle();
  EXPECT_EQ(sim->Received(), "*FD01A\r*FD05MISSING\r*FD04C\r");
  EXPECT_EQ(zone, QStringList({"A erased in the equipment.", "Couldn't erase MISSINGin the equipment",
                               "C erased in the equipment.", "Selected plans have been erased"}));
  Analyser([](cvsim::Xr9Profile& p) {
    EXPECT_EQ(p.FindFile(1, "A"), nullptr);
    EXPECT_NE(p.FindFile(2, "B"), nullptr);
    EXPECT_EQ(p.FindFile(4, "C"), nullptr);
    p.refuseDelete = true;
  });
  zone.clear();
  Transfer().EraseSelected({{1, 2, 1, "B"}});
  EXPECT_EQ(zone, QStringList({"Couldn't erase Bin the equipment", "Selected plans have been erased"}));
}

// Virtual time for the equipment, with the real moment of every pump recorded.
class StampClock : public cv::FakeClock {
 public:
  void PumpEvents(int maxBlockMs = 0, bool userInput = true) override {
    stamps.push_back(std::chrono::steady_clock::now());
    FakeClock::PumpEvents(maxBlockMs, userInput);
  }
  std::vector<std::chrono::steady_clock::time_point> stamps;
};

TEST(Xr9PacedDownload, TheWindowRepaintsAndNoSecondToolStarts) {
  // A paced line (faster than the analyser's, to keep the test short: the pumping does not
  // depend on the rate) carrying a whole data-logger file.
  cvsim::SimOptions options;
  options.baud = 921600;
  auto profile = std::make_unique<cvsim::Xr9Profile>();
  const std::string file = Pattern(520000, 5);
  profile->PutFile(10, "BIG.DL", file);
  cvsim::Simulator sim(std::move(profile), options);
  std::string error;
  ASSERT_TRUE(sim.Start(&error)) << error;
  cv::SetPortPaths({{1, sim.Path()}});
  TSerial port(0);
  HostForm host;
  StampClock clock;
  cv::xr9::TXR9Equip equip(&host.form, &port);
  equip.clock = &clock;
  ASSERT_TRUE(port.OpenLink(115200, 8, 0, 0));

  int secondLaunch = -1;
  QTimer::singleShot(200, [&] { secondLaunch = equip.RunChannelEditor() || equip.RunDataLogger() ? 1 : 0; });
  const auto start = std::chrono::steady_clock::now();
  const auto result = cv::xr9::TFileTransfer(equip).Download({0, 10, 520000, "BIG.DL"});
  const auto end = std::chrono::steady_clock::now();
  cv::SetPortPaths({});
  ASSERT_EQ(result.status, DownloadStatus::Ok);
  EXPECT_TRUE(std::string(result.data.begin(), result.data.end()) == file);
  EXPECT_EQ(secondLaunch, 0);
  EXPECT_TRUE(host.Lines().isEmpty());
  EXPECT_EQ(clock.inputPumps, 0);
  // At least once a second from the start to the end.
  ASSERT_FALSE(clock.stamps.empty());
  auto last = start;
  double longest = 0;
  for (auto t : clock.stamps) {
    longest = std::max(longest, std::chrono::duration<double>(t - last).count());
    last = t;
  }
  longest = std::max(longest, std::chrono::duration<double>(end - last).count());
  // The loop pumps well within a second; the bound leaves room for a loaded machine stalling the
  // process, and still fails a download that pumps only at its end (the file takes over 5 s).
  EXPECT_LT(longest, 3.0);
  EXPECT_GE(static_cast<double>(clock.stamps.size()), std::chrono::duration<double>(end - start).count());
}
