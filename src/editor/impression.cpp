#include "impression.h"

#include <QPageSize>
#include <QPrinter>
#include <QShortcut>

#include "feuille.h"
#include "tform1.h"

bool imprime_feuille(TForm1 &editeur) {
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

void installe_impression(TForm1 *editeur) {
  auto *ctrl_p = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), editeur);
  QObject::connect(ctrl_p, &QShortcut::activated, editeur,
                   [editeur] { imprime_feuille(*editeur); });
}
