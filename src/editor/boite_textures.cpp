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

namespace {
// The images in the order of the labyrinth's textures, which the click tells apart by name.
constexpr std::array<const char *, NB_TEXTURES> NOMS{"TM", "TS", "TP"};
constexpr std::array<const char *, NB_TEXTURES> AIDES{AIDE_TM, AIDE_TS, AIDE_TP};
// The texture's title label among ETIQUETTES_TEXTURES ("Murs", "Sol", "Plafond").
constexpr std::array<size_t, NB_TEXTURES> TITRES{0, 1, 3};
} // namespace

BoiteTextures::BoiteTextures(Document &document, AccesFenetre acces, QWidget *fenetre)
    : QGroupBox(QStringLiteral("Textures"), fenetre), document_(document),
      acces_(std::move(acces)) {
  setObjectName(QStringLiteral("Ptextures"));
  place(this);
  dessine_boite(this, police(POLICE_BOITE, true));
  lie_survol(this, Survol::fond);
  ODI.filtre = QStringLiteral("Bitmap (*.bmp)");
  for (size_t i = 0; i < ETIQUETTES_TEXTURES.size(); ++i) {
    const PlaceEtiquette &e = ETIQUETTES_TEXTURES[i];
    QLabel *l =
        etiquette(this, e.place, e.texte,
                  e.taille ? police(POLICE_TAILLE_TEXTURE, true) : police(POLICE_LEGENDE, true),
                  Qt::AlignCenter);
    if (e.taille)
      colore(l, QPalette::WindowText, COULEUR_MARINE);
    for (size_t rang = 0; rang < NB_TEXTURES; ++rang)
      if (TITRES[rang] == i) {
        titres_[rang] = l;
        pose_aide(l, QString::fromUtf8(AIDES[rang]));
        lie_survol(l, Survol::aide);
      }
  }
  for (size_t rang = 0; rang < NB_TEXTURES; ++rang) {
    auto *image = new ImageEtiree(this);
    image->setObjectName(QString::fromLatin1(NOMS[rang]));
    place(image);
    image->setCursor(Qt::PointingHandCursor);
    pose_aide(image, QString::fromUtf8(AIDES[rang]));
    connect(image, &ImageEtiree::clic, this, &BoiteTextures::TMClick);
    lie_survol(image, Survol::aide);
    images_[rang] = image;
  }
  connect(&document_, &Document::change, this, &BoiteTextures::montre_change);
}

QString BoiteTextures::charge(int rang, const std::string &nom) {
  ImageEtiree *image = images_[static_cast<size_t>(rang)];
  const Avec<QImage> picture =
      charge_image(chemin_texture(nom, acces_.rep_appli()), image->taille_montree());
  if (!picture)
    return QString::fromStdString(picture.message());
  image->pose_picture(QPixmap::fromImage(picture.valeur()));
  // The file shown, named in the help of the picture and of its title.
  const auto r = static_cast<size_t>(rang);
  const QString aide =
      QString::fromUtf8(AIDES[r]) + QStringLiteral("\nFichier : ") + nom_affiche(nom);
  pose_aide(image, aide);
  pose_aide(titres_[r], aide);
  return {};
}

void BoiteTextures::montre_textures() {
  for (int rang = 0; rang < NB_TEXTURES; ++rang) {
    const QString message = charge(rang, document_.monde().texture(rang));
    if (!message.isEmpty()) {
      images_[static_cast<size_t>(rang)]->pose_picture(QPixmap());
      acces_.erreur(message);
    }
  }
}

QStringList BoiteTextures::montre_lues(const InfoLecture &lu) {
  QStringList messages;
  for (int rang = 0; rang < NB_TEXTURES; ++rang)
    if (lu.textures_lues[static_cast<size_t>(rang)]) {
      const QString message = charge(rang, document_.monde().texture(rang));
      if (!message.isEmpty())
        messages << message;
    }
  return messages;
}

void BoiteTextures::TMClick(ImageEtiree *image) {
  int rang = 0;
  while (rang < NB_TEXTURES && image->objectName() != QLatin1String(NOMS[rang]))
    ++rang;
  if (rang == NB_TEXTURES)
    return;
  ODI.dossier_initial = acces_.rep_appli();
  const QString chemin = acces_.choisit_fichier(ODI, GenreDialogue::ouvrir);
  if (chemin.isEmpty() || !acces_.nom_enregistrable(chemin))
    return;
  const QString nom = nom_copie(chemin, acces_.rep_appli());
  // The dialog made the chosen file's folder current, so the bare name is the file chosen.
  const std::string nom_modele = nom_du_modele(nom);
  const QString message = charge(rang, nom_modele);
  if (!message.isEmpty()) {
    acces_.erreur(message);
    return;
  }
  document_.pose(cible_texture(rang), nom_modele);
}

void BoiteTextures::montre_change(const Cible &cible, bool rejoue) {
  // On the edit itself the click has already loaded the picture.
  if (cible.champ != Champ::texture || !rejoue)
    return;
  const QString message = charge(cible.rang, document_.monde().texture(cible.rang));
  if (!message.isEmpty())
    acces_.erreur(message);
}
