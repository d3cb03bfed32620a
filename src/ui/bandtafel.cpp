#include "ui/bandtafel.h"
#include "ui/qtext.h"

#include <QGridLayout>
#include <QPainter>

#include "display/tafel.h"
#include "lang/sprachtext.h"
#include "state/datetime.h"
#include "state/numtext.h"

namespace welvaro::ui {

namespace {

constexpr int kZelle = 34;    // width of a value cell [px]
constexpr int kStunden = Bandtafel::kStunden;

}  // namespace

// The coloured value cells of all bands, one row per band button.
class Bandwerte : public QWidget {
 public:
  explicit Bandwerte(QWidget* parent) : QWidget(parent) {
    setObjectName("picBandwerte");
    setMinimumWidth(kStunden * kZelle);  // room for every hour before the first values come
  }
  void zeige(const std::vector<BandZeile>& zeilen, bool pegel, int zeilenHoehe) {
    zeilen_ = zeilen;
    pegel_ = pegel;
    hoehe_ = zeilenHoehe;
    const int spalten = zeilen_.empty() ? 0 : static_cast<int>(zeilen_.front().werte.size());
    setMinimumSize(spalten * kZelle, (static_cast<int>(kBaender.size()) + 1) * hoehe_);
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (zeilen_.empty()) return;
    QPainter p(this);
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() * 0.85);
    p.setFont(f);
    // The hours across the top.
    for (std::size_t j = 0; j < zeilen_.front().werte.size(); ++j) {
      const BandWert& w = zeilen_.front().werte[j];
      p.setPen(palette().color(QPalette::WindowText));
      p.drawText(QRect(static_cast<int>(j) * kZelle, 0, kZelle, hoehe_), Qt::AlignCenter,
                 QString::fromStdString(uhrText(w.stunde, w.minute)));
    }
    for (std::size_t i = 0; i < zeilen_.size(); ++i)
      for (std::size_t j = 0; j < zeilen_[i].werte.size(); ++j) {
        const BandWert& w = zeilen_[i].werte[j];
        const QRect r(static_cast<int>(j) * kZelle + 1, static_cast<int>(i + 1) * hoehe_ + 1, kZelle - 2, hoehe_ - 2);
        if (!w.wert) {
          p.fillRect(r, Qt::lightGray);
          continue;
        }
        // The colour the map shows for this value.
        const int index = wertIndex(pegel_ ? w.pegel + 127.0f : w.feld + 54.0f);
        const QColor farbe = QColor::fromRgb(wertFarben()[index]);
        p.fillRect(r, farbe);
        p.setPen(qGray(farbe.rgb()) > 110 ? Qt::black : Qt::white);
        p.drawText(r, Qt::AlignCenter, q(PlainText(pegel_ ? w.pegel : w.feld)));
      }
  }

 private:
  std::vector<BandZeile> zeilen_;
  bool pegel_ = true;
  int hoehe_ = 18;
};

Bandtafel::Bandtafel(QWidget* parent) : QWidget(parent) {
  setObjectName("frmBaender");
  lblBaender = new QLabel(this);
  lblBaender->setObjectName("lblBaender");
  QFont fett = lblBaender->font();
  fett.setBold(true);
  lblBaender->setFont(fett);
  werte_ = new Bandwerte(this);
  auto* raster = new QGridLayout(this);
  raster->setContentsMargins(0, 0, 0, 0);
  raster->setHorizontalSpacing(4);
  raster->setVerticalSpacing(0);
  raster->addWidget(lblBaender, 0, 0, 1, 2);
  const int h = QFontMetrics(font()).height() + 6;
  auto* kopf = new QWidget(this);
  kopf->setFixedHeight(h);
  raster->addWidget(kopf, 1, 0);
  for (std::size_t i = 0; i < kBaender.size(); ++i) {
    auto* k = new QToolButton(this);
    k->setObjectName(QString("cmdBand") + q(std::string(kBaender[i].name)));
    k->setText(q(std::string(kBaender[i].name)));
    k->setCheckable(true);
    k->setAutoRaise(true);
    k->setFixedHeight(h);
    k->setMinimumWidth(QFontMetrics(font()).horizontalAdvance("160m") + 12);
    knoepfe_[i] = k;
    raster->addWidget(k, static_cast<int>(i) + 2, 0);
    connect(k, &QToolButton::clicked, this, [this, i] { emit bandGewaehlt(static_cast<int>(i)); });
  }
  // The value cells stand beside the buttons, a row each, under a row of hours.
  raster->addWidget(werte_, 1, 1, static_cast<int>(kBaender.size()) + 1, 1, Qt::AlignTop | Qt::AlignLeft);
  raster->setColumnStretch(1, 1);
}

void Bandtafel::zeige(const std::vector<BandZeile>& zeilen, bool pegel, int aktiv) {
  for (std::size_t i = 0; i < knoepfe_.size(); ++i) knoepfe_[i]->setChecked(static_cast<int>(i) == aktiv);
  werte_->zeige(zeilen, pegel, knoepfe_[0]->minimumHeight());
}

void Bandtafel::sprache(const State& s) {
  lblBaender->setText(q(T(s, kTxBaender)));
  for (std::size_t i = 0; i < knoepfe_.size(); ++i)
    knoepfe_[i]->setToolTip(q(T(s, kTxBand) + " " + std::string(kBaender[i].name) + ": " +
                              PlainText(kBaender[i].mhz) + " MHz"));
}

}  // namespace welvaro::ui
