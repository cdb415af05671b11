// Building the editor window's controls at their places (disposition.h), with their names,
// fonts, colours, cursors, help texts and the bindings of their handlers.

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include <limits>

#include "apparence.h"
#include "cadre_marque.h"
#include "disposition.h"
#include "image_etiree.h"
#include "image_grille.h"
#include "ms_media_player.h"
#include "proprietes.h"
#include "ressources.h"
#include "tform1.h"

namespace {

void colore(QWidget *controle, QPalette::ColorRole role, QColor couleur) {
  QPalette palette = controle->palette();
  // Only the enabled states: a disabled button keeps the style's greyed text.
  palette.setColor(QPalette::Active, role, couleur);
  palette.setColor(QPalette::Inactive, role, couleur);
  controle->setPalette(palette);
}

// A group box drawn the classic way: an etched frame whose top line runs through the middle
// of the caption, so that the box's contents can start right under the caption.
QGroupBox *boite(QWidget *parent, const char *nom, QRect place, const char *titre, QFont f) {
  auto *b = new QGroupBox(QString::fromUtf8(titre), parent);
  b->setObjectName(QString::fromLatin1(nom));
  b->setGeometry(place);
  b->setFont(f);
  const int milieu_titre = QFontMetrics(f).height() / 2;
  b->setStyleSheet(QStringLiteral("QGroupBox { border: 2px groove palette(mid); margin-top: %1px; }"
                                  "QGroupBox::title { subcontrol-origin: margin;"
                                  " subcontrol-position: top left; left: 6px; padding: 0px 2px; }")
                       .arg(milieu_titre));
  return b;
}

QLabel *etiquette(QWidget *parent, QRect place, const char *texte, QFont f,
                  Qt::Alignment alignement = Qt::AlignLeft | Qt::AlignVCenter) {
  auto *l = new QLabel(QString::fromUtf8(texte), parent);
  l->setGeometry(place);
  l->setFont(f);
  l->setAlignment(alignement);
  return l;
}

// A flat button: no frame until the pointer is over it, and never the keyboard focus.
QToolButton *bouton_plat(QWidget *parent, const QString &nom, QRect place, bool main = true) {
  auto *b = new QToolButton(parent);
  b->setObjectName(nom);
  b->setGeometry(place);
  b->setAutoRaise(true);
  b->setFocusPolicy(Qt::NoFocus);
  if (main)
    b->setCursor(Qt::PointingHandCursor);
  return b;
}

void pose_glyphe(QToolButton *bouton, const QPixmap &glyphe) {
  bouton->setIcon(QIcon(glyphe));
  bouton->setIconSize(glyphe.size());
}

// The red "X" of the clear buttons.
void pose_croix(QToolButton *bouton, bool gras) {
  bouton->setText(QStringLiteral("X"));
  bouton->setFont(police(POLICE_CROIX, gras));
  colore(bouton, QPalette::ButtonText, COULEUR_CROIX);
}

// A glyph or kind bitmap, keyed on its bottom-left colour.
QPixmap glyphe(const char *nom) {
  return QPixmap::fromImage(avec_transparence(ressource_bitmap(QString::fromLatin1(nom))));
}

QRect decale(QRect place, int dy) {
  return place.translated(0, dy);
}

} // namespace

void TForm1::construit_controles() {
  // Created first, so that everything else lies above them: the bevel under all controls,
  // the marker under the room images.
  B1 = new QFrame(this);
  B1->setObjectName(QStringLiteral("B1"));
  B1->setFrameStyle(QFrame::WinPanel | QFrame::Raised);
  B1->setGeometry(PLACE_B1);
  Marque = new CadreMarque(this);
  Marque->setObjectName(QStringLiteral("Marque"));
  Marque->setGeometry(PLACE_MARQUE);

  construit_textures();

  titre = new QLabel(this);
  titre->setObjectName(QStringLiteral("titre"));
  titre->setGeometry(PLACE_TITRE);
  titre->setPixmap(QPixmap::fromImage(ressource_bitmap(QStringLiteral("titre"))));
  titre->setAlignment(Qt::AlignCenter);
  titre->setToolTip(QString::fromUtf8(INFOBULLE_TITRE)); // the window's only tooltip
  lie_survol(titre, &TForm1::FormMouseMove);

  quitter = bouton_plat(this, QStringLiteral("quitter"), PLACE_QUITTER);
  pose_glyphe(quitter, glyphe("quitter"));
  pose_aide(quitter, QString::fromUtf8(AIDE_QUITTER));
  connect(quitter, &QToolButton::clicked, this, &TForm1::quitterClick);
  lie_survol(quitter, &TForm1::Image3MouseMove);

  construit_commandes();

  Ptitre = new QPushButton(QStringLiteral("Titre et Mission"), this);
  Ptitre->setObjectName(QStringLiteral("Ptitre"));
  Ptitre->setGeometry(PLACE_PTITRE);
  Ptitre->setFont(police(POLICE_PTITRE, true, "Arial"));
  colore(Ptitre, QPalette::ButtonText, COULEUR_PTITRE);
  Ptitre->setCursor(Qt::PointingHandCursor);
  pose_aide(Ptitre, QString::fromUtf8(AIDE_PTITRE));
  connect(Ptitre, &QPushButton::clicked, this, &TForm1::PtitreClick);
  lie_survol(Ptitre, &TForm1::PtitreMouseMove);

  construit_sons();
  construit_panneau_salle();
  construit_legendes();
  construit_aide();

  TestSon = new TMsMediaPlayer(this, false);
  TestSon->setObjectName(QStringLiteral("TestSon"));
  TestSon->setGeometry(PLACE_TESTSON);
  connect(TestSon, &TMsMediaPlayer::OnPlayStateChange, this, &TForm1::TestSonPlayStateChange);
}

void TForm1::construit_textures() {
  Ptextures = boite(this, "Ptextures", PLACE_PTEXTURES, "Textures", police(POLICE_BOITE, true));
  lie_survol(Ptextures, &TForm1::FormMouseMove);
  for (const PlaceEtiquette &e : ETIQUETTES_TEXTURES) {
    QLabel *l =
        etiquette(Ptextures, e.place, e.texte,
                  e.taille ? police(POLICE_TAILLE_TEXTURE, true) : police(POLICE_LEGENDE, true),
                  Qt::AlignCenter);
    if (e.taille)
      colore(l, QPalette::WindowText, COULEUR_MARINE);
  }
  const struct {
    ImageEtiree *TForm1::*membre;
    const char *nom;
    QRect place;
    const char *aide;
  } images[] = {
      {&TForm1::TM, "TM", PLACE_TM, AIDE_TM},
      {&TForm1::TS, "TS", PLACE_TS, AIDE_TS},
      {&TForm1::TP, "TP", PLACE_TP, AIDE_TP},
  };
  for (const auto &i : images) {
    auto *image = new ImageEtiree(Ptextures);
    image->setObjectName(QString::fromLatin1(i.nom));
    image->setGeometry(i.place);
    image->setCursor(Qt::PointingHandCursor);
    pose_aide(image, QString::fromUtf8(i.aide));
    connect(image, &ImageEtiree::clic, this, &TForm1::TMClick);
    lie_survol(image, &TForm1::Image3MouseMove);
    this->*i.membre = image;
  }
}

void TForm1::construit_commandes() {
  Pcommandes = new QFrame(this);
  Pcommandes->setObjectName(QStringLiteral("Pcommandes"));
  Pcommandes->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Pcommandes->setGeometry(PLACE_PCOMMANDES);
  lie_survol(Pcommandes, &TForm1::FormMouseMove);
  const struct {
    QToolButton *TForm1::*membre;
    const char *nom;
    const char *aide;
    void (TForm1::*clic)();
  } boutons[] = {
      {&TForm1::SpeedButton1, "SpeedButton1", AIDE_NOUVEAU, &TForm1::SpeedButton1Click},
      {&TForm1::SpeedButton2, "SpeedButton2", AIDE_OUVRIR, &TForm1::SpeedButton2Click},
      {&TForm1::SpeedButton3, "SpeedButton3", AIDE_ENREGISTRER, &TForm1::SpeedButton3Click},
      {&TForm1::SpeedButton6, "SpeedButton6", AIDE_TESTER, &TForm1::SpeedButton6Click},
      {&TForm1::SpeedButton4, "SpeedButton4", AIDE_A_PROPOS, &TForm1::SpeedButton4Click},
  };
  int rang = 0;
  for (const auto &b : boutons) {
    const QRect place(rang++ * PAS_BOUTON_COMMANDE, 0, TAILLE_BOUTON_COMMANDE,
                      TAILLE_BOUTON_COMMANDE);
    QToolButton *bouton = bouton_plat(Pcommandes, QString::fromLatin1(b.nom), place);
    pose_glyphe(bouton, glyphe(b.nom));
    pose_aide(bouton, QString::fromUtf8(b.aide));
    connect(bouton, &QToolButton::clicked, this, b.clic);
    lie_survol(bouton, &TForm1::Image3MouseMove);
    this->*b.membre = bouton;
  }
}

void TForm1::construit_sons() {
  Psons = boite(this, "Psons", PLACE_PSONS, "Environnement sonore", police(POLICE_BOITE, true));
  lie_survol(Psons, &TForm1::FormMouseMove);
  glyphe_B1 = glyphe("B1");
  glyphe_B2 = glyphe("B2");
  const QPixmap glyphe_charger = glyphe("OS");
  for (int k = 0; k < NB_SONS; ++k) {
    const int y = PAS_LIGNE_SON * (k + 1);
    const QString rang = QString::number(k + 1);

    QLabel *l = etiquette(Psons, decale(PLACE_ETIQUETTE_SON, y), ETIQUETTES_SONS[k],
                          police(POLICE_LEGENDE), Qt::AlignRight | Qt::AlignVCenter);
    colore(l, QPalette::WindowText, COULEUR_BLEUE);
    lie_survol(l, &TForm1::FormMouseMove);
    etiquettes_sons[k] = l;

    QToolButton *p = bouton_plat(Psons, QStringLiteral("P") + rang, decale(PLACE_P, y));
    pose_glyphe(p, glyphe_B1);
    pose_tag(p, 0);
    p->setEnabled(false);
    pose_aide(p, QString::fromUtf8(AIDE_ECOUTER));
    connect(p, &QToolButton::clicked, this, [this, k] { PClick(k); });
    lie_survol(p, &TForm1::Image3MouseMove);
    P[k] = p;

    QToolButton *os = bouton_plat(Psons, QStringLiteral("OS") + rang, decale(PLACE_OS, y));
    pose_glyphe(os, glyphe_charger);
    pose_aide(os, QString::fromUtf8(AIDE_CHARGER_SON));
    connect(os, &QToolButton::clicked, this, [this, k] { OSClick(k); });
    lie_survol(os, &TForm1::Image3MouseMove);
    OS[k] = os;

    QToolButton *e = bouton_plat(Psons, QStringLiteral("E") + rang, decale(PLACE_E, y));
    pose_croix(e, false);
    e->setEnabled(false);
    pose_aide(e, QString::fromUtf8(AIDE_EFFACER_SON));
    connect(e, &QToolButton::clicked, this, [this, k] { EClick(k); });
    lie_survol(e, &TForm1::Image3MouseMove);
    E[k] = e;
  }
}

void TForm1::construit_panneau_salle() {
  PC = new QTabWidget(this);
  PC->setObjectName(QStringLiteral("PC"));
  PC->setGeometry(PLACE_PC);
  PC->setFont(police(POLICE_LEGENDE, true));
  lie_survol(PC, &TForm1::FormMouseMove);
  const struct {
    QWidget *TForm1::*membre;
    const char *nom;
    const char *titre;
    const char *aide;
  } onglets[] = {
      {&TForm1::TabImage, "TabImage", "Image", AIDE_ONGLET_IMAGE},
      {&TForm1::TabMedia, "TabMedia", "Média", AIDE_ONGLET_MEDIA},
      {&TForm1::TabQuestion, "TabQuestion", "Question", AIDE_ONGLET_QUESTION},
      {&TForm1::TabReponses, "TabReponses", "Réponses", AIDE_ONGLET_REPONSES},
  };
  for (const auto &o : onglets) {
    auto *page = new QWidget;
    page->setObjectName(QString::fromLatin1(o.nom));
    PC->addTab(page, QString::fromUtf8(o.titre));
    pose_aide(page, QString::fromUtf8(o.aide));
    lie_survol(page, &TForm1::Image3MouseMove);
    this->*o.membre = page;
  }

  Image_epreuve = new ImageEtiree(TabImage);
  Image_epreuve->setObjectName(QStringLiteral("Image_epreuve"));
  Image_epreuve->setGeometry(PLACE_IMAGE_EPREUVE);
  Image_epreuve->hide();
  const QPixmap glyphe_ouvrir = glyphe("OpenI");
  OpenI = bouton_plat(TabImage, QStringLiteral("OpenI"), PLACE_OUVRIR);
  pose_glyphe(OpenI, glyphe_ouvrir);
  connect(OpenI, &QToolButton::clicked, this, &TForm1::OpenIClick);
  SpeedButton5 = bouton_plat(TabImage, QStringLiteral("SpeedButton5"), PLACE_EFFACER);
  pose_croix(SpeedButton5, true);
  connect(SpeedButton5, &QToolButton::clicked, this, &TForm1::SpeedButton5Click);

  WMP2 = new TMsMediaPlayer(TabMedia, true);
  WMP2->setObjectName(QStringLiteral("WMP2"));
  WMP2->setGeometry(PLACE_WMP2);
  OpenV = bouton_plat(TabMedia, QStringLiteral("OpenV"), PLACE_OUVRIR, false);
  pose_glyphe(OpenV, glyphe_ouvrir);
  connect(OpenV, &QToolButton::clicked, this, &TForm1::OpenVClick);
  SpeedButton7 = bouton_plat(TabMedia, QStringLiteral("SpeedButton7"), PLACE_EFFACER);
  pose_croix(SpeedButton7, true);
  connect(SpeedButton7, &QToolButton::clicked, this, &TForm1::SpeedButton7Click);

  Memo1 = new QPlainTextEdit(TabQuestion);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setGeometry(PLACE_MEMO1);
  Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);

  for (int i = 0; i < NB_REPONSES; ++i) {
    const int dy = PAS_REPONSE * i;
    const QString rang = QString::number(i + 1);
    QLabel *l = etiquette(TabReponses, decale(PLACE_ETIQUETTE_REPONSE, dy), "",
                          police(POLICE_LEGENDE, true));
    l->setText(QStringLiteral("Réponse ") + rang);
    l->setObjectName(QStringLiteral("LabelReponse") + rang);
    Check[i] = new QCheckBox(TabReponses);
    Check[i]->setObjectName(QStringLiteral("Check") + rang);
    Check[i]->setGeometry(decale(PLACE_CHECK, dy));
    Edit[i] = new QLineEdit(TabReponses);
    Edit[i]->setObjectName(QStringLiteral("Edit") + rang);
    Edit[i]->setGeometry(decale(PLACE_EDIT, dy));
    // An answer has no length limit: the field's default one would cut a long answer
    // read from a file the next time the room is stored.
    Edit[i]->setMaxLength(std::numeric_limits<int>::max());
  }
  PC->setCurrentIndex(0);
}

void TForm1::construit_legendes() {
  LegendeC =
      boite(this, "LegendeC", PLACE_LEGENDEC, "Légende cloisons", police(POLICE_LEGENDE, true));
  LegendeS =
      boite(this, "LegendeS", PLACE_LEGENDES, "Légende salles", police(POLICE_LEGENDE, true));
  lie_survol(LegendeC, &TForm1::FormMouseMove);
  lie_survol(LegendeS, &TForm1::FormMouseMove);
  for (const PlaceLegende &l : LEGENDES) {
    QGroupBox *b = l.salles ? LegendeS : LegendeC;
    auto *image = new ImageGrille(b);
    image->setObjectName(QString::fromLatin1(l.nom));
    const QPixmap picture = glyphe(l.bitmap);
    image->setGeometry(QRect(QPoint(l.x, l.y), picture.size()));
    image->pose_picture(picture);
    pose_aide(image, QString::fromUtf8(l.aide));
    lie_survol(image, &TForm1::Image3MouseMove);
    etiquette(b, l.etiquette, l.texte, police(POLICE_LEGENDE),
              l.centre ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
  }
}

void TForm1::construit_aide() {
  Paide = boite(this, "Paide", PLACE_PAIDE, "Aide", police(POLICE_LEGENDE));
  lie_survol(Paide, &TForm1::FormMouseMove);
  Laide = etiquette(Paide, PLACE_LAIDE, AIDE_DEFAUT, police(POLICE_LEGENDE),
                    Qt::AlignLeft | Qt::AlignTop);
  Laide->setObjectName(QStringLiteral("Laide"));
  Laide->setWordWrap(true);
  colore(Laide, QPalette::WindowText, COULEUR_BLEUE);
}
