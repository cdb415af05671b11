#include "panneau_enigme.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "fichiers_jeu.h"
#include "ms_media_player.h"
#include "partie.h"
#include "picture_qt.h"
#include "texte_1252.h"

namespace {
QString texte(const std::string &octets_1252) {
  return QString::fromStdString(utf8_depuis_1252(octets_1252));
}

// The largest the picture is shown, in the panel's pixels.
constexpr int IMAGE_LARGEUR = 320;
constexpr int IMAGE_HAUTEUR = 200;
} // namespace

PanneauEnigme::PanneauEnigme(QWidget *parent) : QFrame(parent) {
  setObjectName(QStringLiteral("enigme"));
  setAutoFillBackground(true);
  setStyleSheet(QStringLiteral(
      "PanneauEnigme { background: rgba(250, 246, 232, 240); border: 2px solid #7a5c2e;"
      " border-radius: 10px; } QLabel#question { font-size: 17px; font-weight: bold; }"
      " QCheckBox, QLineEdit { font-size: 15px; } QPushButton { font-size: 15px;"
      " padding: 4px 16px; }"));
  auto *colonne = new QVBoxLayout(this);
  colonne->setContentsMargins(20, 16, 20, 16);
  question_ = new QLabel(this);
  question_->setObjectName(QStringLiteral("question"));
  question_->setWordWrap(true);
  question_->setTextFormat(Qt::PlainText);
  question_->setAlignment(Qt::AlignCenter);
  image_ = new QLabel(this);
  image_->setObjectName(QStringLiteral("image_enigme"));
  image_->setAlignment(Qt::AlignCenter);
  media_ = new TMsMediaPlayer(this, true);
  media_->setObjectName(QStringLiteral("media_enigme"));
  media_->setMinimumSize(320, 200);
  colonne->addWidget(question_);
  colonne->addWidget(image_, 0, Qt::AlignCenter);
  colonne->addWidget(media_, 1);
  for (int i = 0; i < NB_REPONSES; ++i) {
    choix_[i] = new QCheckBox(this);
    choix_[i]->setObjectName(QStringLiteral("choix_%1").arg(i + 1));
    colonne->addWidget(choix_[i]);
  }
  saisie_ = new QLineEdit(this);
  saisie_->setObjectName(QStringLiteral("saisie"));
  saisie_->setPlaceholderText(QStringLiteral("Tapez votre réponse"));
  colonne->addWidget(saisie_);
  verdict_ = new QLabel(this);
  verdict_->setObjectName(QStringLiteral("verdict"));
  verdict_->setAlignment(Qt::AlignCenter);
  verdict_->setStyleSheet(QStringLiteral("color: #b01818; font-size: 15px; font-weight: bold;"));
  colonne->addWidget(verdict_);
  auto *rangee = new QHBoxLayout;
  valider_ = new QPushButton(QStringLiteral("Valider"), this);
  valider_->setObjectName(QStringLiteral("valider"));
  passer_ = new QPushButton(QStringLiteral("Passer"), this);
  passer_->setObjectName(QStringLiteral("passer"));
  rangee->addStretch();
  rangee->addWidget(valider_);
  rangee->addWidget(passer_);
  rangee->addStretch();
  colonne->addLayout(rangee);
  connect(valider_, &QPushButton::clicked, this, &PanneauEnigme::valide);
  connect(passer_, &QPushButton::clicked, this, [this] { emit passe(); });
  connect(saisie_, &QLineEdit::returnPressed, this, &PanneauEnigme::valide);
  hide();
}

void PanneauEnigme::montre(const Tsalle &salle, GenreEnigme genre, const QString &dossier) {
  genre_ = genre;
  question_->setText(texte(salle.question));
  const QString image = fichier_du_labyrinthe(salle.image, dossier);
  // Decoded for the panel's frame, never whole: a small file may announce a huge picture.
  const Avec<QImage> lue = image.isEmpty()
                               ? Avec<QImage>(Resultat::echec({}))
                               : charge_image(image, QSize(IMAGE_LARGEUR, IMAGE_HAUTEUR), true);
  if (lue) {
    image_->setPixmap(QPixmap::fromImage(lue.valeur().scaled(
        IMAGE_LARGEUR, IMAGE_HAUTEUR, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    image_->show();
  } else {
    image_->clear();
    image_->hide();
  }
  const QString media = fichier_du_labyrinthe(salle.media, dossier);
  media_->setURL(media);
  media_->setVisible(!media.isEmpty());
  for (int i = 0; i < NB_REPONSES; ++i) {
    const QString proposition = texte(salle.reponses[i]);
    choix_[i]->setText(proposition);
    choix_[i]->setChecked(false);
    choix_[i]->setVisible(genre == GenreEnigme::choix && !proposition.isEmpty());
  }
  saisie_->clear();
  saisie_->setVisible(genre == GenreEnigme::saisie);
  valider_->setText(genre == GenreEnigme::message ? QStringLiteral("OK")
                                                  : QStringLiteral("Valider"));
  // A riddle that expects nothing can only be left.
  valider_->setVisible(genre != GenreEnigme::insoluble);
  verdict_->clear();
  show();
  raise();
  if (genre == GenreEnigme::saisie)
    saisie_->setFocus();
  else
    valider_->setFocus();
}

void PanneauEnigme::ferme() {
  media_->setURL({});
  hide();
}

void PanneauEnigme::dit_faux() {
  verdict_->setText(QStringLiteral("Ce n'est pas la bonne réponse. Essayez encore, ou passez."));
}

void PanneauEnigme::valide() {
  Coup c;
  switch (genre_) {
  case GenreEnigme::choix:
    c.genre = Coup::repond;
    for (int i = 0; i < NB_REPONSES; ++i)
      if (!choix_[i]->isHidden() && choix_[i]->isChecked())
        c.cochees |= 1u << i;
    break;
  case GenreEnigme::saisie:
    c.genre = Coup::tape;
    c.texte = saisie_->text().toStdString();
    break;
  case GenreEnigme::message: c.genre = Coup::ok; break;
  case GenreEnigme::aucune:
  case GenreEnigme::insoluble: return;
  }
  emit repond(c);
}

void PanneauEnigme::keyPressEvent(QKeyEvent *event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !valider_->isHidden()) {
    valide();
    return;
  }
  // Escape goes on to the window (the pause).
  QFrame::keyPressEvent(event);
}
