// The sound rows: loading, listening and clearing with real short sounds played by the
// media back end, the reset and restore, and undo and redo of a sound.

#include <QDir>
#include <QFile>
#include <QMediaPlayer>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "../commun/ecrit_wav.h"
#include "construction.h"
#include "ms_media_player.h"
#include "outils_test.h"
#include "proprietes.h"

namespace {

// Generous: the sounds last well under a few seconds, but a loaded machine may be slow.
constexpr int attente_max_ms = 8000;

// What a listen button shows: "B1", "B2" or "?".
QString glyphe_montre(QToolButton *p) {
  const QImage vu =
      p->icon().pixmap(p->iconSize()).toImage().convertToFormat(QImage::Format_ARGB32);
  for (const char *nom : {"B1", "B2"})
    if (vu == glyphe(QString::fromLatin1(nom)).toImage().convertToFormat(QImage::Format_ARGB32))
      return QString::fromLatin1(nom);
  return QStringLiteral("?");
}

class Sons : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(QDir(e.depart.chemin()).mkdir("bruits"));
    bruits = QDir(e.depart.chemin()).filePath("bruits");
    ecrit_wav(bruits + "/bip.wav", 300);
    ecrit_wav(bruits + "/vent.wav", 6000);
    ecrit_wav(bruits + "/pluie.wav", 6000);
  }
  void TearDown() override {
    // Nothing plays into the next test.
    if (QMediaPlayer *m = lecteur())
      m->stop();
  }

  TForm1 &f() { return *e.fenetre; }
  QToolButton *P(int k) { return nomme<QToolButton>(f(), "P", k); }
  QToolButton *OS(int k) { return nomme<QToolButton>(f(), "OS", k); }
  QToolButton *E(int k) { return nomme<QToolButton>(f(), "E", k); }
  QMediaPlayer *lecteur() {
    return nomme<TMsMediaPlayer>(f(), "TestSon")->findChild<QMediaPlayer *>();
  }
  void charge(int k, const QString &fichier) {
    e.dialogues.fichiers << bruits + "/" + fichier;
    OS(k)->click();
  }
  // Clicks a listen button; after any click at most one row is playing.
  void ecoute(int k) {
    P(k)->click();
    int en_lecture = 0;
    for (int i = 0; i < NB_SONS; ++i)
      en_lecture += tag(P(i)) == 1;
    EXPECT_LE(en_lecture, 1);
  }
  bool joue(const QString &fichier) {
    return QTest::qWaitFor(
        [&] {
          return lecteur() && lecteur()->playbackState() == QMediaPlayer::PlayingState &&
                 lecteur()->source().fileName() == fichier;
        },
        attente_max_ms);
  }
  void attend_ligne(int k, bool actifs, const char *glyphe_attendu) {
    SCOPED_TRACE(testing::Message() << "slot " << k);
    EXPECT_EQ(P(k)->isEnabled(), actifs);
    EXPECT_EQ(E(k)->isEnabled(), actifs);
    EXPECT_EQ(glyphe_montre(P(k)), glyphe_attendu);
    EXPECT_EQ(tag(P(k)), QString(glyphe_attendu) == "B2" ? 1 : 0);
  }

  EditeurEnTest e;
  QString bruits;
};

TEST_F(Sons, LoadingCopiesIntoTheStartFolderAndIsAnUndoableChange) {
  charge(1, "vent.wav");
  EXPECT_EQ(e.dialogues.genres, QList<GenreDialogue>{GenreDialogue::ouvrir});
  EXPECT_EQ(
      e.dialogues.filtres,
      QStringList{"Fichiers MP3 (*.mp3);;Sons (*.mp3 *.wav *.ogg *.flac);;Tous les fichiers (*)"});
  EXPECT_EQ(monde(f()).son_pas, "vent.wav");
  EXPECT_TRUE(QFile::exists(QDir(e.depart.chemin()).filePath("vent.wav")));
  attend_ligne(1, true, "B1");
  attend_ligne(0, false, "B1");
  EXPECT_TRUE(monde(f()).modifie);

  f().document().historique().undo();
  EXPECT_TRUE(monde(f()).son_pas.empty());
  attend_ligne(1, false, "B1");
  EXPECT_FALSE(monde(f()).modifie);
  f().document().historique().redo();
  EXPECT_EQ(monde(f()).son_pas, "vent.wav");
  attend_ligne(1, true, "B1");

  // Clearing is a step too, undone back to the loaded sound.
  E(1)->click();
  EXPECT_TRUE(monde(f()).son_pas.empty());
  attend_ligne(1, false, "B1");
  f().document().historique().undo();
  EXPECT_EQ(monde(f()).son_pas, "vent.wav");
  attend_ligne(1, true, "B1");

  // A cancelled dialog changes nothing.
  OS(3)->click();
  EXPECT_TRUE(monde(f()).son_teleporteurs.empty());
  attend_ligne(3, false, "B1");
}

TEST_F(Sons, ListeningStartsStopsAndSwitchesRowsAndChangesNothing) {
  charge(0, "vent.wav");
  charge(1, "pluie.wav");
  f().document().historique().setClean();

  ecoute(0);
  attend_ligne(0, true, "B2");
  ASSERT_TRUE(joue("vent.wav"));

  // Slot 2 while slot 1 plays: slot 1 back to "B1", slot 2's sound on "B2".
  ecoute(1);
  attend_ligne(0, true, "B1");
  attend_ligne(1, true, "B2");
  ASSERT_TRUE(joue("pluie.wav"));

  // Pressed again: stopped, "B1", and it does not start again.
  ecoute(1);
  attend_ligne(1, true, "B1");
  EXPECT_EQ(lecteur()->playbackState(), QMediaPlayer::StoppedState);
  QTest::qWait(200);
  EXPECT_EQ(lecteur()->playbackState(), QMediaPlayer::StoppedState);
  EXPECT_FALSE(monde(f()).modifie);
}

TEST_F(Sons, ASoundPlayedToItsEndReturnsItsButtonToB1) {
  charge(2, "bip.wav");
  ecoute(2);
  attend_ligne(2, true, "B2");
  ASSERT_TRUE(QTest::qWaitFor([&] { return tag(P(2)) == 0; }, attente_max_ms));
  attend_ligne(2, true, "B1");
}

TEST_F(Sons, ClearingSlot3WhileSlot1PlaysStopsIt) {
  charge(0, "vent.wav");
  charge(2, "pluie.wav");
  ecoute(0);
  ASSERT_TRUE(joue("vent.wav"));
  E(2)->click();
  EXPECT_EQ(lecteur()->playbackState(), QMediaPlayer::StoppedState);
  attend_ligne(0, true, "B1");
  attend_ligne(2, false, "B1");
  EXPECT_TRUE(monde(f()).son_portes.empty());
  EXPECT_EQ(monde(f()).son_ambiance, "vent.wav");
}

TEST_F(Sons, LoadingIntoAPlayingSlotLeavesItPlayingUntilTheNextClick) {
  charge(0, "vent.wav");
  ecoute(0);
  ASSERT_TRUE(joue("vent.wav"));
  charge(0, "pluie.wav");
  EXPECT_EQ(monde(f()).son_ambiance, "pluie.wav");
  attend_ligne(0, true, "B2");
  EXPECT_TRUE(joue("vent.wav"));
  // Undoing the load leaves the sound playing too.
  f().document().historique().undo();
  EXPECT_EQ(monde(f()).son_ambiance, "vent.wav");
  attend_ligne(0, true, "B2");
  EXPECT_TRUE(joue("vent.wav"));
  ecoute(0);
  attend_ligne(0, true, "B1");
  EXPECT_EQ(lecteur()->playbackState(), QMediaPlayer::StoppedState);
}

TEST_F(Sons, NewWhileASoundPlaysResetsEveryRowAndTheSoundPlaysOn) {
  charge(0, "bip.wav");
  charge(4, "vent.wav");
  ecoute(0);
  ASSERT_TRUE(joue("bip.wav"));
  e.dialogues.reponses << Reponse::non; // the loads are unsaved changes
  clique(f(), "SpeedButton1");
  ASSERT_EQ(e.dialogues.questions.size(), 1);
  for (int k = 0; k < NB_SONS; ++k) {
    attend_ligne(k, false, "B1");
    EXPECT_TRUE(monde(f()).son(k).empty());
  }
  EXPECT_EQ(lecteur()->playbackState(), QMediaPlayer::PlayingState);
  // Its end finds no row playing.
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return lecteur()->playbackState() == QMediaPlayer::StoppedState; }, attente_max_ms));
  for (int k = 0; k < NB_SONS; ++k)
    attend_ligne(k, false, "B1");
}

TEST_F(Sons, OpeningRestoresTheRowsTheFileNames) {
  charge(1, "pluie.wav");
  ecoute(1);
  const QString chemin = bruits + "/sons.lab";
  QFile lab(chemin);
  ASSERT_TRUE(lab.open(QIODevice::WriteOnly));
  // A name written with the folders of the machine that made the file.
  lab.write("SAM=vent.wav\r\nSPO=\r\nSCO=C:\\Jeux\\Sons\\bip.wav\r\nC=0,0,0,1\r\n");
  lab.close();
  e.dialogues.reponses << Reponse::non;
  e.dialogues.fichiers << chemin;
  clique(f(), "SpeedButton2");
  ASSERT_TRUE(e.dialogues.erreurs.isEmpty()) << e.dialogues.erreurs.join('\n').toStdString();
  const bool actifs[NB_SONS] = {true, false, false, false, true};
  for (int k = 0; k < NB_SONS; ++k)
    attend_ligne(k, actifs[k], "B1");
  // The sound of a file opened from another folder is found there, by the last component
  // of its name, which the labyrinth keeps as read.
  ecoute(4);
  EXPECT_TRUE(joue("bip.wav"));
  EXPECT_EQ(monde(f()).son(4), "C:\\Jeux\\Sons\\bip.wav");
}

} // namespace
