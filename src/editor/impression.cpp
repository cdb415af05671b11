#include "impression.h"

#include <QPageSize>
#include <QPrinter>
#include <QShortcut>
#include <QWidget>

#include "dialogues_editeur.h"
#include "face_editeur.h"
#include "feuille.h"
#include "fichiers_editeur.h"
#include "picture_qt.h"

namespace {

// A riddle's picture found as the room panel finds it (fichiers_editeur.h), reduced for the
// sheet's frame with its proportions.
std::function<QImage(const std::string &, QSize)> images_du_panneau(const LieuxFichiers &lieux) {
  return [lieux](const std::string &nom, QSize cadre) {
    const QString chemin = fichier_du_nom(nom, lieux);
    if (chemin.isEmpty())
      return QImage();
    const Avec<QImage> image = charge_image(chemin, cadre, true);
    return image ? image.valeur() : QImage();
  };
}

} // namespace

bool imprime_feuille(FaceEditeur &editeur) {
  editeur.stocke_panneau();
  QPrinter imprimante(QPrinter::HighResolution);
  imprimante.setPageSize(QPageSize(QPageSize::A4));
  // The print job's name, and the title of a PDF printed to a file.
  imprimante.setDocName(titre_document(editeur.monde()));
  ChoixFeuille choix;
  if (!editeur.boites().imprime(imprimante, choix))
    return false;
  OptionsFeuille options;
  options.eleve = choix.eleve;
  options.itineraire = choix.itineraire;
  options.image = images_du_panneau(editeur.lieux());
  const Resultat r = dessine_feuille(editeur.monde(), imprimante, imprimante.fromPage(),
                                     imprimante.toPage(), options);
  if (!r) {
    editeur.boites().erreur(QString::fromStdString(r.message()));
    return false;
  }
  return true;
}

void installe_impression(FaceEditeur &editeur) {
  auto *ctrl_p = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), &editeur.fenetre());
  QObject::connect(ctrl_p, &QShortcut::activated, &editeur.fenetre(),
                   [&editeur] { imprime_feuille(editeur); });
}
