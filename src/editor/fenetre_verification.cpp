#include "fenetre_verification.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QShortcut>
#include <QVBoxLayout>

#include "cadre_marque.h"
#include "grille.h"
#include "image_grille.h"
#include "picture_qt.h"
#include "tform1.h"

namespace {

// Beyond this many errors the test question says how many more there are, so that the box
// stays on the screen.
constexpr int ERREURS_MONTREES = 10;

// The editor's own loader decides whether a picture named by the labyrinth can be shown.
Resultat image_lisible(const std::string &chemin) {
  return charge_image(QFile::decodeName(chemin.c_str())).resultat();
}

QString ligne(const Constat &c) {
  const QString message = QString::fromStdString(c.message);
  return c.gravite == Gravite::erreur ? QStringLiteral("Erreur : ") + message
                                      : QStringLiteral("Attention : ") + message;
}

// The record a finding points at, by its place (records read from a file may lie in any
// order); -1 when none has it.
int indice_salle_de(const Monde &m, const Constat &c) {
  for (int i = 0; i < m.nb_salles && i < NB_SALLES_MAX; ++i) {
    const Tsalle &s = m.salles[static_cast<size_t>(i)];
    if (s.col == c.col && s.lig == c.lig)
      return i;
  }
  return -1;
}

int indice_cloison_de(const Monde &m, const Constat &c) {
  for (int i = 0; i < m.nb_cloisons && i < NB_CLOISONS_MAX; ++i) {
    const Tcloison &k = m.cloisons[static_cast<size_t>(i)];
    if (k.sens == c.sens && k.col == c.col && k.lig == c.lig)
      return i;
  }
  return -1;
}

} // namespace

Verification verifie_edition(TForm1 &editeur) {
  editeur.stocke_panneau();
  // The player finds the files in the labyrinth's folder, and nowhere else.
  return verifie_labyrinthe(
      editeur.monde(), QFile::encodeName(editeur.lieux().labyrinthe).toStdString(), image_lisible);
}

bool accepte_test(TForm1 &editeur) {
  const Verification v = verifie_edition(editeur);
  if (!v.a_des_erreurs())
    return true;
  QStringList lignes;
  int erreurs = 0;
  for (const Constat &c : v.constats)
    if (c.gravite == Gravite::erreur && ++erreurs <= ERREURS_MONTREES)
      lignes << QStringLiteral("- ") + QString::fromStdString(c.message);
  if (erreurs > ERREURS_MONTREES)
    lignes << QStringLiteral("- \u2026 et %1 autres erreurs.").arg(erreurs - ERREURS_MONTREES);
  return editeur.boites().confirme(
      QStringLiteral("Ce labyrinthe ne peut pas \u00EAtre termin\u00E9 :\n") +
      lignes.join(QLatin1Char('\n')) + QStringLiteral("\n\nTester quand m\u00EAme ?"));
}

FenetreVerification::FenetreVerification(TForm1 *editeur)
    : QWidget(editeur, Qt::Window), editeur_(editeur), liste_(new QListWidget(this)),
      cadre_cloison_(new CadreMarque(&editeur->grille())) {
  setObjectName(QStringLiteral("FenetreVerification"));
  setWindowTitle(QStringLiteral("V\u00E9rification du labyrinthe"));
  resize(520, 320);
  liste_->setObjectName(QStringLiteral("Constats"));
  liste_->setWordWrap(true);
  auto *disposition = new QVBoxLayout(this);
  disposition->addWidget(liste_);
  // Both a click and the keyboard's moves through the list show the place.
  connect(liste_, &QListWidget::currentRowChanged, this, &FenetreVerification::choisit);

  cadre_cloison_->setObjectName(QStringLiteral("MarqueCloison"));
  cadre_cloison_->setAttribute(Qt::WA_TransparentForMouseEvents);
  cadre_cloison_->hide();
}

void FenetreVerification::actualise() {
  verification_ = verifie_edition(*editeur_);
  cadre_cloison_->hide();
  const QSignalBlocker silence(liste_);
  liste_->clear();
  for (const Constat &c : verification_.constats)
    liste_->addItem(ligne(c));
  if (verification_.constats.empty())
    liste_->addItem(
        QStringLiteral("Aucun probl\u00E8me : ce labyrinthe peut \u00EAtre termin\u00E9."));
}

void FenetreVerification::choisit(int rang) {
  if (rang < 0 || rang >= static_cast<int>(verification_.constats.size()))
    return;
  const Constat &c = verification_.constats[static_cast<size_t>(rang)];
  const Monde &m = editeur_->monde();
  if (c.lieu == Lieu::salle) {
    const int i = indice_salle_de(m, c);
    if (i < 0)
      return;
    cadre_cloison_->hide();
    editeur_->montre_salle(i);
  } else if (c.lieu == Lieu::cloison) {
    const int i = indice_cloison_de(m, c);
    auto *vue = editeur_->grille().findChild<ImageGrille *>(QStringLiteral("Cloison%1").arg(i));
    if (i < 0 || !vue)
      return;
    const int e = CadreMarque::EPAISSEUR;
    cadre_cloison_->setGeometry(vue->geometry().adjusted(-e, -e, e, e));
    // Under the partition's image, as the room outline is under the rooms': the partition
    // stays visible inside it.
    cadre_cloison_->stackUnder(vue);
    cadre_cloison_->show();
  }
}

void FenetreVerification::showEvent(QShowEvent *event) {
  actualise();
  QWidget::showEvent(event);
}

void FenetreVerification::hideEvent(QHideEvent *event) {
  cadre_cloison_->hide();
  QWidget::hideEvent(event);
}

void installe_verification(TForm1 *editeur) {
  auto *f7 = new QShortcut(QKeySequence(Qt::Key_F7), editeur);
  QObject::connect(f7, &QShortcut::activated, editeur, [editeur] {
    auto *fenetre = editeur->findChild<FenetreVerification *>();
    if (!fenetre)
      fenetre = new FenetreVerification(editeur);
    if (fenetre->isVisible())
      fenetre->actualise();
    else
      fenetre->show();
    fenetre->raise();
    fenetre->activateWindow();
  });
}
