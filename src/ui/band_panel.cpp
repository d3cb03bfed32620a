#include "ui/band_panel.h"
#include "ui/qtext.h"

#include <QGridLayout>
#include <QPainter>
#include <cmath>

#include "display/layout.h"
#include "lang/sprachtext.h"
#include "outlook/outlook.h"
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
    outlookRows_.clear();
    level_ = level;
    resize(rows_.empty() ? 0 : static_cast<int>(rows_.front().values.size()), lineHeight);
  }
  void presentOutlook(const std::vector<BandOutlookRow>& rows, int availability, int lineHeight) {
    outlookRows_ = rows;
    rows_.clear();
    availability_ = std::clamp(availability, 0, 2);
    resize(outlookRows_.empty() ? 0 : static_cast<int>(outlookRows_.front().values.size()), lineHeight);
  }

  // What cell (i, j) shows: its colour and text; false without a value.
  bool cell(std::size_t i, std::size_t j, QColor& colour, QString& text) const {
    if (!outlookRows_.empty()) {
      if (i >= outlookRows_.size() || j >= outlookRows_[i].values.size()) return false;
      const BandOutlookValue& v = outlookRows_[i].values[j];
      if (!v.known) return false;
      const OutlookColour c = outlookColour(v.value.outlook);
      colour = QColor(c.red, c.green, c.blue);
      // The margin in whole dB, never more than there is (as the point
      // result's line rounds it). A band far below what the mode needs
      // (100 dB or more) shows its symbol alone: the number would tell
      // nothing more and not fit the cell.
      const double m = v.value.marginDb[static_cast<std::size_t>(availability_)];
      text = q(std::string(outlookSymbol(v.value.outlook)));
      if (std::isfinite(m) && m > -100 && m < 1000) text += " " + QString::number(static_cast<int>(std::floor(m)));
      return true;
    }
    if (i >= rows_.size() || j >= rows_[i].values.size()) return false;
    const BandValue& w = rows_[i].values[j];
    if (!w.value) return false;
    // The colour the map shows for this value.
    const int index = valueIndex(level_ ? w.level + 127.0f : w.field + 54.0f);
    colour = QColor::fromRgb(valueColours()[index]);
    text = q(PlainText(level_ ? w.level : w.field));
    return true;
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    const std::size_t bands = outlookRows_.empty() ? rows_.size() : outlookRows_.size();
    if (bands == 0) return;
    QPainter p(this);
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() * 0.85);
    p.setFont(f);
    // The hours across the top.
    for (int j = 0; j < columns_; ++j) {
      const auto [hour, minute] = time(static_cast<std::size_t>(j));
      p.setPen(palette().color(QPalette::WindowText));
      p.drawText(QRect(j * kCell, 0, kCell, height_), Qt::AlignCenter, QString::fromStdString(clockText(hour, minute)));
    }
    for (std::size_t i = 0; i < bands; ++i)
      for (int j = 0; j < columns_; ++j) {
        const QRect r(j * kCell + 1, static_cast<int>(i + 1) * height_ + 1, kCell - 2, height_ - 2);
        QColor colour;
        QString text;
        if (!cell(i, static_cast<std::size_t>(j), colour, text)) {
          p.fillRect(r, Qt::lightGray);
          continue;
        }
        p.fillRect(r, colour);
        p.setPen(qGray(colour.rgb()) > 110 ? Qt::black : Qt::white);
        p.drawText(r, Qt::AlignCenter, text);
      }
  }

 private:
  void resize(int columns, int lineHeight) {
    columns_ = columns;
    height_ = lineHeight;
    setMinimumSize(columns_ * kCell, (static_cast<int>(kBands.size()) + 1) * height_);
    update();
  }
  std::pair<int, int> time(std::size_t j) const {
    if (!outlookRows_.empty()) return {outlookRows_.front().values[j].hour, outlookRows_.front().values[j].minute};
    return {rows_.front().values[j].hour, rows_.front().values[j].minute};
  }

  std::vector<BandRow> rows_;
  std::vector<BandOutlookRow> outlookRows_;
  bool level_ = true;
  int availability_ = 1;
  int columns_ = 0;
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
  // Which band for the mode now, under the bands.
  lblBestesBand = new QLabel(this);
  lblBestesBand->setObjectName("lblBestesBand");
  lblBestesBand->setWordWrap(true);
  lblBestesBand->setTextInteractionFlags(Qt::TextSelectableByMouse);
  grid->addWidget(lblBestesBand, static_cast<int>(kBands.size()) + 2, 0, 1, 2);
  grid->setColumnStretch(1, 1);
}

void BandPanel::present(const std::vector<BandRow>& rows, bool level, int active) {
  for (std::size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->setChecked(static_cast<int>(i) == active);
  values_->present(rows, level, buttons_[0]->minimumHeight());
}

void BandPanel::presentOutlook(const std::vector<BandOutlookRow>& rows, int availability, int active) {
  for (std::size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->setChecked(static_cast<int>(i) == active);
  values_->presentOutlook(rows, availability, buttons_[0]->minimumHeight());
}

void BandPanel::showBestBand(const QString& line) { lblBestesBand->setText(line); }

QString BandPanel::cellText(int band, int column) const {
  QColor colour;
  QString text;
  if (band < 0 || column < 0 || !values_->cell(static_cast<std::size_t>(band), static_cast<std::size_t>(column), colour, text))
    return {};
  return text;
}

void BandPanel::retranslate(const State& s) {
  lblBaender->setText(q(T(s, kTxBaender)));
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    buttons_[i]->setToolTip(q(T(s, kTxBand) + " " + std::string(kBands[i].name) + labelColon(s) + " " +
                              PlainText(kBands[i].mhz) + " MHz"));
}

}  // namespace welvaro::ui
