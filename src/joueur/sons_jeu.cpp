#include "sons_jeu.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

#include "fichiers_jeu.h"

SonsJeu::SonsJeu(QObject *parent) : QObject(parent) {}

SonsJeu::~SonsJeu() {
  arrete();
}

void SonsJeu::prend(const Labyrinthe &lab, const QString &dossier) {
  arrete();
  for (int slot = 0; slot < NB_SONS; ++slot) {
    const QString f = fichier_du_labyrinthe(lab.son(slot), dossier);
    if (f != fichiers_[slot] && lecteurs_[slot])
      lecteurs_[slot]->setSource(QUrl());
    fichiers_[slot] = f;
    joues_[slot] = 0;
  }
}

void SonsJeu::joue(Son son) {
  ++joues_[son];
  if (fichiers_[son].isEmpty())
    return;
  QMediaPlayer *&lecteur = lecteurs_[son];
  if (!lecteur) {
    lecteur = new QMediaPlayer(this);
    sorties_[son] = new QAudioOutput(this);
    lecteur->setAudioOutput(sorties_[son]);
    // A file that cannot be played reports an error, which is silence here: nothing to do.
  }
  const QUrl url = QUrl::fromLocalFile(fichiers_[son]);
  if (lecteur->source() != url)
    lecteur->setSource(url);
  lecteur->setLoops(son == ambiance ? QMediaPlayer::Infinite : 1);
  lecteur->setPosition(0);
  lecteur->play();
}

void SonsJeu::arrete() {
  for (QMediaPlayer *l : lecteurs_)
    if (l)
      l->stop();
}

void SonsJeu::suspend(bool oui) {
  QMediaPlayer *l = lecteurs_[ambiance];
  if (!l)
    return;
  if (oui)
    l->pause();
  else if (l->playbackState() == QMediaPlayer::PausedState)
    l->play();
}
