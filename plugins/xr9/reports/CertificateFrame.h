#pragma once
// What the certificate report sections share: the INI texts by report kind, the HTML head and
// page break, the observations block, the test-point and channel lookups, the branch tables and
// the channel classes. Plain functions over the data-logger dialog's rules (no widgets); every
// text is Windows-1252 bytes for the HTML and UTF-8 for the XML.
#include <array>
#include <functional>
#include <string>

#include "DataLogFile.h"

namespace cv::xr9 {

class DataLoggerCtl;

inline constexpr const char* kPageBreak = "\n<p class=breakhere\n>";
inline constexpr const char* kStyleSection = "DLReportESP";
inline constexpr int kBranchCount = 15;
using BranchTable = std::array<int, kBranchCount>;  // test-point indices, -1 where empty

// Test-point roles the certificate sheet gives.
enum PointRole : int { RoleBest = 0, RoleWorst = 1, RoleHeadEndIn = 2, RoleHeadEndOut = 3 };

// Report kinds: Catalan texts for 2 and 4, the "UPD" keys for 1, 4 and 7.
bool IsCatalanKind(int kind);
bool IsUpdKind(int kind);
// The section's INI section for the kind being generated: "ESP" becomes "CAT" for Catalan kinds.
std::string KindSection(const DataLoggerCtl& ctl, const std::string& espSection);
// `key`, or `key` + "UPD" for the UPD kinds.
std::string KindKey(const DataLoggerCtl& ctl, const std::string& key);
// An INI text of the dialog's loaded INI file, written exactly as read.
std::string IniText(const DataLoggerCtl& ctl, const std::string& section, const std::string& key,
                    const std::string& def);
// A configured page size below 1 would never advance a page loop: the default stands in.
int PageSizeOr(int configured, int def);
int TerPageSize(const DataLoggerCtl& ctl);  // "Channels_per_page_TER", default 18
int SatPageSize(const DataLoggerCtl& ctl);  // "Channels_per_page_SAT", default 40

// The HTML head up to and including "<body>\n", with the three style texts of "DLReportESP".
std::string CertificateHtmlHead(const DataLoggerCtl& ctl);
// "\xEF\xBB\xBF<?xml ...?>\n".
std::string XmlDeclaration();

// False, after "DataLogger index out of bounds" in the dialog's memo, for a slot of 200 or more
// (and quietly for a negative one).
bool SlotInRange(const DataLoggerCtl& ctl, int slot);

// Lookups (-1 when nothing is found).
int FindTestPointByType(const TDataLogStore& store, int slot, int type, int start);
int FindTestPointInBranch(const TDataLogStore& store, int slot, int branch, int start, int type);
int FindChannelByLnbMode(const TDataLogStore& store, int slot, int mode, int start);
int FindMeasCode(const TDataLogStore& store, int slot, int channel, int code);

// The text of the first measurement of `code` of the channel at the test point, in dBuV; empty
// when it has none or the test point is -1.
std::string ValueText(TDataLogStore& store, int slot, int channel, int testPoint, int code);

// Channel classes: only channels with a TYPE attribute take part.
enum class ChannelClass { None, Analogue, Digital };
ChannelClass ClassOf(const TChanXR9& chan);
// The indices of the plan's DVB channels (TYPE DVB-T/H, DVB-C, DVB-S, DVB-S2) in plan order, every
// one of them: a certificate that left channels out would be wrong.
std::vector<int> ListDvbChannels(const TPlanXR9* plan);

// Branch tables: the first 15 best (role 0) and worst (role 1) points in test-point order;
// nBest and nWorst are how many entered.
void CollectBranchPoints(const TDataLogStore& store, int slot, BranchTable& best, BranchTable& worst,
                         int& nBest, int& nWorst);
// best[b] becomes the first collected best point on branch b; worst[b] the first collected worst
// point on branch b, only where best[b] is set.
void PairBranchPoints(const TDataLogStore& store, int slot, BranchTable& best, BranchTable& worst);
// How far the groups of four branches run: the larger of `count` and the highest branch index
// the paired tables use plus one, so a branch numbered above the count of points is shown too.
int BranchGroupLimit(int count, const BranchTable& best, const BranchTable& worst);

// Section pages: channel pages of `pageSize` from 0 below `channelCount`, each split into groups
// of four branches from 0 below `groupLimit` (at least one group); the page break before every
// page but the first, then page(c, g); observations() after the last.
void ForEachSectionPage(std::string& html, int channelCount, int pageSize, int groupLimit,
                        const std::function<void(int c, int g)>& page,
                        const std::function<void()>& observations);

// Observations: the question deletes the observations file first.
std::string ObservationsPath(const DataLoggerCtl& ctl);
bool AskObservations(DataLoggerCtl& ctl, const std::string& prompt);
// The element with a CDATA body of every line (UTF-8), also for an empty file; nothing without a
// file or without `xml`.
void WriteObservationsXml(const DataLoggerCtl& ctl, const std::string& element, std::string* xml);
// "<br>heading\n" and "<br>line\n" for every line (escaped); nothing for an empty or missing file.
void WriteObservationsHtml(const DataLoggerCtl& ctl, const std::string& heading, std::string* html);

}  // namespace cv::xr9
