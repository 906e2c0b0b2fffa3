#pragma once
// The main window's five lamps as text, lamp 0 (D0) first: 'b' for a lamp in
// its line's bright start colour, 'd' for its dark one, '?' for any other.

#include <QObject>
#include <QString>
#include <string>

#include "port/LampShape.h"
#include "port/LineDisplay.h"

namespace quorvane::testing {

inline QString ShownLamps(const QObject& window) {
  const port::LineDisplay::ColorTable& colors = port::LineDisplay::StartColors();
  QString lamps;
  for (int n = 0; n < port::LineDisplay::kLines; ++n) {
    const QColor fill =
        window.findChild<port::LampShape*>(("shpData_" + std::to_string(n)).c_str())->FillColor();
    lamps += fill == colors[n + port::LineDisplay::kLines] ? 'b' : fill == colors[n] ? 'd' : '?';
  }
  return lamps;
}

// The lamps of a byte on the data lines.
inline QString LampsOf(int value) {
  QString lamps;
  for (int n = 0; n < port::LineDisplay::kLines; ++n) lamps += (value >> n) & 1 ? 'b' : 'd';
  return lamps;
}

}  // namespace quorvane::testing
