// Every control of the editor window at its place, with its name, text, font and look.

#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>

#include <gtest/gtest.h>

#include "cadre_marque.h"
#include "disposition.h"
#include "image_etiree.h"
#include "image_grille.h"
#include "ms_media_player.h"
#include "outils_test.h"
#include "proprietes.h"

namespace {

struct Etiquette {
  const char *parent;
  const char *texte;
  int x, y, l;
  Qt::Alignment alignement;
};

const Etiquette ETIQUETTES[] = {
    {"Ptextures", "Murs", 8, 32, 41, Qt::AlignHCenter},
    {"Ptextures", "Sol", 56, 32, 81, Qt::AlignHCenter},
    {"Ptextures", "Plafond", 56, 152, 81, Qt::AlignHCenter},
    {"Ptextures", "80x400", 8, 248, 41, Qt::AlignHCenter},
    {"Psons", "Ambiance : ", 8, 28, 121, Qt::AlignRight},
    {"Psons", "Pas : ", 8, 52, 121, Qt::AlignRight},
    {"Psons", "Portes : ", 8, 76, 121, Qt::AlignRight},
    {"Psons", "Téléporteurs : ", 8, 100, 121, Qt::AlignRight},
    {"Psons", "Coffres : ", 8, 124, 121, Qt::AlignRight},
    {"LegendeC", "Mur", 54, 26, 35, Qt::AlignLeft},
    {"LegendeC", "Porte dérobée", 54, 50, 91, Qt::AlignLeft},
    {"LegendeC", "Porte fermée", 54, 74, 91, Qt::AlignLeft},
    {"LegendeC", "Grille", 206, 26, 43, Qt::AlignLeft},
    {"LegendeC", "Sortie", 206, 50, 43, Qt::AlignLeft},
    {"LegendeS", "Départ", 6, 66, 59, Qt::AlignHCenter},
    {"LegendeS", "Clé", 70, 66, 59, Qt::AlignHCenter},
    {"LegendeS", "Téléporteur", 128, 66, 73, Qt::AlignHCenter},
    {"LegendeS", "Plan", 200, 66, 57, Qt::AlignHCenter},
    {"TabReponses", "Réponse 1", 8, 16, 89, Qt::AlignLeft},
    {"TabReponses", "Réponse 3", 8, 128, 89, Qt::AlignLeft},
    {"TabReponses", "Réponse 5", 8, 240, 89, Qt::AlignLeft},
};

class Disposition : public testing::Test {
protected:
  static void SetUpTestSuite() { editeur = new EditeurEnTest; }
  static void TearDownTestSuite() {
    delete editeur;
    editeur = nullptr;
  }
  static TForm1 &fenetre() { return *editeur->fenetre; }
  template <typename T = QWidget> static T *controle(const char *nom) {
    if (fenetre().objectName() == QString::fromLatin1(nom))
      return qobject_cast<T *>(&fenetre());
    return fenetre().findChild<T *>(QString::fromLatin1(nom));
  }
  static EditeurEnTest *editeur;
};
EditeurEnTest *Disposition::editeur = nullptr;

TEST_F(Disposition, WindowIsBorderlessAndFitsA1024By768Screen) {
  EXPECT_EQ(fenetre().objectName(), "Form1");
  EXPECT_EQ(fenetre().size(), QSize(1024, 768));
  EXPECT_TRUE(fenetre().windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(fenetre().windowTitle(), "Dravo-Editeur[*]"); // "*" shown while unsaved
  EXPECT_TRUE(editeur->dialogues.erreurs.isEmpty())
      << editeur->dialogues.erreurs.join('\n').toStdString();
}

// The layout table is the window's own (disposition.h); what it cannot say of itself is
// checked here on the built window.
TEST_F(Disposition, EveryControlOfTheLayoutTableStandsWhereItsBoxPutsIt) {
  for (const Place &p : PLACES) {
    SCOPED_TRACE(p.nom);
    QWidget *w = controle(p.nom);
    ASSERT_NE(w, nullptr);
    QWidget *boite = controle(p.boite);
    ASSERT_NE(boite, nullptr);
    EXPECT_TRUE(boite->isAncestorOf(w));
    EXPECT_EQ(QRect(w->mapTo(boite, QPoint(0, 0)), w->size()), p.rect);
  }
}

// Placed outside the window on purpose: the outline while no room is selected, and the
// sound player, which is never seen.
bool garee(const char *nom) {
  return QByteArray(nom) == "Marque" || QByteArray(nom) == "TestSon";
}
bool dans_garee(const QWidget *w) {
  for (; w != nullptr; w = w->parentWidget())
    if (garee(w->objectName().toLatin1().constData()))
      return true;
  return false;
}

TEST_F(Disposition, EverythingLiesInsideTheWindowAndInsideItsParentAndBox) {
  const QRect ecran(0, 0, 1024, 768);
  for (const Place &p : PLACES) {
    if (garee(p.nom))
      continue;
    SCOPED_TRACE(p.nom);
    const QWidget *w = controle(p.nom);
    ASSERT_NE(w, nullptr);
    const QRect ici = dans_fenetre(w);
    EXPECT_TRUE(ecran.contains(ici));
    if (w->parentWidget() != &fenetre()) {
      EXPECT_TRUE(dans_fenetre(w->parentWidget()).contains(ici)) << "parent";
    }
    EXPECT_TRUE(dans_fenetre(controle(p.boite)).contains(ici)) << p.boite;
  }
  // Every control of the boxes too, the grid images as a file's fresh labyrinth has them.
  for (const QWidget *w : fenetre().findChildren<QWidget *>()) {
    // The tab pages take their size when the panel is first laid out on screen.
    if (!w->isVisibleTo(&fenetre()) || dans_garee(w) ||
        qobject_cast<const QStackedWidget *>(w) != nullptr ||
        qobject_cast<const QStackedWidget *>(w->parentWidget()) != nullptr)
      continue;
    SCOPED_TRACE(w->objectName().toStdString());
    EXPECT_TRUE(ecran.contains(dans_fenetre(w)));
  }
}

TEST_F(Disposition, NoTwoControlsOfTheTableOverlapInOneParent) {
  // B1 is the bevel drawn under everything. Flat buttons side by side share their one-pixel
  // edge, as the command buttons and the open and clear buttons of the panel do.
  std::vector<const QWidget *> controles;
  for (const Place &p : PLACES)
    if (!garee(p.nom) && QByteArray(p.nom) != "B1")
      controles.push_back(controle(p.nom));
  for (size_t i = 0; i < controles.size(); ++i)
    for (size_t j = i + 1; j < controles.size(); ++j) {
      const QWidget *a = controles[i];
      const QWidget *b = controles[j];
      if (a->parentWidget() == b->parentWidget()) {
        const QRect commun = a->geometry().intersected(b->geometry());
        EXPECT_FALSE(commun.width() > 1 && commun.height() > 1)
            << a->objectName().toStdString() << " and " << b->objectName().toStdString();
      }
    }
}

TEST_F(Disposition, LabelsShowTheirTextsAtTheirPlaces) {
  for (const Etiquette &e : ETIQUETTES) {
    SCOPED_TRACE(e.texte);
    QWidget *parent = controle(e.parent);
    ASSERT_NE(parent, nullptr);
    const QLabel *trouve = nullptr;
    for (const QLabel *l : parent->findChildren<QLabel *>(Qt::FindDirectChildrenOnly))
      if (l->text() == QString::fromUtf8(e.texte) && l->x() == e.x && l->y() == e.y)
        trouve = l;
    ASSERT_NE(trouve, nullptr);
    EXPECT_EQ(trouve->width(), e.l);
    EXPECT_TRUE(trouve->alignment() & e.alignement);
  }
}

TEST_F(Disposition, BoxesCarryTheirCaptions) {
  const std::pair<const char *, const char *> titres[] = {
      {"Ptextures", "Textures"},
      {"Psons", "Environnement sonore"},
      {"LegendeC", "Légende cloisons"},
      {"LegendeS", "Légende salles"},
      {"Paide", "Aide"},
  };
  for (const auto &[nom, titre] : titres)
    EXPECT_EQ(controle<QGroupBox>(nom)->title(), QString::fromUtf8(titre)) << nom;
  EXPECT_EQ(controle<QPushButton>("Ptitre")->text(), "Titre et Mission");
  EXPECT_EQ(nomme<QLabel>(fenetre(), "Laide")->text(),
            QString::fromUtf8("Survolez l'un des éléments de la page pour une aide contextuelle."));
  EXPECT_TRUE(nomme<QLabel>(fenetre(), "Laide")->wordWrap());
}

TEST_F(Disposition, FontsHaveTheirPixelHeightsAndWeights) {
  const struct {
    const char *nom;
    int pixels;
    bool gras;
  } polices[] = {
      {"Form1", 11, false},       {"Ptextures", 16, true}, {"Psons", 16, true},
      {"PC", 13, true},           {"LegendeC", 13, true},  {"LegendeS", 13, true},
      {"Paide", 13, false},       {"Laide", 13, false},    {"Ptitre", 15, true},
      {"E1", 19, false},          {"E5", 19, false},       {"SpeedButton5", 19, true},
      {"SpeedButton7", 19, true},
  };
  for (const auto &p : polices) {
    SCOPED_TRACE(p.nom);
    const QFont f = controle(p.nom)->font();
    EXPECT_EQ(f.pixelSize(), p.pixels);
    EXPECT_EQ(f.bold(), p.gras);
  }
  // The faces the layout names are drawn with a metric-compatible face.
  EXPECT_EQ(QFontInfo(controle("Ptitre")->font()).family(), "Liberation Sans");
  EXPECT_EQ(QFontInfo(controle("Laide")->font()).family(), "Liberation Sans");
}

TEST_F(Disposition, ColoursOfTheTextsThatHaveOne) {
  const struct {
    const char *nom;
    QPalette::ColorRole role;
    QColor couleur;
  } couleurs[] = {
      {"Laide", QPalette::WindowText, QColor(0, 0, 255)},
      {"Ptitre", QPalette::ButtonText, QColor(0, 94, 0)},
      {"E1", QPalette::ButtonText, QColor(255, 0, 0)},
      {"SpeedButton5", QPalette::ButtonText, QColor(255, 0, 0)},
      {"SpeedButton7", QPalette::ButtonText, QColor(255, 0, 0)},
  };
  for (const auto &c : couleurs)
    EXPECT_EQ(controle(c.nom)->palette().color(QPalette::Active, c.role), c.couleur) << c.nom;
  const auto etiquettes_sons = controle("Psons")->findChildren<QLabel *>();
  EXPECT_EQ(etiquettes_sons.size(), NB_SONS);
  for (const QLabel *l : etiquettes_sons)
    EXPECT_EQ(l->palette().color(QPalette::Active, QPalette::WindowText), QColor(0, 0, 255));
  EXPECT_EQ(controle<QToolButton>("E3")->text(), "X");
}

TEST_F(Disposition, ButtonsAreFlatWithHandCursorsAndGlyphs) {
  for (const char *nom :
       {"quitter", "SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton6", "SpeedButton4",
        "P1", "OS1", "E1", "OpenI", "SpeedButton5", "SpeedButton7"}) {
    SCOPED_TRACE(nom);
    auto *b = controle<QToolButton>(nom);
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->autoRaise());
    EXPECT_EQ(b->cursor().shape(), Qt::PointingHandCursor);
  }
  for (const char *nom : {"quitter", "SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton6",
                          "SpeedButton4", "P2", "OS4", "OpenI", "OpenV"})
    EXPECT_FALSE(controle<QToolButton>(nom)->icon().isNull()) << nom;
  for (const char *nom : {"Ptitre", "TM", "TS", "TP"})
    EXPECT_EQ(controle(nom)->cursor().shape(), Qt::PointingHandCursor) << nom;
  EXPECT_EQ(controle<QToolButton>("SpeedButton3")->iconSize(), QSize(32, 32));
}

TEST_F(Disposition, SoundRowsStartIdleWithListenAndClearDisabled) {
  for (int k = 0; k < NB_SONS; ++k) {
    SCOPED_TRACE(k);
    EXPECT_FALSE(nomme<QToolButton>(fenetre(), "P", k)->isEnabled());
    EXPECT_EQ(tag(nomme<QToolButton>(fenetre(), "P", k)), 0);
    EXPECT_TRUE(nomme<QToolButton>(fenetre(), "OS", k)->isEnabled());
    EXPECT_FALSE(nomme<QToolButton>(fenetre(), "E", k)->isEnabled());
  }
}

TEST_F(Disposition, RoomPanelStartsEmptyOnItsImageTab) {
  auto *pc = controle<QTabWidget>("PC");
  ASSERT_EQ(pc->count(), 4);
  const char *onglets[] = {"Image", "Média", "Question", "Réponses"};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(pc->tabText(i), QString::fromUtf8(onglets[i]));
  EXPECT_EQ(pc->currentIndex(), 0);
  EXPECT_FALSE(nomme<ImageEtiree>(fenetre(), "Image_epreuve")->isVisibleTo(&fenetre()));
  EXPECT_TRUE(nomme<QPlainTextEdit>(fenetre(), "Memo1")->toPlainText().isEmpty());
  EXPECT_EQ(nomme<QPlainTextEdit>(fenetre(), "Memo1")->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  for (int i = 0; i < NB_REPONSES; ++i) {
    EXPECT_TRUE(nomme<QLineEdit>(fenetre(), "Edit", i)->text().isEmpty());
    EXPECT_FALSE(nomme<QCheckBox>(fenetre(), "Check", i)->isChecked());
    EXPECT_TRUE(nomme<QCheckBox>(fenetre(), "Check", i)->text().isEmpty());
  }
  EXPECT_TRUE(nomme<TMsMediaPlayer>(fenetre(), "WMP2")->URL().isEmpty());
  EXPECT_TRUE(nomme<TMsMediaPlayer>(fenetre(), "TestSon")->URL().isEmpty());
  // No room is selected yet: nothing of the panel takes input.
  EXPECT_FALSE(nomme<QPlainTextEdit>(fenetre(), "Memo1")->isEnabled());
  EXPECT_FALSE(nomme<QLineEdit>(fenetre(), "Edit", 0)->isEnabled());
  EXPECT_FALSE(nomme<QToolButton>(fenetre(), "OpenI")->isEnabled());
}

TEST_F(Disposition, HelpTextsAreSetButOnlyTheTitlePictureHasATooltip) {
  const std::pair<const char *, const char *> aides[] = {
      {"SpeedButton1", "Cliquez pour créer un nouveau labyrinthe (Ctrl+N)."},
      {"SpeedButton4", "A propos de Dravo et Dravo-Editeur."},
      {"quitter", "Cliquez pour quitter Dravo-Editeur (Ctrl+Q)"},
      {"Ptitre", "Cliquez pour définir le titre du labyrinthe et entrer un message d'accueil"},
      {"TS", "Cliquez pour changer la texture du sol."},
      {"P3", "Cliquez pour écouter le bruitage correspondant."},
      {"OS5", "Cliquez pour charger un fichier son."},
      // No room is selected yet: the panel's pages say how to select one.
      {"TabMedia", "Aucune salle n'est sélectionnée. Faites un clic milieu sur une salle de la "
                   "grille pour la sélectionner sans la modifier : ses image, média, question "
                   "et réponses s'affichent alors ici."},
      {"LegendePorteFermee",
       "Cette porte ne peut être ouverte qu'avec une clé de la même couleur."},
      {"LegendeDepart", "Indique la position de départ du joueur"},
  };
  // A legend picture goes on to say that it arms the brush.
  for (const auto &[nom, texte] : aides)
    EXPECT_TRUE(aide(controle(nom)).startsWith(QString::fromUtf8(texte))) << nom;
  for (int k = 0; k < NB_SONS; ++k)
    EXPECT_FALSE(aide(nomme<QToolButton>(fenetre(), "E", k)).isEmpty());

  for (const QWidget *w : fenetre().findChildren<QWidget *>()) {
    if (w != nomme<QLabel>(fenetre(), "titre")) {
      EXPECT_TRUE(w->toolTip().isEmpty()) << w->objectName().toStdString();
    }
  }
  EXPECT_EQ(nomme<QLabel>(fenetre(), "titre")->toolTip(), "Dravo-Ecole sur Internet.");
  EXPECT_FALSE(nomme<QLabel>(fenetre(), "titre")->pixmap().isNull());
}

TEST_F(Disposition, BevelLiesUnderEverythingAndTheMarkerUnderTheRooms) {
  // Over the bare background the bevel is what the pointer finds.
  EXPECT_EQ(fenetre().childAt(635, 5), nomme(fenetre(), "B1"));
  // The marker framing room (3, 2) from 2 pixels outside: the room image stays on top, and
  // its corner, where no partition lies, is the marker's.
  deplace(nomme(fenetre(), "Marque"), QPoint(3 * 60 + 28, 2 * 60 + 28));
  EXPECT_EQ(fenetre().childAt(3 * 60 + 50, 2 * 60 + 50), vue_salle(fenetre(), 23));
  EXPECT_EQ(fenetre().childAt(3 * 60 + 28, 2 * 60 + 28), nomme(fenetre(), "Marque"));
  deplace(nomme(fenetre(), "Marque"), QPoint(-100, -100));
}

TEST_F(Disposition, MarkerDrawsARedTwoPixelOutlineWithNoFill) {
  const QImage image = rendu_sur(nomme(fenetre(), "Marque"), Qt::white);
  const QColor rouge(255, 0, 0);
  for (int i : {0, 1, 42, 43}) {
    EXPECT_EQ(image.pixelColor(i, 20), rouge) << i;
    EXPECT_EQ(image.pixelColor(20, i), rouge) << i;
  }
  for (int i : {2, 20, 41})
    EXPECT_EQ(image.pixelColor(i, i), QColor(Qt::white)) << i;
}

} // namespace
