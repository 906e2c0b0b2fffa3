#include "module/LogModel.h"

#include "module/DecodedLog.h"

namespace quorvane::module {

LogModel::LogModel(const DecodedLog& log, QObject* parent) : QAbstractListModel(parent), log_(log) {
  Refresh();
}

int LogModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

QVariant LogModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_) return {};
  // Until the next Refresh a full log may have let go of the first rows.
  const std::uint64_t n = first_ + static_cast<unsigned>(index.row());
  if (n < log_.FirstKept() || n >= log_.Total()) return {};
  return QString::fromStdString(DescribeEntry(log_.At(n)));
}

void LogModel::Refresh() {
  // Once the log is full every entry moves up a row as a new one comes in: the
  // rows are taken in anew.
  beginResetModel();
  first_ = log_.FirstKept();
  rows_ = static_cast<int>(log_.Total() - first_);
  endResetModel();
}

}  // namespace quorvane::module
