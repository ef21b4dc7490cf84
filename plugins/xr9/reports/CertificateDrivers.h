#pragma once
// The frame the certificate drivers put around their sections: the XML declaration and root,
// the sections in order with page breaks between them in the HTML, and the tails. The sections
// are handed in, so the frame's bytes can be checked with sections of a test's own.
namespace cv::xr9 {

class DataLoggerCtl;
struct TReportFiles;

struct CertificateSections {
  using Section = void (*)(DataLoggerCtl& ctl, int slot, TReportFiles* files);
  Section rfSignals, userSignalsA, berTer;  // terrestrial
  Section amplifierLevels, berSat;          // satellite
  Section ifSatTest;                        // IF SAT test of a satellite file
};

// The sections the program writes.
const CertificateSections& ProgramSections();

// Plan type 7: the terrestrial report; plan type 5: the satellite report, or the IF SAT test
// report when `ifSatAllowed` and no measurement sheet is open or its IF SAT test box is set;
// any other plan type, a slot without a file or no files: nothing.
void WriteCertificateFrame(DataLoggerCtl& ctl, int slot, TReportFiles* files, bool ifSatAllowed,
                           const CertificateSections& sections);

}  // namespace cv::xr9
