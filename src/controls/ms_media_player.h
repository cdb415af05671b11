#pragma once
// TMsMediaPlayer: the editor's hosted media player, on Qt Multimedia. The editor window owns
// its two instances (WMP2 with a video area and its own controls, TestSon with none) for its
// whole life; the control owns its player, audio output, video area and control row.
//
// The player, its audio output and the video area are made on the first non-empty URL, not
// at construction: making them loads the multimedia back end, its plugins and the sound
// server's client, which would otherwise double the editor's start-up time and memory for
// two controls that most sessions never use. Until then the control draws its black video
// area itself and answers every query from the settings it will apply.
//
// Errors: none come back. A missing or unplayable file plays nothing and shows nothing (the
// player's error dialogs are off); the state simply never reaches "playing".
//
// Play-state numbers follow the Windows Media Player numbering the editor was written for:
// 0 undefined, 1 stopped, 2 paused, 3 playing, 8 media ended, 9 transitioning, 10 ready.
// The editor acts on 1 only, and 1 is emitted exactly in two cases:
//  - synchronously from controls().stop(), before it returns, even when nothing played
//    (the sound rows mark the next button as playing right after the stop request, so a
//    late notification would wrongly put that button back to idle);
//  - at the end of a medium, right after 8.
// Changing or emptying the URL never emits 1, for the same reason.

#include <QString>
#include <QWidget>

class QAudioOutput;
class QLabel;
class QMediaPlayer;
class QSlider;
class QToolButton;
class QVideoWidget;

class TMsMediaPlayer : public QWidget {
  Q_OBJECT
public:
  // The transport commands, reached as player->controls().play() / .stop().
  class Controles {
  public:
    // Plays the current URL from its start; a playing medium goes on. No URL: nothing.
    void play();
    // Stops and rewinds, then notifies state 1; harmless when nothing plays.
    void stop();

  private:
    friend class TMsMediaPlayer;
    explicit Controles(TMsMediaPlayer &maitre) : proprietaire(maitre) {}
    TMsMediaPlayer &proprietaire;
  };

  // avec_controles: a dark video area over a row of controls (play/pause, stop, position,
  // volume). Without it the control has no visible content and is meant never to be seen.
  explicit TMsMediaPlayer(QWidget *parent, bool avec_controles = true);
  ~TMsMediaPlayer() override;

  QString URL() const { return url; }
  // Whether the playback objects exist yet (they appear with the first non-empty URL).
  bool moteur_cree() const { return lecteur != nullptr; }
  // A bare name is resolved against the current folder at the time of the call; empty
  // unloads; a non-empty name starts playing by itself.
  void setURL(const QString &nom);

  // The player's own "enabled": when false its control row is greyed; it still loads URLs.
  bool enabled() const { return actif; }
  void set_enabled(bool valeur);

  Controles &controls() { return commandes; }

  // Releases the current medium. Hides QWidget::close on purpose: this control is never a
  // window of its own.
  void close();

  // Settings fixed at creation, exposed for checks: volume 0 to 100 (starts at 50) and play
  // count (1). There is no automatic start setting: setURL always starts the medium.
  int volume() const;
  int playCount() const;

signals:
  void OnPlayStateChange(int NewState);

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  void construit_controles();
  QMediaPlayer &moteur();
  void pose_volume(int pourcent);
  void bascule_muet();
  void etat_lecture_change();
  void statut_media_change();
  void met_a_jour_controles();

  QMediaPlayer *lecteur = nullptr;
  QAudioOutput *sortie_audio = nullptr;
  QVideoWidget *video = nullptr;
  QToolButton *bouton_lecture = nullptr;
  QToolButton *bouton_arret = nullptr;
  QSlider *curseur_position = nullptr;
  QLabel *temps = nullptr;
  QToolButton *bouton_son = nullptr;
  QSlider *curseur_volume = nullptr;
  QWidget *barre = nullptr;

  QString url;
  bool actif = true;
  bool avec_video;
  int volume_pourcent = 50;
  bool muet = false;
  Controles commandes{*this};
};
