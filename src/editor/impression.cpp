#include "impression.h"

#include <QPageSize>
#include <QPrinter>
#include <QShortcut>
#include <QWidget>

#include "dialogues_editeur.h"
#include "face_editeur.h"
#include "feuille.h"

bool imprime_feuille(FaceEditeur &editeur) {
  editeur.stocke_panneau();
  QPrinter imprimante(QPrinter::HighResolution);
  imprimante.setPageSize(QPageSize(QPageSize::A4));
  imprimante.setDocName(QStringLiteral("Feuille du labyrinthe"));
  if (!editeur.boites().imprime(imprimante))
    return false;
  const Resultat r =
      dessine_feuille(editeur.monde(), imprimante, imprimante.fromPage(), imprimante.toPage());
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
