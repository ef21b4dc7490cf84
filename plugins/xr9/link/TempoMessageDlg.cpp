#include "TempoMessageDlg.h"

#include <QFont>
#include <QLabel>
#include <QVBoxLayout>

#include "Messages.h"
#include "MsgIds.h"

namespace cv::xr9 {

TTempoMessageDlg::TTempoMessageDlg(QWidget* owner) : QDialog(owner) {
  setObjectName("TempoMessageDlg");
  // A single border with a caption and no border icons.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setWindowTitle(cv::MsgQ(cv::msg::xr9::TempoCaption));
  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  QFont bold = Label1->font();
  bold.setBold(true);
  Label1->setFont(bold);
  // The text's doubled ampersand shows as one, as on a label without an accelerator.
  Label1->setText(cv::MsgQ(cv::msg::xr9::TempoCreatingFiles).replace("&&", "&"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  setFixedSize(sizeHint());
}

}  // namespace cv::xr9
