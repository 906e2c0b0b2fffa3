#include "cli/PanelReport.h"

#include <ostream>

#include "cli/SendOptions.h"
#include "module/DotsImage.h"
#include "module/ShownDots.h"
#include "module/StateText.h"

namespace quorvane::cli {

bool WritePanelReport(const module::Pcd8544& module, const SendOptions& options, std::ostream& out,
                       std::ostream& err) {
  bool written = true;
  const module::Mounting mounting = options.panelMounting.value_or(module::kDefaultMounting);
  const module::Glass glass{options.panelGlassThreshold.value_or(module::kDefaultGlassThreshold)};
  if (options.panelPng) {
    const QString problem = module::SavePanelPng(module::ShownDots(module, mounting, glass),
                                                 options.panelScale.value_or(1),
                                                 QString::fromStdString(*options.panelPng));
    if (problem.isEmpty()) {
      out << "panel picture in " << *options.panelPng << '\n';
    } else {
      err << "quorvane-send: " << problem.toStdString() << '\n';
      written = false;
    }
  }
  if (options.panelState) out << module::StateReport(module, mounting, glass);
  return written;
}

}  // namespace quorvane::cli
