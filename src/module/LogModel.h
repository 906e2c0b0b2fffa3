#pragma once
// The decoded log as a list for a view: rows are the entries the module still
// keeps, put into words only when the view shows them, so a long log costs
// the window nothing until it is scrolled to. A refresh removes the rows the
// log let go of and appends the new ones, so the view keeps its selection.

#include <QAbstractListModel>
#include <cstdint>

namespace quorvane::module {

class DecodedLog;

class LogModel final : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit LogModel(const DecodedLog& log, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  // Takes in what the log holds now; the number of rows it removed at the top
  // (every row, when it took the log in anew).
  int Refresh();

 private:
  const DecodedLog& log_;
  std::uint64_t clears_ = 0;  // the log's Clears() the rows belong to
  std::uint64_t first_ = 0;   // the entry number of row 0
  int rows_ = 0;
};

}  // namespace quorvane::module
