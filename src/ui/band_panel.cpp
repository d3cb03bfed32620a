#include "ui/band_panel.h"
#include "ui/qtext.h"

#include <QGridLayout>
#include <QPainter>

#include "display/layout.h"
#include "lang/sprachtext.h"
#include "state/datetime.h"
#include "state/numtext.h"

namespace welvaro::ui {

namespace {

constexpr int kCell = 34;    // width of a value cell [px]
constexpr int kHours = BandPanel::kHours;

}  // namespace

// The coloured value cells of all bands, one row per band button.
class BandValuesView : public QWidget {
 public:
  explicit BandValuesView(QWidget* parent) : QWidget(parent) {
    setObjectName("picBandwerte");
    setMinimumWidth(kHours * kCell);  // room for every hour before the first values come
  }
  void present(const std::vector<BandRow>& rows, bool level, int lineHeight) {
    rows_ = rows;
    level_ = level;
    height_ = lineHeight;
    const int columns = rows_.empty() ? 0 : static_cast<int>(rows_.front().values.size());
    setMinimumSize(columns * kCell, (static_cast<int>(kBands.size()) + 1) * height_);
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (rows_.empty()) return;
    QPainter p(this);
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() * 0.85);
    p.setFont(f);
    // The hours across the top.
    for (std::size_t j = 0; j < rows_.front().values.size(); ++j) {
      const BandValue& w = rows_.front().values[j];
      p.setPen(palette().color(QPalette::WindowText));
      p.drawText(QRect(static_cast<int>(j) * kCell, 0, kCell, height_), Qt::AlignCenter,
                 QString::fromStdString(clockText(w.hour, w.minute)));
    }
    for (std::size_t i = 0; i < rows_.size(); ++i)
      for (std::size_t j = 0; j < rows_[i].values.size(); ++j) {
        const BandValue& w = rows_[i].values[j];
        const QRect r(static_cast<int>(j) * kCell + 1, static_cast<int>(i + 1) * height_ + 1, kCell - 2, height_ - 2);
        if (!w.value) {
          p.fillRect(r, Qt::lightGray);
          continue;
        }
        // The colour the map shows for this value.
        const int index = valueIndex(level_ ? w.level + 127.0f : w.field + 54.0f);
        const QColor colour = QColor::fromRgb(valueColours()[index]);
        p.fillRect(r, colour);
        p.setPen(qGray(colour.rgb()) > 110 ? Qt::black : Qt::white);
        p.drawText(r, Qt::AlignCenter, q(PlainText(level_ ? w.level : w.field)));
      }
  }

 private:
  std::vector<BandRow> rows_;
  bool level_ = true;
  int height_ = 18;
};

BandPanel::BandPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("frmBaender");
  lblBaender = new QLabel(this);
  lblBaender->setObjectName("lblBaender");
  QFont bold = lblBaender->font();
  bold.setBold(true);
  lblBaender->setFont(bold);
  values_ = new BandValuesView(this);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(0);
  grid->addWidget(lblBaender, 0, 0, 1, 2);
  const int h = QFontMetrics(font()).height() + 6;
  auto* head = new QWidget(this);
  head->setFixedHeight(h);
  grid->addWidget(head, 1, 0);
  for (std::size_t i = 0; i < kBands.size(); ++i) {
    auto* k = new QToolButton(this);
    k->setObjectName(QString("cmdBand") + q(std::string(kBands[i].name)));
    k->setText(q(std::string(kBands[i].name)));
    k->setCheckable(true);
    k->setAutoRaise(true);
    // The band of the display frequency stands out, not only as a pressed button.
    k->setStyleSheet("QToolButton:checked { background: palette(highlight); color: palette(highlighted-text);"
                     " font-weight: bold; border-radius: 3px; }");
    k->setFixedHeight(h);
    k->setMinimumWidth(QFontMetrics(font()).horizontalAdvance("160m") + 12);
    buttons_[i] = k;
    grid->addWidget(k, static_cast<int>(i) + 2, 0);
    connect(k, &QToolButton::clicked, this, [this, i] { emit bandChosen(static_cast<int>(i)); });
  }
  // The value cells stand beside the buttons, a row each, under a row of hours.
  grid->addWidget(values_, 1, 1, static_cast<int>(kBands.size()) + 1, 1, Qt::AlignTop | Qt::AlignLeft);
  grid->setColumnStretch(1, 1);
}

void BandPanel::present(const std::vector<BandRow>& rows, bool level, int active) {
  for (std::size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->setChecked(static_cast<int>(i) == active);
  values_->present(rows, level, buttons_[0]->minimumHeight());
}

void BandPanel::retranslate(const State& s) {
  lblBaender->setText(q(T(s, kTxBaender)));
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    buttons_[i]->setToolTip(q(T(s, kTxBand) + " " + std::string(kBands[i].name) + ": " +
                              PlainText(kBands[i].mhz) + " MHz"));
}

}  // namespace welvaro::ui
