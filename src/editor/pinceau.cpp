#include "pinceau.h"

#include <array>

#include "monde.h"

namespace {
// Feminine forms: both a key (clé) and a door (porte) take them.
constexpr std::array<const char *, 6> COULEURS{"noire", "blanche", "bleue",
                                               "rouge", "verte",   "jaune"};

// The colour of a key or a locked door, from black (0) to yellow (5), agreeing with "clé"
// and "porte" (the model's names agree with a masculine noun).
QString couleur_accordee(int rang) {
  if (rang < 0 || rang >= static_cast<int>(COULEURS.size()))
    return {};
  return QString::fromUtf8(COULEURS[static_cast<size_t>(rang)]);
}
} // namespace

QString nom_type(bool cloison, int32_t type) {
  if (cloison) {
    switch (type) {
    case CLOISON_OUVERTE: return QStringLiteral("Passage ouvert");
    case CLOISON_MUR: return QStringLiteral("Mur");
    case CLOISON_PORTE_DEROBEE: return QString::fromUtf8("Porte dérobée");
    case CLOISON_SORTIE: return QStringLiteral("Sortie");
    case CLOISON_GRILLE: return QStringLiteral("Grille");
    default:
      if (type >= CLOISON_PORTE_NOIRE && type <= CLOISON_PORTE_JAUNE)
        return QString::fromUtf8("Porte fermée ") + couleur_accordee(type - CLOISON_PORTE_NOIRE);
      return {};
    }
  }
  switch (type) {
  case SALLE_VIDE: return QStringLiteral("Salle vide");
  case SALLE_TELEPORTEUR: return QString::fromUtf8("Téléporteur");
  case SALLE_DEPART: return QString::fromUtf8("Départ");
  case SALLE_PLAN: return QStringLiteral("Plan");
  default:
    if (type >= SALLE_CLE_NOIRE && type <= SALLE_CLE_JAUNE)
      return QString::fromUtf8("Clé ") + couleur_accordee(type - SALLE_CLE_NOIRE);
    return {};
  }
}

QString texte_pinceau(const Pinceau &p) {
  const QString nom = nom_type(p.cloison, p.type);
  const QString sorte = p.cloison ? QStringLiteral("cloison") : QStringLiteral("salle");
  return QString::fromUtf8("Pinceau « %1 » : un clic gauche sur une %2 lui donne ce type ; "
                           "glissez, bouton enfoncé, pour en peindre plusieurs. Le clic droit "
                           "change pas à pas comme avant.\n"
                           "Échap ou un nouveau clic sur la légende range le pinceau.")
      .arg(nom, sorte);
}
