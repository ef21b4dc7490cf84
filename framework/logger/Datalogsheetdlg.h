#pragma once
// The data logger's result sheet: one download as a paged table (test points down, memories
// across), with a report header, the CSV report and the printed report.
#include <QDialog>
#include <QFont>
#include <QPrinter>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "LoggerPrintMetrics.h"
#include "LoggerRecords.h"

namespace cv {
class PrintOutput;
}
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPainter;
class QPushButton;
class QTableWidget;
class QToolButton;
class TCv3Equip;
class TDataLoggerDlg;
class TLogoImage;

// The registry key of the sheet's logo (value "Logo"); the TV MIRELTO reports keep their values
// under the same key.
inline constexpr const char* kDataLoggerKey = "Software\\Tessary\\CvTools\\DataLogger";

class TDataLoggerSheetDlg : public QDialog {
  Q_OBJECT
 public:
  TDataLoggerSheetDlg(TDataLoggerDlg* owner, TCv3Equip* equipment);
  ~TDataLoggerSheetDlg() override;

  static constexpr int kPageMemories = 9;
  static constexpr int kPageTPs = 18;

  int FirstTP() const { return firstTP; }
  int FirstMemory() const { return firstMemory; }
  QPrinter& Printer() { return *printer; }
  cv::logger::TLoggerPrintMetrics Metrics() const;
  std::string InfoText() const;

  // Person-facing services; tests replace them.
  std::function<QString()> chooseSaveFile;            // empty: cancelled
  std::function<QString()> chooseLogoFile;            // empty: cancelled
  std::function<std::optional<QFont>(const QFont&)> chooseFont;
  std::function<bool(QPrinter&)> confirmPrint;        // false: cancelled
  std::function<bool(QPrinter&)> showPrinterSetup;    // false: cancelled

  // The equipment text: "*?VE", the access code, then the serial number at register 0x1000.
  std::string ReadEquipmentInfo();
  static std::string ReadLogoPath();
  // False (and the box) when the registry refuses the value.
  static bool WriteLogoPath(const std::string& path);

 public slots:
  void CloseBtnClick();
  void RightOneBtnClick();
  void LeftOneBtnClick();
  void UpOneBtnClick();
  void DownOneBtnClick();
  void RightPageBtnClick();
  void LeftPageBtnClick();
  void UpPageBtnClick();
  void DownPageBtnClick();
  void SaveBtnClick();
  void InsertLogoClick();
  void FontBtnClick();
  void PrintAllBtnClick();
  void PrintSetupBtnClick();
  void LayoutComboChange();

 private:
  void BuildForm();
  const cv::logger::TLoggerFamily& Family() const;
  // The equipment text into InfoEquipLabel, by the family's query.
  void Identify();
  void ShowPage(int tp0, int memory0);
  void ClearCells();
  void FillHeader(int tp0);
  // Memory k's (1-based, of the download) five heading cells in grid column `column`.
  void ShowMemoryHeading(int k, int column);
  void SetCell(int row, int column, const QString& text);
  void EnableButtons(bool on);
  void FillLayoutCombo();
  void UpdatePrintAllCaption();
  void ShowFontName();
  cv::logger::TPrinterInfo PrinterInfo() const;

  // Printing
  struct PrintJob;
  void PrintTPInRows();
  void PrintTPInColumns();
  void PrintPages(bool tpInRows);
  void DrawPages(PrintJob& job, cv::PrintOutput& output, bool tpInRows);
  int PrintPageHeader(PrintJob& job, int y);
  int PrintMemoryHeadings(PrintJob& job, int x, int y, int memoryPage);
  int PrintRowHeadings(PrintJob& job, int x, int y, int tpPage);
  int PrintTPName(PrintJob& job, int x, int y, int tp);
  int PrintMemoryRow(PrintJob& job, int x, int y, int width, int memory);
  void PrintPageFooter(PrintJob& job, int page);
  void SetTitleFont(QPainter& p) const;
  void SetTextFont(QPainter& p) const;
  std::string FrequencyText(const cv::logger::TLoggerMemory& m) const;

  TDataLoggerDlg* owner;
  TCv3Equip* equipment;
  std::shared_ptr<const cv::logger::TLoggerDownload> download;
  const cv::logger::TPTable* testPoints;
  int tpCount = 0, memoryCount = 0;
  int firstTP = 1, firstMemory = 1;
  char decimalSeparator = ' ', listSeparator = ' ';
  QFont printerFont;
  std::unique_ptr<QPrinter> printer;

  TLogoImage* LogoImage;
  QMenu* ImagePopupMenu;
  QLabel *Label1, *Label2, *Label3, *InfoEquipLabel;
  QLineEdit *IdentificationEdit, *ClientEdit, *CommentsEdit;
  QTableWidget* StringGrid;
  QToolButton *LeftOneBtn, *RightOneBtn, *UpOneBtn, *DownOneBtn, *LeftPageBtn, *RightPageBtn, *UpPageBtn, *DownPageBtn;
  QPushButton *FontBtn, *PrintSetupBtn, *PrintAllBtn, *SaveBtn, *CloseBtn;
  QComboBox* LayoutCombo;
};
