#include "SheetCommands.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <vector>

#include "BusyCursor.h"
#include "DataLoggerCtl.h"
#include "FileDialogs.h"
#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Prompt.h"
#include "ReportChecks.h"
#include "ReportDispatch.h"
#include "TempoMessageDlg.h"

namespace cv::xr9 {

bool RunSheetReport(QWidget* parent, DataLoggerCtl& owner, int slot, int kind, bool withXml, const QString& defaultExt) {
  namespace r = cv::msg::xr9rep;
  Prompter& prompter = PrompterInForce();
  if (!CheckReportData(owner, slot, kind)) {
    ShowBox(prompter, Msg(r::NotGenerated), Msg(r::ErrorCaption), MsgIcon::Error);
    return false;
  }
  FileDialogRequest request;
  request.filter = MsgQ(r::ReportFilter);
  request.defaultExt = defaultExt;
  const QString chosen = SaveFileDialog(parent, request);
  if (chosen.isEmpty()) return false;
  TReportFiles files = ReportFileNames(chosen.toLocal8Bit().toStdString());
  withXml = withXml && KindWritesXml(kind);
  files.hasXml = withXml;
  std::vector<const std::string*> paths = {&files.htmlPath, &files.pdfPath};
  if (withXml) paths.push_back(&files.xmlPath);
  // Probes: each file can be created. When the report fails, the files this run made and no save
  // filled (every save is whole or none) are removed again, so that no empty file stands where
  // none stood; a file saved whole before a later one failed stays, as do the files that were
  // there before, with the contents the saves leave them on a failure.
  std::vector<QString> made;
  auto removeMade = [&made] {
    for (const QString& m : made)
      if (const QFileInfo info(m); info.isFile() && info.size() == 0) QFile::remove(m);
  };
  for (const std::string* path : paths) {
    const QString qpath = QString::fromLocal8Bit(path->c_str());
    QFile probe(qpath);
    const bool existed = probe.exists();
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Append)) {
      removeMade();
      const std::string text = Format(Msg(r::CouldntCreate), QFileInfo(qpath).fileName().toLocal8Bit().toStdString());
      owner.LogLine(text);
      ShowBox(prompter, text, Msg(r::ErrorCaption), MsgIcon::Error);
      return false;
    }
    probe.close();
    if (!existed) made.push_back(qpath);
  }
  owner.LogLine(Msg(r::CreatingFiles));
  // The writers ask their questions first; the waiting window and the hourglass stand around
  // the conversion alone.
  const ReportOutcome outcome = GenerateReport(owner, slot, files, kind, [parent](const std::function<void()>& convert) {
    const cv::BusyCursor cursor;
    TTempoMessageDlg tempo(parent);
    tempo.show();
    QCoreApplication::processEvents();
    convert();
    tempo.hide();
  });
  if (!outcome.Ok()) {
    removeMade();
    std::string text = Msg(r::ReportFailed);
    for (const std::string& e : outcome.errors) {
      owner.LogLine(e);
      text += "\n" + e;
    }
    ShowBox(prompter, text, Msg(r::ErrorCaption), MsgIcon::Error);
    return false;
  }
  owner.LogLine(Msg(r::FilesSaved));
  ShowBox(prompter, Msg(r::GeneratedOk) + " :\n" + files.pdfPath, Msg(cv::msg::xr9::TempoCaption), MsgIcon::Information);
  return true;
}

bool MaySheetClose(bool modified) {
  namespace m = cv::msg::xr9dl;
  if (!modified) return true;
  return AskBoxYesNoCancel(PrompterInForce(), Msg(m::ResetQuestion), Msg(m::WarningCaption), MsgIcon::Information) ==
         MsgAnswer::Yes;
}

}  // namespace cv::xr9
