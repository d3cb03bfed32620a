#include "ui/meldungsleiste.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace welvaro::ui {

MeldungsLeiste::MeldungsLeiste(QWidget* parent) : QFrame(parent), zeilen_(new QVBoxLayout(this)) {
  setObjectName("frmMeldungen");
  setFrameShape(QFrame::StyledPanel);
  setStyleSheet("#frmMeldungen { background: #fff4ce; border: 1px solid #d8b24c; border-radius: 3px; }"
                "#frmMeldungen QLabel { color: #3a2e00; }");
  zeilen_->setContentsMargins(6, 3, 3, 3);
  zeilen_->setSpacing(2);
  hide();
}

void MeldungsLeiste::zeige(const QString& text, const QString& schliessen) {
  if (texte().contains(text)) return;
  auto* zeile = new QWidget(this);
  auto* layout = new QHBoxLayout(zeile);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* symbol = new QLabel(zeile);
  const int groesse = style()->pixelMetric(QStyle::PM_SmallIconSize);
  symbol->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(groesse, groesse));
  auto* label = new QLabel(text, zeile);
  label->setObjectName("lblMeldung");
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* zu = new QToolButton(zeile);
  zu->setObjectName("cmdMeldungSchliessen");
  zu->setAutoRaise(true);
  zu->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
  zu->setToolTip(schliessen);
  zu->setAccessibleName(schliessen);
  layout->addWidget(symbol, 0, Qt::AlignTop);
  layout->addWidget(label, 1);
  layout->addWidget(zu, 0, Qt::AlignTop);
  zeilen_->addWidget(zeile);
  connect(zu, &QToolButton::clicked, this, [this, zeile] {
    zeilen_->removeWidget(zeile);
    zeile->deleteLater();
    if (zeilen_->count() == 0) hide();
  });
  show();
}

QStringList MeldungsLeiste::texte() const {
  QStringList t;
  for (int i = 0; i < zeilen_->count(); ++i)
    if (auto* w = zeilen_->itemAt(i)->widget())
      if (auto* l = w->findChild<QLabel*>("lblMeldung")) t << l->text();
  return t;
}

}  // namespace welvaro::ui
