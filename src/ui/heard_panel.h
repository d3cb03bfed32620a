// What the receiver heard, per band, beside the bands of the link: stations
// heard in the span, best SNR, farthest distance, stations heard toward B,
// and the forecast's outlook toward B compared with it ("open now",
// "unexpected opening" ...). The rows come decided from the core
// (decodes/heard_window.h); this panel only shows them.
#pragma once

#include <QLabel>
#include <QWidget>
#include <array>

#include "decodes/heard_window.h"
#include "state/state.h"

namespace welvaro::ui {

class HeardPanel : public QWidget {
  Q_OBJECT

 public:
  explicit HeardPanel(QWidget* parent);
  /// The title (the span) and one row per band.
  void present(const QString& title, const std::array<HeardPanelRow, kHfBands.size()>& rows);
  void retranslate(const State& s);

  /// The label of column `column` (0 band .. 5 compare) of band row `band`.
  QLabel* cell(int band, int column) const { return cells_[static_cast<std::size_t>(band)][static_cast<std::size_t>(column)]; }

 private:
  QLabel* lblTitle;
  std::array<QLabel*, 6> headers_{};
  std::array<std::array<QLabel*, 6>, kHfBands.size()> cells_{};
};

}  // namespace welvaro::ui
