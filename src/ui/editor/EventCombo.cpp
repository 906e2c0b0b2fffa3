#include "ui/editor/EventCombo.h"

#include <QByteArray>
#include <QComboBox>
#include <QStringDecoder>

#include "events/TextFields.h"

namespace quorvane::ui {
namespace {

// The item role that holds the name's bytes.
constexpr int kNameBytesRole = Qt::UserRole;

}  // namespace

QString FileNameText(const std::string& bytes) {
  const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QStringDecoder local(QStringDecoder::System, QStringDecoder::Flag::Stateless);
  const QString text = local.decode(view);
  return local.hasError() ? QString::fromLatin1(view) : text;
}

void FillEventCombo(QComboBox* Combo, const std::vector<events::CatalogueEntry>& entries) {
  Combo->clear();
  for (const events::CatalogueEntry& entry : entries) {
    const QString item =
        FileNameText(entry.name) + ", " + QString::fromStdString(entry.description);
    Combo->addItem(item, QByteArray::fromStdString(entry.name));
  }
  Combo->setCurrentIndex(-1);
}

std::string EventNameAt(const QComboBox& Combo, int Index) {
  if (Index < 0 || Index >= Combo.count()) return {};
  const QVariant bytes = Combo.itemData(Index, kNameBytesRole);
  if (bytes.isValid()) return bytes.toByteArray().toStdString();
  std::string item = Combo.itemText(Index).toStdString();
  return events::PopValue(item);
}

}  // namespace quorvane::ui
