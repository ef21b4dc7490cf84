#pragma once
// The inner writers of the terrestrial certificate's three sections: RF signals at the head-end,
// user signals A at the branches' best and worst points, and the BER of the DVB channels at the
// branches' worst points. Each appends to the given text (nothing when it is null) and logs
// "DataLogger index out of bounds" for a slot of 200 or more.
#include <string>
#include <vector>

#include "CertificateFrame.h"

namespace cv::xr9 {

// The plan's channels of the slot; null without a plan or for a slot out of range.
const std::vector<TChanXR9>* PlanChannelsOf(const TDataLogStore& store, int slot);

// What each section reads first: its INI section for the kind, its observations prompt and the
// heading of its observations block.
struct SectionTexts {
  std::string section, prompt, heading;
};
SectionTexts ReadSectionTexts(const DataLoggerCtl& ctl, const std::string& espSection);

// The branch tables collected and paired, with the numbers of best and worst points collected.
struct BranchPoints {
  BranchTable best{}, worst{};
  int nBest = 0, nWorst = 0;
  bool Any() const { return nBest > 0 || nWorst > 0; }
};
BranchPoints PairedBranchPoints(const TDataLogStore& store, int slot);

// The four cells "<td>value</td>" of the branches g .. g + 3: the text of `code` at the branch's
// point of `table`, "<td></td>" for a branch without point or beyond the last.
std::string BranchCells(DataLoggerCtl& ctl, int slot, int channel, const BranchTable& table, int g, int code);

// RF signals: the `SENALESRF` element (nothing without a head-end input and output point), and
// the page of channels from `first` ("\nERROR!!\n" without those points).
void WriteRfSignalsXml(DataLoggerCtl& ctl, int slot, std::string* xml);
void WriteRfSignalsHtmlPage(DataLoggerCtl& ctl, int slot, std::string* html, int first);

// User signals A over the paired branch tables: the `SENALESUSUARIOA` element, and the page of
// channels from `c` for the branches g .. g + 3.
void WriteUserSignalsAXml(DataLoggerCtl& ctl, int slot, std::string* xml, const BranchTable& worst,
                          const BranchTable& best);
void WriteUserSignalsAHtmlPage(DataLoggerCtl& ctl, int slot, std::string* html, const BranchTable& worst,
                               const BranchTable& best, int g, int c);

// BER terrestrial over the DVB channel list (ListDvbChannels) and the worst points: the
// `BER_TERRENAL` element, and the page of list entries from `c` for the branches g .. g + 3.
void WriteBerTerXml(DataLoggerCtl& ctl, int slot, std::string* xml, const std::vector<int>* list,
                    const BranchTable* worst);
void WriteBerTerHtmlPage(DataLoggerCtl& ctl, int slot, std::string* html, int c, const std::vector<int>* list,
                         int g, const BranchTable* worst);

}  // namespace cv::xr9
