// The generic report with every measurement of data-logger files: decoded file to HTML (timed
// apart), HTML to PDF, and, when chromium is on the path, chromium printing the same HTML to PDF.
// Cases:
// - "115 points": 100 channels by 115 test points, two measurements each (435 pages);
// - "12545 x 1": the most channels a file of the receive buffer's size declares (12,545, see
//   LargestDataLog) all measured: one test point and as many measurements as the bytes left hold
//   (two or three a channel: 32,768 rows on 1,793 pages);
// - "12545 x 3": the same channels measured at three test points, a level each and an MER on as
//   many as the bytes left hold (13,106 rows on 1,793 pages).
// LargestDataLog itself, with 65,535 empty test points, would make 29 million pages of headings: a
// report no one prints, left out. Peak memory: ours (getrusage of this process, after each case)
// and that of chromium's largest process.
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <map>
#include <cstring>
#include <ctime>

#include "AtomicFile.h"
#include "GenericReport.h"
#include "HtmlPdf.h"
#include "Xr9Images.h"

namespace img = cvsim::xr9img;
using namespace cv::xr9;

namespace {

constexpr size_t kFileLimit = 520000;

img::DataLog HundredByHundredFifteen() {
  img::DataLog d;
  d.plan.type = 7;
  const std::vector<uint8_t> codes = {0, 4};
  for (int c = 0; c < 100; ++c) {
    img::Channel ch;
    ch.name = "C" + std::to_string(c);
    ch.value1 = ch.value2 = 474000 + 8000 * uint32_t(c);
    ch.attrs = {{2, 0}};
    d.plan.channels.push_back(ch);
    d.channels.push_back({codes});
  }
  for (int t = 0; t < 115; ++t) {
    img::DlTestPoint tp{"TP" + std::to_string(t), 1, {}};
    tp.values.assign(100 * codes.size(), img::MeasValue(0, 500 + t));
    d.testPoints.push_back(tp);
  }
  return d;
}

// The channels of LargestDataLog, named and typed by a plan attribute (which costs no bytes per
// channel), each measured `perChannel` times at `points` test points; `extra` channels take one
// measurement more, as far as the file's size allows.
img::DataLog WidestMeasured(int points) {
  const size_t channels = img::LargestDataLog(kFileLimit).channels.size();
  img::DataLog d;
  d.plan.type = 7;
  d.plan.attrs = {{2, 0}};
  for (size_t c = 0; c < channels; ++c) {
    img::Channel ch;
    ch.name = "C" + std::to_string(c);
    ch.value1 = ch.value2 = 47000 + 250 * uint32_t(c);
    d.plan.channels.push_back(ch);
    d.channels.push_back({{0}});
  }
  for (int t = 0; t < points; ++t) d.testPoints.push_back({"TP" + std::to_string(t), 1, {}});
  auto fill = [&] {
    for (auto& tp : d.testPoints) {
      tp.values.clear();
      for (const auto& ch : d.channels)
        for (size_t k = 0; k < ch.codes.size(); ++k) tp.values.push_back(img::MeasValue(0, 600 + int(k)));
    }
    return img::DataLogFile(d).size();
  };
  // Each further measurement costs its code and a value at every point.
  const size_t perMeas = 1 + 3 * size_t(points);
  const std::vector<uint8_t> more = {4, 5};  // MER, CBER
  size_t size = fill();
  for (uint8_t code : more) {
    size_t room = size < kFileLimit ? (kFileLimit - size) / perMeas : 0;
    for (size_t c = 0; c < channels && room > 0; ++c, --room) d.channels[c].codes.push_back(code);
    size = fill();
  }
  return d;
}

long PeakResidentKb() {
  rusage ru{};
  getrusage(RUSAGE_SELF, &ru);
  return ru.ru_maxrss;
}

// Processor time of each thread of this process so far, in ms (the kernel counts in clock ticks).
std::map<int, double> ThreadTimes() {
  std::map<int, double> times;
  const double msPerTick = 1000.0 / double(sysconf(_SC_CLK_TCK));
  for (const QString& tid : QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    QFile f("/proc/self/task/" + tid + "/stat");
    if (!f.open(QIODevice::ReadOnly)) continue;
    const QByteArray stat = f.readAll();
    // The fields after the name (which may hold blanks) in brackets: user time is the 14th field
    // of the line and system time the 15th.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() > 12) times[tid.toInt()] = double(fields[11].toLongLong() + fields[12].toLongLong()) * msPerTick;
  }
  return times;
}

// The most processor time one thread spent between two readings.
double BusiestThread(const std::map<int, double>& before, const std::map<int, double>& after) {
  double most = 0;
  for (const auto& [tid, t] : after) {
    const auto it = before.find(tid);
    most = std::max(most, t - (it == before.end() ? 0.0 : it->second));
  }
  return most;
}

double Ms(const timespec& a, const timespec& b) {
  return double(b.tv_sec - a.tv_sec) * 1e3 + double(b.tv_nsec - a.tv_nsec) / 1e6;
}

bool RunCase(const char* label, const img::DataLog& d, const QString& copyTo) {
  const auto image = img::DataLogFile(d);
  TDataLogStore store;
  const int slot = store.DecodeDataLogFile(image.data(), image.size(), "BIG.DL");
  QTemporaryDir dir;
  const QString html = dir.filePath("big.htm"), pdf = dir.filePath("big.pdf");
  size_t rows = 0;
  for (const auto& ch : d.channels) rows += ch.codes.size();
  std::printf("%s: file %zu bytes, %zu channels, %zu test points, %zu rows\n", label, image.size(),
              d.channels.size(), d.testPoints.size(), rows);
  const long peakBefore = PeakResidentKb();

  QElapsedTimer timer;
  timer.start();
  timespec h0{}, h1{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &h0);
  std::string out;
  GenericReportContext ctx;
  cv::IniFile ini;
  ini.Parse("[DLCVTOOLS]\ntdStyle=td { font-size: 8pt }\npagebreaking=P.breakhere {page-break-before: always}\n"
            "[DLReportESP]\ntableAtt=border=1 cellspacing=0\n");
  ctx.ini = &ini;
  ctx.date = "1/1/2026";
  ctx.time = "9:00";
  WriteGenericReportAll(out, store, slot, ctx);
  cv::WriteFileAtomically(html.toStdString(), out);
  const double htmlMs = double(timer.nsecsElapsed()) / 1e6;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &h1);
  const size_t htmlBytes = out.size();
  std::string().swap(out);

  timer.restart();
  timespec cpu0{}, cpu1{}, own0{}, own1{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu0);
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &own0);
  const auto threads0 = ThreadTimes();
  cv::PdfDocument doc;
  cv::HtmlToPdf conv;
  doc.StartEngine();
  doc.set_FileName(pdf);
  doc.BeginDoc();
  doc.set_PDFPAGE_Orientation(0);
  conv.StartHTMLEngine();
  conv.ConnectToPDFLibrary(&doc);
  conv.set_AutoAdjustContentWidth(1);
  conv.set_MarginLeft(25);
  conv.set_MarginTop(35);
  conv.LoadHTMLFile(html);
  conv.ConvertAll();
  doc.EndDoc();
  const double pdfMs = double(timer.nsecsElapsed()) / 1e6;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu1);
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &own1);
  const auto threads1 = ThreadTimes();
  // On a busy machine the wall time also holds the waits for a core. The processor time of all
  // threads is the work; that of the busiest thread (a long report's parts are drawn on several,
  // a short one's pages by this thread while others lay out the next pieces) is what an idle
  // machine with a core for each would take at the least; this thread joins the parts.
  std::printf("  HTML %zu bytes in %.1f ms (processor %.1f ms); PDF %lld bytes in %.1f ms (processor time %.1f ms; "
              "busiest thread %.0f ms, this thread %.1f ms)%s\n",
              htmlBytes, htmlMs, Ms(h0, h1), static_cast<long long>(QFile(pdf).size()), pdfMs, Ms(cpu0, cpu1),
              BusiestThread(threads0, threads1), Ms(own0, own1), doc.Failed() ? " (FAILED)" : "");
  std::printf("  HTML and PDF together %.1f ms; peak resident memory %ld kB (%ld kB above the earlier peak)\n",
              htmlMs + pdfMs, PeakResidentKb(), PeakResidentKb() - peakBefore);
  if (!copyTo.isEmpty()) QFile::copy(pdf, copyTo);

  // CV_BENCH_NO_CHROMIUM=1 leaves the comparison out (a profile of our own conversion alone).
  QString chromium;
  if (qEnvironmentVariableIsEmpty("CV_BENCH_NO_CHROMIUM")) {
    chromium = QStandardPaths::findExecutable("chromium");
    if (chromium.isEmpty()) chromium = QStandardPaths::findExecutable("chromium-browser");
  }
  if (chromium.isEmpty()) {
    std::printf("  chromium not on the path: no comparison\n");
  } else {
    // Chromium may take far longer than the benchmark is worth on a large report: it is given
    // CV_BENCH_CHROMIUM_SECONDS (120), then stopped with every process it started.
    const int bound = qEnvironmentVariableIsEmpty("CV_BENCH_CHROMIUM_SECONDS")
                          ? 120
                          : qEnvironmentVariableIntValue("CV_BENCH_CHROMIUM_SECONDS");
    timer.restart();
    QProcess p;
    p.setChildProcessModifier([] { setpgid(0, 0); });
    p.start(chromium, {"--headless", "--no-sandbox", "--disable-gpu",
                       "--print-to-pdf=" + dir.filePath("chromium.pdf"), QUrl::fromLocalFile(html).toString()});
    if (p.waitForFinished(bound * 1000)) {
      const double chMs = double(timer.nsecsElapsed()) / 1e6;
      std::printf("  chromium --print-to-pdf in %.1f ms; ours / chromium = %.2f\n", chMs, pdfMs / chMs);
    } else {
      if (p.processId() > 0) ::kill(-static_cast<pid_t>(p.processId()), SIGKILL);
      p.waitForFinished(5000);
      std::printf("  chromium --print-to-pdf did not finish within %d s: stopped, no comparison "
                  "(ours / chromium < %.3f)\n", bound, pdfMs / (bound * 1000.0));
    }
  }
  return !doc.Failed();
}

}  // namespace

// Arguments: [case] [copy of the PDF]; the case is "115", "12545x1" or "12545x3", all when absent.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const char* only = argc > 1 ? argv[1] : "";
  const QString copyTo = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
  auto wanted = [&](const char* name) { return !*only || std::strcmp(only, name) == 0; };
  bool ok = true;
  if (wanted("115")) ok = RunCase("115 points", HundredByHundredFifteen(), copyTo) && ok;
  if (wanted("12545x1")) ok = RunCase("12545 x 1", WidestMeasured(1), copyTo) && ok;
  if (wanted("12545x3")) ok = RunCase("12545 x 3", WidestMeasured(3), copyTo) && ok;
  rusage children{};
  if (getrusage(RUSAGE_CHILDREN, &children) == 0 && children.ru_maxrss > 0)
    std::printf("chromium's largest process peak resident memory %ld kB\n", children.ru_maxrss);
  return ok ? 0 : 1;
}
