#include "legendes.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QToolButton>

#include "apparence.h"
#include "construction.h"
#include "disposition.h"
#include "image_grille.h"
#include "proprietes.h"

namespace {

// The kind a legend's bitmap name stands for: "H8" is partition kind 8, "C3" room kind 3.
Pinceau type_du_bitmap(const char *bitmap) {
  const QString nom = QString::fromLatin1(bitmap);
  return {nom.startsWith(QLatin1Char('H')), nom.mid(1).toInt()};
}

QPixmap bitmap_du_type(const Pinceau &p) {
  return glyphe(QLatin1Char(p.cloison ? 'H' : 'C') + QString::number(p.type));
}

// The open passage and the empty room are drawn as nothing on the grid; their legend
// pictures show a dotted outline of the element instead.
QPixmap contour(QSize taille) {
  QPixmap p(taille);
  p.fill(Qt::transparent);
  QPainter peintre(&p);
  peintre.setPen(QPen(QColor(96, 96, 96), 1, Qt::DotLine));
  peintre.drawRect(QRect(QPoint(0, 0), taille).adjusted(0, 0, -1, -1));
  return p;
}

const QColor COULEURS_CLES[] = {{0, 0, 0},   {255, 255, 255}, {0, 0, 255},
                                {255, 0, 0}, {0, 160, 0},     {255, 230, 0}};

QIcon pastille(int rang) {
  QPixmap p(9, 9);
  p.fill(COULEURS_CLES[rang]);
  QPainter peintre(&p);
  peintre.setPen(Qt::black);
  peintre.drawRect(0, 0, 8, 8);
  return QIcon(p);
}

} // namespace

Legendes::Legendes(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Legendes"));
  place(this);
  QGroupBox *LegendeC = boite(this, "LegendeC", "Légende cloisons", police(POLICE_LEGENDE, true));
  QGroupBox *LegendeS = boite(this, "LegendeS", "Légende salles", police(POLICE_LEGENDE, true));
  lie_survol(LegendeC, Survol::fond);
  lie_survol(LegendeS, Survol::fond);
  for (const PlaceLegende &l : LEGENDES) {
    QGroupBox *b = l.salles ? LegendeS : LegendeC;
    auto *image = new ImageGrille(b);
    image->setObjectName(QString::fromLatin1(l.nom));
    place(image);
    const Pinceau type = type_du_bitmap(l.bitmap);
    image->Tag = type.type;
    image->setProperty("cloison", type.cloison);
    image->pose_picture(type.type == 0 ? contour(image->size())
                                       : glyphe(QString::fromLatin1(l.bitmap)));
    pose_aide(image, QString::fromUtf8(l.aide) + QLatin1Char('\n') +
                         QString::fromUtf8(AIDE_LEGENDE_PINCEAU));
    lie_survol(image, Survol::aide);
    connect(image, &ImageGrille::appui, this, [this, image] { appui(image); });
    etiquette(b, l.etiquette, l.texte, police(POLICE_LEGENDE),
              l.centre ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    if (type.cloison && type.type == CLOISON_PORTE_JAUNE)
      porte_ = image;
    if (!type.cloison && type.type == SALLE_CLE_BLEUE)
      cle_ = image;
  }
  // The pictures show the colour chosen last.
  arme(std::nullopt);
  choix_couleur("CouleurPorte", true, porte_);
  choix_couleur("CouleurCle", false, cle_);
}

QToolButton *Legendes::choix_couleur(const char *nom, bool cloison, ImageGrille *image) {
  QToolButton *b = bouton_plat(image->parentWidget(), QString::fromLatin1(nom));
  b->setPopupMode(QToolButton::InstantPopup);
  b->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
  b->setIconSize(QSize(9, 9));
  pose_aide(b, QString::fromUtf8(cloison ? AIDE_COULEUR_PORTE : AIDE_COULEUR_CLE));
  lie_survol(b, Survol::aide);
  auto *menu = new QMenu(b);
  menu->setObjectName(QString::fromLatin1(nom) + QStringLiteral("Menu"));
  for (int rang = 0; rang < 6; ++rang) {
    const int32_t type = cloison ? CLOISON_PORTE_NOIRE + rang : SALLE_CLE_NOIRE + rang;
    QAction *a = menu->addAction(pastille(rang), nom_type(cloison, type));
    connect(a, &QAction::triggered, this, [this, cloison, type] { arme(Pinceau{cloison, type}); });
  }
  b->setMenu(menu);
  const int rang = cloison ? type_porte_ - CLOISON_PORTE_NOIRE : type_cle_ - SALLE_CLE_NOIRE;
  b->setIcon(pastille(rang));
  connect(this, &Legendes::pinceau_change, b, [this, b, cloison] {
    b->setIcon(pastille(cloison ? type_porte_ - CLOISON_PORTE_NOIRE : type_cle_ - SALLE_CLE_NOIRE));
  });
  return b;
}

Pinceau Legendes::type_de(const ImageGrille *image) const {
  if (image == porte_)
    return {true, type_porte_};
  if (image == cle_)
    return {false, type_cle_};
  return {image->property("cloison").toBool(), image->Tag};
}

void Legendes::appui(ImageGrille *image) {
  const Pinceau type = type_de(image);
  if (pinceau_ && *pinceau_ == type)
    arme(std::nullopt);
  else
    arme(type);
}

void Legendes::arme(std::optional<Pinceau> pinceau) {
  if (pinceau) {
    if (pinceau->cloison && pinceau->type >= CLOISON_PORTE_NOIRE &&
        pinceau->type <= CLOISON_PORTE_JAUNE)
      type_porte_ = pinceau->type;
    if (!pinceau->cloison && pinceau->type >= SALLE_CLE_NOIRE && pinceau->type <= SALLE_CLE_JAUNE)
      type_cle_ = pinceau->type;
  }
  pinceau_ = pinceau;
  if (porte_ != nullptr)
    porte_->pose_picture(bitmap_du_type({true, type_porte_}));
  if (cle_ != nullptr)
    cle_->pose_picture(bitmap_du_type({false, type_cle_}));
  for (ImageGrille *image : findChildren<ImageGrille *>())
    image->pose_cadre(pinceau_ && type_de(image) == *pinceau_);
  emit pinceau_change(pinceau_);
}
