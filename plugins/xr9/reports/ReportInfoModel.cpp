#include "ReportInfoModel.h"

#include "Messages.h"
#include "MsgIds.h"
#include "Text1252.h"

namespace cv::xr9 {

namespace m = cv::msg::xr9info;

int ReportInfoModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_.Count(); }

int ReportInfoModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant ReportInfoModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_.Count() || (role != Qt::DisplayRole && role != Qt::EditRole))
    return {};
  const InfoRow& r = rows_.Rows()[size_t(index.row())];
  return From1252(index.column() == FieldColumn ? r.key : r.text);
}

bool ReportInfoModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || index.column() != TextColumn || role != Qt::EditRole || index.row() >= rows_.Count())
    return false;
  rows_.SetText(index.row(), To1252(value.toString()));
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  return true;
}

Qt::ItemFlags ReportInfoModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.column() == TextColumn) f |= Qt::ItemIsEditable;
  return f;
}

QVariant ReportInfoModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
  return MsgQ(section == FieldColumn ? m::FieldTitle : m::TextTitle);
}

}  // namespace cv::xr9
