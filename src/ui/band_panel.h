// The bands to station B: one button per amateur band (160 m .. 10 m) that
// sets the display frequency into that band, and beside each the link's
// value at the time shown and in the hours after it, coloured with the
// map's scale: which band to B now, and when 10 m opens, at a glance.
#pragma once

#include <QLabel>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <vector>

#include "display/bands.h"
#include "display/outlookview.h"
#include "state/state.h"

namespace welvaro::ui {

class BandValuesView;

class BandPanel : public QWidget {
  Q_OBJECT

 public:
  /// The columns: the time shown and the six hours after it.
  static constexpr int kHours = 7;

  explicit BandPanel(QWidget* parent);
  /// The values of the bands (rows of prgBandWerte), in dBm or dB(uV/m),
  /// and the band the display frequency lies in (-1: none).
  void present(const std::vector<BandRow>& rows, bool level, int active);
  /// The outlook of the record's mode per band instead (rows of
  /// prgBandOutlook): each cell the class's colour, its symbol and the
  /// margin in whole dB at the availability `availability` (0..2).
  void presentOutlook(const std::vector<BandOutlookRow>& rows, int availability, int active);
  /// The best-band line under the bands.
  void showBestBand(const QString& line);
  /// Text of the cell of band `band` (0..9) and column `column` as drawn:
  /// a value, or the outlook's symbol and margin ("● 14"); empty without one.
  QString cellText(int band, int column) const;
  void retranslate(const State& s);

 signals:
  void bandChosen(int n);

 private:
  QLabel* lblBaender;
  QLabel* lblBestesBand;
  std::array<QToolButton*, kBands.size()> buttons_{};
  BandValuesView* values_;
};


}  // namespace welvaro::ui
