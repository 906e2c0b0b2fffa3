#include "module/LogModel.h"

#include "module/DecodedLog.h"

namespace quorvane::module {

LogModel::LogModel(const DecodedLog& log, QObject* parent)
    : QAbstractListModel(parent),
      log_(log),
      clears_(log.Clears()),
      first_(log.FirstKept()),
      rows_(static_cast<int>(log.Total() - log.FirstKept())) {}

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

int LogModel::Refresh() {
  const std::uint64_t first = log_.FirstKept();
  const std::uint64_t total = log_.Total();
  const std::uint64_t end = first_ + static_cast<unsigned>(rows_);
  // After a clear the entry numbers name other entries; and once none of the
  // rows is kept any more, taking the log in anew costs less than removing
  // every row and inserting a whole log.
  if (log_.Clears() != clears_ || (rows_ > 0 && first >= end)) {
    const int removed = rows_;
    beginResetModel();
    clears_ = log_.Clears();
    first_ = first;
    rows_ = static_cast<int>(total - first);
    endResetModel();
    return removed;
  }
  int removed = 0;
  if (rows_ == 0) {
    first_ = first;
  } else if (first > first_) {
    // The full log let go of its oldest entries.
    removed = static_cast<int>(first - first_);
    beginRemoveRows({}, 0, removed - 1);
    rows_ -= removed;
    first_ = first;
    endRemoveRows();
  }
  if (const std::uint64_t shown = first_ + static_cast<unsigned>(rows_); total > shown) {
    const int added = static_cast<int>(total - shown);
    beginInsertRows({}, rows_, rows_ + added - 1);
    rows_ += added;
    endInsertRows();
  }
  return removed;
}

}  // namespace quorvane::module
