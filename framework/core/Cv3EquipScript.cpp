// The equipment object's script engine, bound to the host's port, the program and the calling
// log dialog.
#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QProgressBar>
#include <cstring>

#include "AppServices.h"
#include "Cv3Equip.h"
#include "Loggerform.h"
#include "Messages.h"
#include "MsgIds.h"
#include "ScriptEngine.h"
#include "Serial.h"
#include "Text1252.h"

namespace {

// The port as the executors use it. TSerial cuts over-long text in the caller's buffer, so
// every call works on a copy.
class SerialLink : public ScriptLink {
 public:
  explicit SerialLink(TEquip& e) : equip(e) {}
  bool SendCommand(const std::string& command) override {
    if (!equip.port) return false;
    char buffer[kReplyBufferSize];
    Copy(command, buffer);
    return equip.port->SendCommand(buffer);
  }
  bool Transact(const std::string& query, std::string& reply) override {
    if (!equip.port) return false;
    char buffer[kReplyBufferSize];
    Copy(query, buffer);
    const bool ok = equip.port->Transact(buffer);
    reply = buffer;
    return ok;
  }
  bool WriteLine(const std::string& text) override {
    if (!equip.port) return false;
    char buffer[kReplyBufferSize];
    Copy(text, buffer);
    return equip.port->WriteLine(buffer);
  }
  bool WaitChar(char expected) override { return equip.port && equip.port->WaitChar(expected); }

 private:
  static void Copy(const std::string& text, char* buffer) {
    const size_t n = std::min(text.size(), static_cast<size_t>(kReplyBufferSize - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
  }
  TEquip& equip;
};

class EquipHost : public ScriptHost {
 public:
  explicit EquipHost(TCv3Equip& e) : equip(e) {}
  void Log(const std::string& line) override { equip.Log(line); }
  void Wait(int milliseconds) override { equip.Wait(milliseconds); }
  // Only the pending messages: the clock's pump also yields the processor, once per update line.
  void ProcessMessages() override { QCoreApplication::processEvents(); }
  bool Beep() override {
    cv::Beep();
    return true;
  }
  void GetKey() override {
    cv::CurrentPrompter().Message(cv::MsgIcon::Information, cv::MsgQ(cv::msg::ScriptKeyCaption),
                                  cv::MsgQ(cv::msg::ScriptPressOk), cv::MsgOk);
  }
  void RepaintMain() override {
    if (equip.GetOwner()) equip.GetOwner()->repaint();
  }
  std::string StartDir() const override { return equip.GetStartDir(); }
  std::string DateString() const override {
    char text[32];
    return equip.DateString(text);
  }
  std::string TimeString() const override {
    char text[32];
    return equip.TimeString(text);
  }
  int64_t NowMs() const override { return equip.clock->NowMs(); }

 private:
  TCv3Equip& equip;
};

class LogFormView : public ScriptView {
 public:
  explicit LogFormView(TLogForm* f) : form(f) {}
  void AddLogLine(const std::string& line) override {
    if (form) form->AddLogLine(line);
  }
  void SetGauge(int percent) override {
    if (form && form->Gauge) form->Gauge->setValue(percent);
  }
  uint32_t GaugeColor() const override {
    if (!form || !form->Gauge) return 0;
    return form->Gauge->palette().color(QPalette::Highlight).rgb() & 0xFFFFFF;
  }
  void SetGaugeColor(uint32_t rgb) override {
    if (!form || !form->Gauge) return;
    QPalette p = form->Gauge->palette();
    p.setColor(QPalette::Highlight, QColor::fromRgb(rgb));
    form->Gauge->setPalette(p);
  }
  void SetRemoteLabel(const std::string& text) override {
    if (form && form->RemoteLabel) form->RemoteLabel->setText(cv::From1252(text));
  }
  uint32_t GetTicks() const override { return form ? form->GetTicks() : 0; }
  void Repaint() override {
    if (form) form->repaint();
  }

 private:
  TLogForm* form;
};

}  // namespace

struct TCv3Equip::ScriptParts {
  explicit ScriptParts(TCv3Equip& e) : link(e), host(e), engine(&link, &host, e.Dialect()) {}
  SerialLink link;
  EquipHost host;
  TScriptEngine engine;
};

const ScriptDialect& TCv3Equip::Dialect() const { return cv::script::Corvane3Dialect(); }

TScriptEngine& TCv3Equip::Script() {
  if (!scriptParts) scriptParts = std::make_shared<ScriptParts>(*this);
  return scriptParts->engine;
}

bool TCv3Equip::RunScript(const std::string& path, TLogForm* dialog) {
  LogFormView view(dialog);
  TScriptEngine& engine = Script();
  const bool ok = engine.RunScript(path, &view);
  engine.SetView(nullptr);
  return ok;
}

void TCv3Equip::ShowSendingTime(int32_t elapsedSeconds, int32_t expectedSeconds) {
  Script().ShowSendingTime(elapsedSeconds, expectedSeconds);
}

void TCv3Equip::LogStart(cv::script::TranscriptFile& file, const std::string& text) {
  Script().LogStart(file, text);
}

void TCv3Equip::LogEnd(cv::script::TranscriptFile& file) { Script().LogEnd(file); }
