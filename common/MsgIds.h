#pragma once
// Message ids. Texts the system numbers keep their numbers; texts without a number of their own
// take an id from the ranges below, one range per area, so the areas never collide:
//   30000-30999 host          31000-31999 serial and platform   32000-32999 plug-in core
//   33000-33999 spectrum      34000-34999 script engine         35000-35999 plan editor
//   36000-36999 editor, CSV viewer, language
namespace cv::msg {

constexpr int LanguageMarker = 6666;  // "CODELANG_0902": tells which language a module holds

// ---- Text editor, CSV viewer, language (36000-36999) ----
// Numbered texts of the editor and the language switch.
constexpr int EdCaption = 1735;            // "CvTools Editor"
constexpr int EdRegistryWriteFailed = 1736;
constexpr int EdSaveChanges = 1737;
constexpr int EdCaptionFile = 1738;        // "CvTools Editor  -  "
constexpr int EdFileTooLong = 1739;
constexpr int EdSaveAsTitle = 1740;
constexpr int EdPrintHeader = 1741;        // "CvTools Editor: %s"
constexpr int EdPrintPage = 1742;          // "Page %d"
constexpr int EdTextNotFound = 1743;
constexpr int EdRegistryReadFailed = 1744;
constexpr int LangErrorTitle = 1752;       // "Error"
constexpr int LangIniFailed = 2031;        // "Impossible to handle INI file"

// Editor menus, hints and dialogs.
constexpr int EdMenuFile = 36000;
constexpr int EdMenuNew = 36001;
constexpr int EdMenuOpen = 36002;
constexpr int EdMenuSave = 36003;
constexpr int EdMenuSaveAs = 36004;
constexpr int EdMenuPrint = 36005;
constexpr int EdMenuPrinterSetup = 36006;
constexpr int EdMenuExit = 36007;
constexpr int EdMenuEdit = 36010;
constexpr int EdMenuUndo = 36011;
constexpr int EdMenuSelectAll = 36012;
constexpr int EdMenuCut = 36013;
constexpr int EdMenuCopy = 36014;
constexpr int EdMenuPaste = 36015;
constexpr int EdMenuSearch = 36016;
constexpr int EdHintNew = 36020;
constexpr int EdHintOpen = 36021;
constexpr int EdHintSave = 36022;
constexpr int EdHintPrint = 36023;
constexpr int EdHintSearch = 36024;
constexpr int EdHintExit = 36025;
constexpr int EdFilterCvTools = 36026;
constexpr int EdFilterOther = 36027;
constexpr int EdSaveFailed = 36028;        // "Unable to save the file %s"
constexpr int FindCaption = 36030;
constexpr int FindWhat = 36031;
constexpr int FindWholeWord = 36032;
constexpr int FindMatchCase = 36033;
constexpr int FindNext = 36034;
constexpr int FindCancel = 36035;

// CSV viewer.
constexpr int CsvCaption = 36100;
constexpr int CsvHintExit = 36101;
constexpr int CsvHintOpen = 36102;
constexpr int CsvFilter = 36103;
constexpr int CsvCannotOpen = 36104;       // "Couldn't open CSV file " + name
constexpr int CsvOpened = 36105;           // name + " opened"
constexpr int CsvTooLarge = 36106;
constexpr int CsvBoxTitle = 36107;         // "CvTools"

}  // namespace cv::msg
