#pragma once
// The user's decimal and list separators, the "Intl" sDecimal and sList of the tools.
// Taken, first found wins, from the host INI file's [Intl] sDecimal= / sList=, then the
// environment variables CV_SDECIMAL / CV_SLIST, then the user's locale (a list separator of ';'
// where the decimal separator is ',', else ','). Without any of them (the "C" locale) the
// separators are ',' and ';', which is what the plug-ins' files were made with.
namespace cv {

struct Separators {
  char decimal = ',';
  char list = ';';
};

Separators LocaleSeparators();  // looked up at the first call, then kept
char DecimalSeparator();
char ListSeparator();
void ReloadSeparators();  // looks them up again at the next call (after a settings change)

}  // namespace cv
