// The editor window: construction, the creation and close handlers, the quit button, the
// command bar and the dispatch of pointer moves to the hover handlers.

#include "tform1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QToolButton>

#include "apparence.h"
#include "cadre_marque.h"
#include "disposition.h"
#include "ms_media_player.h"
#include "texte_1252.h"
#include "tfap.h"
#include "tftitre.h"

TForm1::TForm1(DialoguesEditeur *dialogues_test, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      dialogues_qt_(std::make_unique<DialoguesEditeurQt>(this)) {
  dialogues = dialogues_test ? dialogues_test : dialogues_qt_.get();
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Dravo-Editeur"));
  setFixedSize(LARGEUR_FENETRE, HAUTEUR_FENETRE);
  setFont(police(POLICE_FENETRE));
  QPalette fond = palette();
  fond.setColor(QPalette::Window, fond.color(QPalette::Button));
  setPalette(fond);
  setAutoFillBackground(true);
  setMouseTracking(true);

  ODI.filtre = QStringLiteral("Bitmap (*.bmp)");
  ODS.filtre = QStringLiteral("Fichiers sons (*.mp3)");
  ODM.filtre = QStringLiteral("Fichiers labyrinthes (*.lab)");
  SDM.filtre = ODM.filtre;
  SDM.extension_defaut = QStringLiteral("lab");
  OP.filtre = QStringLiteral("Toutes les images (*.bmp *.jpg *.jpeg *.gif);;"
                             "Bitmaps (*.bmp);;Images JPEG (*.jpg *.jpeg);;Images GIF (*.gif)");
  BoiteV.filtre = QStringLiteral("Fichiers audio/vidéo (*.wav, *.mp3, *.avi, *.wmv, *.mpg, "
                                 "*.mpeg) (*.wav *.mp3 *.avi *.wmv *.mpg *.mpeg)");

  connect(&document_, &Document::change, this, &TForm1::montre_change);
  construit_controles();
  FormCreate();
}

TForm1::~TForm1() = default;

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
  dialogue.dernier_fichier = chemin;
  QDir::setCurrent(QFileInfo(chemin).absolutePath());
  return chemin;
}

bool TForm1::nom_enregistrable(const QString &chemin) {
  const QString nom = QFileInfo(chemin).fileName();
  if (tient_en_1252(nom.toStdString()))
    return true;
  dialogues->erreur(QStringLiteral("Le nom \u00AB %1 \u00BB contient des caract\u00E8res "
                                   "qu'un labyrinthe ne peut pas enregistrer. Renommez le "
                                   "fichier puis choisissez-le \u00E0 nouveau.")
                        .arg(nom));
  return false;
}

void TForm1::FormCreate() {
  // The order matters: each box is placed from the ones placed before it.
  rep_appli = QDir::currentPath();
  if (!rep_appli.endsWith(QLatin1Char('/')))
    rep_appli += QLatin1Char('/');
  ODI.dossier_initial = rep_appli;
  ODM.dossier_initial = rep_appli;
  SDM.dossier_initial = rep_appli;

  setGeometry(0, 0, LARGEUR_FENETRE, HAUTEUR_FENETRE);
  B1->setGeometry(0, 0, width(), height());
  Ptextures->move(PLACE_PTEXTURES.left(), Ptextures->y());
  PC->move(PLACE_PC.topLeft());
  Marque->move(PLACE_MARQUE.topLeft());
  LegendeC->move(LegendeC->x(), PLACE_LEGENDEC.top());
  LegendeS->move(LegendeC->x() + LegendeC->width() + ECART_BOITES, PLACE_LEGENDES.top());
  const int gauche_aide = LegendeS->x() + LegendeS->width() + ECART_BOITES;
  Paide->setGeometry(gauche_aide, PLACE_PAIDE.top(), width() - gauche_aide - ECART_BOITES,
                     Paide->height());
  Laide->resize(Paide->width() - MARGE_LAIDE, Paide->height() - MARGE_LAIDE);
  titre->move(Ptextures->x() + Ptextures->width() + ECART_BOITES, PLACE_TITRE.top());
  quitter->move(width() - MARGE_QUITTER, PLACE_QUITTER.top());
  Pcommandes->move(Ptextures->x() + Ptextures->width() + RETRAIT_PCOMMANDES,
                   quitter->y() + quitter->height() + ECART_BOITES);
  Ptitre->move(Pcommandes->x(), Pcommandes->y() + Pcommandes->height() + ECART_PTITRE);
  Psons->move(Ptitre->x() - ECART_BOITES, Ptitre->y() + Ptitre->height());
  TestSon->move(PLACE_TESTSON.topLeft());

  charge_bitmaps();
  Cree_Monde();
}

void TForm1::FormClose() {
  for (QPixmap &b : bmp_h)
    b = QPixmap();
  for (QPixmap &b : bmp_v)
    b = QPixmap();
  for (QPixmap &b : bmp_c)
    b = QPixmap();
}

void TForm1::closeEvent(QCloseEvent *event) {
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
  }
  QWidget::showEvent(event);
}

void TForm1::quitterClick() {
  // No question about unsaved changes: the program ends here.
  QCoreApplication::exit(0);
}

void TForm1::lie_survol(QWidget *controle, void (TForm1::*handler)(QWidget *)) {
  controle->setMouseTracking(true);
  controle->installEventFilter(this);
  survols_.insert(controle, handler);
}

bool TForm1::eventFilter(QObject *objet, QEvent *event) {
  if (event->type() == QEvent::MouseMove) {
    const auto lien = survols_.constFind(objet);
    if (lien != survols_.constEnd())
      (this->*lien.value())(static_cast<QWidget *>(objet));
  }
  return QWidget::eventFilter(objet, event);
}

void TForm1::mouseMoveEvent(QMouseEvent *event) {
  FormMouseMove(this);
  QWidget::mouseMoveEvent(event);
}

// Hover help: showing the control's help text in Laide comes with the help box.
void TForm1::Image3MouseMove(QWidget *) {}
void TForm1::FormMouseMove(QWidget *) {}
void TForm1::PtitreMouseMove(QWidget *) {}

void TForm1::SpeedButton4Click() {
  if (Fap)
    Fap->exec();
}

void TForm1::PtitreClick() {
  if (Ftitre)
    Ftitre->exec();
}
