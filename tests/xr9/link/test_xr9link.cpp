// The 115200-baud link: the port's raw operations, the equipment's command layer, and how every
// fault of the analyser ends, and when.
#include <gtest/gtest.h>

#include <cstring>

#include "Xr9Sim.h"

namespace {

using Clock = std::chrono::steady_clock;

// 12 empty reads of mode 2's one-byte read (5 ms + 1000 ms), shortened by the test's scale.
constexpr double kTwelveEmptyMs = 12 * 1005 * Xr9Sim::kTimeScale;

class Xr9Link : public Xr9Sim {
 protected:
  void SetUp() override {
    Xr9Sim::SetUp();
    Analyser([](cvsim::Xr9Profile& p) {
      p.On("*X", [](const std::string&) { return cvsim::Answer::Ok(); });
      p.PutFile(1, "TER", std::string("\x11\x13\x06\x0D\x00\xFF", 6) + std::string(200, 'p'));
    });
  }
};

}  // namespace

TEST_F(Xr9Link, CommandsQueriesAndTheCutOfALongCommand) {
  ASSERT_NO_FATAL_FAILURE(OpenLink());
  EXPECT_TRUE(equip->SendCommand("*7205&"));
  char reply[kReplyBufferSize];
  ASSERT_TRUE(equip->Query("*?NA", reply));
  EXPECT_STREQ(reply, "*NA VELDIX-5");
  EXPECT_TRUE(equip->CheckVersion());
  const std::string longCommand = "*X" + std::string(298, 'L');
  EXPECT_TRUE(equip->SendCommand(longCommand.c_str()));
  sim->WaitTxIdle();
  EXPECT_EQ(sim->Received(), "*7205&\r*?NA\r*?VE\r" + longCommand.substr(0, 252) + "\r");
}

TEST_F(Xr9Link, RawReadsGiveTheCountAndTheirNul) {
  ASSERT_NO_FATAL_FAILURE(OpenLink());
  const std::string whole = "*FL01" + std::string("0000CE") + std::string("\x11\x13\x06\x0D\x00\xFF", 6) + std::string(200, 'p');
  // Asked for the exact size plus the checksum: the bytes as sent, CR, XON and XOFF included.
  std::vector<char> buffer(whole.size() + 4 + 1, '#');
  char command[] = "*?FL01TER";
  const int n = static_cast<int>(whole.size()) + 4;
  EXPECT_EQ(port.AskRaw(command, buffer.data(), n), n);
  EXPECT_EQ(std::string(buffer.data(), whole.size()), whole);
  EXPECT_EQ(buffer[n], '\0');

  // Asked for more than comes: the read ends 700 ms x scale after the last byte (the XON that
  // follows the file included) with the count, and the command layer calls that a failure.
  ASSERT_NO_FATAL_FAILURE(OpenLink());
  std::vector<char> more(n + 11, '#');
  char again[] = "*?FL01TER";
  const auto start = Clock::now();
  EXPECT_EQ(port.AskRaw(again, more.data(), n + 10), n + 1);
  EXPECT_EQ(more[n], XON);
  EXPECT_EQ(more[n + 1], '\0');
  EXPECT_LT(MsSince(start), (1000 + 5.0 * (n + 10)) * kTimeScale);
  ASSERT_NO_FATAL_FAILURE(OpenLink());
  EXPECT_FALSE(equip->QueryRaw("*?FL01TER", more.data(), n + 10));
  ASSERT_NO_FATAL_FAILURE(OpenLink());
  EXPECT_TRUE(equip->QueryRaw("*?FL01TER", more.data(), n));
  // An unknown file is refused: no raw read at all.
  char unknown[] = "*?FL01NONE";
  EXPECT_EQ(port.AskRaw(unknown, more.data(), 10), 0);
}

TEST_F(Xr9Link, BlocksGoUnderTheHandshake) {
  ASSERT_NO_FATAL_FAILURE(OpenLink());
  EXPECT_TRUE(equip->SendCommand("*FL000000033201AB"));
  const uint8_t block[4] = {0x11, 0x0D, 0x13, 0xCF};  // sums to 0 mod 256
  EXPECT_TRUE(equip->SendBlock(block, 4));
  sim->WaitTxIdle();
  EXPECT_EQ(sim->Received(), std::string("*FL000000033201AB\r\x11\x0D\x13\xCF", 22));
  Analyser([](cvsim::Xr9Profile& p) { EXPECT_EQ(p.FindFile(1, "AB")->bytes, "\x11\x0D\x13"); });
  // A block the analyser refuses fails the send.
  EXPECT_TRUE(equip->SendCommand("*FL000000033201AB"));
  const uint8_t bad[4] = {1, 2, 3, 4};
  EXPECT_FALSE(equip->SendBlock(bad, 4));
}

// Each fault, the result it gives and the bound within which it ends.
TEST_F(Xr9Link, FaultMatrix) {
  enum class Op { Query, QueryTwice, RawDownload };
  struct Row {
    const char* name;
    std::function<void(cvsim::Faults&)> fault;
    Op op;
    bool ok;
    double minMs, maxMs;       // the time the operation took
    const char* received;      // what reached the analyser (nullptr: not checked)
    bool afterOpen = false;    // the fault starts once the link is open (the wake line answered)
    double timeScale = kTimeScale;  // the port's time-outs for this row
  } rows[] = {
      {"no XON ever: 12 empty reads, nothing written", [](cvsim::Faults& f) { f.dropXon = true; }, Op::Query, false,
       kTwelveEmptyMs * 0.9, kTwelveEmptyMs * 2 + 500, ""},
      {"silent analyser", [](cvsim::Faults& f) { f.silent = true; }, Op::Query, false, kTwelveEmptyMs * 0.9,
       kTwelveEmptyMs * 2 + 500, ""},
      {"no ACK after XOFF: the reply line fails the wait at once", [](cvsim::Faults& f) { f.dropAck = true; },
       Op::Query, false, 0, 500, "*?VE\r"},
      {"refused line fails at once", [](cvsim::Faults& f) { f.refuseAll = true; }, Op::Query, false, 0, 500, "*?VE\r"},
      {"doubled XON absorbed", [](cvsim::Faults& f) { f.doubleXon = true; }, Op::QueryTwice, true, 0, 1000,
       "*?VE\r*?VE\r"},
      {"stray bytes before XON", [](cvsim::Faults& f) { f.strayBeforeXon = 20; }, Op::QueryTwice, true, 0, 1000,
       "*?VE\r*?VE\r"},
      {"300 bytes without CR: the line ends at 255", [](cvsim::Faults& f) { f.longReplyWithoutCr = true; }, Op::Query,
       true, 0, 1000, "*?VE\r", true},
      {"raw reply cut short, line up", [](cvsim::Faults& f) { f.rawCutAfterBytes = 100; }, Op::RawDownload, false, 0,
       700 * kTimeScale + 1000, nullptr},
      {"gap over 700 ms inside a raw reply",
       [](cvsim::Faults& f) {
         f.rawGapAtByte = 50;
         f.rawGapMs = static_cast<int>(1500 * kTimeScale);
       },
       Op::RawDownload, false, 700 * kTimeScale * 0.9, 1500 * kTimeScale + 300, nullptr},
      // At the real time-outs: 600 ms of margin that no load on the machine eats up.
      {"gap under 700 ms inside a raw reply",
       [](cvsim::Faults& f) {
         f.rawGapAtByte = 50;
         f.rawGapMs = 100;
       },
       Op::RawDownload, true, 100 * 0.9, 1000 + 100, nullptr, false, 1.0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    sim->SetFaults({});
    Settle();
    if (!r.afterOpen) sim->UpdateFaults(r.fault);
    port.timeScale = r.timeScale;  // taken when the link opens
    ASSERT_NO_FATAL_FAILURE(OpenLink());
    if (r.afterOpen) sim->UpdateFaults(r.fault);
    char reply[kReplyBufferSize];
    std::vector<char> raw(300);
    bool ok = false;
    const auto start = Clock::now();
    switch (r.op) {
      case Op::Query:
        ok = equip->Query("*?VE", reply);
        break;
      case Op::QueryTwice:
        ok = equip->Query("*?VE", reply) && std::strcmp(reply, "*VE4.05") == 0 && equip->Query("*?VE", reply) &&
             std::strcmp(reply, "*VE4.05") == 0;
        break;
      case Op::RawDownload:
        ok = equip->QueryRaw("*?FL01TER", raw.data(), 11 + 206 + 4);
        break;
    }
    const double ms = MsSince(start);
    EXPECT_EQ(ok, r.ok);
    EXPECT_GE(ms, r.minMs);
    EXPECT_LE(ms, r.maxMs);
    if (r.received) {
      sim->WaitTxIdle();
      EXPECT_EQ(sim->Received(), r.received);
    }
    if (std::string(r.name).rfind("300", 0) == 0) {
      EXPECT_EQ(std::strlen(reply), 255u);
    }
    port.Close();
    port.timeScale = kTimeScale;
  }
  sim->SetFaults({});
}

TEST_F(Xr9Link, ARawReadOfNothingEndsAtTheWholeReadLimit) {
  ASSERT_NO_FATAL_FAILURE(OpenLink());
  // The answer to the wake line is taken first, as every exchange does.
  ASSERT_TRUE(port.WaitChar(XON));
  std::vector<char> buffer(201, '#');
  const auto start = Clock::now();
  EXPECT_EQ(port.ReadRaw(buffer.data(), 200), 0);
  const double ms = MsSince(start);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_GE(ms, (1000 + 5 * 200) * kTimeScale * 0.95);
  EXPECT_LE(ms, (1000 + 5 * 200) * kTimeScale + 500);
}
