// dravo-lab feuille [--eleve] [--chemin] IN.lab|FOLDER OUT: the teacher's sheet of a
// labyrinth as a PDF document, or its map alone as a PNG picture, chosen by OUT's extension;
// a folder is an adventure, its monde_N.lab files in numeric order, printed into one PDF.
// Runs without a display.

#include "decor_qt.h"
#include "feuille.h"
#include "lab_file.h"
#include "monde.h"
#include "partie.h"
#include "picture.h"

#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

int usage_feuille(const char *pourquoi) {
  std::fprintf(stderr,
               "dravo-lab feuille: %s\nusage: dravo-lab feuille [--eleve] [--chemin] "
               "IN.lab|FOLDER OUT.pdf|OUT.png\n",
               pourquoi);
  return 2;
}

int echec_feuille(const Resultat &r) {
  std::fprintf(stderr, "%s\n", texte_boite_erreur(r.message()).c_str());
  return 1;
}

enum class Sortie { pdf, png, inconnue };

Sortie sortie_de(const std::string &chemin) {
  const QString nom = QString::fromStdString(chemin);
  if (nom.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
    return Sortie::pdf;
  if (nom.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
    return Sortie::png;
  return Sortie::inconnue;
}

// The labyrinths of an adventure's folder, monde_1.lab, monde_2.lab ... in numeric order.
Avec<std::vector<std::string>> labyrinthes_du_dossier(const std::string &dossier) {
  std::vector<std::pair<long, std::string>> mondes;
  std::error_code ec;
  for (fs::directory_iterator it(dossier, ec), fin; !ec && it != fin; it.increment(ec)) {
    const std::string nom = it->path().filename().string();
    if (const long n = numero_monde(nom); n >= 0)
      mondes.emplace_back(n, nom);
  }
  if (ec)
    return Resultat::echec("Le dossier " + dossier + " ne peut pas être lu : " + ec.message());
  if (mondes.empty())
    return Resultat::echec("Le dossier " + dossier + " ne contient aucun labyrinthe monde_N.lab");
  std::sort(mondes.begin(), mondes.end());
  std::vector<std::string> chemins;
  for (const auto &[n, nom] : mondes)
    chemins.push_back((fs::path(dossier) / nom).string());
  return chemins;
}

// A riddle's picture as the player finds it: its bare name in the labyrinth's folder, under
// any letter case; reduced for the sheet's frame with the proportions the file announces.
QImage image_enigme(const std::string &nom, QSize cadre, const QString &dossier) {
  const QString chemin = fichier_texture(nom, dossier);
  if (chemin.isEmpty())
    return {};
  Reduction reduction;
  reduction.width = std::max(1, cadre.width());
  reduction.height = std::max(1, cadre.height());
  const Avec<Picture> lue = load_picture(chemin.toStdString(), reduction);
  if (!lue)
    return {};
  const Picture &p = lue.valeur();
  QImage image(p.width, p.height, QImage::Format_ARGB32);
  if (image.isNull())
    return {};
  for (int y = 0; y < p.height; ++y)
    std::memcpy(image.scanLine(y), p.argb.data() + static_cast<size_t>(y) * p.width,
                static_cast<size_t>(p.width) * 4);
  const QSize montree =
      QSize(p.full_width, p.full_height).scaled(cadre, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
  return image.scaled(montree, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

int commande_feuille(const std::vector<std::string> &args) {
  OptionsFeuille options;
  std::vector<std::string> noms;
  for (const std::string &a : args) {
    if (a == "--eleve")
      options.eleve = true;
    else if (a == "--chemin")
      options.itineraire = true;
    else if (a.size() > 1 && a[0] == '-')
      return usage_feuille("unknown option");
    else
      noms.push_back(a);
  }
  if (noms.size() != 2)
    return usage_feuille("takes two file names, IN.lab (or a folder) and OUT");
  const Sortie sortie = sortie_de(noms[1]);
  if (sortie == Sortie::inconnue)
    return usage_feuille("OUT must end in .pdf (the sheet) or .png (the map)");

  std::error_code ec;
  const bool aventure = fs::is_directory(noms[0], ec);
  if (aventure && sortie != Sortie::pdf)
    return usage_feuille("a folder gives one PDF of its labyrinths: OUT must end in .pdf");
  std::vector<std::string> chemins{noms[0]};
  if (aventure) {
    Avec<std::vector<std::string>> liste = labyrinthes_du_dossier(noms[0]);
    if (!liste)
      return echec_feuille(liste.resultat());
    chemins = std::move(liste.valeur());
  }
  std::vector<std::unique_ptr<Monde>> mondes;
  for (const std::string &chemin : chemins) {
    auto m = std::make_unique<Monde>();
    Cree_Monde(*m);
    if (Resultat r = charge_lab(chemin, *m); !r)
      return echec_feuille(
          aventure ? Resultat::echec(fs::path(chemin).filename().string() + " : " + r.message())
                   : r);
    mondes.push_back(std::move(m));
  }

  // Painting text needs a QGuiApplication, which needs a platform; this command never shows
  // a window, so the offscreen one serves everywhere, with or without a display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char nom[] = "dravo-lab";
  char *argv[] = {nom, nullptr};
  QGuiApplication application(argc, argv);
  const fs::path dossier = aventure ? fs::path(noms[0]) : fs::path(noms[0]).parent_path();
  const QString dossier_qt = QString::fromStdString(dossier.string());
  options.image = [dossier_qt](const std::string &nom_image, QSize cadre) {
    return image_enigme(nom_image, cadre, dossier_qt);
  };
  std::vector<const Monde *> pointeurs;
  for (const auto &m : mondes)
    pointeurs.push_back(m.get());
  const Resultat r = sortie == Sortie::pdf ? ecrit_feuille_pdf(pointeurs, noms[1], options)
                                           : ecrit_plan_png(*mondes[0], noms[1], options);
  return r ? 0 : echec_feuille(r);
}
