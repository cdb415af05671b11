// Every control of the editor window at its place, with its name, text, font and look.

#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include <gtest/gtest.h>

#include "cadre_marque.h"
#include "image_etiree.h"
#include "image_grille.h"
#include "ms_media_player.h"
#include "outils_test.h"
#include "proprietes.h"

namespace {

struct Place {
  const char *nom;
  const char *parent;
  int x, y, l, h;
};

// Transcribed from the window's layout tables; positions inside a box or tab page are from
// its corner.
const Place PLACES[] = {
    {"B1", "Form1", 0, 0, 1024, 768},
    {"Marque", "Form1", -100, -100, 44, 44},
    {"Ptextures", "Form1", 640, 8, 145, 273},
    {"titre", "Form1", 793, 10, 180, 40},
    {"quitter", "Form1", 976, 8, 41, 41},
    {"Pcommandes", "Form1", 805, 57, 201, 41},
    {"Ptitre", "Form1", 805, 102, 201, 21},
    {"Psons", "Form1", 797, 123, 217, 153},
    {"PC", "Form1", 640, 296, 369, 329},
    {"LegendeC", "Form1", 8, 644, 257, 103},
    {"LegendeS", "Form1", 273, 644, 265, 103},
    {"Paide", "Form1", 546, 644, 470, 103},
    {"Laide", "Paide", 8, 16, 454, 87},
    {"TestSon", "Form1", -600, -600, 245, 240},
    {"SpeedButton1", "Pcommandes", 0, 0, 41, 41},
    {"SpeedButton2", "Pcommandes", 40, 0, 41, 41},
    {"SpeedButton3", "Pcommandes", 80, 0, 41, 41},
    {"SpeedButton6", "Pcommandes", 120, 0, 41, 41},
    {"SpeedButton4", "Pcommandes", 160, 0, 41, 41},
    {"TM", "Ptextures", 9, 49, 40, 200},
    {"TS", "Ptextures", 57, 48, 80, 80},
    {"TP", "Ptextures", 57, 168, 80, 80},
    {"P1", "Psons", 136, 24, 25, 25},
    {"OS1", "Psons", 160, 24, 25, 25},
    {"E1", "Psons", 184, 24, 25, 25},
    {"P2", "Psons", 136, 48, 25, 25},
    {"OS2", "Psons", 160, 48, 25, 25},
    {"E2", "Psons", 184, 48, 25, 25},
    {"P3", "Psons", 136, 72, 25, 25},
    {"OS3", "Psons", 160, 72, 25, 25},
    {"E3", "Psons", 184, 72, 25, 25},
    {"P4", "Psons", 136, 96, 25, 25},
    {"OS4", "Psons", 160, 96, 25, 25},
    {"E4", "Psons", 184, 96, 25, 25},
    {"P5", "Psons", 136, 120, 25, 25},
    {"OS5", "Psons", 160, 120, 25, 25},
    {"E5", "Psons", 184, 120, 25, 25},
    {"Image_epreuve", "TabImage", 8, 24, 320, 240},
    {"OpenI", "TabImage", 332, 8, 25, 25},
    {"SpeedButton5", "TabImage", 332, 32, 25, 25},
    {"WMP2", "TabMedia", 8, 8, 310, 280},
    {"OpenV", "TabMedia", 332, 8, 25, 25},
    {"SpeedButton7", "TabMedia", 332, 32, 25, 25},
    {"Memo1", "TabQuestion", 16, 16, 329, 257},
    {"Check1", "TabReponses", 8, 32, 17, 25},
    {"Check2", "TabReponses", 8, 88, 17, 25},
    {"Check3", "TabReponses", 8, 144, 17, 25},
    {"Check4", "TabReponses", 8, 200, 17, 25},
    {"Check5", "TabReponses", 8, 256, 17, 25},
    {"Edit1", "TabReponses", 32, 32, 321, 24},
    {"Edit2", "TabReponses", 32, 88, 321, 24},
    {"Edit3", "TabReponses", 32, 144, 321, 24},
    {"Edit4", "TabReponses", 32, 200, 321, 24},
    {"Edit5", "TabReponses", 32, 256, 321, 24},
    {"LegendeMur", "LegendeC", 8, 24, 40, 20},
    {"LegendePorteDerobee", "LegendeC", 8, 48, 40, 20},
    {"LegendePorteFermee", "LegendeC", 8, 72, 40, 20},
    {"LegendeGrille", "LegendeC", 160, 24, 40, 20},
    {"LegendeSortie", "LegendeC", 160, 48, 40, 20},
    {"LegendeDepart", "LegendeS", 16, 24, 40, 40},
    {"LegendeCle", "LegendeS", 80, 24, 40, 40},
    {"LegendeTeleporteur", "LegendeS", 144, 24, 40, 40},
    {"LegendePlan", "LegendeS", 208, 24, 40, 40},
};

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
  EXPECT_EQ(fenetre().windowTitle(), "Dravo-Editeur");
  EXPECT_TRUE(fenetre().rep_appli.endsWith('/'));
  EXPECT_EQ(fenetre().rep_appli, editeur->depart.chemin() + '/');
  EXPECT_TRUE(editeur->dialogues.erreurs.isEmpty())
      << editeur->dialogues.erreurs.join('\n').toStdString();
}

TEST_F(Disposition, EveryControlStandsAtItsPlaceInItsParent) {
  for (const Place &p : PLACES) {
    SCOPED_TRACE(p.nom);
    QWidget *w = controle(p.nom);
    ASSERT_NE(w, nullptr);
    ASSERT_NE(w->parentWidget(), nullptr);
    EXPECT_EQ(w->parentWidget()->objectName(), QString::fromLatin1(p.parent));
    EXPECT_EQ(w->geometry(), QRect(p.x, p.y, p.l, p.h));
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
  EXPECT_EQ(fenetre().Laide->text(),
            QString::fromUtf8("Survolez l'un des éléments de la page pour une aide contextuelle."));
  EXPECT_TRUE(fenetre().Laide->wordWrap());
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
  for (const QLabel *l : fenetre().etiquettes_sons)
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
    EXPECT_FALSE(fenetre().P[k]->isEnabled());
    EXPECT_EQ(tag(fenetre().P[k]), 0);
    EXPECT_TRUE(fenetre().OS[k]->isEnabled());
    EXPECT_FALSE(fenetre().E[k]->isEnabled());
  }
}

TEST_F(Disposition, RoomPanelStartsEmptyOnItsImageTab) {
  auto *pc = controle<QTabWidget>("PC");
  ASSERT_EQ(pc->count(), 4);
  const char *onglets[] = {"Image", "Média", "Question", "Réponses"};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(pc->tabText(i), QString::fromUtf8(onglets[i]));
  EXPECT_EQ(pc->currentIndex(), 0);
  EXPECT_FALSE(fenetre().Image_epreuve->isVisibleTo(&fenetre()));
  EXPECT_TRUE(fenetre().Memo1->toPlainText().isEmpty());
  EXPECT_EQ(fenetre().Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  for (int i = 0; i < NB_REPONSES; ++i) {
    EXPECT_TRUE(fenetre().Edit[i]->text().isEmpty());
    EXPECT_FALSE(fenetre().Check[i]->isChecked());
    EXPECT_TRUE(fenetre().Check[i]->text().isEmpty());
  }
  EXPECT_TRUE(fenetre().WMP2->URL().isEmpty());
  EXPECT_TRUE(fenetre().TestSon->URL().isEmpty());
}

TEST_F(Disposition, HelpTextsAreSetButOnlyTheTitlePictureHasATooltip) {
  const std::pair<const char *, const char *> aides[] = {
      {"SpeedButton1", "Cliquez pour créer un nouveau labyrinthe."},
      {"SpeedButton4", "A propos de Dravo et Dravo-Editeur."},
      {"quitter", "Cliquez pour quitter Dravo-Editeur"},
      {"Ptitre", "Cliquez pour définir le titre du labyrinthe et entrer un message d'accueil"},
      {"TS", "Cliquez pour changer la texture du sol."},
      {"P3", "Cliquez pour écouter le bruitage correspondant."},
      {"OS5", "Cliquez pour charger un fichier son."},
      {"TabMedia", "Choisissez un média (son ou vidéo) qui pourra servir de support ou "
                   "d'illustration à l'énigme de cette salle."},
      {"LegendePorteFermee",
       "Cette porte ne peut être ouverte qu'avec une clé de la même couleur."},
      {"LegendeDepart", "Indique la position de départ du joueur"},
  };
  for (const auto &[nom, texte] : aides)
    EXPECT_EQ(aide(controle(nom)), QString::fromUtf8(texte)) << nom;
  for (int k = 0; k < NB_SONS; ++k)
    EXPECT_FALSE(aide(fenetre().E[k]).isEmpty());

  for (const QWidget *w : fenetre().findChildren<QWidget *>()) {
    if (w != fenetre().titre) {
      EXPECT_TRUE(w->toolTip().isEmpty()) << w->objectName().toStdString();
    }
  }
  EXPECT_EQ(fenetre().titre->toolTip(), "Dravo-Ecole sur Internet.");
  EXPECT_FALSE(fenetre().titre->pixmap().isNull());
}

TEST_F(Disposition, BevelLiesUnderEverythingAndTheMarkerUnderTheRooms) {
  // Over the bare background the bevel is what the pointer finds.
  EXPECT_EQ(fenetre().childAt(635, 5), fenetre().B1);
  // The marker framing room (3, 2) from 2 pixels outside: the room image stays on top, and
  // its corner, where no partition lies, is the marker's.
  fenetre().Marque->move(3 * 60 + 28, 2 * 60 + 28);
  EXPECT_EQ(fenetre().childAt(3 * 60 + 50, 2 * 60 + 50), fenetre().vues_salles[23]);
  EXPECT_EQ(fenetre().childAt(3 * 60 + 28, 2 * 60 + 28), fenetre().Marque);
  fenetre().Marque->move(-100, -100);
}

TEST_F(Disposition, MarkerDrawsARedTwoPixelOutlineWithNoFill) {
  const QImage image = rendu_sur(fenetre().Marque, Qt::white);
  const QColor rouge(255, 0, 0);
  for (int i : {0, 1, 42, 43}) {
    EXPECT_EQ(image.pixelColor(i, 20), rouge) << i;
    EXPECT_EQ(image.pixelColor(20, i), rouge) << i;
  }
  for (int i : {2, 20, 41})
    EXPECT_EQ(image.pixelColor(i, i), QColor(Qt::white)) << i;
}

} // namespace
