// The game window walked with real key and mouse events on the offscreen platform: a key
// behind a riddle answered in the panel (wrong, then right), a locked door opened, a typed
// riddle, a teleport, the exit, the next labyrinth's card, and the end card's score.

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "carte_jeu.h"
#include "fenetre_jeu.h"
#include "labyrinthes_test.h"
#include "panneau_enigme.h"
#include "sons_jeu.h"

namespace {

template <class W> W *nomme(QWidget &parent, const char *nom) {
  W *w = parent.findChild<W *>(QString::fromLatin1(nom));
  EXPECT_NE(w, nullptr) << nom;
  return w;
}

struct Jeu : testing::Test {
  void SetUp() override {
    enregistre(chateau(), chemin("monde_1.lab"));
    enregistre(cave(), chemin("monde_2.lab"));
    // The chests' sound: a broken file under its bare name, a real one where the name's
    // folder points, which must not be used.
    QFile casse(chemin("coffre.wav"));
    ASSERT_TRUE(casse.open(QIODevice::WriteOnly));
    casse.write("RIFF pas un son");
    casse.close();
    f.set_duree_animation(1);
    f.show();
    ASSERT_TRUE(f.joue(chemin("monde_1.lab")));
  }
  QString chemin(const QString &nom) const { return QDir(dossier.path()).filePath(nom); }
  const Partie &partie() const { return f.aventure()->partie(); }
  // Presses a key on the window and lets the step or turn finish.
  void touche(int cle) {
    QTest::keyClick(&f, static_cast<Qt::Key>(cle));
    for (int i = 0; i < 100 && f.anime(); ++i)
      QTest::qWait(5);
    ASSERT_FALSE(f.anime());
  }
  PanneauEnigme &panneau() { return *nomme<PanneauEnigme>(f, "enigme"); }
  // A click on a tick box's box, as a pupil clicks it.
  void coche(const char *nom) {
    QCheckBox *c = nomme<QCheckBox>(f, nom);
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(c->height() / 2, c->height() / 2));
  }
  // No box ever interrupts play.
  static bool aucune_boite() {
    for (QWidget *w : QApplication::topLevelWidgets())
      if (qobject_cast<QMessageBox *>(w) && w->isVisible())
        return false;
    return true;
  }

  QTemporaryDir dossier;
  FenetreJeu f;
};

TEST_F(Jeu, TheAdventureIsWalkedToItsEndAndScored) {
  EXPECT_EQ(f.ecran(), FenetreJeu::Ecran::accueil);
  // Keys do nothing before the first step is allowed.
  QTest::keyClick(&f, Qt::Key_Up);
  EXPECT_EQ(partie().salle(), indice_salle(0, 0));
  QTest::keyClick(&f, Qt::Key_Return);
  EXPECT_EQ(f.ecran(), FenetreJeu::Ecran::marche);

  // A wall ahead (nord, the border): a bump, nowhere to go.
  touche(Qt::Key_Z);
  EXPECT_EQ(partie().salle(), indice_salle(0, 0));
  // The blue door (est) is locked: the door's sound and the pupil told which key it needs.
  touche(Qt::Key_D);
  EXPECT_EQ(partie().direction(), Direction::est);
  touche(Qt::Key_Up);
  EXPECT_EQ(partie().salle(), indice_salle(0, 0));
  EXPECT_EQ(f.sons().joues(SonsJeu::portes), 1);
  EXPECT_TRUE(f.annonce().contains(QStringLiteral("clé bleue"))) << f.annonce().toStdString();

  // South to A2 (WASD's D then S backs... no: turn right again to face sud, then W).
  touche(Qt::Key_Right);
  EXPECT_EQ(partie().direction(), Direction::sud);
  touche(Qt::Key_W);
  EXPECT_EQ(partie().salle(), indice_salle(0, 1));
  EXPECT_EQ(f.sons().joues(SonsJeu::pas), 1);
  ASSERT_EQ(f.ecran(), FenetreJeu::Ecran::enigme);
  ASSERT_TRUE(panneau().isVisible());
  EXPECT_EQ(nomme<QLabel>(f, "question")->text(), QStringLiteral("Combien font 2 + 2 ?"));
  EXPECT_TRUE(nomme<QCheckBox>(f, "choix_3")->isVisible());
  EXPECT_FALSE(nomme<QCheckBox>(f, "choix_4")->isVisible()); // an empty proposal
  EXPECT_FALSE(nomme<QLineEdit>(f, "saisie")->isVisible());
  // Moving keys do nothing while the riddle is shown.
  touche(Qt::Key_Up);
  EXPECT_EQ(partie().salle(), indice_salle(0, 1));

  // Wrong first: said in the panel, which stays; no key.
  coche("choix_1");
  QTest::mouseClick(nomme<QPushButton>(f, "valider"), Qt::LeftButton);
  EXPECT_TRUE(panneau().isVisible());
  EXPECT_TRUE(nomme<QLabel>(f, "verdict")->text().contains(QStringLiteral("pas la bonne")));
  EXPECT_FALSE(partie().tient_cle(couleur_cle(SALLE_CLE_BLEUE)));
  EXPECT_TRUE(nomme<QCheckBox>(f, "choix_1")->isChecked());
  // Then right, with Return: the key is taken (the chests' sound: a broken file, silence).
  coche("choix_1");
  coche("choix_2");
  QTest::keyClick(&panneau(), Qt::Key_Return);
  EXPECT_FALSE(panneau().isVisible());
  EXPECT_EQ(f.ecran(), FenetreJeu::Ecran::marche);
  EXPECT_TRUE(partie().tient_cle(couleur_cle(SALLE_CLE_BLEUE)));
  EXPECT_EQ(f.sons().fichier(SonsJeu::coffres), chemin("coffre.wav"));
  EXPECT_EQ(f.sons().joues(SonsJeu::coffres), 1);
  EXPECT_TRUE(f.annonce().contains(QStringLiteral("clé bleue")));

  // Back north (S backs up), face est (Q turns left from sud), through the blue door.
  touche(Qt::Key_S);
  EXPECT_EQ(partie().salle(), indice_salle(0, 0));
  touche(Qt::Key_Q);
  EXPECT_EQ(partie().direction(), Direction::est);
  touche(Qt::Key_Up);
  EXPECT_EQ(partie().salle(), indice_salle(1, 0));
  EXPECT_EQ(f.sons().joues(SonsJeu::portes), 2);
  // The typed riddle: "paris " matches "Paris".
  ASSERT_EQ(f.ecran(), FenetreJeu::Ecran::enigme);
  QLineEdit *saisie = nomme<QLineEdit>(f, "saisie");
  ASSERT_TRUE(saisie->isVisible());
  QTest::keyClicks(saisie, QStringLiteral("paris "));
  QTest::keyClick(saisie, Qt::Key_Return);
  EXPECT_EQ(f.ecran(), FenetreJeu::Ecran::marche);

  // Space teleports to E5, the only other teleporter; then est is the exit.
  touche(Qt::Key_Space);
  EXPECT_EQ(partie().salle(), indice_salle(4, 4));
  EXPECT_EQ(f.sons().joues(SonsJeu::teleporteur), 1);
  touche(Qt::Key_Up);

  // The next labyrinth: its title and mission, then its own exit to the north.
  ASSERT_EQ(f.ecran(), FenetreJeu::Ecran::suite);
  EXPECT_EQ(f.titre_ecran(), QStringLiteral("La cave"));
  EXPECT_EQ(f.texte_ecran(), QStringLiteral("Sortez par le nord."));
  EXPECT_EQ(f.windowTitle(), QStringLiteral("La cave – Dravo"));
  QTest::mouseClick(&f, Qt::LeftButton, {}, QPoint(10, 10)); // a click begins too
  EXPECT_EQ(f.ecran(), FenetreJeu::Ecran::marche);
  touche(Qt::Key_Up);

  // The end: the last labyrinth's message and the score of the whole adventure.
  ASSERT_EQ(f.ecran(), FenetreJeu::Ecran::fin);
  EXPECT_TRUE(f.texte_ecran().startsWith(QStringLiteral("C'est fini !")));
  EXPECT_TRUE(f.texte_ecran().endsWith(QStringLiteral("1 énigme résolue du premier coup sur 2")))
      << f.texte_ecran().toStdString();
  EXPECT_TRUE(aucune_boite());

  // Rejouer starts the adventure again, from its first labyrinth.
  QTest::mouseClick(nomme<QPushButton>(f, "bouton_0"), Qt::LeftButton);
  EXPECT_EQ(f.ecran(), FenetreJeu::Ecran::accueil);
  EXPECT_EQ(f.titre_ecran(), QStringLiteral("Le château"));
  EXPECT_EQ(partie().salle(), indice_salle(0, 0));
  EXPECT_FALSE(partie().tient_cle(couleur_cle(SALLE_CLE_BLEUE)));
}

// Two plain messages read on the way out: "OK" in place of Valider, both solved at the first
// try, and the score in the plural.
TEST(JeuMessages, PlainMessagesAreReadWithOkAndTheScoreCountsThem) {
  QTemporaryDir dossier;
  Monde m = monde_avec_depart(indice_salle(0, 0));
  m.salles[static_cast<size_t>(indice_salle(0, 1))].question = "Bienvenue !";
  m.salles[static_cast<size_t>(indice_salle(0, 2))].question = "Encore un pas.";
  ouvre(m, indice_cloison_h(0, 1));
  ouvre(m, indice_cloison_h(0, 2));
  ouvre(m, indice_cloison_h(0, 3), CLOISON_SORTIE);
  const QString chemin = QDir(dossier.path()).filePath("seul.lab");
  enregistre(m, chemin);
  FenetreJeu f;
  f.set_duree_animation(0);
  f.show();
  ASSERT_TRUE(f.joue(chemin));
  QTest::keyClick(&f, Qt::Key_Return);
  EXPECT_EQ(f.ecran(), FenetreJeu::Ecran::marche);
  QPushButton *ok = nomme<QPushButton>(f, "valider");
  for (int rang = 1; rang <= 2; ++rang) {
    QTest::keyClick(&f, Qt::Key_S); // backs up south, facing nord still
    ASSERT_EQ(f.ecran(), FenetreJeu::Ecran::enigme) << rang;
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(f.ecran(), FenetreJeu::Ecran::marche);
  }
  QTest::keyClick(&f, Qt::Key_Down); // through the exit behind
  ASSERT_EQ(f.ecran(), FenetreJeu::Ecran::fin);
  EXPECT_TRUE(f.texte_ecran().endsWith(QStringLiteral("2 énigmes résolues du premier coup sur 2")))
      << f.texte_ecran().toStdString();
  // A labyrinth without a title: the window keeps the program's name.
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Dravo – Jouer"));
}

TEST_F(Jeu, PauseResumesRestartsOrQuits) {
  QTest::keyClick(&f, Qt::Key_Return);
  touche(Qt::Key_Right);
  touche(Qt::Key_Right);
  touche(Qt::Key_Up); // into the riddle of A2
  ASSERT_EQ(f.ecran(), FenetreJeu::Ecran::enigme);
  QTest::keyClick(&f, Qt::Key_Escape);
  EXPECT_EQ(f.ecran(), FenetreJeu::Ecran::pause);
  EXPECT_FALSE(panneau().isVisible());
  EXPECT_EQ(nomme<QPushButton>(f, "bouton_1")->text(), QStringLiteral("Recommencer ce labyrinthe"));
  // Reprendre: the riddle is back.
  QTest::mouseClick(nomme<QPushButton>(f, "bouton_0"), Qt::LeftButton);
  EXPECT_EQ(f.ecran(), FenetreJeu::Ecran::enigme);
  EXPECT_TRUE(panneau().isVisible());
  // Passer leaves it; Recommencer puts the player back at the start, facing nord.
  QTest::mouseClick(nomme<QPushButton>(f, "passer"), Qt::LeftButton);
  EXPECT_EQ(f.ecran(), FenetreJeu::Ecran::marche);
  QTest::keyClick(&f, Qt::Key_Escape);
  QTest::mouseClick(nomme<QPushButton>(f, "bouton_1"), Qt::LeftButton);
  EXPECT_EQ(f.ecran(), FenetreJeu::Ecran::marche);
  EXPECT_EQ(partie().salle(), indice_salle(0, 0));
  EXPECT_EQ(partie().direction(), Direction::nord);
  EXPECT_FALSE(partie().visitee(indice_salle(0, 1)));
  // Quitter closes the window without a question.
  QTest::keyClick(&f, Qt::Key_Escape);
  QTest::mouseClick(nomme<QPushButton>(f, "bouton_2"), Qt::LeftButton);
  EXPECT_FALSE(f.isVisible());
  EXPECT_TRUE(aucune_boite());
}

TEST_F(Jeu, TheMapShowsTheVisitedRoomsAndThePlayer) {
  QTest::keyClick(&f, Qt::Key_Return);
  CarteJeu *carte = nomme<CarteJeu>(f, "carte");
  QTest::keyClick(&f, Qt::Key_M);
  EXPECT_TRUE(carte->isVisible());
  EXPECT_TRUE(salle_sur_carte(partie(), indice_salle(0, 0)));
  EXPECT_FALSE(salle_sur_carte(partie(), indice_salle(0, 1)));
  EXPECT_FALSE(salle_sur_carte(partie(), indice_salle(9, 9)));
  QTest::keyClick(&f, Qt::Key_M);
  EXPECT_FALSE(carte->isVisible());

  // Drawn: the player's arrow (red) lies in the player's room, none in the room beside it.
  QImage image(220, 220, QImage::Format_ARGB32);
  image.fill(Qt::black);
  {
    QPainter p(&image);
    dessine_carte(p, QRectF(0, 0, 210, 210), partie());
  }
  const auto rouge_dans = [&](QRect r) {
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) {
        const QColor c = image.pixelColor(x, y);
        if (c.red() > 180 && c.green() < 80 && c.blue() < 80)
          return true;
      }
    return false;
  };
  // 210 / 10.5 = 20 pixels a room, the grid from 5 to 205.
  EXPECT_TRUE(rouge_dans(QRect(5, 5, 20, 20)));
  EXPECT_FALSE(rouge_dans(QRect(25, 5, 20, 20)));
}

TEST_F(Jeu, AStepIsAnimatedAndNothingIsDrawnWhileNothingChanges) {
  QTest::keyClick(&f, Qt::Key_Return);
  f.set_duree_animation(400);
  QTest::qWait(50);
  const int repos = f.images_dessinees();
  QTest::qWait(150);
  EXPECT_EQ(f.images_dessinees(), repos);
  QTest::keyClick(&f, Qt::Key_Right);
  EXPECT_TRUE(f.anime());
  for (int i = 0; i < 100 && f.anime(); ++i)
    QTest::qWait(10);
  EXPECT_FALSE(f.anime());
  // Frames between the two facings and the last one (a loaded machine may draw few), then
  // rest again.
  EXPECT_GE(f.images_dessinees() - repos, 2);
  const int apres = f.images_dessinees();
  QTest::qWait(100);
  EXPECT_EQ(f.images_dessinees(), apres);
  EXPECT_EQ(partie().direction(), Direction::est);
}

TEST_F(Jeu, TheWindowFitsTheScreenAndF11TogglesFullScreen) {
  const QRect dispo = f.screen()->availableGeometry();
  EXPECT_TRUE(dispo.contains(f.frameGeometry()) || dispo.contains(f.geometry()));
  QTest::keyClick(&f, Qt::Key_F11);
  EXPECT_TRUE(f.windowState() & Qt::WindowFullScreen);
  QTest::keyClick(&f, Qt::Key_F11);
  EXPECT_FALSE(f.windowState() & Qt::WindowFullScreen);
}

} // namespace
