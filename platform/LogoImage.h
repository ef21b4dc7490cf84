#pragma once
// The logo image of a form: a label that shows a picture stretched, proportional and centred as
// the CustomLogo settings of the host INI file ask. The flags stay on the label as the properties
// "stretch", "proportional" and "center", so a picture loaded later is shown the same way.
class QLabel;
class QPixmap;

namespace cv {

void ApplyLogoFlags(QLabel* image, bool stretch, bool proportional, bool center);
void ShowLogo(QLabel* image, const QPixmap& picture);

}  // namespace cv
