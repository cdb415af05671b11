// dravo-lab vue FILE.lab ROOM DIRECTION OUT.png [--taille WxH]: what the player sees from
// the middle of a room, drawn by the player's own view, written as a PNG picture.

#include "decor_qt.h"
#include "lab_file.h"
#include "monde.h"
#include "regles.h"
#include "vue.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>
#include <QString>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int TAILLE_MAX = 8192;

int usage_vue(const std::string &pourquoi) {
  std::fprintf(stderr,
               "dravo-lab vue: %s\nusage: dravo-lab vue FILE.lab ROOM DIRECTION OUT.png "
               "[--taille WxH]\n",
               pourquoi.c_str());
  return 2;
}

int echec_vue(const std::string &message) {
  std::fprintf(stderr, "%s\n", texte_boite_erreur(message).c_str());
  return 1;
}

// "640x480": both sides 1 .. TAILLE_MAX.
bool lit_taille(const std::string &mot, int &largeur, int &hauteur) {
  const size_t x = mot.find('x');
  if (x == std::string::npos)
    return false;
  auto nombre = [](const std::string &s, int &n) {
    if (s.empty() || s.size() > 5)
      return false;
    n = 0;
    for (char c : s) {
      if (c < '0' || c > '9')
        return false;
      n = n * 10 + (c - '0');
    }
    return n >= 1 && n <= TAILLE_MAX;
  };
  return nombre(mot.substr(0, x), largeur) && nombre(mot.substr(x + 1), hauteur);
}

} // namespace

int commande_vue(const std::vector<std::string> &args) {
  std::vector<std::string> mots;
  int largeur = 640, hauteur = 480;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--taille") {
      if (i + 1 >= args.size() || !lit_taille(args[i + 1], largeur, hauteur))
        return usage_vue("--taille takes WIDTHxHEIGHT, each from 1 to " +
                         std::to_string(TAILLE_MAX));
      ++i;
    } else {
      mots.push_back(args[i]);
    }
  }
  if (mots.size() != 4)
    return usage_vue("takes FILE.lab ROOM DIRECTION OUT.png");
  const std::optional<PlaceSalle> salle = salle_nommee(mots[1]);
  if (!salle)
    return usage_vue("unknown room \"" + mots[1] + "\" (A1 to J10)");
  const std::optional<Direction> direction = direction_nommee(mots[2]);
  if (!direction)
    return usage_vue("unknown direction \"" + mots[2] + "\" (nord, est, sud, ouest)");

  Monde monde;
  Cree_Monde(monde);
  if (Resultat r = charge_lab(mots[0], monde); !r)
    return echec_vue(r.message());

  // The installed data folder is found beside the program, which only an application
  // object knows.
  int argc = 1;
  char nom[] = "dravo-lab";
  char *argv[] = {nom, nullptr};
  QCoreApplication application(argc, argv);
  const QString chemin_lab = QFile::decodeName(mots[0].c_str());
  const Decor decor = charge_decor(monde, QFileInfo(chemin_lab).absolutePath());
  Pixels pixels(largeur, hauteur);
  dessine_vue(Plateau(monde), decor, regard_salle(indice_salle(salle->col, salle->lig), *direction),
              pixels);

  const QString sortie = QFile::decodeName(mots[3].c_str());
  QSaveFile fichier(sortie);
  if (!fichier.open(QIODevice::WriteOnly) || !image_de(pixels).save(&fichier, "PNG") ||
      !fichier.commit())
    return echec_vue("Impossible d'écrire « " + mots[3] +
                     " » : " + fichier.errorString().toStdString());
  return 0;
}
