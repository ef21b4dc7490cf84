// The port object against the simulator over a real pseudo-terminal.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <chrono>
#include <cstring>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "PortMap.h"
#include "Serial.h"
#include "Simulator.h"

namespace {

using namespace std::chrono_literals;

std::string Pattern(int n, int from = 0) {
  std::string s;
  for (int i = from; i < from + n; ++i) s.push_back(static_cast<char>('A' + i % 26));
  return s;
}

template <class Pred>
bool WaitFor(Pred pred, std::chrono::milliseconds limit = 2000ms) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!pred()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(1ms);
  }
  return true;
}

class SerialSim : public ::testing::Test {
 protected:
  void SetUp() override { StartSim(); }
  void StartSim(cvsim::SimOptions options = {}) {
    port.Close();
    sim = std::make_unique<cvsim::Simulator>(nullptr, options);
    unsetenv("CV_PORT_COM3");
    std::string error;
    ASSERT_TRUE(sim->Start(&error)) << error;
    cv::SetPortPaths({{3, sim->Path()}});
    sim->WithProfile([](cvsim::Profile& p) {
      p.On("*XX", [](const std::string&) { return cvsim::Answer::Ok(); });
      p.On("*?L255", [](const std::string&) { return cvsim::Answer::Reply(Pattern(255)); });
      p.On("*?L256", [](const std::string&) { return cvsim::Answer::Reply(Pattern(256)); });
      p.On("*?TAB", [](const std::string&) { return cvsim::Answer::Reply(std::string("A\tB\x01\x7f" "C\0D\xe9", 9)); });
    });
  }
  void TearDown() override { cv::SetPortPaths({}); }

  // Opens and sets the port up, and leaves both sides quiet: the answer to the wake line is read
  // out, so each case starts from an empty line.
  void OpenQuiet(int mode, double scale) {
    port.timeScale = scale;
    ASSERT_TRUE(port.Open());
    ASSERT_TRUE(port.Setup(mode, 19200, 8, 0, 0));
    ASSERT_TRUE(WaitFor([&] { return !sim->Lines().empty(); }));
    ASSERT_EQ(sim->Lines().front(), "*");
    ASSERT_TRUE(sim->WaitTxIdle());
    std::this_thread::sleep_for(20ms);  // let the pty hand the last bytes to the slave side
    cv::SerialPurgeRx(port.handle);
    sim->ClearTraffic();
  }

  std::unique_ptr<cvsim::Simulator> sim;
  TSerial port{2};
};

TEST(SerialNames, ByIndex) {
  const struct {
    int index;
    const char* name;
  } rows[] = {{0, "COM1"}, {1, "COM2"}, {8, "COM9"}, {9, "\\\\.\\COM10"}, {11, "\\\\.\\COM12"},
              {12, "COM2"}, {-1, "COM2"}, {2, "COM3"}};
  for (const auto& r : rows) {
    TSerial s(5);
    s.SetPort(r.index);
    EXPECT_STREQ(s.name, r.name) << r.index;
    EXPECT_EQ(s.portIndex, r.index);
    EXPECT_FALSE(s.IsOpen());
    EXPECT_EQ(s.mode, 0);
  }
}

TEST(SerialNames, PortPathsEnvironmentWinsOverSettings) {
  unsetenv("CV_PORT_COM4");
  EXPECT_EQ(cv::PortPath("COM1"), "/dev/ttyS0");
  EXPECT_EQ(cv::PortPath("\\\\.\\COM10"), "/dev/ttyS9");
  // A path is bytes: one in Windows-1252 (not UTF-8) names the same device when it comes back.
  cv::SetPortPaths({{4, "/dev/ttyUSB0"}, {7, "usb-FTDI_A1-if00-port0"}, {9, "/dev/serial/by-id/usb-Se\xF1" "al-if00"}});
  EXPECT_EQ(cv::PortPath("COM7"), "/dev/serial/by-id/usb-FTDI_A1-if00-port0");
  EXPECT_EQ(cv::PortPath("COM9"), "/dev/serial/by-id/usb-Se\xF1" "al-if00");
  EXPECT_EQ(cv::PortPath("COM4"), "/dev/ttyUSB0");
  EXPECT_EQ(cv::PortPath("COM3"), "/dev/ttyS2");
  setenv("CV_PORT_COM4", "/tmp/sim-port", 1);
  EXPECT_EQ(cv::PortPath("COM4"), "/tmp/sim-port");
  unsetenv("CV_PORT_COM4");
  cv::SetPortPaths({});
  EXPECT_EQ(cv::PortNumberOf("COMX"), 0);
  EXPECT_EQ(cv::PortNumberOf("\\\\.\\COM12"), 12);
}

// One row per behaviour of the line protocol. `act` runs against the port after `arrange` has
// set the simulator up; `got` is what the act leaves to compare.
struct WireCase {
  const char* name;
  int mode;
  double scale;
  std::function<void(cvsim::Simulator&)> arrange;
  std::function<bool(TSerial&, std::string& got)> act;
  bool result;
  std::string got;
  std::string received;  // what the instrument saw during the act
};

bool TransactText(TSerial& p, const std::string& text, std::string& got) {
  char buf[512] = {};
  text.copy(buf, text.size());
  const bool ok = p.Transact(buf);
  got = buf;
  return ok;
}

void Xon(cvsim::Simulator& s) { s.SendXon(); }

TEST_F(SerialSim, LineProtocolCases) {
  const std::string longCommand(300, 'x');
  const WireCase cases[] = {
      {"version query", 0, 0.02, Xon,
       [](TSerial& p, std::string& g) { return TransactText(p, "*?VE", g); }, true, "*VE V2.10", "*?VE\r"},
      {"name query after another", 0, 0.02, Xon,
       [](TSerial& p, std::string& g) {
         std::string first;
         return TransactText(p, "*?VE", first) && TransactText(p, "*?NA", g);
       },
       true, "*NA CORVANE 3", "*?VE\r*?NA\r"},
      {"command cut to 252 characters in the caller's buffer", 0, 0.02, Xon,
       [&](TSerial& p, std::string& g) {
         char buf[512] = {};
         longCommand.copy(buf, longCommand.size());
         const bool ok = p.SendCommand(buf);
         g = std::to_string(std::string(buf).size());
         return ok;
       },
       false /* unknown command: refused */, "252", std::string(252, 'x') + "\r"},
      {"reply of 300 without CR: 255 kept, 256th lost, 44 left", 0, 0.02,
       [](cvsim::Simulator& s) {
         s.UpdateFaults([](cvsim::Faults& f) { f.longReplyWithoutCr = true; });
         s.SendXon();
       },
       [](TSerial& p, std::string& g) {
         const bool ok = TransactText(p, "*?VE", g);
         char rest[256];
         const bool second = p.ReadLine(rest);
         g += "|" + std::string(rest) + (second ? "|true" : "|false");
         return ok;
       },
       true, Pattern(255) + "|" + Pattern(44, 256) + "|false", "*?VE\r"},
      {"line of exactly 255 characters", 0, 0.02, Xon,
       [](TSerial& p, std::string& g) { return TransactText(p, "*?L255", g); }, true, Pattern(255), "*?L255\r"},
      {"line of 256: the 256th byte ends it, its CR is an empty line", 0, 0.02, Xon,
       [](TSerial& p, std::string& g) {
         const bool ok = TransactText(p, "*?L256", g);
         char rest[256];
         const bool second = p.ReadLine(rest);
         g += "|" + std::string(rest) + (second ? "|true" : "|false");
         return ok;
       },
       true, Pattern(255) + "||true", "*?L256\r"},
      {"control characters become blanks, NUL is dropped", 0, 0.02, Xon,
       [](TSerial& p, std::string& g) { return TransactText(p, "*?TAB", g); }, true, "A B  CD\xe9", "*?TAB\r"},
      {"XON while waiting for ACK fails at once", 0, 0.02,
       [](cvsim::Simulator& s) {
         s.UpdateFaults([](cvsim::Faults& f) { f.dropAck = true; });
         s.SendXon();
       },
       [](TSerial& p, std::string& g) {
         char buf[256] = "*XX";
         return p.SendCommand(buf);
       },
       false, "", "*XX\r"},
      {"refused command (NAK)", 0, 0.02,
       [](cvsim::Simulator& s) {
         s.UpdateFaults([](cvsim::Faults& f) { f.refuseAll = true; });
         s.SendXon();
       },
       [](TSerial& p, std::string& g) { return TransactText(p, "*?VE", g); }, false, "*?VE", "*?VE\r"},
      {"any number of other bytes before XOFF is skipped", 0, 0.02,
       [](cvsim::Simulator& s) { s.Inject(std::string(600, 'z') + '\x13'); },
       [](TSerial& p, std::string&) { return p.WaitChar(XOFF); }, true, "", ""},
      {"mode 1: ten stray bytes before XON are tolerated", 1, 0.25,
       [](cvsim::Simulator& s) {
         s.UpdateFaults([](cvsim::Faults& f) { f.strayBeforeXon = 10; });
         s.SendXon();
       },
       [](TSerial& p, std::string&) { return p.WaitChar(XON); }, true, "", ""},
      {"mode 1: the eleventh stray byte fails the wait", 1, 0.25,
       [](cvsim::Simulator& s) {
         s.UpdateFaults([](cvsim::Faults& f) { f.strayBeforeXon = 11; });
         s.SendXon();
       },
       [](TSerial& p, std::string&) { return p.WaitChar(XON); }, false, "", ""},
      {"mode 0: stray bytes never fail the XON wait", 0, 0.02,
       [](cvsim::Simulator& s) {
         s.UpdateFaults([](cvsim::Faults& f) { f.strayBeforeXon = 40; });
         s.SendXon();
       },
       [](TSerial& p, std::string&) { return p.WaitChar(XON); }, true, "", ""},
      {"silent instrument: nothing is sent", 0, 0.02,
       [](cvsim::Simulator& s) { s.UpdateFaults([](cvsim::Faults& f) { f.silent = true; }); },
       [](TSerial& p, std::string& g) {
         const auto t0 = std::chrono::steady_clock::now();
         const bool ok = TransactText(p, "*?VE", g);
         // twelve empty reads of 2000 ms scaled by 0.02
         if (std::chrono::steady_clock::now() - t0 < 12 * 40ms) g = "too early";
         return ok;
       },
       false, "*?VE", ""},
      {"missing XOFF: the reply is skipped and the wait runs out", 0, 0.02,
       [](cvsim::Simulator& s) {
         s.UpdateFaults([](cvsim::Faults& f) { f.dropXoff = true; });
         s.SendXon();
       },
       [](TSerial& p, std::string& g) { return TransactText(p, "*?VE", g); }, false, "*?VE", "*?VE\r"},
      {"line cut in the middle of the reply", 0, 0.02,
       [](cvsim::Simulator& s) {
         s.UpdateFaults([](cvsim::Faults& f) { f.cutAfterReplyBytes = 3; });
         s.SendXon();
       },
       [](TSerial& p, std::string& g) { return TransactText(p, "*?VE", g); }, false, "*VE", "*?VE\r"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    StartSim();
    OpenQuiet(c.mode, c.scale);
    c.arrange(*sim);
    ASSERT_TRUE(sim->WaitTxIdle());
    std::string got;
    EXPECT_EQ(c.act(port, got), c.result);
    EXPECT_EQ(got, c.got);
    WaitFor([&] { return sim->Received().size() >= c.received.size(); }, 500ms);
    EXPECT_EQ(sim->Received(), c.received);
    port.Close();
  }
}

// How a failed command shows: a NAK, or an XON where the ACK belongs, ends the command at once
// (the full time-out of mode 0 is 12 reads of 2 s); a lost XON sends nothing and waits the time-out
// out; stray bytes ahead of the XON leave the exchange in step.
TEST_F(SerialSim, HowAFailedCommandShows) {
  using Arrange = std::function<void(cvsim::Faults&)>;
  struct Row {
    const char* name;
    double scale;
    Arrange fault;
    bool ok;
    std::string got, received;
    std::chrono::milliseconds atLeast, below;
  } rows[] = {
      {"NAK", 1.0, [](cvsim::Faults& f) { f.refuseAll = true; }, false, "*?VE", "*?VE\r", 0ms, 1500ms},
      {"XON before ACK", 1.0, [](cvsim::Faults& f) { f.dropAck = true; }, false, "*?VE", "*?VE\r", 0ms, 1500ms},
      {"XON lost", 0.02, [](cvsim::Faults& f) { f.dropXon = true; }, false, "*?VE", "", 12 * 40ms, 24000ms},
      {"stray bytes, some of them ACK, before XON", 0.02,
       [](cvsim::Faults& f) {
         f.strayBeforeXon = 5;
         f.strayByte = ACK;
       },
       true, "*VE V2.10", "*?VE\r", 0ms, 24000ms},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    StartSim();
    OpenQuiet(0, r.scale);
    sim->UpdateFaults(r.fault);
    sim->SendXon();
    ASSERT_TRUE(sim->WaitTxIdle());
    std::string got;
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(TransactText(port, "*?VE", got), r.ok);
    const auto took = std::chrono::steady_clock::now() - t0;
    EXPECT_GE(took, r.atLeast);
    EXPECT_LT(took, r.below);
    EXPECT_EQ(got, r.got);
    WaitFor([&] { return sim->Received().size() >= r.received.size(); }, 500ms);
    EXPECT_EQ(sim->Received(), r.received);
    port.Close();
  }
}

TEST_F(SerialSim, SetupOnRefusedLineStateKeepsModeAndSendsWakeLine) {
  port.timeScale = 0.02;
  ASSERT_TRUE(port.Open());
  ASSERT_TRUE(port.Setup(1, 19200, 8, 0, 0));
  EXPECT_EQ(port.mode, 1);
  EXPECT_FALSE(port.Setup(0, 19200, 8, 0, 1));  // one and a half stop bits: no such setting
  EXPECT_EQ(port.mode, 1);
  EXPECT_TRUE(WaitFor([&] { return sim->Lines().size() == 2; }));
  EXPECT_EQ(sim->Received(), "*\r*\r");
  // Reads stay bounded: a silent line ends the wait.
  sim->UpdateFaults([](cvsim::Faults& f) { f.silent = true; });
  std::this_thread::sleep_for(20ms);
  cv::SerialPurgeRx(port.handle);
  EXPECT_FALSE(port.WaitChar(ACK));
}

// Rates outside the fixed termios set run too: the line really runs at them (the simulator reads
// the speed back) and the instrument answers there. A standard rate is also what a reader of the
// legacy termios record sees; the others show it the marker of a rate set apart.
TEST_F(SerialSim, AnyRateTheLineTakes) {
  port.timeScale = 0.05;
  ASSERT_TRUE(port.Open());
  // The simulator counts the port's holders from inotify events, and two opens it has not read yet
  // merge into one: let it see ours before the peer below opens and closes the line.
  std::this_thread::sleep_for(50ms);
  constexpr speed_t kOther = 0010000;  // the kernel's BOTHER: a rate set apart from the B-constants
  const struct {
    int baud;
    speed_t legacy;
  } rows[] = {{14400, kOther}, {28800, kOther}, {56000, kOther}, {128000, kOther}, {256000, kOther},
              {19200, B19200}, {115200, B115200}, {9600, B9600}};
  for (const auto& row : rows) {
    const int baud = row.baud;
    SCOPED_TRACE(baud);
    ASSERT_TRUE(port.Setup(0, baud, 8, 0, 0));
    EXPECT_EQ(sim->LineBaud(), static_cast<uint32_t>(baud));
    cv::LineState state;
    ASSERT_TRUE(cv::SerialGetLineState(port.handle, state));
    EXPECT_EQ(state.baud, static_cast<uint32_t>(baud));
    // The legacy record as the peer of the line (or stty) reads it.
    const int peer = ::open(sim->Path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(peer, 0);
    termios legacy{};
    EXPECT_EQ(tcgetattr(peer, &legacy), 0);
    ::close(peer);
    EXPECT_EQ(legacy.c_cflag & CBAUD, row.legacy);
    EXPECT_EQ(cfgetospeed(&legacy), row.legacy);
    std::string got;
    ASSERT_TRUE(TransactText(port, "*?VE", got));
    EXPECT_EQ(got, "*VE V2.10");
  }
}

TEST_F(SerialSim, PacedLineWithheldXonAndTrafficLog) {
  QTemporaryDir dir;
  cvsim::SimOptions options;
  options.baud = 19200;
  options.logPath = dir.filePath("traffic.log").toStdString();
  StartSim(options);
  OpenQuiet(0, 0.02);
  sim->SendXon();
  std::string got;
  const auto t0 = std::chrono::steady_clock::now();
  ASSERT_TRUE(TransactText(port, "*?VE", got));
  // XON, "*?VE" CR, XOFF, ACK, "*VE V2.10" CR: no byte may arrive before its wire time.
  EXPECT_GE(std::chrono::steady_clock::now() - t0, std::chrono::microseconds(18 * 520));
  EXPECT_EQ(got, "*VE V2.10");

  // A loader state: lines are answered but XON is withheld until the instrument is ready.
  sim->WithProfile([](cvsim::Profile& p) {
    p.On("*LD", [&p](const std::string&) {
      p.acceptsLines = false;
      return cvsim::Answer::Ok();
    });
  });
  char cmd[256] = "*LD";
  EXPECT_TRUE(port.SendCommand(cmd));
  std::strcpy(cmd, "*?VE");
  EXPECT_FALSE(port.SendCommand(cmd));
  sim->WithProfile([](cvsim::Profile& p) { p.acceptsLines = true; });
  sim->SendXon();
  EXPECT_TRUE(TransactText(port, "*?NA", got));
  EXPECT_EQ(got, "*NA CORVANE 3");
  sim->Stop();
  std::ifstream in(options.logPath);
  std::stringstream ss;
  ss << in.rdbuf();
  EXPECT_NE(ss.str().find("< *?VE<CR>"), std::string::npos) << ss.str();
  EXPECT_NE(ss.str().find("<XOFF><ACK>*VE V2.10<CR><XON>"), std::string::npos) << ss.str();
}

// One tool ends and the next starts: the port is closed right after a reply and opened again.
// The XON that follows the reply is still on its way then; it must not reach the new session
// after its purge, where it would pair every command with the answer to the one before.
TEST_F(SerialSim, QuickCloseAndReopenStaysInStep) {
  cvsim::SimOptions options;
  options.baud = 4800;  // the XON comes a whole 2 ms after the reply's CR
  StartSim(options);
  // XOFF, ACK, these 12 characters and CR fill one hand-over burst: the XON comes in the next.
  sim->WithProfile([](cvsim::Profile& p) {
    p.On("*?RD", [](const std::string&) { return cvsim::Answer::Reply("*RD 12345678"); });
  });
  OpenQuiet(0, 1.0);
  sim->SendXon();
  std::string got;
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(TransactText(port, "*?RD", got)) << i;
    EXPECT_EQ(got, "*RD 12345678") << i;
    ASSERT_TRUE(port.Close());
    ASSERT_TRUE(port.Open());
    ASSERT_TRUE(port.Setup(0, 19200, 8, 0, 0));
  }
  ASSERT_TRUE(TransactText(port, "*?VE", got));
  EXPECT_EQ(got, "*VE V2.10");
  ASSERT_TRUE(TransactText(port, "*?NA", got));
  EXPECT_EQ(got, "*NA CORVANE 3");
  // What falls due while the port is closed is dropped, and the line serves the next holder.
  port.Close();
  sim->Inject("stale");
  ASSERT_TRUE(sim->WaitTxIdle());
  ASSERT_TRUE(port.Open());
  ASSERT_TRUE(port.Setup(0, 19200, 8, 0, 0));
  ASSERT_TRUE(TransactText(port, "*?VE", got));
  EXPECT_EQ(got, "*VE V2.10");
}

// A short read takes what the device had into the port's read-ahead: those bytes are as much
// waiting as the device's own, so a wait for the port to be readable returns at once on them, and
// only once they are all read does it look at the device again.
TEST_F(SerialSim, WaitReadableSeesBytesTakenAhead) {
  OpenQuiet(0, 1.0);
  sim->Inject("ABCDEFGH");
  ASSERT_TRUE(sim->WaitTxIdle());
  std::this_thread::sleep_for(20ms);  // all eight on the slave side, so one read takes them all
  ASSERT_TRUE(cv::SerialWaitReadable(port.handle, 1000));
  char buf[8] = {};
  uint32_t got = 0;
  ASSERT_TRUE(cv::SerialRead(port.handle, buf, 1, &got));
  ASSERT_EQ(got, 1u);
  EXPECT_TRUE(cv::SerialWaitReadable(port.handle, 0)) << "seven bytes read ahead";
  ASSERT_TRUE(cv::SerialRead(port.handle, buf + 1, 7, &got));
  EXPECT_EQ(std::string(buf, 1 + got), "ABCDEFGH");
  EXPECT_FALSE(cv::SerialWaitReadable(port.handle, 0));
}

TEST(SerialDevice, SetupOnUnreadableLineStateStillSendsWakeLine) {
  QTemporaryDir dir;
  const std::string file = dir.filePath("port").toStdString();
  std::ofstream(file).close();
  cv::SetPortPaths({{5, file}});
  TSerial port(4);
  ASSERT_TRUE(port.Open());
  EXPECT_FALSE(port.Setup(0, 19200, 8, 0, 0));
  EXPECT_EQ(port.mode, 0);
  port.Close();
  std::ifstream in(file, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  EXPECT_EQ(ss.str(), "*\r");
  cv::SetPortPaths({});
}

TEST_F(SerialSim, OpenIsExclusiveAndExplainsWhy) {
  ASSERT_TRUE(port.Open());
  TSerial other(2);
  EXPECT_FALSE(other.Open());
  EXPECT_NE(std::string(other.OpenProblem()).find(sim->Path()), std::string::npos) << other.OpenProblem();
  port.Close();
  EXPECT_TRUE(other.Open());
  EXPECT_STREQ(other.OpenProblem(), "");
  other.Close();
  EXPECT_TRUE(port.Open());  // the exclusive flag went with the last holder
}

// Root opens any file, so the check runs in a child that has dropped to an unprivileged user.
TEST(SerialDevice, PermissionProblemIsExplained) {
  QTemporaryDir dir;
  const std::string file = dir.filePath("port").toStdString();
  std::ofstream(file).close();
  ASSERT_EQ(chmod(dir.path().toStdString().c_str(), 0755), 0);
  ASSERT_EQ(chmod(file.c_str(), 0600), 0);
  cv::SetPortPaths({{6, file}});
  if (geteuid() != 0) {
    ASSERT_EQ(chmod(file.c_str(), 0), 0);
  }
  const passwd* nobody = getpwnam("nobody");
  if (geteuid() == 0) {
    ASSERT_NE(nobody, nullptr);
  }
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // 1: could not drop; 2: opened; 3: refused without the explanation; 0: as expected.
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0))
      _exit(1);
    TSerial port(5);
    if (port.Open()) _exit(2);
    _exit(std::string(port.OpenProblem()).find("dialout") == std::string::npos ? 3 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  cv::SetPortPaths({});
}

// The exclusive flag belongs to the terminal and outlives our descriptor; root is never kept out
// by it, so it is read back rather than tried.
TEST_F(SerialSim, CloseClearsTheExclusiveFlag) {
  ASSERT_TRUE(port.Open());
  const int fd = ::open(sim->Path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(fd, 0);
  int exclusive = 0;
  ASSERT_EQ(ioctl(fd, TIOCGEXCL, &exclusive), 0);
  EXPECT_EQ(exclusive, 1);
  port.Close();
  ASSERT_EQ(ioctl(fd, TIOCGEXCL, &exclusive), 0);
  EXPECT_EQ(exclusive, 0);
  ::close(fd);
}

// A terminal keeps its settings between holders: one left cooked (flow control, CR to LF, output
// processing, line editing) must be raw once our Open returns, and a query must pass through it.
TEST_F(SerialSim, CookedLineIsRawAfterOpen) {
  {
    const int fd = ::open(sim->Path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    termios t{};
    ASSERT_EQ(tcgetattr(fd, &t), 0);
    t.c_iflag |= IXON | ICRNL;
    t.c_oflag |= OPOST | ONLCR;
    t.c_lflag |= ICANON | ECHO;
    ASSERT_EQ(tcsetattr(fd, TCSANOW, &t), 0);
    ::close(fd);
  }
  port.timeScale = 0.02;
  ASSERT_TRUE(port.Open());
  // The simulator counts the port's holders from inotify events, and two opens in a row that it
  // has not read yet merge into one: let it see ours before looking at the settings.
  std::this_thread::sleep_for(50ms);
  const int fd = ::open(sim->Path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(fd, 0);
  termios t{};
  ASSERT_EQ(tcgetattr(fd, &t), 0);
  ::close(fd);
  EXPECT_EQ(t.c_iflag & (IXON | ICRNL), 0u);
  EXPECT_EQ(t.c_oflag & OPOST, 0u);
  EXPECT_EQ(t.c_lflag & (ICANON | ECHO), 0u);
  ASSERT_TRUE(port.Setup(0, 19200, 8, 0, 0));
  ASSERT_TRUE(WaitFor([&] { return !sim->Lines().empty(); }));
  EXPECT_EQ(sim->Lines().front(), "*");  // the wake line arrived as sent, CR and all
  ASSERT_TRUE(sim->WaitTxIdle());
  std::this_thread::sleep_for(20ms);
  cv::SerialPurgeRx(port.handle);
  sim->SendXon();
  std::string got;
  EXPECT_TRUE(TransactText(port, "*?VE", got));
  EXPECT_EQ(got, "*VE V2.10");
}

TEST(SerialDevice, ClosedPortFails) {
  TSerial port(0);
  char buf[256] = "*?VE";
  EXPECT_FALSE(port.WaitChar(XON));
  EXPECT_FALSE(port.WriteLine(buf));
  EXPECT_FALSE(port.ReadLine(buf));
  EXPECT_FALSE(port.Transact(buf));
  EXPECT_TRUE(port.Close());
  cv::SetPortPaths({{1, "/nonexistent/tty"}});
  EXPECT_FALSE(port.OpenConfigured(19200, 8, 0, 0));
  EXPECT_STREQ(port.OpenProblem(), "");
  cv::SetPortPaths({});
}

}  // namespace
