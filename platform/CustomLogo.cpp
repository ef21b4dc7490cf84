#include "CustomLogo.h"

#include <QDir>

#include "IniFile.h"
#include "LogoImage.h"
#include "Text1252.h"

namespace cv {

CustomLogoSettings ReadCustomLogo(const IniFile& ini) {
  CustomLogoSettings s;
  s.logoFile = ini.ReadString("CustomLogo", "logo_file", "");
  s.stretch = SameText(ini.ReadString("CustomLogo", "stretch", "yes"), "yes");
  s.proportional = SameText(ini.ReadString("CustomLogo", "proportional", "yes"), "yes");
  s.center = SameText(ini.ReadString("CustomLogo", "center", "yes"), "yes");
  return s;
}

void ApplyCustomLogo(TLogoImage* image, const CustomLogoSettings& logo, const QString& baseDir) {
  if (!image || logo.logoFile.empty()) return;
  image->SetStretch(logo.stretch);
  image->SetProportional(logo.proportional);
  image->SetCenter(logo.center);
  QString path = From1252(logo.logoFile);
  path.replace('\\', '/');
  if (QDir::isRelativePath(path) && !baseDir.isEmpty()) path = QDir(baseDir).filePath(path);
  image->LoadPicture(path);
}

}  // namespace cv
