#include "boite_textures.h"

#include <QLabel>

#include "apparence.h"
#include "construction.h"
#include "disposition.h"
#include "document.h"
#include "donnees_installees.h"
#include "fichiers_editeur.h"
#include "image_etiree.h"
#include "lab_file.h"
#include "picture_qt.h"
#include "proprietes.h"
#include "texte_1252.h"

namespace {
// The images in the order of the labyrinth's textures, which the click tells apart by name.
constexpr std::array<const char *, NB_TEXTURES> NOMS{"TM", "TS", "TP"};
} // namespace

BoiteTextures::BoiteTextures(Document &document, AccesFenetre acces, QWidget *fenetre)
    : QGroupBox(QStringLiteral("Textures"), fenetre), document_(document),
      acces_(std::move(acces)) {
  setObjectName(QStringLiteral("Ptextures"));
  place(this);
  dessine_boite(this, police(POLICE_BOITE, true));
  lie_survol(this, Survol::fond);
  ODI.filtre = FILTRE_IMAGES;
  for (const PlaceEtiquette &e : ETIQUETTES_TEXTURES) {
    QLabel *l =
        etiquette(this, e.place, e.texte,
                  e.taille ? police(POLICE_TAILLE_TEXTURE, true) : police(POLICE_LEGENDE, true),
                  Qt::AlignCenter);
    if (e.taille)
      colore(l, QPalette::WindowText, COULEUR_MARINE);
  }
  const std::array<const char *, NB_TEXTURES> aides{AIDE_TM, AIDE_TS, AIDE_TP};
  for (size_t rang = 0; rang < NB_TEXTURES; ++rang) {
    auto *image = new ImageEtiree(this);
    image->setObjectName(QString::fromLatin1(NOMS[rang]));
    place(image);
    image->setCursor(Qt::PointingHandCursor);
    pose_aide(image, QString::fromUtf8(aides[rang]));
    connect(image, &ImageEtiree::clic, this, &BoiteTextures::TMClick);
    lie_survol(image, Survol::aide);
    images_[rang] = image;
  }
  connect(&document_, &Document::change, this, &BoiteTextures::montre_change);
}

Resultat BoiteTextures::charge(int rang, const std::string &nom) {
  const LieuxFichiers lieux = acces_.lieux();
  const QString affiche = QString::fromStdString(utf8_depuis_1252(nom));
  const QString chemin = fichier_du_nom(nom, lieux);
  if (chemin.isEmpty())
    return Resultat::echec(
        message_introuvable(QStringLiteral("La texture"), affiche, lieux).toStdString());
  ImageEtiree *image = images_[static_cast<size_t>(rang)];
  const Avec<QImage> picture = charge_image(chemin, image->taille_montree());
  if (!picture)
    return Resultat::echec(
        message_image(QStringLiteral("La texture"), affiche, picture.message()).toStdString());
  image->pose_picture(QPixmap::fromImage(picture.valeur()));
  return Resultat::succes();
}

void BoiteTextures::montre_textures() {
  for (int rang = 0; rang < NB_TEXTURES; ++rang) {
    if (const Resultat r = charge(rang, document_.monde().texture(rang)); !r) {
      images_[static_cast<size_t>(rang)]->pose_picture(QPixmap());
      acces_.erreur(QString::fromStdString(r.message()));
    }
  }
}

Resultat BoiteTextures::montre_lues(const InfoLecture &lu) {
  std::string messages;
  for (int rang = 0; rang < NB_TEXTURES; ++rang)
    if (lu.textures_lues[static_cast<size_t>(rang)])
      if (const Resultat r = charge(rang, document_.monde().texture(rang)); !r)
        messages += (messages.empty() ? "" : "\n") + r.message();
  return messages.empty() ? Resultat::succes() : Resultat::echec(messages);
}

void BoiteTextures::TMClick(ImageEtiree *image) {
  int rang = 0;
  while (rang < NB_TEXTURES && image->objectName() != QLatin1String(NOMS[rang]))
    ++rang;
  if (rang == NB_TEXTURES)
    return;
  if (ODI.dossier_initial.isEmpty())
    ODI.dossier_initial = acces_.lieux().labyrinthe;
  const QString chemin = acces_.choisit_fichier(ODI, GenreDialogue::ouvrir_image);
  if (chemin.isEmpty())
    return;
  // Checked and copied into the labyrinth's folder first: the name then names that file.
  const std::optional<QString> nom = acces_.importe(chemin, SorteFichier::texture);
  if (!nom)
    return;
  const std::string nom_modele = nom_du_modele(*nom);
  if (const Resultat r = charge(rang, nom_modele); !r) {
    acces_.erreur(QString::fromStdString(r.message()));
    return;
  }
  document_.pose(cible_texture(rang), nom_modele);
}

void BoiteTextures::montre_change(const Cible &cible, bool rejoue) {
  // On the edit itself the click has already loaded the picture.
  if (cible.champ != Champ::texture || !rejoue)
    return;
  if (const Resultat r = charge(cible.rang, document_.monde().texture(cible.rang)); !r)
    acces_.erreur(QString::fromStdString(r.message()));
}
