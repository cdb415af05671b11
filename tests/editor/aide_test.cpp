// The help box follows the pointer: real pointer moves over the shown window, the text of
// Laide read after each.

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "image_grille.h"
#include "outils_test.h"
#include "textes_aide.h"

// Failures print the texts, not their code units.
inline void PrintTo(const QString &texte, std::ostream *os) {
  *os << '"' << texte.toStdString() << '"';
}

namespace {

const QString DEFAUT =
    QString::fromUtf8("Survolez l'un des éléments de la page pour une aide contextuelle.");
const QString PRECEDENT = QStringLiteral("(texte précédent)");

class Aide : public testing::Test {
protected:
  void SetUp() override {
    f().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f()));
  }
  TForm1 &f() { return *editeur.fenetre; }
  QWidget *controle(const char *nom) {
    auto *w = f().findChild<QWidget *>(QString::fromLatin1(nom));
    EXPECT_NE(w, nullptr) << nom;
    return w;
  }
  QString laide() { return controle("Laide")->property("text").toString(); }
  void pose_laide(const QString &texte) {
    static_cast<QLabel *>(controle("Laide"))->setText(texte);
  }
  // A pointer move at a point of the window, delivered to whatever lies there.
  QString survole_fenetre(QPoint point) {
    QWidget *dessous = f().childAt(point);
    if (!dessous)
      dessous = &f();
    return survole(dessous, dessous->mapFrom(&f(), point));
  }
  // The move as the window system hands it to the control under the pointer, no button
  // held: the application passes it on to the box when the control does not take it.
  QString survole(QWidget *w, QPoint point) {
    QMouseEvent mouvement(QEvent::MouseMove, QPointF(point), QPointF(w->mapToGlobal(point)),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &mouvement);
    return laide();
  }
  QString survole(QWidget *w) { return survole(w, w->rect().center()); }
  QString survole(const char *nom) { return survole(controle(nom)); }
  // A room selected with the middle button, so that the room panel's controls are live.
  void choisit_salle() {
    QTest::mousePress(vue_salle(f(), 0), Qt::MiddleButton, {}, QPoint(20, 20));
  }

  EditeurEnTest editeur;
};

struct Cas {
  const char *nom;
  const char *texte; // UTF-8; null: the default text
};

const Cas CAS[] = {
    // The file commands' texts name their keys too.
    {"SpeedButton1", "Cliquez pour créer un nouveau labyrinthe (Ctrl+N)."},
    {"SpeedButton2", "Cliquez pour ouvrir un labyrinthe enregistré sur le disque (Ctrl+O)."},
    {"SpeedButton3", "Cliquez pour enregistrer le labyrinthe en cours d'édition (Ctrl+Maj+S ; "
                     "Ctrl+S l'enregistre dans son fichier sans rien demander). Nommez le "
                     "premier labyrinthe monde_1, le deuxième monde_2, etc."},
    {"SpeedButton6", "Cliquez pour lancer Dravo et tester le labyrinthe (sans Dravo.exe, il se "
                     "joue dans dravo-joueur).\nF7 : vérifier qu'il "
                     "peut être terminé. Ctrl+P : imprimer sa feuille (plan, énigmes et "
                     "réponses)."},
    {"SpeedButton4", "A propos de Dravo et Dravo-Editeur."},
    {"quitter", "Cliquez pour quitter Dravo-Editeur (Ctrl+Q)"},
    {"Ptitre", "Cliquez pour définir le titre du labyrinthe et entrer un message d'accueil"},
    {"TM", "Cliquez pour changer la texture des murs.\nFichier : Briques.bmp"},
    {"TS", "Cliquez pour changer la texture du sol.\nFichier : sol.bmp"},
    {"TP", "Cliquez pour changer la texture du plafond.\nFichier : plafond.bmp"},
    {"OS1", "Cliquez pour charger un fichier son."},
    {"OS5", "Cliquez pour charger un fichier son."},
    {"LegendeMur", "Le mur simple est infranchissable."},
    {"LegendePorteDerobee", "Ce mur dissimule une porte."},
    {"LegendePorteFermee", "Cette porte ne peut être ouverte qu'avec une clé de la même couleur."},
    {"LegendeGrille",
     "La grille est infranchissable, mais permet de voir ce qui se trouve derrière."},
    {"LegendeSortie",
     "Accès au labyrinthe suivant (monde_n+1) s'il existe. Sinon, fin de l'aventure."},
    {"LegendeDepart", "Indique la position de départ du joueur"},
    {"LegendeCle", "Une clé sert à ouvrir une porte de la même couleur. Si une énigme est "
                   "associée à la salle, il faudra d'abord résoudre cette énigme pour "
                   "récupérer la clé."},
    {"LegendeTeleporteur",
     "Les téléporteurs sont reliés entre-eux et permettent de s'affranchir des murs. Si "
     "vous en placez plus de 2, la destination sera choisie au hasard parmi les autres "
     "téléporteurs."},
    {"LegendePlan", "Le plan du labyrinthe permet de s'orienter plus facilement."},
    // Boxes, the sound labels' box and the title picture bring the default text back.
    {"Ptextures", nullptr},
    {"Pcommandes", nullptr},
    {"Psons", nullptr},
    {"LegendeC", nullptr},
    {"LegendeS", nullptr},
    {"titre", nullptr},
};

TEST_F(Aide, EachControlShowsItsTextAndEachBoxTheDefault) {
  for (const Cas &c : CAS) {
    pose_laide(PRECEDENT);
    QString attendu = c.texte ? QString::fromUtf8(c.texte) : DEFAUT;
    // A legend picture then says that a press makes it the brush.
    if (c.texte && QByteArray(c.nom).startsWith("Legende"))
      attendu += QLatin1Char('\n') + QString::fromUtf8(AIDE_LEGENDE_PINCEAU);
    EXPECT_EQ(survole(c.nom), attendu) << c.nom;
  }
}

TEST_F(Aide, TheTestButtonTellsOfTheKeyboardCommandsAndOfOurOwnPlayer) {
  const QString texte = survole("SpeedButton6");
  EXPECT_TRUE(
      texte.startsWith(QStringLiteral("Cliquez pour lancer Dravo et tester le labyrinthe")));
  EXPECT_TRUE(texte.contains(QStringLiteral("dravo-joueur")));
  EXPECT_TRUE(texte.contains(QStringLiteral("F7")));
  EXPECT_TRUE(texte.contains(QStringLiteral("Ctrl+P")));
}

TEST_F(Aide, SoundLabelsShowTheDefaultText) {
  const QString textes[] = {QStringLiteral("Ambiance : "), QStringLiteral("Pas : "),
                            QStringLiteral("Portes : "), QString::fromUtf8("Téléporteurs : "),
                            QStringLiteral("Coffres : ")};
  for (const QString &t : textes) {
    QLabel *trouvee = nullptr;
    for (QLabel *l : controle("Psons")->findChildren<QLabel *>())
      if (l->text() == t)
        trouvee = l;
    ASSERT_NE(trouvee, nullptr) << t.toStdString();
    pose_laide(PRECEDENT);
    EXPECT_EQ(survole(trouvee), DEFAUT) << t.toStdString();
  }
}

TEST_F(Aide, FromARoomOntoItsPartitionTheTextChangesLines) {
  // Room (0, 0) and the vertical partition to its right, found where a person points.
  const QString salle = survole_fenetre({50, 50});
  EXPECT_TRUE(salle.startsWith(
      QString::fromUtf8("- Clic droit ou gauche sur une salle pour la modifier.\n"
                        "- Clic milieu pour sélectionner une salle sans la modifier")))
      << salle.toStdString();
  EXPECT_TRUE(qobject_cast<ImageGrille *>(f().childAt(50, 50)));
  bool cloison_vue = false;
  for (int x = 60; x < 100 && !cloison_vue; ++x) {
    if (!qobject_cast<ImageGrille *>(f().childAt(x, 50)))
      continue;
    const QString texte = survole_fenetre({x, 50});
    if (texte != salle) {
      EXPECT_TRUE(texte.startsWith("Clic droit ou gauche sur une cloison pour la modifier."));
      cloison_vue = true;
    }
  }
  EXPECT_TRUE(cloison_vue);
}

TEST_F(Aide, ListenAndClearButtonsAnswerOnlyWhenEnabled) {
  const char *noms[] = {"P2", "E2"};
  for (const char *nom : noms) {
    pose_laide(PRECEDENT);
    ASSERT_FALSE(controle(nom)->isEnabled());
    EXPECT_EQ(survole(nom), DEFAUT) << nom << " disabled: the sound box answers";
  }
  // As a sound loaded leaves the row.
  controle("P2")->setEnabled(true);
  controle("E2")->setEnabled(true);
  ASSERT_TRUE(controle("P2")->isEnabled());
  EXPECT_EQ(survole("P2"), QString::fromUtf8("Cliquez pour écouter le bruitage correspondant."));
  const QString efface = survole("E2");
  EXPECT_NE(efface, DEFAUT);
  EXPECT_FALSE(efface.isEmpty());
  EXPECT_TRUE(efface.startsWith(QStringLiteral("Cliquez pour"))) << efface.toStdString();
}

TEST_F(Aide, WithoutARoomEveryPageAndControlOfThePanelSaysHowToSelectOne) {
  auto *pc = static_cast<QTabWidget *>(controle("PC"));
  const QString sans_salle = QString::fromUtf8(
      "Aucune salle n'est sélectionnée. Faites un clic milieu sur une salle de la grille pour "
      "la sélectionner sans la modifier : ses image, média, question et réponses s'affichent "
      "alors ici.");
  for (const char *page : {"TabImage", "TabMedia", "TabQuestion", "TabReponses"}) {
    pc->setCurrentWidget(controle(page));
    pose_laide(PRECEDENT);
    EXPECT_EQ(survole(controle(page), {2, controle(page)->height() - 3}), sans_salle) << page;
  }
  // A disabled field answers for its page.
  pc->setCurrentWidget(controle("TabReponses"));
  pose_laide(PRECEDENT);
  EXPECT_EQ(survole("Edit2"), sans_salle);
  choisit_salle();
  pc->setCurrentWidget(controle("TabQuestion"));
  EXPECT_NE(survole(controle("TabQuestion"), {2, controle("TabQuestion")->height() - 3}),
            sans_salle);
}

TEST_F(Aide, TabStripShowsTheDefaultAndTabBodyItsOwnText) {
  auto *pc = static_cast<QTabWidget *>(controle("PC"));
  choisit_salle();
  const struct {
    const char *page;
    const char *texte;
  } onglets[] = {
      {"TabImage", "Choisissez une image qui pourra servir de support ou d'illustration à "
                   "l'énigme de cette salle."},
      {"TabMedia", "Choisissez un média (son ou vidéo) qui pourra servir de support ou "
                   "d'illustration à l'énigme de cette salle."},
      {"TabQuestion", "Entrez la question correspondant à l'énigme associée à cette salle. "
                      "N'entrez rien s'il s'agit d'une salle ordinaire."},
      {"TabReponses",
       "Entrez les différentes propositions (de 1 à 5) associées à la question. Cochez les "
       "bonnes réponses. Si la réponse doit être saisie au clavier, entrez-la en n° 1 et ne "
       "cochez aucune case. Si pas de réponse saisie, la question devient un simple "
       "message."},
  };
  for (const auto &o : onglets) {
    QWidget *page = controle(o.page);
    pc->setCurrentWidget(page);
    // A corner of the body that no field covers.
    EXPECT_EQ(survole(page, {page->width() - 3, page->height() - 3}), QString::fromUtf8(o.texte))
        << o.page;
    QTabBar *onglets_barre = pc->tabBar();
    EXPECT_EQ(survole(onglets_barre, onglets_barre->tabRect(pc->indexOf(page)).center()), DEFAUT)
        << o.page;
  }
}

TEST_F(Aide, ControlsWithoutHelpKeepTheLastText) {
  auto *pc = static_cast<QTabWidget *>(controle("PC"));
  choisit_salle();
  pc->setCurrentWidget(controle("TabReponses"));
  const QString reponses =
      survole(controle("TabReponses"), {2, controle("TabReponses")->height() - 3});
  ASSERT_NE(reponses, DEFAUT);
  const char *sans_aide[] = {"Edit1", "Check3", "LabelReponse2"};
  for (const char *nom : sans_aide)
    EXPECT_EQ(survole(nom), reponses) << nom;

  // The help text itself keeps what it shows; the edge of its box restores the default.
  EXPECT_EQ(survole("Laide"), reponses);
  EXPECT_EQ(survole(controle("Paide"), {3, 40}), DEFAUT);

  pc->setCurrentWidget(controle("TabQuestion"));
  pose_laide(PRECEDENT);
  EXPECT_EQ(survole("Memo1"), PRECEDENT);
}

TEST_F(Aide, OnlyTheTitlePictureHasATooltip) {
  for (QWidget *w : f().findChildren<QWidget *>()) {
    if (w->objectName() == QStringLiteral("titre"))
      EXPECT_EQ(w->toolTip(), QStringLiteral("Dravo-Ecole sur Internet."));
    else
      EXPECT_TRUE(w->toolTip().isEmpty()) << w->objectName().toStdString();
  }
}

} // namespace
