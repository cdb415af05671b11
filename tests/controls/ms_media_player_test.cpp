#include "ms_media_player.h"

#include <QApplication>
#include <QAudioOutput>
#include <QDir>
#include <QFile>
#include <QMediaPlayer>
#include <QMessageBox>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QVideoWidget>

#include <gtest/gtest.h>

#include "../commun/ecrit_wav.h"

namespace {

constexpr int arret = 1, lecture = 3, fin_media = 8;
// Generous: the sounds last well under a second, but a loaded CI machine may be slow.
constexpr int attente_max_ms = 8000;

QList<int> etats(const QSignalSpy &spy) {
  QList<int> l;
  for (const auto &args : spy)
    l.append(args.at(0).toInt());
  return l;
}

bool attend_etat(const QSignalSpy &spy, int etat, qsizetype fois = 1) {
  return QTest::qWaitFor([&] { return etats(spy).count(etat) >= fois; }, attente_max_ms);
}

QMediaPlayer *moteur(TMsMediaPlayer &p) {
  return p.findChild<QMediaPlayer *>();
}

bool boite_de_message_ouverte() {
  for (QWidget *w : QApplication::topLevelWidgets())
    if (qobject_cast<QMessageBox *>(w) && w->isVisible())
      return true;
  return false;
}

class LecteurMedia : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dossier.isValid());
    ancien = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dossier.path()));
    ecrit_wav(dossier.filePath(QStringLiteral("bip.wav")), 300);
    ecrit_wav(dossier.filePath(QStringLiteral("long.wav")), 4000);
  }
  void TearDown() override { QDir::setCurrent(ancien); }

  QTemporaryDir dossier;
  QString ancien;
};

TEST_F(LecteurMedia, ASoundPlaysToItsEndAndReportsStoppedThenReplaysFromItsStart) {
  TMsMediaPlayer son(nullptr, false);
  QSignalSpy spy(&son, &TMsMediaPlayer::OnPlayStateChange);

  son.setURL(QStringLiteral("bip.wav"));
  ASSERT_TRUE(attend_etat(spy, arret)) << "states: " << etats(spy).size();
  QList<int> vus = etats(spy);
  EXPECT_TRUE(vus.contains(lecture));
  ASSERT_GE(vus.size(), 2);
  EXPECT_EQ(vus.mid(vus.size() - 2), (QList<int>{fin_media, arret}));
  EXPECT_EQ(vus.count(arret), 1);

  // Once ended, the sound plays again both on a bare play and in the sound rows' listen
  // order (the same URL assigned again, then play).
  spy.clear();
  son.controls().play();
  ASSERT_TRUE(attend_etat(spy, arret));
  EXPECT_TRUE(etats(spy).contains(lecture));

  spy.clear();
  son.setURL(QStringLiteral("bip.wav"));
  son.controls().play();
  ASSERT_TRUE(attend_etat(spy, arret));
  EXPECT_EQ(etats(spy).count(lecture), 1);
  EXPECT_EQ(etats(spy).count(arret), 1);
}

TEST_F(LecteurMedia, StopNotifiesAtOnceAndTheNextSoundGetsNoStrayStop) {
  // The sound rows' order: stop, mark the new button as playing, set the URL, play. A
  // stopped notification arriving after the stop call returned would undo the new mark.
  TMsMediaPlayer son(nullptr, false);
  QSignalSpy spy(&son, &TMsMediaPlayer::OnPlayStateChange);
  son.setURL(QStringLiteral("long.wav"));
  ASSERT_TRUE(attend_etat(spy, lecture));

  spy.clear();
  son.controls().stop();
  EXPECT_EQ(etats(spy), QList<int>{arret});
  EXPECT_EQ(moteur(son)->playbackState(), QMediaPlayer::StoppedState);
  EXPECT_EQ(moteur(son)->position(), 0);

  son.setURL(QStringLiteral("bip.wav"));
  son.controls().play();
  ASSERT_TRUE(attend_etat(spy, fin_media));
  ASSERT_TRUE(attend_etat(spy, arret, 2));
  const QList<int> vus = etats(spy);
  EXPECT_EQ(vus.count(arret), 2);
  EXPECT_EQ(vus.front(), arret);
  EXPECT_EQ(vus.back(), arret);
}

TEST_F(LecteurMedia, StopWithNothingLoadedStillNotifiesAndPlayDoesNothing) {
  TMsMediaPlayer son(nullptr, false);
  QSignalSpy spy(&son, &TMsMediaPlayer::OnPlayStateChange);
  son.controls().play();
  EXPECT_TRUE(spy.isEmpty());
  son.controls().stop();
  son.controls().stop();
  EXPECT_EQ(etats(spy), (QList<int>{arret, arret}));
}

TEST_F(LecteurMedia, EmptyURLAndCloseUnloadWithoutAStoppedNotification) {
  struct Cas {
    const char *nom;
    void (*decharge)(TMsMediaPlayer &);
  };
  const Cas cas[] = {
      {"URL vide", [](TMsMediaPlayer &p) { p.setURL(QString()); }},
      {"close puis URL vide",
       [](TMsMediaPlayer &p) {
         p.close();
         p.setURL(QString());
       }},
  };
  for (const Cas &c : cas) {
    SCOPED_TRACE(c.nom);
    TMsMediaPlayer media(nullptr, true);
    QSignalSpy spy(&media, &TMsMediaPlayer::OnPlayStateChange);
    media.setURL(QStringLiteral("long.wav"));
    ASSERT_TRUE(attend_etat(spy, lecture));
    spy.clear();
    c.decharge(media);
    EXPECT_TRUE(media.URL().isEmpty());
    EXPECT_TRUE(moteur(media)->source().isEmpty());
    EXPECT_EQ(moteur(media)->playbackState(), QMediaPlayer::StoppedState);
    EXPECT_FALSE(etats(spy).contains(arret));
  }
}

TEST_F(LecteurMedia, ABareNameIsResolvedInTheFolderCurrentAtTheCallAndAMissingFilePlaysSilently) {
  QTemporaryDir ailleurs;
  ASSERT_TRUE(QDir::setCurrent(ailleurs.path()));
  TMsMediaPlayer son(nullptr, false);
  QSignalSpy spy(&son, &TMsMediaPlayer::OnPlayStateChange);

  son.setURL(QStringLiteral("bip.wav")); // not in this folder
  EXPECT_EQ(son.URL(), QStringLiteral("bip.wav"));
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return moteur(son)->mediaStatus() == QMediaPlayer::InvalidMedia; }, attente_max_ms));
  EXPECT_FALSE(etats(spy).contains(arret));
  EXPECT_FALSE(boite_de_message_ouverte());

  ASSERT_TRUE(QDir::setCurrent(dossier.path()));
  spy.clear();
  son.setURL(QStringLiteral("bip.wav"));
  EXPECT_TRUE(attend_etat(spy, arret));
}

TEST_F(LecteurMedia, NothingButANonEmptyURLMakesThePlaybackObjects) {
  // The editor empties WMP2's URL, stops TestSon and greys WMP2 long before any medium is
  // chosen; none of that may load the multimedia back end.
  struct Cas {
    const char *nom;
    void (*agit)(TMsMediaPlayer &);
  };
  const Cas cas[] = {
      {"URL vide", [](TMsMediaPlayer &p) { p.setURL(QString()); }},
      {"close", [](TMsMediaPlayer &p) { p.close(); }},
      {"play et stop",
       [](TMsMediaPlayer &p) {
         p.controls().play();
         p.controls().stop();
       }},
      {"enabled",
       [](TMsMediaPlayer &p) {
         p.set_enabled(false);
         p.set_enabled(true);
       }},
      {"boutons de la barre",
       [](TMsMediaPlayer &p) {
         for (const char *nom : {"lecture", "arret", "muet"})
           if (auto *b = p.findChild<QToolButton *>(QString::fromLatin1(nom)))
             QTest::mouseClick(b, Qt::LeftButton);
       }},
  };
  for (bool avec_controles : {true, false})
    for (const Cas &c : cas) {
      SCOPED_TRACE(testing::Message() << c.nom << (avec_controles ? " WMP2" : " TestSon"));
      TMsMediaPlayer p(nullptr, avec_controles);
      p.resize(310, 280);
      p.show();
      QSignalSpy spy(&p, &TMsMediaPlayer::OnPlayStateChange);
      c.agit(p);
      EXPECT_FALSE(p.moteur_cree());
      EXPECT_EQ(moteur(p), nullptr);
      EXPECT_EQ(p.findChild<QAudioOutput *>(), nullptr);
      EXPECT_EQ(p.findChild<QVideoWidget *>(), nullptr);
      EXPECT_TRUE(p.URL().isEmpty());
      EXPECT_EQ(p.volume(), 50);
      EXPECT_EQ(p.playCount(), 1);
      EXPECT_FALSE(etats(spy).contains(lecture));
    }
}

TEST_F(LecteurMedia, SettingsChosenBeforeTheFirstMediumReachThePlayerMadeForIt) {
  TMsMediaPlayer media(nullptr, true);
  media.resize(310, 280);
  media.show();
  media.findChild<QSlider *>(QStringLiteral("volume"))->setValue(30);
  QTest::mouseClick(media.findChild<QToolButton *>(QStringLiteral("muet")), Qt::LeftButton);
  media.set_enabled(false);
  EXPECT_FALSE(media.moteur_cree());

  media.setURL(QStringLiteral("bip.wav"));
  ASSERT_TRUE(media.moteur_cree());
  auto *sortie = media.findChild<QAudioOutput *>();
  ASSERT_NE(sortie, nullptr);
  EXPECT_EQ(media.volume(), 30);
  EXPECT_NEAR(sortie->volume(), 0.3f, 0.001f);
  EXPECT_TRUE(sortie->isMuted());
  EXPECT_EQ(moteur(media)->loops(), 1);
  EXPECT_FALSE(media.findChild<QSlider *>(QStringLiteral("volume"))->isEnabled());
}

TEST_F(LecteurMedia, TheVideoAreaIsBlackAboveTheRowBeforeAndAfterTheFirstMedium) {
  TMsMediaPlayer media(nullptr, true);
  media.resize(310, 280);
  media.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&media));
  const auto *barre = media.findChild<QWidget *>(QStringLiteral("barre"));
  ASSERT_NE(barre, nullptr);
  const QRect ligne = barre->geometry();
  EXPECT_EQ(ligne, QRect(0, 280 - ligne.height(), 310, ligne.height()));

  const QImage avant = media.grab().toImage();
  for (const QPoint point : {QPoint(0, 0), QPoint(309, 0), QPoint(155, 120),
                             QPoint(0, ligne.top() - 1), QPoint(309, ligne.top() - 1)})
    EXPECT_EQ(avant.pixelColor(point), QColor(Qt::black)) << point.x() << "," << point.y();

  media.setURL(QStringLiteral("bip.wav"));
  const auto *video = media.findChild<QVideoWidget *>();
  ASSERT_NE(video, nullptr);
  QTest::qWait(0);
  EXPECT_TRUE(video->isVisible());
  EXPECT_EQ(video->geometry(), QRect(0, 0, 310, ligne.top()));
  EXPECT_EQ(barre->geometry(), ligne);
}

TEST(LecteurMediaReglages, BothKindsStartWithTheSameSettings) {
  for (bool avec_controles : {true, false}) {
    SCOPED_TRACE(avec_controles);
    TMsMediaPlayer p(nullptr, avec_controles);
    EXPECT_EQ(p.volume(), 50);
    EXPECT_EQ(p.playCount(), 1);
    EXPECT_TRUE(p.enabled());
    EXPECT_TRUE(p.URL().isEmpty());
  }
  TMsMediaPlayer sans(nullptr, false);
  EXPECT_TRUE(sans.findChildren<QToolButton *>().isEmpty());
}

TEST_F(LecteurMedia, EnabledGreysTheOwnControlsButTheMediumStillLoadsAndPlays) {
  TMsMediaPlayer media(nullptr, true);
  media.resize(310, 280);
  media.show();
  const QList<QWidget *> commandes{
      media.findChild<QToolButton *>(QStringLiteral("lecture")),
      media.findChild<QToolButton *>(QStringLiteral("arret")),
      media.findChild<QSlider *>(QStringLiteral("position")),
      media.findChild<QSlider *>(QStringLiteral("volume")),
  };
  for (QWidget *w : commandes) {
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isEnabled());
  }

  QSignalSpy spy(&media, &TMsMediaPlayer::OnPlayStateChange);
  media.set_enabled(false);
  EXPECT_FALSE(media.enabled());
  for (QWidget *w : commandes)
    EXPECT_FALSE(w->isEnabled()) << qPrintable(w->objectName());
  media.setURL(QStringLiteral("bip.wav"));
  EXPECT_TRUE(attend_etat(spy, arret));

  media.set_enabled(true);
  for (QWidget *w : commandes)
    EXPECT_TRUE(w->isEnabled()) << qPrintable(w->objectName());
}

TEST_F(LecteurMedia, TheOwnStopButtonIsAStopRequestAndTheVolumeSliderSetsTheVolume) {
  TMsMediaPlayer media(nullptr, true);
  media.resize(310, 280);
  media.show();
  QSignalSpy spy(&media, &TMsMediaPlayer::OnPlayStateChange);
  media.setURL(QStringLiteral("long.wav"));
  ASSERT_TRUE(attend_etat(spy, lecture));

  spy.clear();
  QTest::mouseClick(media.findChild<QToolButton *>(QStringLiteral("arret")), Qt::LeftButton);
  EXPECT_EQ(etats(spy), QList<int>{arret});

  media.findChild<QSlider *>(QStringLiteral("volume"))->setValue(80);
  EXPECT_EQ(media.volume(), 80);
}

} // namespace
