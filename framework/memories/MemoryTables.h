#pragma once
// The code-to-text tables of a memory's settings: a combo box index is the position in its table,
// and each entry names the record code it stands for. The TV standard table also gives the
// two-character code ("00".."36") that the monitor sends with "*SY" and reads from "*?SY".
#include <string>
#include <vector>

namespace cv::mem {

struct CodeText {
  char code;
  std::string text;  // Windows-1252 bytes
};

// The tables in combo order. Texts with a number of their own come from the message table, so
// they follow the language in force.
std::vector<CodeText> BandTable();        // "TER" 'T', "SAT" 'S'
std::vector<CodeText> MeasureTable();     // "LEVEL" .. "C/N Ref", '0' + i
std::vector<CodeText> UnitsTable();       // "dBuV" .. "dB"
std::vector<CodeText> LnbSupplyTable();   // "EXT" .. "18V+22KHz"
std::vector<CodeText> CodeRateTable();    // "AUTO", "1/2" .. "8/9"
std::vector<CodeText> ModulationTable();  // "QAM16" .. "QAM256"
// Spectral inversion by band: satellite (BER QPSK) "AUTO", "OFF", "ON"; terrestrial (BER QAM)
// "OFF", "ON".
std::vector<CodeText> SpecInvTable(char band);
std::vector<CodeText> CarriersTable();    // "MODE 2K" '0', "MODE 8K" '4'
std::vector<CodeText> GuardIntervalTable();  // "1/32" .. "1/4"
std::vector<CodeText> SoundTable();       // 16 entries, code = the index as a hexadecimal digit
// The lists of the families whose meters know more: the sound list with "6.26 (FM)" 'G' and
// "6.80" 'H' after the 16; spectral inversion "OFF" '1', "ON" '2' on both bands; the guard
// intervals with "AUTO" '4'.
std::vector<CodeText> SoundTable18();
std::vector<CodeText> SpecInvOffOnTable(char band);
std::vector<CodeText> GuardIntervalAutoTable();

// The index of `code` in `table`, or -1.
int IndexOfCode(const std::vector<CodeText>& table, char code);

// The TV standard: 13 entries, each a (colour, standard) pair.
struct StandardEntry {
  std::string text;
  char color;
  char std;
};
constexpr int kStandardCount = 13;
// Built on each call: the DIGITAL text follows the language in force.
std::vector<StandardEntry> StandardTable();
// The entry a record's pair selects: the exact pairs first, then a PAL or SECAM pair with any
// other standard gives PAL_SAT / SECAM_SAT, and colour '3' gives DIGITAL; -1 for an NTSC pair
// with a standard other than '4' or '7' and for a colour outside '0'..'3'.
int StandardIndex(char color, char std);
// The same, but a PAL, SECAM or NTSC colour with standard '6' gives DIGITAL, as the meters that
// tell a digital memory by its standard show it.
int StandardIndexDigitalStd(char color, char std);
// The two-character code of entry `index` (colour and standard); "00" outside 0..12.
std::string StandardCode(int index);
// The entry of a two-character code; 0 for a code outside the table.
int StandardIndexOfCode(const std::string& code);

}  // namespace cv::mem
