#pragma once
// Fills the plan editor's attribute combo boxes from the attribute table: each box is emptied,
// gets the names of its code's rows in table order (as stored, blanks included), and has its
// first item selected, so an item's position is the row's FindAttributeIndex. The boxes are found
// by their object names in the editor.
#include <QComboBox>
#include <QWidget>

#include "Text1252.h"
#include "Xr9Attributes.h"

namespace cv::xr9 {

inline void FillAttributeCombo(QWidget& editor, const char* name, int code) {
  QComboBox* box = editor.findChild<QComboBox*>(QString::fromLatin1(name));
  if (!box) return;
  box->clear();
  for (const std::string& item : AttributeNamesOfCode(code)) box->addItem(cv::From1252(item));
  box->setCurrentIndex(0);
}

inline void FillChannelAttributeCombos(QWidget& editor) {
  static const struct {
    const char* name;
    int code;
  } boxes[] = {{"ComChanSYSComboBox", AttrSys},       {"ComChanTYPEComboBox", AttrType},
               {"ComChanLNBComboBox", AttrLnb},       {"ComChanSPINVComboBox", AttrSpInv},
               {"ComChanCONSTComboBox", AttrConstellation}, {"ComChanCARRIERSComboBox", AttrCarriers},
               {"ComChanGUARDComboBox", AttrGuard},   {"ComChanCRComboBox", AttrCodeRate}};
  for (const auto& b : boxes) FillAttributeCombo(editor, b.name, b.code);
}

inline void FillPlanAttributeCombos(QWidget& editor) {
  FillAttributeCombo(editor, "ComPlanSYSComboBox", AttrSys);
  FillAttributeCombo(editor, "ComPlanTYPEComboBox", AttrType);
  FillAttributeCombo(editor, "ComPlanLNBComboBox", AttrLnb);
}

}  // namespace cv::xr9
