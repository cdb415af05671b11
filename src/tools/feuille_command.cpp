// dravo-lab feuille IN.lab OUT: the teacher's sheet of a labyrinth as a PDF document, or its
// map alone as a PNG picture, chosen by OUT's extension. Runs without a display.

#include "feuille.h"
#include "lab_file.h"
#include "monde.h"

#include <QGuiApplication>
#include <QString>

#include <cstdio>
#include <string>
#include <vector>

namespace {

int usage_feuille(const char *pourquoi) {
  std::fprintf(stderr, "dravo-lab feuille: %s\nusage: dravo-lab feuille IN.lab OUT.pdf|OUT.png\n",
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

} // namespace

int commande_feuille(const std::vector<std::string> &args) {
  if (args.size() != 2)
    return usage_feuille("takes two file names, IN.lab and OUT");
  const Sortie sortie = sortie_de(args[1]);
  if (sortie == Sortie::inconnue)
    return usage_feuille("OUT must end in .pdf (the sheet) or .png (the map)");

  Monde monde;
  Cree_Monde(monde);
  if (Resultat r = charge_lab(args[0], monde); !r)
    return echec_feuille(r);

  // Painting text needs a QGuiApplication, which needs a platform; this command never shows
  // a window, so the offscreen one serves everywhere, with or without a display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char nom[] = "dravo-lab";
  char *argv[] = {nom, nullptr};
  QGuiApplication application(argc, argv);
  const Resultat r =
      sortie == Sortie::pdf ? ecrit_feuille_pdf(monde, args[1]) : ecrit_plan_png(monde, args[1]);
  return r ? 0 : echec_feuille(r);
}
