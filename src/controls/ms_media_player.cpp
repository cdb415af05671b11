#include "ms_media_player.h"

#include <QAudioOutput>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaPlayer>
#include <QPainter>
#include <QPainterPath>
#include <QSlider>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>

#include <cmath>

namespace {

// Windows Media Player's play-state numbers, which the editor's handlers are written for.
enum EtatLecture : int {
  etat_arrete = 1,
  etat_pause = 2,
  etat_lecture = 3,
  etat_fin_media = 8,
  etat_transition = 9,
  etat_pret = 10,
};

constexpr int hauteur_barre = 30;
constexpr int taille_bouton = 24;
constexpr int largeur_volume = 56;

// The control row is dark like the video above it; its glyphs are drawn here so they stay
// legible on it whatever the desktop's icon theme.
constexpr int taille_glyphe = 16;
const QColor couleur_glyphe(0xE8, 0xE8, 0xE8);
const QColor couleur_glyphe_grise(0x80, 0x80, 0x80);

const char *const feuille_style = R"(
QWidget#barre { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3c3c3c, stop:1 #1e1e1e);
                border-top: 1px solid #5a5a5a; }
QToolButton { border: none; border-radius: 3px; background: transparent; }
QToolButton:hover { background: #555555; }
QToolButton:pressed { background: #6e6e6e; }
QLabel { color: #d8d8d8; }
QLabel:disabled { color: #777777; }
QSlider::groove:horizontal { height: 4px; border-radius: 2px; background: #5c5c5c; }
QSlider::sub-page:horizontal { border-radius: 2px; background: #3d8ee0; }
QSlider::sub-page:horizontal:disabled { background: #6a6a6a; }
QSlider::handle:horizontal { width: 10px; margin: -4px 0; border-radius: 5px; background: #eeeeee; }
QSlider::handle:horizontal:disabled { background: #707070; }
)";

enum class Glyphe { lecture, pause, arret, son, muet };

QPixmap dessine(Glyphe forme, const QColor &couleur) {
  QPixmap pixmap(taille_glyphe, taille_glyphe);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(couleur);
  QPainterPath haut_parleur;
  haut_parleur.moveTo(2, 6);
  haut_parleur.lineTo(5, 6);
  haut_parleur.lineTo(9, 2.5);
  haut_parleur.lineTo(9, 13.5);
  haut_parleur.lineTo(5, 10);
  haut_parleur.lineTo(2, 10);
  haut_parleur.closeSubpath();
  switch (forme) {
  case Glyphe::lecture: {
    QPainterPath triangle;
    triangle.moveTo(4, 2.5);
    triangle.lineTo(13.5, 8);
    triangle.lineTo(4, 13.5);
    triangle.closeSubpath();
    p.drawPath(triangle);
    break;
  }
  case Glyphe::pause:
    p.drawRect(QRectF(3.5, 3, 3.5, 10));
    p.drawRect(QRectF(9, 3, 3.5, 10));
    break;
  case Glyphe::arret: p.drawRect(QRectF(3.5, 3.5, 9, 9)); break;
  case Glyphe::son:
    p.drawPath(haut_parleur);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(couleur, 1.3, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(7, 5, 5, 6), -50 * 16, 100 * 16);
    p.drawArc(QRectF(6, 2.5, 9, 11), -50 * 16, 100 * 16);
    break;
  case Glyphe::muet:
    p.drawPath(haut_parleur);
    p.setPen(QPen(couleur, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11, 6), QPointF(15, 10));
    p.drawLine(QPointF(15, 6), QPointF(11, 10));
    break;
  }
  p.end();
  return pixmap;
}

// Qt's own greying barely dims a light glyph on a dark ground, so the disabled look is drawn.
QIcon glyphe(Glyphe forme) {
  QIcon icone(dessine(forme, couleur_glyphe));
  icone.addPixmap(dessine(forme, couleur_glyphe_grise), QIcon::Disabled);
  return icone;
}

QString minutes_secondes(qint64 ms) {
  const qint64 s = ms / 1000;
  return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

TMsMediaPlayer::TMsMediaPlayer(QWidget *parent, bool avec_controles)
    : QWidget(parent), avec_video(avec_controles) {
  if (avec_controles)
    construit_controles();
}

TMsMediaPlayer::~TMsMediaPlayer() {
  // Stop before the children go, so no state signal reaches a half-destroyed control.
  if (lecteur) {
    lecteur->disconnect(this);
    lecteur->stop();
  }
}

QMediaPlayer &TMsMediaPlayer::moteur() {
  if (lecteur)
    return *lecteur;
  lecteur = new QMediaPlayer(this);
  sortie_audio = new QAudioOutput(this);
  sortie_audio->setVolume(static_cast<float>(volume_pourcent) / 100.0f);
  sortie_audio->setMuted(muet);
  lecteur->setAudioOutput(sortie_audio);
  lecteur->setLoops(1);

  connect(lecteur, &QMediaPlayer::playbackStateChanged, this, &TMsMediaPlayer::etat_lecture_change);
  connect(lecteur, &QMediaPlayer::mediaStatusChanged, this, &TMsMediaPlayer::statut_media_change);
  // Error dialogs are off: a failure only leaves the player idle, and nobody is told.

  if (avec_video) {
    // The video area takes the place of the black one painted so far, above the control row.
    video = new QVideoWidget(this);
    video->setObjectName(QStringLiteral("video"));
    video->setAutoFillBackground(true);
    QPalette noir = video->palette();
    noir.setColor(QPalette::Window, Qt::black);
    video->setPalette(noir);
    video->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    lecteur->setVideoOutput(video);
    auto *colonne = static_cast<QVBoxLayout *>(layout());
    delete colonne->takeAt(0);
    colonne->insertWidget(0, video, 1);
    video->show();
  }
  if (barre) {
    connect(lecteur, &QMediaPlayer::durationChanged, this,
            [this](qint64 ms) { curseur_position->setRange(0, static_cast<int>(ms)); });
    connect(lecteur, &QMediaPlayer::positionChanged, this, [this](qint64 ms) {
      if (!curseur_position->isSliderDown())
        curseur_position->setValue(static_cast<int>(ms));
      temps->setText(minutes_secondes(ms));
    });
  }
  return *lecteur;
}

void TMsMediaPlayer::paintEvent(QPaintEvent *) {
  // The video area until the real one exists: the same black, above the control row.
  if (!barre || video)
    return;
  QPainter p(this);
  p.fillRect(QRect(0, 0, width(), barre->y()), Qt::black);
}

void TMsMediaPlayer::construit_controles() {
  auto *colonne = new QVBoxLayout(this);
  colonne->setContentsMargins(0, 0, 0, 0);
  colonne->setSpacing(0);

  // Holds the video area's place until moteur() puts the real one there.
  colonne->addStretch(1);

  barre = new QWidget(this);
  barre->setObjectName(QStringLiteral("barre"));
  barre->setFixedHeight(hauteur_barre);
  barre->setAttribute(Qt::WA_StyledBackground);
  barre->setStyleSheet(QString::fromLatin1(feuille_style));
  auto *ligne = new QHBoxLayout(barre);
  ligne->setContentsMargins(3, 2, 4, 2);
  ligne->setSpacing(2);

  auto bouton = [this](const char *nom, Glyphe forme, const QString &aide) {
    auto *b = new QToolButton(barre);
    b->setObjectName(QString::fromLatin1(nom));
    b->setIcon(glyphe(forme));
    b->setIconSize(QSize(taille_glyphe, taille_glyphe));
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRaise(true);
    b->setFixedSize(taille_bouton, taille_bouton);
    b->setAccessibleName(aide);
    return b;
  };
  bouton_lecture = bouton("lecture", Glyphe::lecture, QStringLiteral("Lecture"));
  bouton_arret = bouton("arret", Glyphe::arret, QStringLiteral("Arrêt"));
  bouton_son = bouton("muet", Glyphe::son, QStringLiteral("Son"));

  curseur_position = new QSlider(Qt::Horizontal, barre);
  curseur_position->setObjectName(QStringLiteral("position"));
  curseur_position->setRange(0, 0);
  curseur_position->setAccessibleName(QStringLiteral("Position"));

  temps = new QLabel(minutes_secondes(0), barre);
  temps->setObjectName(QStringLiteral("temps"));
  temps->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  temps->setMinimumWidth(temps->fontMetrics().horizontalAdvance(QStringLiteral("00:00")) + 2);

  curseur_volume = new QSlider(Qt::Horizontal, barre);
  curseur_volume->setObjectName(QStringLiteral("volume"));
  curseur_volume->setRange(0, 100);
  curseur_volume->setValue(volume());
  curseur_volume->setFixedWidth(largeur_volume);
  curseur_volume->setAccessibleName(QStringLiteral("Volume"));

  ligne->addWidget(bouton_lecture);
  ligne->addWidget(bouton_arret);
  ligne->addWidget(curseur_position, 1);
  ligne->addWidget(temps);
  ligne->addSpacing(4);
  ligne->addWidget(bouton_son);
  ligne->addWidget(curseur_volume);
  colonne->addWidget(barre);

  connect(bouton_lecture, &QToolButton::clicked, this, [this] {
    if (lecteur && lecteur->playbackState() == QMediaPlayer::PlayingState)
      lecteur->pause();
    else
      commandes.play();
  });
  // The row's stop is a stop request like any other: it rewinds and notifies state 1.
  connect(bouton_arret, &QToolButton::clicked, this, [this] { commandes.stop(); });
  connect(curseur_position, &QSlider::sliderMoved, this, [this](int ms) {
    if (lecteur)
      lecteur->setPosition(ms);
  });
  connect(curseur_volume, &QSlider::valueChanged, this, &TMsMediaPlayer::pose_volume);
  connect(bouton_son, &QToolButton::clicked, this, &TMsMediaPlayer::bascule_muet);
  met_a_jour_controles();
}

void TMsMediaPlayer::pose_volume(int pourcent) {
  volume_pourcent = pourcent;
  if (sortie_audio)
    sortie_audio->setVolume(static_cast<float>(pourcent) / 100.0f);
}

void TMsMediaPlayer::bascule_muet() {
  muet = !muet;
  if (sortie_audio)
    sortie_audio->setMuted(muet);
  bouton_son->setIcon(glyphe(muet ? Glyphe::muet : Glyphe::son));
}

void TMsMediaPlayer::setURL(const QString &nom) {
  url = nom;
  // Emptying a URL that never held a medium has nothing to unload: the player stays unmade.
  if (nom.isEmpty() && !lecteur) {
    met_a_jour_controles();
    return;
  }
  QMediaPlayer &p = moteur();
  // The previous medium is dropped silently: the sound rows set their button to playing
  // before they assign the URL, so no stopped notification may come from here.
  p.stop();
  if (nom.isEmpty()) {
    p.setSource(QUrl());
  } else {
    p.setSource(QUrl::fromLocalFile(QDir::current().absoluteFilePath(nom)));
    p.play();
  }
  met_a_jour_controles();
}

void TMsMediaPlayer::set_enabled(bool valeur) {
  actif = valeur;
  if (barre)
    barre->setEnabled(actif);
}

void TMsMediaPlayer::close() {
  url.clear();
  if (lecteur) {
    lecteur->stop();
    lecteur->setSource(QUrl());
  }
  met_a_jour_controles();
}

int TMsMediaPlayer::volume() const {
  if (!sortie_audio)
    return volume_pourcent;
  return static_cast<int>(std::lround(sortie_audio->volume() * 100.0f));
}

int TMsMediaPlayer::playCount() const {
  return lecteur ? lecteur->loops() : 1;
}

void TMsMediaPlayer::Controles::play() {
  // Without a player no URL was ever given, so there is nothing to play.
  if (!proprietaire.lecteur)
    return;
  QMediaPlayer &p = *proprietaire.lecteur;
  if (p.source().isEmpty() || p.playbackState() == QMediaPlayer::PlayingState)
    return;
  if (p.playbackState() == QMediaPlayer::StoppedState && p.position() > 0)
    p.setPosition(0);
  p.play();
}

void TMsMediaPlayer::Controles::stop() {
  // QMediaPlayer::stop rewinds to the start. The notification comes even when nothing was
  // ever loaded: the sound rows rely on it to put their button back to idle.
  if (proprietaire.lecteur)
    proprietaire.lecteur->stop();
  emit proprietaire.OnPlayStateChange(etat_arrete);
}

void TMsMediaPlayer::etat_lecture_change() {
  switch (lecteur->playbackState()) {
  case QMediaPlayer::PlayingState: emit OnPlayStateChange(etat_lecture); break;
  case QMediaPlayer::PausedState: emit OnPlayStateChange(etat_pause); break;
  case QMediaPlayer::StoppedState:
    // Reported by stop requests and the end of a medium, each in its own place.
    break;
  }
  if (bouton_lecture) {
    const bool joue = lecteur->playbackState() == QMediaPlayer::PlayingState;
    bouton_lecture->setIcon(glyphe(joue ? Glyphe::pause : Glyphe::lecture));
  }
}

void TMsMediaPlayer::statut_media_change() {
  switch (lecteur->mediaStatus()) {
  case QMediaPlayer::LoadingMedia: emit OnPlayStateChange(etat_transition); break;
  case QMediaPlayer::EndOfMedia:
    emit OnPlayStateChange(etat_fin_media);
    emit OnPlayStateChange(etat_arrete);
    break;
  case QMediaPlayer::InvalidMedia: emit OnPlayStateChange(etat_pret); break;
  default: break;
  }
}

void TMsMediaPlayer::met_a_jour_controles() {
  if (!barre)
    return;
  curseur_position->setRange(0, lecteur ? static_cast<int>(lecteur->duration()) : 0);
  curseur_position->setValue(0);
  temps->setText(minutes_secondes(0));
}
