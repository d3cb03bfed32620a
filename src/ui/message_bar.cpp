#include "ui/message_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace welvaro::ui {

MessageBar::MessageBar(QWidget* parent) : QFrame(parent), lines_(new QVBoxLayout(this)) {
  setObjectName("frmMeldungen");
  setFrameShape(QFrame::StyledPanel);
  setStyleSheet("#frmMeldungen { background: #fff4ce; border: 1px solid #d8b24c; border-radius: 3px; }"
                "#frmMeldungen QLabel { color: #3a2e00; }");
  lines_->setContentsMargins(6, 3, 3, 3);
  lines_->setSpacing(2);
  hide();
}

void MessageBar::present(const QString& text, const QString& closeText) {
  if (texts().contains(text)) return;
  auto* line = new QWidget(this);
  auto* layout = new QHBoxLayout(line);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* symbol = new QLabel(line);
  const int size = style()->pixelMetric(QStyle::PM_SmallIconSize);
  symbol->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(size, size));
  auto* label = new QLabel(text, line);
  label->setObjectName("lblMeldung");
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* closeButton = new QToolButton(line);
  closeButton->setObjectName("cmdMeldungSchliessen");
  closeButton->setAutoRaise(true);
  closeButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
  closeButton->setToolTip(closeText);
  closeButton->setAccessibleName(closeText);
  layout->addWidget(symbol, 0, Qt::AlignTop);
  layout->addWidget(label, 1);
  layout->addWidget(closeButton, 0, Qt::AlignTop);
  lines_->addWidget(line);
  connect(closeButton, &QToolButton::clicked, this, [this, line] {
    lines_->removeWidget(line);
    line->deleteLater();
    if (lines_->count() == 0) hide();
  });
  show();
}

QStringList MessageBar::texts() const {
  QStringList t;
  for (int i = 0; i < lines_->count(); ++i)
    if (auto* w = lines_->itemAt(i)->widget())
      if (auto* l = w->findChild<QLabel*>("lblMeldung")) t << l->text();
  return t;
}

}  // namespace welvaro::ui
