// The editor window: construction and connection of the rooms, the creation and close
// handlers, the world routines' window side, and the undo and redo keys.

#include "tform1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

#include <utility>

#include "apparence.h"
#include "barre_commandes.h"
#include "boite_aide.h"
#include "boite_sons.h"
#include "boite_textures.h"
#include "construction.h"
#include "disposition.h"
#include "fenetre_verification.h"
#include "grille.h"
#include "impression.h"
#include "lab_file.h"
#include "legendes.h"
#include "panneau_salle.h"
#include "proprietes.h"
#include "texte_1252.h"
#include "tfap.h"
#include "tftitre.h"

TForm1::TForm1(DialoguesEditeur *dialogues_test, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      dialogues_qt_(std::make_unique<DialoguesEditeurQt>(this)) {
  dialogues = dialogues_test ? dialogues_test : dialogues_qt_.get();
  setObjectName(QStringLiteral("Form1"));
  setFixedSize(LARGEUR_FENETRE, HAUTEUR_FENETRE);
  setFont(police(POLICE_FENETRE));
  QPalette fond = palette();
  fond.setColor(QPalette::Window, fond.color(QPalette::Button));
  setPalette(fond);
  setAutoFillBackground(true);
  setMouseTracking(true);

  construit_controles();
  // After the grid, which repaints the kinds first.
  connect(&document_, &Document::change, this, &TForm1::montre_change);
  const struct {
    QKeySequence touches;
    void (TForm1::*action)();
  } raccourcis[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_Z), &TForm1::annule},
      {QKeySequence(Qt::CTRL | Qt::Key_Y), &TForm1::refait},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &TForm1::refait},
  };
  for (const auto &r : raccourcis)
    connect(new QShortcut(r.touches, this), &QShortcut::activated, this, r.action);
  commandes_ = std::make_unique<CommandesFichier>(static_cast<FaceFichiers &>(*this));
  CommandesFichier *commandes = commandes_.get();
  connect(barre_, &BarreCommandes::nouveau, commandes, &CommandesFichier::SpeedButton1Click);
  connect(barre_, &BarreCommandes::ouvrir, commandes, &CommandesFichier::SpeedButton2Click);
  connect(barre_, &BarreCommandes::enregistrer, commandes, &CommandesFichier::SpeedButton3Click);
  connect(barre_, &BarreCommandes::quitter, commandes, &CommandesFichier::quitterClick);
  // Typing shows as unsaved at once, before it becomes a step of the history.
  connect(panneau_, &PanneauSalle::saisie_en_cours, commandes, &CommandesFichier::actualise_titre);
  FormCreate();
  installe_verification(*this);
  installe_impression(*this);
}

void TForm1::construit_controles() {
  // Created first, so that everything else lies above it.
  B1 = new QFrame(this);
  B1->setObjectName(QStringLiteral("B1"));
  B1->setFrameStyle(QFrame::WinPanel | QFrame::Raised);
  place(B1);
  grille_ = new Grille(document_, this);
  grille_->pose_quitte_salle([this] { return quitte_salle(); });
  connect(grille_, &Grille::salle_montree, this, [this](int indice) {
    panneau_->affiche_salle(monde().salles[static_cast<size_t>(indice)]);
  });
  textures_ = new BoiteTextures(document_, acces(), this);
  barre_ = new BarreCommandes(this);
  connect(barre_, &BarreCommandes::tester, this, &TForm1::SpeedButton6Click);
  connect(barre_, &BarreCommandes::a_propos, this, &TForm1::SpeedButton4Click);
  connect(barre_, &BarreCommandes::titre_mission, this, &TForm1::PtitreClick);
  sons_ = new BoiteSons(document_, acces(), this);
  panneau_ = new PanneauSalle(document_, acces(), this);
  auto *legendes = new Legendes(this);
  aide_ = new BoiteAide(this);
  // The brush: the grid paints with it, the help box says what a press does, Escape ends it.
  auto *range = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  range->setEnabled(false);
  connect(range, &QShortcut::activated, legendes, &Legendes::range);
  connect(legendes, &Legendes::pinceau_change, this,
          [this, range](const std::optional<Pinceau> &pinceau) {
            grille_->pose_pinceau(pinceau);
            aide_->pose_texte_fond(pinceau ? texte_pinceau(*pinceau) : QString());
            range->setEnabled(pinceau.has_value());
          });
  connect(grille_, &Grille::vers_question, panneau_, &PanneauSalle::va_a_la_question);

  lie_survol(this, Survol::fond);
  aide_->surveille(this);
}

TForm1::~TForm1() {
  // Leaving a text field stores it through the document and retitles the window. The field
  // is left here, while both are whole, rather than from QWidget's destructor, which would
  // reach a document already destroyed.
  if (QWidget *f = QApplication::focusWidget(); f && isAncestorOf(f))
    f->clearFocus();
}

void TForm1::attache_fenetres(TFap *fap, TFtitre *ftitre) {
  Fap = fap;
  Ftitre = ftitre;
}

void TForm1::pose_dialogues(DialoguesEditeur *d) {
  dialogues = d ? d : dialogues_qt_.get();
}

QString TForm1::montre_dialogue(DialogueFichier &dialogue, GenreDialogue genre) {
  const QString chemin = dialogues->choisit_fichier(genre, dialogue);
  if (chemin.isEmpty())
    return {};
  if (genre != GenreDialogue::enregistrer && !QFileInfo::exists(chemin)) {
    dialogues->erreur(QStringLiteral("Le fichier \u00AB %1 \u00BB n'existe pas. Choisissez un "
                                     "fichier qui existe.")
                          .arg(QDir::toNativeSeparators(chemin)));
    return {};
  }
  dialogue.dernier_fichier = chemin;
  return chemin;
}

LieuxFichiers TForm1::lieux() const {
  return {dossier_du_labyrinthe(document_.fichier(), rep_appli), rep_appli};
}

void TForm1::signale(const QString &message) {
  // The real boxes wait for the window: at start-up a box over nothing, before the window,
  // would be the first thing the author sees. A test's seam records at once.
  if (deja_montree_ || dialogues != dialogues_qt_.get())
    dialogues->erreur(message);
  else
    messages_differes_ << message;
}

void TForm1::ouvre_au_lancement(const QString &chemin) {
  fichier_lancement_ = chemin;
}

void TForm1::apres_affichage() {
  if (!fichier_lancement_.isEmpty()) {
    // The fresh labyrinth is replaced: what its building said no longer applies.
    messages_differes_.clear();
    ouvre_fichier(std::exchange(fichier_lancement_, QString()));
  }
  const QStringList messages = std::exchange(messages_differes_, {});
  for (const QString &message : messages)
    dialogues->erreur(message);
}

void TForm1::FormCreate() {
  rep_appli = QDir::currentPath();
  if (!rep_appli.endsWith(QLatin1Char('/')))
    rep_appli += QLatin1Char('/');
  commandes_->pose_dossier_initial(rep_appli);
  setGeometry(0, 0, LARGEUR_FENETRE, HAUTEUR_FENETRE);
  Cree_Monde();
}

AccesFenetre TForm1::acces() {
  AccesFenetre a;
  a.choisit_fichier = [this](DialogueFichier &d, GenreDialogue g) { return montre_dialogue(d, g); };
  a.importe = [this](const QString &chemin, SorteFichier sorte) {
    return importe_fichier(chemin, sorte, lieux(), document_.fichier(), *dialogues);
  };
  a.erreur = [this](const QString &message) { signale(message); };
  a.lieux = [this] { return lieux(); };
  return a;
}

void TForm1::FormClose() {
  grille_->libere_bitmaps();
}

void TForm1::Cree_Monde() {
  document_.cree();
  // The textures come first; the grid does not depend on them and is built whatever failed.
  textures_->montre_textures();
  montre_grille_fraiche();
}

void TForm1::efface_monde() {
  document_.efface();
  sons_->reinitialise();
  textures_->montre_textures();
  montre_grille_fraiche();
}

void TForm1::montre_grille_fraiche() {
  grille_->montre_fraiche();
  panneau_->vide();
}

bool TForm1::valide_saisie() {
  return panneau_->valide_saisie();
}

bool TForm1::saisie_en_attente() const {
  return panneau_->saisie_en_attente();
}

void TForm1::montre_monde_lu(const InfoLecture &lu) {
  // The reading emptied the five sounds; a key absent from the file leaves its row reset.
  sons_->reinitialise();
  sons_->restaure();

  // Images keep their place and size: the reader takes col and lig from the file but the
  // grid does not move. The reading dropped the selection.
  grille_->montre_lue();
  panneau_->vide();

  // A labyrinth opened from a folder that lacks its textures is still opened whole and
  // keeps the names it gives, so that saving it again loses nothing; each image keeps the
  // picture it had. The textures' messages come in one box, after the opening.
  if (const Resultat r = textures_->montre_lues(lu); !r)
    signale(QString::fromStdString(r.message()));
}

bool TForm1::quitte_salle() {
  return panneau_->memorise_salle();
}

void TForm1::selectionne_salle(int indice) {
  document_.choisit_salle(indice);
  grille_->marque_salle(indice);
  panneau_->affiche_salle(monde().salles[static_cast<size_t>(indice)]);
}

void TForm1::montre_salle(int indice) {
  if (quitte_salle())
    selectionne_salle(indice);
}

void TForm1::montre_change(const Cible &cible, bool rejoue) {
  switch (cible.champ) {
  case Champ::contenu_cloison: return; // the grid's
  case Champ::contenu_salle:
  case Champ::question:
  case Champ::reponse:
  case Champ::bonne:
  case Champ::image:
  case Champ::media:
    // On the edit itself the panel is where the value came from. A step undone or redone
    // selects its room, or shows the field again when its room is on show; the panel was
    // stored before the step, so nothing is lost.
    if (!rejoue)
      return;
    if (cible.indice == document_.salle_choisie())
      panneau_->montre_champ(cible);
    else
      selectionne_salle(cible.indice);
    return;
  case Champ::texture:
  case Champ::son: return; // their boxes follow the document themselves
  case Champ::titre_lab:
  case Champ::mission:
  case Champ::message_fin: return; // the title dialog reads them afresh each time it opens
  }
}

namespace {
// A text field with the focus takes the undo and redo keys for its own text.
template <typename Action> bool dans_champ(Action action) {
  QWidget *focus = QApplication::focusWidget();
  if (auto *ligne = qobject_cast<QLineEdit *>(focus)) {
    action(ligne);
    return true;
  }
  if (auto *memo = qobject_cast<QPlainTextEdit *>(focus)) {
    action(memo);
    return true;
  }
  return false;
}
} // namespace

void TForm1::annule() {
  if (dans_champ([](auto *champ) { champ->undo(); }))
    return;
  // What the author typed in the panel becomes a step first, and is the one undone; a text
  // the panel refused stays as typed, and the history does not move under it.
  if (quitte_salle())
    document_.historique().undo();
}

void TForm1::refait() {
  if (dans_champ([](auto *champ) { champ->redo(); }))
    return;
  // A change still in the panel is a new edit: it ends the redo history as any edit does.
  if (quitte_salle())
    document_.historique().redo();
}

void TForm1::closeEvent(QCloseEvent *event) {
  // Alt+F4, the window manager's close and the session's logout all come here.
  if (!commandes_->demande_enregistrement()) {
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
}

void TForm1::showEvent(QShowEvent *event) {
  // Centred on the screen's free area (panels excluded) when first shown; the layout keeps
  // its size on a larger screen.
  if (!deja_montree_) {
    deja_montree_ = true;
    if (const QScreen *ecran = screen())
      move(ecran->availableGeometry().center() - rect().center());
    // Once the window is on screen, not over nothing.
    if (!fichier_lancement_.isEmpty() || !messages_differes_.isEmpty())
      QTimer::singleShot(0, this, &TForm1::apres_affichage);
  }
  QWidget::showEvent(event);
}

void TForm1::SpeedButton4Click() {
  if (Fap)
    Fap->exec();
}

void TForm1::PtitreClick() {
  if (Ftitre == nullptr)
    return;
  const Monde &m = monde();
  Ftitre->pose_textes(m.titre_lab, m.mission, m.message_fin);
  if (Ftitre->exec() != QDialog::Accepted)
    return;
  // The three texts are one step, and none when the author changed nothing.
  document_.pose_ensemble({{{Champ::titre_lab, 0, 0}, Ftitre->titre_lab()},
                           {{Champ::mission, 0, 0}, Ftitre->mission()},
                           {{Champ::message_fin, 0, 0}, Ftitre->message_fin()}},
                          QStringLiteral("Titre et Mission"));
}
