#include "ui/heard_panel.h"
#include "ui/qtext.h"

#include <QGridLayout>

#include "lang/sprachtext.h"

namespace welvaro::ui {

namespace {

// The colour of a verdict: green where the band is open, amber where the
// forecast and the band disagree, grey where nothing tells.
QString verdictStyle(Verdict v) {
  switch (v) {
    case Verdict::OpenNow:
    case Verdict::BetterThanForecast:
      return "color: rgb(0,128,0);";
    case Verdict::UnexpectedOpening:
    case Verdict::ForecastOpenNothingHeard:
      return "color: rgb(190,100,0);";
    case Verdict::PoorNothingHeard:
    case Verdict::ClosedAsForecast:
      return "color: rgb(64,64,64);";
    case Verdict::NotListened:
      break;
  }
  return "color: rgb(140,140,140);";
}

}  // namespace

HeardPanel::HeardPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("frmHeard");
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(1);
  lblTitle = new QLabel(this);
  lblTitle->setObjectName("lblHeard");
  QFont bold = lblTitle->font();
  bold.setBold(true);
  lblTitle->setFont(bold);
  grid->addWidget(lblTitle, 0, 0, 1, 6);
  QFont small = font();
  small.setPointSizeF(small.pointSizeF() * 0.9);
  for (int c = 0; c < 6; ++c) {
    headers_[static_cast<std::size_t>(c)] = new QLabel(this);
    headers_[static_cast<std::size_t>(c)]->setFont(small);
    grid->addWidget(headers_[static_cast<std::size_t>(c)], 1, c, c == 0 || c == 5 ? Qt::AlignLeft : Qt::AlignRight);
  }
  for (std::size_t b = 0; b < kHfBands.size(); ++b)
    for (int c = 0; c < 6; ++c) {
      auto* l = new QLabel(this);
      l->setObjectName(QString("lblHeard%1_%2").arg(q(std::string(kHfBands[b].name))).arg(c));
      l->setFont(small);
      // The verdict may take two lines rather than widen the panel.
      if (c == 5) {
        l->setWordWrap(true);
        l->setMinimumWidth(105);
      }
      cells_[b][static_cast<std::size_t>(c)] = l;
      grid->addWidget(l, static_cast<int>(b) + 2, c, c == 0 || c == 5 ? Qt::AlignLeft : Qt::AlignRight);
    }
  grid->setColumnStretch(5, 1);
}

void HeardPanel::present(const QString& title, const std::array<HeardPanelRow, kHfBands.size()>& rows) {
  lblTitle->setText(title);
  for (std::size_t b = 0; b < rows.size(); ++b) {
    const HeardPanelRow& r = rows[b];
    const std::array<std::string, 6> texts{r.band, r.stations, r.bestSnr, r.farthest, r.towardB, r.verdict};
    for (std::size_t c = 0; c < texts.size(); ++c) cells_[b][c]->setText(q(texts[c]));
    setStyleIfChanged(cells_[b][5], verdictStyle(r.kind));
  }
}

void HeardPanel::retranslate(const State& s) {
  const std::array<int, 6> keys{kTxHeardColBand,     kTxHeardColStations, kTxHeardColSnr,
                                kTxHeardColFarthest, kTxHeardColTowardB,  kTxHeardColCompare};
  for (std::size_t c = 0; c < keys.size(); ++c) {
    headers_[c]->setText(q(T(s, keys[c])));
    headers_[c]->setToolTip(q(T(s, kTxHeardColumnsTip)));
  }
}

}  // namespace welvaro::ui
