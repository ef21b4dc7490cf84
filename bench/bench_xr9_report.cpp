// The generic report with every measurement of the largest data-logger file the analyser holds
// (100 channels by 115 test points, 435 pages): decoded file to HTML, HTML to PDF, and, when
// chromium is on the path, chromium printing the same HTML to PDF. Peak memory at the end: ours
// (getrusage of this process) and that of chromium's largest process.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <QFile>
#include <cstdio>
#include <ctime>

#include "AtomicFile.h"
#include "GenericReport.h"
#include "HtmlPdf.h"
#include "Xr9Images.h"

namespace img = cvsim::xr9img;
using namespace cv::xr9;

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
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
  const auto image = img::DataLogFile(d);
  TDataLogStore store;
  const int slot = store.DecodeDataLogFile(image.data(), image.size(), "BIG.DL");
  QTemporaryDir dir;
  const QString html = dir.filePath("big.htm"), pdf = dir.filePath("big.pdf");

  QElapsedTimer timer;
  timer.start();
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

  timer.restart();
  timespec cpu0{}, cpu1{}, own0{}, own1{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu0);
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &own0);
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
  // On a busy machine the wall time also holds the waits for a core. The processor time of all
  // threads is the work; that of this thread (which draws the pages while the others lay out the
  // next pieces) is what an idle machine with cores to spare would take at the least.
  auto ms = [](const timespec& a, const timespec& b) {
    return double(b.tv_sec - a.tv_sec) * 1e3 + double(b.tv_nsec - a.tv_nsec) / 1e6;
  };
  std::printf("HTML %zu bytes in %.1f ms; PDF in %.1f ms (processor time %.1f ms, %.1f ms of it drawing)%s\n",
              out.size(), htmlMs, pdfMs, ms(cpu0, cpu1), ms(own0, own1), doc.Failed() ? " (FAILED)" : "");
  if (argc > 1) QFile::copy(pdf, QString::fromLocal8Bit(argv[1]));

  // CV_BENCH_NO_CHROMIUM=1 leaves the comparison out (a profile of our own conversion alone).
  QString chromium;
  if (qEnvironmentVariableIsEmpty("CV_BENCH_NO_CHROMIUM")) {
    chromium = QStandardPaths::findExecutable("chromium");
    if (chromium.isEmpty()) chromium = QStandardPaths::findExecutable("chromium-browser");
  }
  if (chromium.isEmpty()) {
    std::printf("chromium not on the path: no comparison\n");
  } else {
    timer.restart();
    QProcess p;
    p.start(chromium, {"--headless", "--no-sandbox", "--disable-gpu",
                       "--print-to-pdf=" + dir.filePath("chromium.pdf"), QUrl::fromLocalFile(html).toString()});
    p.waitForFinished(600000);
    const double chMs = double(timer.nsecsElapsed()) / 1e6;
    std::printf("chromium --print-to-pdf in %.1f ms; ours / chromium = %.2f\n", chMs, pdfMs / chMs);
  }
  rusage ru{};
  getrusage(RUSAGE_SELF, &ru);
  std::printf("peak resident memory %ld kB\n", ru.ru_maxrss);
  rusage children{};
  if (!chromium.isEmpty() && getrusage(RUSAGE_CHILDREN, &children) == 0)
    std::printf("chromium's largest process peak resident memory %ld kB\n", children.ru_maxrss);
  return doc.Failed() ? 1 : 0;
}
