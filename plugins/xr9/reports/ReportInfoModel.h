#pragma once
// The information rows as a two-column table, "FIELD" and "TEXT": the keys are shown, only the
// texts can be edited. Texts are Windows-1252 in the rows and Unicode in the view.
#include <QAbstractTableModel>

#include "ReportInfoRows.h"

namespace cv::xr9 {

class ReportInfoModel : public QAbstractTableModel {
 public:
  enum Column { FieldColumn = 0, TextColumn = 1 };
  explicit ReportInfoModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  const ReportInfoRows& Rows() const { return rows_; }
  // Changes the rows as a whole (the view is reset).
  template <class F>
  void Change(F&& change) {
    beginResetModel();
    change(rows_);
    endResetModel();
  }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  ReportInfoRows rows_;
};

}  // namespace cv::xr9
