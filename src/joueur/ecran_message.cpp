#include "ecran_message.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

EcranMessage::EcranMessage(QWidget *parent) : QFrame(parent) {
  setObjectName(QStringLiteral("ecran"));
  setAutoFillBackground(true);
  setFrameShape(QFrame::StyledPanel);
  setStyleSheet(
      QStringLiteral("EcranMessage { background: rgba(20, 24, 40, 225); border: 2px solid #d8c070;"
                     " border-radius: 12px; } QLabel { color: #f4eedc; }"
                     " QPushButton { font-size: 16px; padding: 6px 18px; }"));
  auto *colonne = new QVBoxLayout(this);
  colonne->setContentsMargins(28, 22, 28, 22);
  colonne->setSpacing(14);
  titre_ = new QLabel(this);
  titre_->setObjectName(QStringLiteral("titre"));
  titre_->setAlignment(Qt::AlignCenter);
  titre_->setWordWrap(true);
  titre_->setTextFormat(Qt::PlainText);
  QFont grande = titre_->font();
  grande.setPointSizeF(grande.pointSizeF() * 1.8);
  grande.setBold(true);
  titre_->setFont(grande);
  texte_ = new QLabel(this);
  texte_->setObjectName(QStringLiteral("texte"));
  texte_->setAlignment(Qt::AlignCenter);
  texte_->setWordWrap(true);
  texte_->setTextFormat(Qt::PlainText);
  QFont moyenne = texte_->font();
  moyenne.setPointSizeF(moyenne.pointSizeF() * 1.25);
  texte_->setFont(moyenne);
  rangee_ = new QHBoxLayout;
  colonne->addWidget(titre_);
  colonne->addWidget(texte_, 1);
  colonne->addLayout(rangee_);
  hide();
}

void EcranMessage::montre(const QString &titre, const QString &texte, const QStringList &boutons,
                          bool clic_suffit) {
  titre_->setText(titre);
  titre_->setVisible(!titre.isEmpty());
  texte_->setText(texte);
  texte_->setVisible(!texte.isEmpty());
  clic_suffit_ = clic_suffit;
  qDeleteAll(boutons_);
  boutons_.clear();
  while (QLayoutItem *reste = rangee_->takeAt(0))
    delete reste;
  rangee_->addStretch();
  for (int rang = 0; rang < boutons.size(); ++rang) {
    auto *b = new QPushButton(boutons[rang], this);
    b->setObjectName(QStringLiteral("bouton_%1").arg(rang));
    b->setDefault(rang == 0);
    // Return presses the button that has the focus, as in a dialog.
    b->setAutoDefault(true);
    connect(b, &QPushButton::clicked, this, [this, rang] { emit choisi(rang); });
    rangee_->insertWidget(rangee_->count(), b);
    boutons_ << b;
  }
  rangee_->addStretch();
  show();
  raise();
  if (!boutons_.isEmpty())
    boutons_.first()->setFocus();
  else
    setFocus();
}

QString EcranMessage::titre() const {
  return titre_->text();
}

QString EcranMessage::texte() const {
  return texte_->text();
}

void EcranMessage::keyPressEvent(QKeyEvent *event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !boutons_.isEmpty()) {
    // The focused button, else the first.
    for (int rang = 0; rang < boutons_.size(); ++rang)
      if (boutons_[rang]->hasFocus()) {
        emit choisi(rang);
        return;
      }
    emit choisi(0);
    return;
  }
  QFrame::keyPressEvent(event);
}

void EcranMessage::mousePressEvent(QMouseEvent *event) {
  if (clic_suffit_ && event->button() == Qt::LeftButton) {
    emit choisi(0);
    return;
  }
  QFrame::mousePressEvent(event);
}
