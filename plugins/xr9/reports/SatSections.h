#pragma once
// The sections of a satellite file's certificates: amplifier levels and BER satellite (the
// satellite certificate) and the IF SAT test. Each writes its XML element once and its HTML
// pages one by one; the pieces they share (branch cells, heading rows, RAMAL elements) are here.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "CertificateFrame.h"

namespace cv::xr9 {

class DataLoggerCtl;
struct TReportFiles;

using DvbChannelList = std::vector<int>;  // plan-channel indices (ListDvbChannels)

// Amplifier levels: POWER of the digital channels at the head-end input and output and at the
// best and worst point of each branch.
void WriteAmplifierLevelsXml(DataLoggerCtl& ctl, int slot, std::string* xml, const BranchTable& best,
                             const BranchTable& worst);
void WriteAmplifierLevelsHtmlPage(DataLoggerCtl& ctl, int slot, std::string* html, int c, int g,
                                  const BranchTable& best, const BranchTable& worst);

// BER satellite: VBER of the listed DVB channels at the worst point of each branch; page c shows
// the list entries from position c.
void WriteBerSatXml(DataLoggerCtl& ctl, int slot, std::string* xml, const DvbChannelList& list,
                    const BranchTable& worst);
void WriteBerSatHtmlPage(DataLoggerCtl& ctl, int slot, std::string* html, int c, const DvbChannelList& list,
                         int g, const BranchTable& worst);

// IF SAT test: REF. of the analogue channels at the reference point, LEVEL at the best and worst
// point of each branch.
void WriteIfSatTestXml(DataLoggerCtl& ctl, int slot, std::string* xml, const BranchTable& best,
                       const BranchTable& worst);
void WriteIfSatTestHtmlPage(DataLoggerCtl& ctl, int slot, std::string* html, int c, int g, const BranchTable& best,
                            const BranchTable& worst);
// The first entry that is set, from branch 0 on; test point 0 when none is.
int FirstBranchPoint(const BranchTable& table);

// Shared by the three sections.
struct SectionBranches {
  BranchTable best{}, worst{};
  int nBest = 0, nWorst = 0;
};
// What tells the three sections apart for their common run.
struct SatSectionSteps {
  const char* iniSection;   // the Spanish INI section
  bool updObservations;     // the prompt key follows the kind ("observationsUPD")
  bool writesHead;          // the HTML head before the first page
  std::function<void(std::string* xml, const SectionBranches&)> xml;
  std::function<int(const SectionBranches&)> groupLimit;  // below 1: no HTML pages
  std::function<void(std::string* html, int c, int g, const SectionBranches&)> page;
  // How many rows the pages run over; the plan's channel count when not given.
  std::function<int()> rows = nullptr;
};
// The common run: nothing without report files or an XML file, for a slot out of range (logged),
// or when the file has no best and no worst point; otherwise the observations question, the XML
// element, the head when the section writes it, the pages of every channel page and branch group,
// and the observations after the last page.
void RunSatSection(DataLoggerCtl& ctl, int slot, TReportFiles* files, const SatSectionSteps& steps);
// The slot's plan channels, or null without a plan.
const std::vector<TChanXR9>* PlanChannels(const TDataLogStore& store, int slot);
// Four cells for branches g to g+3: the value of `code` at table[b], empty where b is beyond 14 or
// table[b] is -1.
std::string BranchCells(TDataLogStore& store, int slot, int channel, int g, const BranchTable& table, int code);
// The second and third heading rows over the best and worst columns: the two centred headings,
// then the branch numbers g+1 to g+4 twice.
std::string BranchHeadingRows(const std::string& bestHead, const std::string& worstHead, int g);
// "<RAMAL>\n" with the values of `code` at the branch's best and worst points that exist, the
// branch number twice and "\n</RAMAL>" (the caller adds what follows).
std::string RamalXml(TDataLogStore& store, int slot, int channel, int b, const BranchTable& best,
                     const BranchTable& worst, int code);
// "<td>value</td>" with the value escaped.
std::string ValueCell(const std::string& value);

}  // namespace cv::xr9
