#include "fenetre_verification.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QShortcut>
#include <QVBoxLayout>

#include "cadre_marque.h"
#include "dialogues_editeur.h"
#include "face_editeur.h"
#include "grille.h"
#include "image_grille.h"
#include "picture_qt.h"

namespace {

// Beyond this many errors the test question says how many more there are, so that the box
// stays on the screen.
constexpr int ERREURS_MONTREES = 10;

// The editor's own loader decides whether a picture named by the labyrinth can be shown.
Resultat controle_image(const std::string &chemin) {
  return image_lisible(QFile::decodeName(chemin.c_str()));
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

static std::string dossier_labyrinthe(FaceEditeur &editeur) {
  // The player finds the files in the labyrinth's folder, and nowhere else.
  return QFile::encodeName(editeur.lieux().labyrinthe).toStdString();
}

Verification verifie_edition(FaceEditeur &editeur) {
  editeur.stocke_panneau();
  return verifie_labyrinthe(editeur.monde(), dossier_labyrinthe(editeur), controle_image);
}

bool accepte_test(FaceEditeur &editeur) {
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

FenetreVerification::FenetreVerification(FaceEditeur &editeur)
    : QWidget(&editeur.fenetre(), Qt::Window), editeur_(editeur), liste_(new QListWidget(this)),
      cadre_cloison_(new CadreMarque(&editeur.grille())) {
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

FenetreVerification::~FenetreVerification() {
  arrete();
}

void FenetreVerification::arrete() {
  if (annule_)
    *annule_ = true;
  if (fil_.joinable())
    fil_.join();
}

void FenetreVerification::actualise() {
  arrete();
  editeur_.stocke_panneau();
  const unsigned tour = ++tour_;
  annule_ = std::make_shared<std::atomic<bool>>(false);
  en_cours_ = true;
  verification_ = {};
  cadre_cloison_->hide();
  {
    const QSignalBlocker silence(liste_);
    liste_->clear();
    liste_->addItem(QStringLiteral("V\u00E9rification en cours\u2026"));
  }
  // The thread works on its own copy and never touches the window: it hands the findings
  // over through the event loop, and the window waits for it before it goes.
  fil_ = std::thread([this, tour, annule = annule_, monde = editeur_.monde(),
                      dossier = dossier_labyrinthe(editeur_)] {
    const ControleImage controle = [annule](const std::string &chemin) {
      return *annule ? Resultat::succes() : controle_image(chemin);
    };
    Verification v = verifie_labyrinthe(monde, dossier, controle);
    if (*annule)
      return;
    QMetaObject::invokeMethod(
        this, [this, tour, v = std::move(v)]() mutable { recoit(tour, std::move(v)); },
        Qt::QueuedConnection);
  });
}

void FenetreVerification::recoit(unsigned tour, Verification v) {
  if (tour != tour_)
    return;
  en_cours_ = false;
  verification_ = std::move(v);
  {
    const QSignalBlocker silence(liste_);
    liste_->clear();
    for (const Constat &c : verification_.constats)
      liste_->addItem(ligne(c));
    if (verification_.constats.empty())
      liste_->addItem(
          QStringLiteral("Aucun probl\u00E8me : ce labyrinthe peut \u00EAtre termin\u00E9."));
  }
  emit verifiee();
}

void FenetreVerification::choisit(int rang) {
  if (rang < 0 || rang >= static_cast<int>(verification_.constats.size()))
    return;
  const Constat &c = verification_.constats[static_cast<size_t>(rang)];
  const Monde &m = editeur_.monde();
  if (c.lieu == Lieu::salle) {
    const int i = indice_salle_de(m, c);
    if (i < 0)
      return;
    cadre_cloison_->hide();
    editeur_.montre_salle(i);
  } else if (c.lieu == Lieu::cloison) {
    const int i = indice_cloison_de(m, c);
    auto *vue = editeur_.grille().findChild<ImageGrille *>(QStringLiteral("Cloison%1").arg(i));
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

void installe_verification(FaceEditeur &editeur) {
  QWidget *parent = &editeur.fenetre();
  auto *f7 = new QShortcut(QKeySequence(Qt::Key_F7), parent);
  QObject::connect(f7, &QShortcut::activated, parent, [&editeur, parent] {
    auto *fenetre = parent->findChild<FenetreVerification *>();
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
