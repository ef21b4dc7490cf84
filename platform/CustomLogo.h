#pragma once
// The custom logo of the host INI file's [CustomLogo] section, which the host and every plug-in
// apply to their logo images the same way.
#include <QString>
#include <string>

class TLogoImage;

namespace cv {

class IniFile;

struct CustomLogoSettings {
  std::string logoFile;  // empty keeps the built-in logo
  bool stretch = true;
  bool proportional = true;
  bool center = true;
};

// Section [CustomLogo]: logo_file, then stretch, proportional and center, each on only when it
// reads "yes" (without case); each defaults to "yes".
CustomLogoSettings ReadCustomLogo(const IniFile& ini);

// Sets the image's three switches and loads the picture (a relative name is taken from
// `baseDir`). Nothing changes without a logo file; a picture that cannot be read leaves the
// image's picture as it was.
void ApplyCustomLogo(TLogoImage* image, const CustomLogoSettings& logo, const QString& baseDir);

}  // namespace cv
