#pragma once
// The instrument simulator: plays an instrument at the byte level on the master side of a
// pseudo-terminal, so the program under test opens the slave path exactly as it opens a real port
// (map it with CV_PORT_COM<n> or cv::SetPortPaths).
//
// The wire, as the instruments behave:
//  - XON whenever the instrument can take a line (at start and after every line it answered).
//  - Bytes due while no program has the port open are lost, as on a real line: when the last
//    holder closes the port, whatever the instrument had still to send is dropped, and so is
//    every byte that falls due before the port is opened again.
//  - For every line received (ended by CR): XOFF, then ACK, then for a query ("*?..." or a bare
//    "*") the reply line ended by CR, then XON. A refused line gets XOFF then NAK (then XON).
//
// Extension points (for each instrument family and each tool's commands):
//  - Profile: one per family. Register handlers with On(prefix, handler); the longest prefix that
//    starts the received line wins. A handler gets the line (without CR) and returns an Answer:
//    Answer::Ok() (ACK only), Answer::Reply(text) (ACK and the reply line), Answer::Nak() (refused)
//    or Answer::NoAnswer() (the line is swallowed: XOFF only). Handlers run on the simulator's
//    thread under its lock, so they may keep state in the profile freely (derive a profile class
//    and keep members, or use `values`). Lines no handler takes go to Unknown() (refused).
//  - Corvane3Profile: the CORVANE-3 family; add its commands in Corvane3Profile's constructor
//    (or on a Corvane3Profile instance from a test).
//  - States without XON (boot, loader): set Profile::acceptsLines = false from a handler (or from a
//    test through WithProfile); the simulator then withholds XON after each line until it is
//    set back, and a test may announce readiness at any time with SendXon().
//  - Binary transfers: Answer::Raw(bytes) answers with XOFF, ACK, the bytes as they are (no CR
//    added) and XON. A profile that expects a raw block sets Profile::rawBlockBytes from a handler:
//    the next that many bytes (CR included) go to HandleBlock() as one block, answered like a line
//    (XOFF then ACK or NAK, then XON). The raw mode ends when the handler sets it back to 0, and
//    when the last holder closes the port.
//  - Profile::requiredBaud (or SimOptions::instrumentBaud, which overrides it): the one rate the
//    instrument runs at; bytes sent while the port's line is at another rate reach it as noise and
//    are not taken (the rate is read with TCGETS2 from the simulator's own descriptor of the slave).
//  - Tests reach the profile's state with WithProfile(fn), the traffic with Traffic(), Lines(),
//    Received(), and set faults at any time with SetFaults/UpdateFaults (all thread-safe).
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "FlashImage.h"

namespace cvsim {

constexpr char kXon = 0x11;
constexpr char kXoff = 0x13;
constexpr char kAck = 0x06;
constexpr char kNak = 0x15;
constexpr char kCr = 0x0D;

struct Answer {
  // None: XOFF only, then nothing (a stuck instrument). Unheard: not even XOFF (a line the
  // instrument does not take as a command, such as the power-on line); XON follows only when
  // the line made the instrument ready.
  enum class Kind { Ack, Reply, Refuse, None, Unheard, Raw };
  Kind kind = Kind::Ack;
  std::string text;  // the reply line for Kind::Reply, without CR; the bytes for Kind::Raw

  static Answer Ok() { return {Kind::Ack, {}}; }
  static Answer Reply(std::string line) { return {Kind::Reply, std::move(line)}; }
  static Answer Nak() { return {Kind::Refuse, {}}; }
  static Answer NoAnswer() { return {Kind::None, {}}; }
  static Answer Unheard() { return {Kind::Unheard, {}}; }
  static Answer Raw(std::string bytes) { return {Kind::Raw, std::move(bytes)}; }
};

class Profile {
 public:
  using Handler = std::function<Answer(const std::string& line)>;

  Profile(std::string model, std::string version) : model(std::move(model)), version(std::move(version)) {}
  virtual ~Profile() = default;

  // Adds or replaces the handler of the lines that start with `prefix`.
  void On(const std::string& prefix, Handler handler) { handlers_[prefix] = std::move(handler); }
  void Remove(const std::string& prefix) { handlers_.erase(prefix); }
  // The handler of exactly `prefix`, for a profile that narrows what its base family accepts.
  Handler HandlerOf(const std::string& prefix) const {
    auto it = handlers_.find(prefix);
    return it == handlers_.end() ? Handler() : it->second;
  }

  // The answer to one line (CR removed): the longest matching handler, else a bare "*" gets an
  // empty reply line, else Unknown().
  virtual Answer Handle(const std::string& line);
  virtual Answer Unknown(const std::string& line) { return Answer::Nak(); }
  // One raw block of rawBlockBytes bytes (see the top of this file).
  virtual Answer HandleBlock(const std::string& block) { return Answer::Nak(); }
  // Fills the instrument's file store from a folder (cvsim --files); false with a reason when the
  // family keeps no files or the folder cannot be read.
  virtual bool LoadFiles(const std::string& folder, std::string* error) {
    if (error) *error = "this instrument keeps no files";
    return false;
  }

  std::string model;    // "CORVANE 3"
  std::string version;  // "V2.10"
  bool acceptsLines = true;                    // false: XON withheld (boot, loader states)
  // Set by a handler along with acceptsLines = false: when this time comes the instrument is ready
  // again and announces it with XON by itself (a restart).
  std::chrono::steady_clock::time_point readyAt{};
  size_t rawBlockBytes = 0;                    // > 0: the next bytes form a raw block of this size
  int requiredBaud = 0;                        // > 0: the family's one rate; bytes at another are noise
  // An instrument that answers a line with ACK (and its reply) alone: no XOFF before it, no XON
  // after it.
  bool ackOnly = false;
  std::map<std::string, std::string> values;   // free state for handlers and tests

 private:
  std::map<std::string, Handler> handlers_;
};

// The CORVANE-3 family, every command the program's tools send: identification ("*?VE",
// "*?NA"), the equipment object's commands (Corvane3Commands.cpp: access code, tuner probe,
// tuning "*FRT%04x" / "*FRS%04x", the level "*?LV"), the spectrum commands (Corvane3Spectrum.cpp),
// the boot monitor and loader (Corvane3Loader.cpp), the plan memory (Corvane3Plans.cpp), the
// register store (Corvane3Registers.cpp), the data logger (Corvane3Logger.cpp) and the
// configuration, monitor and firmware-update commands (Corvane3Settings.cpp).
class Corvane3Profile : public Profile {
 public:
  explicit Corvane3Profile(std::string model = "CORVANE 3", std::string version = "V2.10");

  // The tuner probe "*?I20A0106A002" reads the TER tuner's status word from the register store:
  // 01 00 with a terrestrial tuner, 01 FF without (SetTunerVariant(5) or (4)). A test may set
  // tunerReply to answer a text of its own instead.
  void SetTunerVariant(int variant);
  std::string tunerReply;

  // The register store (Corvane3Registers.cpp): "*?I20A0" + four hex digits of address + three of
  // byte count reads "*I2" and the bytes in hex (FF where nothing is kept); "*I20A0" + address +
  // data writes, refused (NAK) before the access code. 0x1000: the serial number.
  std::map<unsigned, unsigned char> registers;
  void SetRegisterText(unsigned address, const std::string& text, size_t length);
  // The reply to a read of `count` bytes at `address`: "*I2" and two hex digits a byte.
  std::string RegisterReply(unsigned address, unsigned count) const;

  // The data logger (Corvane3Logger.cpp): 99 memories and 99 test points with their selection
  // flags ("*?SR", "*?DSM", "*?DST"), the test points' time stamps ("*?TP", answered by every
  // firmware; the program asks from version 2.45 on) and one value per memory and test point
  // ("*?DL" + memory + test point). The instrument keeps no test-point names.
  struct LoggerMemory {
    std::string name = "MEM";     // 4 characters are sent
    char band = 'T';
    unsigned word = 0;            // PLL word
    int units = 0;                // '0'..'3'
    int measure = 0;              // '0'..'7'
    bool selected = false;
  };
  struct LoggerValue {
    char flag = '=';              // '=', '<', '>' or a letter that stands alone
    char sign = '+';
    std::string digits = "1F4";   // three hex digits: tenths, or a BER word (BerDigits)
  };
  std::vector<LoggerMemory> loggerMemories;     // 99
  std::vector<bool> loggerTPSelected;           // 99
  std::vector<std::string> loggerTimeStamps;    // 99, "10:21:05,03/04/05"
  std::map<std::pair<int, int>, LoggerValue> loggerValues;  // (memory, test point), 1-based
  std::map<int, std::string> loggerSrOverride;  // a memory's whole "*?SR" reply: stored by "*SR", or a fault
  std::map<std::pair<int, int>, std::string> loggerDlOverride;  // a value's whole reply
  // The "*SR" record of a memory as the instrument lays it out: 42 characters, 38 for BER COFDM.
  // The fields the logger does not keep follow from the number, each valid for its measure type.
  // The "7" family's layout (loggerSeven) has the units at 24 and the measure at 26, a band digit
  // '0'..'7' in place of the band letter ('S' is sent as 5, 'T' as 7), and codes a BER value
  // (measure 5) as two decimal digits of mantissa tenths and one of exponent.
  static std::string LoggerRecord(int number, const LoggerMemory& memory, bool seven = false);
  bool loggerSeven = false;

  // The memories as the memory editor reads and stores them (Corvane3Memories.cpp), the same
  // store: "*?SR%02X" answers memory n (1..99) with its record; a "*SR" record is stored, and
  // refused (NAK) when its length is not 42 (38 for BER COFDM) or its number lies outside 1..99.
  // "*?DA" answers "*DA1" while dataLogging is set, else "*DA0".
  // Memory n at start: every measure type in turn, satellite for BER QPSK, terrestrial for BER
  // QAM and COFDM, both bands for the others; frequencies a memory file holds exactly.
  static LoggerMemory DefaultLoggerMemory(int n);
  static std::string DefaultMemory(int n) { return LoggerRecord(n, DefaultLoggerMemory(n)); }
  std::string MemoryReply(int n) const;  // what "*?SR" answers for memory n, faults aside
  bool dataLogging = false;
  int wrongNumberFor = 0;   // fault: the reply for this memory names the next one
  int shortReplyFor = 0;    // fault: the reply for this memory is cut to 37 characters
  int unansweredFor = 0;    // fault: the query for this memory is refused
  LoggerValue LoggerValueOf(int memory, int tp) const;
  double tunedMHz = 0.0;      // the last frequency tuned with "*FR"
  std::string lastTuning;     // the last "*FR" line
  int tuneCount = 0;

  // What "*?LV" measures: a noise floor and carriers, each falling 20 dB at halfWidthMHz to
  // either side of its peak and on down to the floor. A test may put in a table of its own.
  struct Carrier {
    double mhz, dbuv, halfWidthMHz;
  };
  std::vector<Carrier> carriers = {
      {471.25, 72.0, 3.0}, {474.0, 64.0, 3.0},  {607.25, 65.0, 3.0},  {746.0, 58.0, 4.0},  {863.0, 60.0, 3.0},
      {1175.0, 70.0, 3.0}, {1190.0, 66.0, 3.0}, {1200.0, 75.0, 15.0}, {1750.0, 62.0, 15.0}};
  double floorDbuv = 22.0;
  double LevelAt(double mhz) const;
  // "*LV=+" and three hex digits: tenths of dBuV (level modes), tenths of dB (ratio modes 1, 3
  // and 7) or the bit error ratio (modes 4 to 6, BerDigits); "*LV!?000" when levelImpossible.
  std::string LevelReply() const;
  // A live signal's level moves a little from one reading to the next: each level reply alternates
  // between the level and the level plus this many dB (0: a steady signal).
  double levelFlickerDb = 0.0;
  mutable unsigned levelReads = 0;
  // A bit error ratio as the instrument codes it: mantissa 0..127 and exponent -16..15 in 12 bits.
  static std::string BerDigits(double ber);
  int measureMode = 0;           // "*ME0" .. "*ME7"
  bool levelImpossible = false;  // the instrument cannot measure here
  double berValue = 2.1e-6;
  double ratioDb = 38.5;

  // Spectrum mode and the digital filter: the filter commands "*MF0F" / "*MF1F" are taken only
  // right after the access code "*7205&".
  bool protectedMode = false;
  bool filterOn = true;
  bool spectrumMode = true;
  std::string systemReply = "*SY000";  // fifth character '6': digital mode

  // Boot loader and plan memory (Corvane3Loader.cpp). "*BO" enters the boot monitor and
  // "*GO..." starts the loader or the main program: each withholds XON until a line forced
  // without it (FORCE) resynchronises, or, for the main program, the power-on line "*******".
  // "*HX" + an Intel HEX line (":LL...") loads the loader; "*FE6" erases the plan memory; "*FL:" records
  // write it; "*?JI" / "*?CI" answer from it.
  enum class LoaderState { Main, Boot, Loader, Starting };
  LoaderState loaderState = LoaderState::Main;
  bool checkHexChecksum = true;  // refuse (NAK) a "*HX:" line whose checksum is wrong
  int hexLines = 0;              // "*HX:" lines taken
  FlashImage flash;
  // Channel plans stored in the instrument (Corvane3Plans.cpp), read with "*?JI%02X" (plan
  // header) and "*?CI%02X%02X" (channel, then plan); an absent plan or channel answers "*JI!!" or
  // "*CI!!". Replies are built from these records exactly as the instrument lays them out.
  struct StoredChannel {
    std::string name;                   // 4 characters are sent
    unsigned word = 0;                  // PLL word
    unsigned word2 = 0;                 // upper-edge word (0 for satellite)
    std::vector<std::string> commands;  // mnemonics, each sent as ",MNEMONIC"
    bool unreadable = false;            // a fault: the plan counts it, but it answers "*CI!!"
  };
  struct StoredPlan {
    std::string name;                   // 8 characters are sent
    char band = 'T';
    unsigned lnbTenths = 0;             // LNB oscillator in tenths of MHz
    unsigned code = 1;
    std::vector<std::string> commands;
    std::vector<StoredChannel> channels;
  };
  std::map<int, StoredPlan> plans;      // by plan number 0..31
  // The plan memory as delivered: two plans with commands, TDT (channel 21) and ASTRA (1100 and
  // 1200 MHz), in a command-code block of the instrument's own after their headers. The CORVANE-3
  // simulator of `--profile corvane3` and the families after it start with it. With
  // channelBelowBand (a fault) ASTRA's first channel lies at 880 MHz, a CORVANE-3 satellite
  // frequency below the band of every later family, whose plan editors cannot read it.
  void StoreDeliveryPlans(bool channelBelowBand = false);

  // Configuration, monitor and firmware update (Corvane3Settings.cpp). The register store also
  // holds the model text (0x1010), the maker text (0x1020), thirteen option blocks of 28 bytes
  // from 0x1050 (description 17, detail 9, status word 2) and the rotary byte at 0x1306; "*AA"
  // restarts the instrument: it acknowledges the line and sends XON again after restartMs. The
  // monitor reads "*?ME", "*?FR" (the last tuning), "*?CF" / "*CF" (tuning by frequency or by
  // channel), "*?SC" and "*?CH" (the active plan and channel of `plans`), and sets "*CH" and
  // "*SY" (systemReply).
  // A "*HX:" end record (":00000001FF") taken outside the boot monitor makes "*?VE" report
  // updatedVersion from then on.
  void SetOptionBlock(int block, const std::string& description, const std::string& detail, unsigned status);
  static constexpr unsigned kOptionBase = 0x1050, kRotaryAddress = 0x1306;
  bool tuneByChannel = false;
  int activePlan = -1;     // -1: none
  int activeChannel = -1;  // -1: none
  int restarts = 0;        // "*AA" lines taken
  int restartMs = 3000;    // "*AA": the line is quiet this long, then XON
  // "*AA": the instrument switches off before it acknowledges the line (nothing comes back), and
  // restarts all the same.
  bool restartUnacknowledged = false;
  std::string updatedVersion = "V2.20";
  // "*?VE" answers "*VE", a blank and the version; false leaves the blank out.
  bool versionBlank = true;
  // Faults: lines starting with one of `refused` get NAK (the exchange fails, the line stays in
  // step); a line equal to a key of `fixedReplies` is answered with its text.
  std::vector<std::string> refused;
  std::map<std::string, std::string> fixedReplies;
  Answer Handle(const std::string& line) override;
};

void AddCorvane3Commands(Corvane3Profile& profile);
void AddCorvane3SpectrumCommands(Corvane3Profile& profile);
// The digital filter's off and on commands, each taken only right after the access code.
void AddSpectrumFilterCommands(Corvane3Profile& profile, const char* off, const char* on);
void AddCorvane3Loader(Corvane3Profile& profile);
void AddCorvane3PlanCommands(Corvane3Profile& profile);
void AddCorvane3Registers(Corvane3Profile& profile);
void AddCorvane3LoggerCommands(Corvane3Profile& profile);
void AddCorvane3MemoryCommands(Corvane3Profile& profile);
void AddCorvane3SettingsCommands(Corvane3Profile& profile);
// Two hexadecimal digits of `line` at `at`, or -1.
int ParseHex2(const std::string& line, size_t at);
// The reply texts the stored plans give.
std::string Corvane3PlanReply(const Corvane3Profile::StoredPlan& plan);
std::string Corvane3ChannelReply(const Corvane3Profile::StoredChannel& channel);

// Faults a test switches on and off at any time.
struct Faults {
  bool silent = false;             // reads everything, answers nothing, sends nothing
  int strayBeforeXon = 0;          // bytes sent before every XON
  char strayByte = '?';
  bool dropXon = false;            // the handshake byte is left out
  bool dropXoff = false;
  bool dropAck = false;
  bool refuseAll = false;          // every line gets XOFF, NAK
  bool longReplyWithoutCr = false; // the next reply is 300 bytes without CR, and no XON follows
  int cutAfterReplyBytes = -1;     // >= 0: the next reply stops after that many bytes and the
                                   // pseudo-terminal is closed (a cut line)
  bool doubleXon = false;          // every XON is sent twice
  int rawCutAfterBytes = -1;       // >= 0: the next raw answer stops after that many bytes; the
                                   // line stays up and no XON follows
  int rawGapAtByte = -1;           // >= 0: the next raw answer pauses rawGapMs before that byte
  int rawGapMs = 0;
  int lateXonMs = 0;               // > 0: the instrument is busy this long after each answer and
                                   // only then sends XON, so a close meanwhile does not drop it;
                                   // what it answers meanwhile follows that XON
  // A fault at the n-th line starting with `failPrefix` (n = failAtLine, 1-based; counted from
  // when the fault is set): that line is refused (NAK) when `failRefuses`, and otherwise the
  // instrument falls silent from that line on (as `silent`, which a test clears to have it
  // answer again). 0: none.
  std::string failPrefix{};
  int failAtLine = 0;
  bool failRefuses = false;
};

struct TrafficEntry {
  double ms;          // since the simulator started
  bool fromHost;      // true: received by the instrument
  std::string bytes;
};

struct SimOptions {
  // > 0: both directions take the wire time of 10 bits a byte, kept on deadlines; bytes to the
  // host are handed over in bursts like a UART FIFO, never before their own wire time.
  int baud = 0;
  // > 0: the rate the instrument itself runs at. Bytes the program sends while its line is set
  // to another rate reach the instrument as noise: they are logged and not taken.
  uint32_t instrumentBaud = 0;
  std::string logPath;        // traffic log file (both directions, time stamped)
  std::string linkPath;       // a symbolic link made to the slave path (removed on Stop)
};

class Simulator {
 public:
  explicit Simulator(std::unique_ptr<Profile> profile = nullptr, SimOptions options = {});
  ~Simulator();
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  // Opens the pseudo-terminal, sends the first XON and starts serving. False with a reason on failure.
  bool Start(std::string* error = nullptr);
  void Stop();
  const std::string& Path() const { return slavePath_; }
  // The rate the program set on its side of the line (termios2: cfgetospeed answers BOTHER for a
  // rate outside the fixed set); 0 when not running.
  uint32_t LineBaud() const;

  Faults GetFaults() const;
  void SetFaults(const Faults& faults);
  void UpdateFaults(const std::function<void(Faults&)>& change);

  void SendXon();                          // announces readiness now (stray bytes first, if set)
  void Inject(const std::string& bytes);   // sends raw bytes now
  void HangUp();                           // closes the pseudo-terminal now
  bool IsCut() const;
  // Waits until every byte queued so far has been written to the line (tests use it to order
  // injected bytes before they read).
  bool WaitTxIdle(std::chrono::milliseconds limit = std::chrono::milliseconds(2000));

  std::vector<TrafficEntry> Traffic() const;
  std::string Received() const;             // every byte from the host, in order
  std::string Sent() const;                 // every byte to the host, in order
  std::vector<std::string> Lines() const;   // the lines received, CR removed
  void ClearTraffic();

  template <class F>
  auto WithProfile(F f) {
    std::lock_guard<std::mutex> lock(mutex_);
    return f(*profile_);
  }

 private:
  using Clock = std::chrono::steady_clock;
  struct TxByte {
    char c;
    Clock::time_point due;
    bool cut;  // marker: close the line here
  };

  void Run();
  void Wake();
  void ReceiveLocked(const char* data, size_t n, Clock::time_point now);
  void HandleLineLocked(const std::string& line);
  void HandleBlockLocked();
  void AnswerLocked(const Answer& answer, bool wasAccepting);
  void EmitRawLocked(const std::string& bytes);
  void EmitGapLocked(int ms);
  void EmitLocked(const std::string& bytes);
  void EmitCutLocked();
  void SendXonLocked();
  void SendXonNowLocked();
  void FlushTxLocked(Clock::time_point now);
  void CloseLineLocked();
  void LogLocked(bool fromHost, const char* data, size_t n, bool lost = false);  // lost: log file only
  void TakeOpenEventsLocked();
  void DropPendingLocked();

  std::unique_ptr<Profile> profile_;
  SimOptions options_;
  std::chrono::nanoseconds byteTime_{0};

  mutable std::mutex mutex_;
  std::condition_variable txIdle_;
  Faults faults_;
  int master_ = -1;
  int slaveKeep_ = -1;  // keeps the pty alive (and its raw settings) while the program has it closed
  int wakeFd_ = -1;
  // Opens and closes of the slave path by anyone but us, as inotify reports them in order: a close
  // and a quick reopen are both seen even when they happen while this thread is busy.
  int watchFd_ = -1;
  int holders_ = 0;  // descriptors of the slave path open outside the simulator
  std::string slavePath_;
  std::thread thread_;
  bool stop_ = false;
  bool cut_ = false;
  bool txBlocked_ = false;
  Clock::time_point start_;
  Clock::time_point rxWireFree_;
  Clock::time_point txWireFree_;
  std::string rxLine_;
  std::string rxBlock_;
  Clock::time_point emitBase_{};  // while answering a line: the moment its CR is complete
  std::deque<Clock::time_point> lateXons_;  // Faults::lateXonMs: when each late XON is sent
  Clock::time_point xonHold_{};             // nothing else goes out before the last late XON
  std::deque<TxByte> tx_;
  std::vector<TrafficEntry> traffic_;
  std::vector<std::string> lines_;
  FILE* log_ = nullptr;
};

}  // namespace cvsim
