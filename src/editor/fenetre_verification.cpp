#include "fenetre_verification.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <string_view>

#include "cadre_marque.h"
#include "dialogues_editeur.h"
#include "document.h"
#include "face_editeur.h"
#include "geometrie.h"
#include "grille.h"
#include "image_grille.h"
#include "picture_qt.h"
#include "texte_1252.h"
#include "verification_aventure.h"

namespace {

// Beyond this many errors the test question says how many more there are: the box stays
// small enough to be read before answering.
constexpr int ERREURS_MONTREES = 5;

// After an edit, the check waits this long for the next one: a stroke of the brush or a word
// typed is checked once.
constexpr int ATTENTE_RELANCE_MS = 300;
// Between the grid's right edge and the window's frame.
constexpr int ECART_GRILLE = 12;

// The editor's own loader decides whether a picture named by the labyrinth can be shown.
Resultat controle_image(const std::string &chemin) {
  return image_lisible(QFile::decodeName(chemin.c_str()));
}

QString ligne(Gravite g, const QString &message) {
  return g == Gravite::erreur ? QStringLiteral("Erreur : ") + message
                              : QStringLiteral("Attention : ") + message;
}

// What the author can do about a finding whose message does not say it already.
QString conseil(const Constat &c) {
  const std::string_view code = c.code;
  const QString nom = QString::fromStdString(utf8_depuis_1252(c.nom));
  if (code == "missing-file")
    return QStringLiteral("copiez %1 dans le dossier du labyrinthe").arg(nom);
  if (code == "file-case")
    return QStringLiteral("renommez le fichier %1 exactement ainsi").arg(nom);
  if (code == "invalid-picture")
    return QStringLiteral("enregistrez %1 en bmp, jpg ou gif").arg(nom);
  if (code == "adventure-gap")
    return QStringLiteral("enregistrez le labyrinthe suivant sous le nom %1").arg(nom);
  if (code == "adventure-name")
    return QStringLiteral("renommez %1 en monde_N.lab, N sans z\u00E9ro devant et d'au plus neuf "
                          "chiffres")
        .arg(nom);
  if (code == "adventure-case")
    return QStringLiteral("renommez ou retirez %1").arg(nom);
  const struct {
    const char *code;
    const char *texte;
  } conseils[] = {
      {"no-start", "choisissez « Départ » dans la légende et posez-le dans une salle"},
      {"no-exit", "choisissez « Sortie » dans la légende et posez-la sur une cloison"},
      {"exit-unreachable", "ouvrez un chemin du départ jusqu'à une sortie"},
      {"ticked-empty-answer", "écrivez la réponse cochée ou décochez sa case"},
      {"lonely-teleporter", "posez un deuxième téléporteur ou retirez celui-ci"},
      {"door-without-key", "posez une clé de sa couleur avant elle"},
      {"key-without-door", "posez une porte de sa couleur ou retirez la clé"},
      {"open-border", "posez-y un mur"},
      {"unreachable", "ouvrez-lui un passage ou videz-la"},
      {"adventure-start", "enregistrez le premier labyrinthe de l'aventure sous le nom "
                          "monde_1.lab"},
      {"no-labyrinth", "enregistrez le premier labyrinthe de l'aventure sous le nom "
                       "monde_1.lab"},
  };
  for (const auto &k : conseils)
    if (code == k.code)
      return QString::fromUtf8(k.texte);
  return {};
}

QString ligne(const Constat &c) {
  QString message = QString::fromStdString(c.message);
  if (const QString que_faire = conseil(c); !que_faire.isEmpty())
    message += QStringLiteral(" Que faire : ") + que_faire + QLatin1Char('.');
  return ligne(c.gravite, message);
}

// Findings of one kind about several rooms, shown as one line that names them all.
struct Groupe {
  const char *code;
  const char *rooms; // after the count: "3 salles de départ"
  const char *conseil;
};
constexpr Groupe GROUPES[] = {
    {"several-starts", "salles de départ", "gardez-en une seule"},
    {"unreachable", "salles que le joueur ne peut jamais atteindre",
     "ouvrez-leur un passage ou videz-les"},
    {"key-without-door", "clés qui n'ouvrent rien", "posez la porte de leur couleur"},
};
// Room names listed in a group's line before "…".
constexpr size_t NOMS_MONTRES = 8;

const Groupe *groupe_de(const Constat &c) {
  if (c.lieu != Lieu::salle)
    return nullptr;
  for (const Groupe &g : GROUPES)
    if (std::string_view(c.code) == g.code)
      return &g;
  return nullptr;
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

// The file name of the labyrinth being edited when it belongs to an adventure (monde_N.lab);
// empty for a labyrinth never saved or named otherwise.
static std::string nom_dans_l_aventure(FaceEditeur &editeur) {
  const QString &fichier = editeur.document().fichier();
  if (fichier.isEmpty())
    return {};
  std::string nom = QFile::encodeName(QFileInfo(fichier).fileName()).toStdString();
  return nom_d_aventure(nom) ? nom : std::string();
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
    lignes << QStringLiteral("\u2026 et %1 autres").arg(erreurs - ERREURS_MONTREES);
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
  auto *bas = new QHBoxLayout;
  bas->addStretch(1);
  auto *fermer = new QPushButton(QStringLiteral("Fermer"), this);
  fermer->setObjectName(QStringLiteral("Fermer"));
  connect(fermer, &QPushButton::clicked, this, &QWidget::hide);
  bas->addWidget(fermer);
  disposition->addLayout(bas);
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
          &QWidget::hide);

  relance_ = new QTimer(this);
  relance_->setSingleShot(true);
  relance_->setInterval(ATTENTE_RELANCE_MS);
  connect(relance_, &QTimer::timeout, this, [this] {
    if (isVisible())
      actualise();
  });
  const auto change = [this] {
    if (isVisible())
      relance_->start();
  };
  connect(&editeur.document(), &Document::change, this, change);
  connect(&editeur.document(), &Document::remplace, this, change);
  // Saved under another name, it may join an adventure or leave one.
  connect(&editeur.document(), &Document::fichier_change, this, change);
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
                      dossier = dossier_labyrinthe(editeur_), nom = nom_dans_l_aventure(editeur_)] {
    const ControleImage controle = [annule](const std::string &chemin) {
      return *annule ? Resultat::succes() : controle_image(chemin);
    };
    Verification v = verifie_labyrinthe(monde, dossier, controle);
    if (*annule)
      return;
    // The adventure of its folder, this labyrinth counted in as it will be once saved: only
    // the folder's names are read.
    if (!nom.empty())
      for (ConstatAventure &c : verifie_aventure_dossier(dossier, nom).constats)
        ajoute_constat(v, std::move(c.constat));
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
    lignes_.clear();
    const auto &constats = verification_.constats;
    std::vector<bool> montre(constats.size(), false);
    for (size_t i = 0; i < constats.size(); ++i) {
      if (montre[i])
        continue;
      const Groupe *g = groupe_de(constats[i]);
      std::vector<size_t> membres{i};
      if (g)
        for (size_t j = i + 1; j < constats.size(); ++j)
          if (groupe_de(constats[j]) == g)
            membres.push_back(j);
      for (size_t j : membres)
        montre[j] = true;
      lignes_.push_back(static_cast<int>(i));
      if (membres.size() < 2) {
        liste_->addItem(ligne(constats[i]));
        continue;
      }
      QStringList noms;
      for (size_t k = 0; k < membres.size() && k < NOMS_MONTRES; ++k)
        noms << QString::fromStdString(
            nom_salle(constats[membres[k]].col, constats[membres[k]].lig));
      if (membres.size() > NOMS_MONTRES)
        noms << QStringLiteral("\u2026");
      liste_->addItem(ligne(constats[i].gravite,
                            QStringLiteral("%1 %2 : %3 ; %4.")
                                .arg(membres.size())
                                .arg(QString::fromUtf8(g->rooms), noms.join(QStringLiteral(", ")),
                                     QString::fromUtf8(g->conseil))));
    }
    if (verification_.constats.empty())
      liste_->addItem(
          QStringLiteral("Aucun probl\u00E8me : ce labyrinthe peut \u00EAtre termin\u00E9."));
  }
  emit verifiee();
}

void FenetreVerification::choisit(int rang) {
  if (rang < 0 || rang >= static_cast<int>(lignes_.size()))
    return;
  const Constat &c =
      verification_.constats[static_cast<size_t>(lignes_[static_cast<size_t>(rang)])];
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
  // Beside the grid, over the room panel's side: the rooms the findings name stay in sight.
  const Grille &g = editeur_.grille();
  const QRect ecran = g.screen()->availableGeometry();
  const QPoint coin = g.mapToGlobal(QPoint(g.width() + ECART_GRILLE, 0));
  const int largeur = std::max(minimumSizeHint().width(),
                               editeur_.fenetre().geometry().right() - coin.x() - ECART_GRILLE);
  setGeometry(QRect(coin, QSize(std::min(largeur, ecran.right() - coin.x()), g.height()))
                  .intersected(ecran));
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
