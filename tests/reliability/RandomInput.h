#pragma once
// Seeded random input for driving the windows: texts for the boxes (value
// lists with bytes in and out of range, "#" delays, garbage, very long text),
// keys, and answers for the file dialogs and input boxes. The same seed gives
// the same stream, so a failure can be replayed.

#include <QString>
#include <QStringList>
#include <Qt>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace quorvane::testing {

class RandomInput {
 public:
  explicit RandomInput(std::uint64_t seed) : engine_(seed) {}

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <typename T>
  T Pick(const std::vector<T>& from) {
    return from[static_cast<std::size_t>(Below(static_cast<int>(from.size())))];
  }

  // One item of a value list: mostly bytes, sometimes anything else.
  QString ListItem() {
    switch (Below(12)) {
      case 0:
        return Pick<QString>({"256", "-1", "1e999", "99999999999", "-0", "255.5", "&HFF", "&O777",
                              "&H", "1D2", "NaN", "inf"});
      case 1:
        return "#" + Pick<QString>({"0", "1", "500", "30000", "-5", "1e12", "", "abc", "2147483648",
                                    "-2147483649", "&H10", " 7 "});
      case 2:
        return Garbage(1 + Below(8));
      case 3:
        return QString();
      default:
        return QString::number(Below(256));
    }
  }

  // Text typed or pasted into a box. Very long texts carry few items, or
  // only items that refuse the whole list however the text is edited after,
  // so a send of one stays short.
  QString BoxText() {
    switch (Below(24)) {
      case 0:
        return QString::number(Below(256)) + "," + QString(33000 + Below(2000), ' ') + ListItem();
      case 1: {
        const QString item = Pick<QString>({"256, ", "#1e12, ", "1e999, "});
        return item.repeated(33000 / static_cast<int>(item.size()) + Below(300));
      }
      case 2:
        return QString(33000 + Below(2000), Pick<QChar>({'x', '#', ',', '9', QChar(0x00E9)}));
      case 3:
      case 4:
        return Garbage(1 + Below(40));
      default: {
        QStringList items;
        const int count = Below(9);
        for (int n = 0; n < count; ++n) items << ListItem();
        return items.join(Pick<QString>({", ", ",", " , ", ",\t", ";", ", ,"}));
      }
    }
  }

  // Characters of every kind: printable, blanks, controls, Latin-1, other
  // scripts, a surrogate pair.
  QString Garbage(int length) {
    static const QString kCharacters =
        QString("abcXYZ019 ,,;#&.-+eEdD\t\"'\\/%*?") + QChar(0x00E9) + QChar(0x00FF) +
        QChar(0x0416) + QChar(0x4E2D) + QChar(0x200B) + QChar(0x0001) + QChar(0x007F);
    QString text;
    for (int n = 0; n < length; ++n) {
      if (Chance(3)) {
        text += QString::fromUcs4(U"\U0001F600", 1);
      } else {
        text += kCharacters.at(Below(static_cast<int>(kCharacters.size())));
      }
    }
    return text;
  }

  struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
  };
  Key AnyKey() {
    static const std::vector<Key> kKeys = {
        {Qt::Key_Tab, Qt::NoModifier},        {Qt::Key_Backtab, Qt::ShiftModifier},
        {Qt::Key_Space, Qt::NoModifier},      {Qt::Key_Return, Qt::NoModifier},
        {Qt::Key_Enter, Qt::NoModifier},      {Qt::Key_Escape, Qt::NoModifier},
        {Qt::Key_Left, Qt::NoModifier},       {Qt::Key_Right, Qt::NoModifier},
        {Qt::Key_Up, Qt::NoModifier},         {Qt::Key_Down, Qt::NoModifier},
        {Qt::Key_PageUp, Qt::NoModifier},     {Qt::Key_PageDown, Qt::NoModifier},
        {Qt::Key_Home, Qt::NoModifier},       {Qt::Key_End, Qt::NoModifier},
        {Qt::Key_Backspace, Qt::NoModifier},  {Qt::Key_Delete, Qt::NoModifier},
        {Qt::Key_F4, Qt::NoModifier},         {Qt::Key_Down, Qt::AltModifier},
        {Qt::Key_D, Qt::AltModifier},         {Qt::Key_W, Qt::AltModifier},
        {Qt::Key_Question, Qt::AltModifier},  {Qt::Key_A, Qt::ControlModifier},
        {Qt::Key_C, Qt::ControlModifier},     {Qt::Key_V, Qt::ControlModifier},
        {Qt::Key_X, Qt::ControlModifier},     {Qt::Key_Z, Qt::ControlModifier},
        {Qt::Key_Y, Qt::ControlModifier},     {Qt::Key_Right, Qt::ShiftModifier},
        {Qt::Key_5, Qt::NoModifier},          {Qt::Key_Comma, Qt::NoModifier},
        {Qt::Key_NumberSign, Qt::NoModifier}, {Qt::Key_S, Qt::NoModifier},
        {Qt::Key_Menu, Qt::NoModifier},       {Qt::Key_F1, Qt::NoModifier}};
    return Pick(kKeys);
  }

  // A name typed into the editor's input boxes.
  QString EventName() {
    return Pick<QString>({"rnd", "rnd2", "probe", "0", "1", "", "  ", "a,b", "../up", "x/y",
                          QString(300, 'n'), QString("caf") + QChar(0x00E9), "tab\there", ".", "..",
                          Garbage(6)});
  }

 private:
  std::mt19937_64 engine_;
};

}  // namespace quorvane::testing
