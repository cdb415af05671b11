#include "fenetre_jeu.h"

#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>

#include <cmath>
#include <numbers>

#include "boite_erreur.h"
#include "carte_jeu.h"
#include "decor_qt.h"
#include "ecran_message.h"
#include "panneau_enigme.h"
#include "ressources.h"
#include "sons_jeu.h"
#include "texte_1252.h"

namespace {

constexpr int LARGEUR_VUE = 640;
constexpr int HAUTEUR_VUE = 480;
// How far a bump carries the eye toward the partition before it comes back, in rooms.
constexpr double ELAN_HEURT = 0.18;

QString texte(const std::string &octets_1252) {
  return QString::fromStdString(utf8_depuis_1252(octets_1252));
}

// The French colour names for the pupil's messages, black to yellow, with their article.
const char *const CLES[NB_COULEURS] = {"la clé noire", "la clé blanche", "la clé bleue",
                                       "la clé rouge", "la clé verte",   "la clé jaune"};
const char *const PORTES[NB_COULEURS] = {"noire", "blanche", "bleue", "rouge", "verte", "jaune"};

// The keys bar's height along the bottom of the view.
int hauteur_barre(const QRect &vue) {
  return std::max(22, vue.height() / 16);
}

QString mission_lisible(const std::string &mission) {
  // The file joins lines with CR LF; the line breaks that end the text show nothing.
  QString t = texte(mission).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  while (t.endsWith(QLatin1Char('\n')) || t.endsWith(QLatin1Char('\r')))
    t.chop(1);
  return t;
}

} // namespace

FenetreJeu::FenetreJeu(QWidget *parent)
    : QWidget(parent), pixels_(LARGEUR_VUE, HAUTEUR_VUE),
      image_(reinterpret_cast<uchar *>(pixels_.argb.data()), LARGEUR_VUE, HAUTEUR_VUE,
             LARGEUR_VUE * 4, QImage::Format_RGB32) {
  setWindowTitle(QStringLiteral("Dravo – Jouer"));
  setObjectName(QStringLiteral("jeu"));
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(LARGEUR_VUE / 2, HAUTEUR_VUE / 2);
  setAttribute(Qt::WA_OpaquePaintEvent);
  // 1.5 times the view, less on a small screen, never off it.
  QSize taille(LARGEUR_VUE * 3 / 2, HAUTEUR_VUE * 3 / 2);
  if (QScreen *ecran = screen()) {
    const QRect dispo = ecran->availableGeometry();
    taille = taille.boundedTo(dispo.size() * 9 / 10);
    taille = QSize(LARGEUR_VUE, HAUTEUR_VUE).scaled(taille, Qt::KeepAspectRatio);
    resize(taille);
    move(dispo.center() - QPoint(taille.width() / 2, taille.height() / 2));
  } else {
    resize(taille);
  }

  carte_ecran_ = new EcranMessage(this);
  enigme_ = new PanneauEnigme(this);
  carte_ = new CarteJeu(this);
  annonce_ = new QLabel(this);
  annonce_->setObjectName(QStringLiteral("annonce"));
  annonce_->setAlignment(Qt::AlignCenter);
  annonce_->setWordWrap(true);
  annonce_->setTextFormat(Qt::PlainText);
  annonce_->setAttribute(Qt::WA_TransparentForMouseEvents);
  annonce_->setStyleSheet(QStringLiteral("background: rgba(20, 24, 40, 200); color: #fff6d8;"
                                         " font-size: 17px; font-weight: bold; padding: 8px;"
                                         " border-radius: 8px;"));
  annonce_->hide();
  fin_annonce_.setSingleShot(true);
  fin_annonce_.setInterval(2500);
  connect(&fin_annonce_, &QTimer::timeout, annonce_, &QLabel::hide);
  sons_ = new SonsJeu(this);

  animation_.setInterval(16);
  animation_.setTimerType(Qt::PreciseTimer);
  connect(&animation_, &QTimer::timeout, this, [this] {
    const double t =
        duree_animation_ > 0 ? std::min(1.0, double(horloge_.elapsed()) / duree_animation_) : 1.0;
    if (t >= 1.0) {
      animation_.stop();
      regard_ = heurt_ ? depart_anim_ : arrivee_anim_;
      dessine();
      fin_animation();
      return;
    }
    if (heurt_) {
      const double f = (t < 0.5 ? t : 1 - t) * 2 * ELAN_HEURT;
      regard_.x = depart_anim_.x + f * (arrivee_anim_.x - depart_anim_.x);
      regard_.y = depart_anim_.y + f * (arrivee_anim_.y - depart_anim_.y);
    } else {
      const double s = t * t * (3 - 2 * t); // eased: starts and stops gently
      regard_.x = depart_anim_.x + s * (arrivee_anim_.x - depart_anim_.x);
      regard_.y = depart_anim_.y + s * (arrivee_anim_.y - depart_anim_.y);
      regard_.angle =
          depart_anim_.angle +
          s * std::remainder(arrivee_anim_.angle - depart_anim_.angle, 2 * std::numbers::pi);
    }
    dessine();
  });

  connect(carte_ecran_, &EcranMessage::choisi, this, &FenetreJeu::choix_ecran);
  connect(enigme_, &PanneauEnigme::repond, this, &FenetreJeu::joue_coup);
  connect(enigme_, &PanneauEnigme::passe, this, [this] {
    Coup c;
    c.genre = Coup::passe;
    joue_coup(c);
  });
  place_calques();
}

FenetreJeu::~FenetreJeu() = default;

Resultat FenetreJeu::joue(const QString &chemin) {
  // The full path: the next labyrinths, the pictures and Rejouer do not depend on the current
  // folder afterwards.
  const QString complet = QFileInfo(chemin).absoluteFilePath();
  Avec<Aventure> ouverte = Aventure::ouvre(QFile::encodeName(complet).toStdString(),
                                           QRandomGenerator::global()->generate64());
  if (!ouverte)
    return ouverte.resultat();
  aventure_.reset();
  aventure_.emplace(std::move(ouverte.valeur()));
  premier_fichier_ = complet;
  premier_coup_avant_ = 0;
  enigmes_avant_ = 0;
  commence_labyrinthe();
  montre_accueil();
  return Resultat::succes();
}

void FenetreJeu::commence_labyrinthe() {
  animation_.stop();
  coup_suivant_.reset();
  enigme_a_montrer_ = sortie_a_suivre_ = false;
  enigme_->ferme();
  carte_->montre(nullptr);
  const Partie &p = aventure_->partie();
  const QString dossier = QFileInfo(QFile::decodeName(aventure_->fichier().c_str())).absolutePath();
  decor_ = charge_decor(p.labyrinthe(), dossier);
  sons_->prend(p.labyrinthe(), dossier);
  regard_ = regard_partie(p);
  titre_fenetre();
  dessine();
}

void FenetreJeu::montre_accueil() {
  const Labyrinthe &lab = aventure_->partie().labyrinthe();
  ecran_ = Ecran::accueil;
  const QString titre = texte(lab.titre_lab);
  carte_ecran_->montre(titre.isEmpty() ? QStringLiteral("Labyrinthe sans titre") : titre,
                       mission_lisible(lab.mission), {QStringLiteral("Commencer")}, true);
  place_calques();
}

void FenetreJeu::choix_ecran(int rang) {
  switch (ecran_) {
  case Ecran::accueil:
  case Ecran::suite:
    carte_ecran_->hide();
    ecran_ = Ecran::marche;
    sons_->joue(SonsJeu::ambiance);
    setFocus();
    if (aventure_->partie().etat() == Etat::enigme)
      montre_enigme();
    break;
  case Ecran::pause:
    if (rang == 0)
      pause(false);
    else if (rang == 1)
      recommence();
    else
      close();
    break;
  case Ecran::fin:
    if (rang == 0)
      rejoue();
    else
      close();
    break;
  case Ecran::aucun:
  case Ecran::marche:
  case Ecran::enigme: break;
  }
}

void FenetreJeu::joue_coup(const Coup &coup) {
  if (!aventure_)
    return;
  Partie &p = aventure_->partie();
  const Regard avant = regard_partie(p);
  const Issue issue = p.joue(coup);
  suit_issue(issue, avant, coup.genre != Coup::recule);
}

void FenetreJeu::suit_issue(const Issue &issue, const Regard &avant, bool en_avant) {
  if (issue.ignoree())
    return;
  Partie &p = aventure_->partie();
  bool bouge = false, heurt = false, saute = false;
  for (const Fait &f : issue.faits) {
    switch (f.genre) {
    case Fait::deplace:
      bouge = true;
      sons_->joue(SonsJeu::pas);
      break;
    case Fait::tourne: bouge = true; break;
    case Fait::bute_mur:
    case Fait::bute_grille:
    case Fait::bute_bord: heurt = true; break;
    case Fait::bute_porte:
      heurt = true;
      sons_->joue(SonsJeu::portes);
      dis(QStringLiteral("Cette porte %1 est fermée : il faut %2.")
              .arg(QLatin1String(PORTES[f.couleur]), QString::fromUtf8(CLES[f.couleur])));
      break;
    case Fait::porte_ouverte:
      sons_->joue(SonsJeu::portes);
      dis(QStringLiteral("Vous ouvrez la porte %1.").arg(QLatin1String(PORTES[f.couleur])));
      break;
    case Fait::cle_prise:
      sons_->joue(SonsJeu::coffres);
      dis(QStringLiteral("Vous avez trouvé %1 !").arg(QString::fromUtf8(CLES[f.couleur])));
      break;
    case Fait::plan_pris:
      sons_->joue(SonsJeu::coffres);
      dis(QStringLiteral("Vous avez trouvé le plan ! Appuyez sur M pour le voir."));
      break;
    case Fait::enigme_posee: enigme_a_montrer_ = true; break;
    case Fait::bonne_reponse: dis(QStringLiteral("Bonne réponse !")); break;
    case Fait::mauvaise_reponse: enigme_->dit_faux(); break;
    case Fait::enigme_passee: dis(QStringLiteral("Énigme passée.")); break;
    case Fait::teleporte:
      saute = true;
      sons_->joue(SonsJeu::teleporteur);
      dis(QStringLiteral("Téléportation !"));
      break;
    case Fait::sortie: sortie_a_suivre_ = true; break;
    case Fait::ignore:
    case Fait::porte_derobee: break;
    }
  }
  if (ecran_ == Ecran::enigme && p.etat() != Etat::enigme) {
    enigme_->ferme();
    ecran_ = Ecran::marche;
    setFocus();
  }
  const Regard apres = regard_partie(p);
  if ((bouge || heurt) && !saute && duree_animation_ > 0) {
    heurt_ = heurt && !bouge;
    depart_anim_ = avant;
    if (heurt_) {
      // Toward the partition met, and back.
      const double a = apres.angle + (en_avant ? 0.0 : std::numbers::pi);
      arrivee_anim_ = avant;
      arrivee_anim_.x += std::cos(a);
      arrivee_anim_.y += std::sin(a);
    } else {
      arrivee_anim_ = apres;
    }
    horloge_.start();
    animation_.start();
    return;
  }
  regard_ = apres;
  dessine();
  update(); // the keys bar may have changed
  fin_animation();
}

void FenetreJeu::fin_animation() {
  update();
  if (sortie_a_suivre_) {
    sortie_a_suivre_ = false;
    sortie();
    return;
  }
  if (enigme_a_montrer_) {
    enigme_a_montrer_ = false;
    montre_enigme();
    return;
  }
  if (coup_suivant_ && ecran_ == Ecran::marche) {
    const Coup c = *coup_suivant_;
    coup_suivant_.reset();
    joue_coup(c);
  }
}

int FenetreJeu::enigmes_du_labyrinthe() const {
  const Plateau &pl = aventure_->partie().plateau();
  int n = 0;
  for (int s = 0; s < pl.nb_salles; ++s)
    if (pl.enigme[static_cast<size_t>(s)] != GenreEnigme::aucune)
      ++n;
  return n;
}

QString FenetreJeu::score() const {
  int premier = premier_coup_avant_, total = enigmes_avant_;
  if (aventure_ && ecran_ != Ecran::fin) {
    premier += aventure_->partie().resolues_du_premier_coup();
    total += enigmes_du_labyrinthe();
  }
  if (total == 0)
    return QStringLiteral("Aucune énigme dans cette aventure.");
  // French keeps 0 and 1 singular.
  return (premier >= 2 ? QStringLiteral("%1 énigmes résolues du premier coup sur %2")
                       : QStringLiteral("%1 énigme résolue du premier coup sur %2"))
      .arg(premier)
      .arg(total);
}

void FenetreJeu::sortie() {
  coup_suivant_.reset();
  premier_coup_avant_ += aventure_->partie().resolues_du_premier_coup();
  enigmes_avant_ += enigmes_du_labyrinthe();
  sons_->arrete();
  carte_->montre(nullptr);
  QString probleme;
  if (aventure_->a_une_suite()) {
    const Resultat r = aventure_->passe_au_suivant();
    if (r) {
      commence_labyrinthe();
      const Labyrinthe &lab = aventure_->partie().labyrinthe();
      ecran_ = Ecran::suite;
      const QString titre = texte(lab.titre_lab);
      carte_ecran_->montre(titre.isEmpty() ? QStringLiteral("Labyrinthe suivant") : titre,
                           mission_lisible(lab.mission), {QStringLiteral("Continuer")}, true);
      place_calques();
      return;
    }
    // The adventure cannot go on; the pupil is told why on the end card.
    probleme = QStringLiteral("\n\nLe labyrinthe suivant ne peut pas être joué : %1")
                   .arg(texte_boite_erreur(QString::fromStdString(r.message())));
  }
  ecran_ = Ecran::fin;
  const QString fin = mission_lisible(aventure_->message_fin());
  carte_ecran_->montre(QStringLiteral("Bravo, vous êtes sorti !"),
                       (fin.isEmpty() ? QString() : fin + QStringLiteral("\n\n")) + score() +
                           probleme,
                       {QStringLiteral("Rejouer"), QStringLiteral("Quitter")}, false);
  place_calques();
}

void FenetreJeu::montre_enigme() {
  const Partie &p = aventure_->partie();
  if (p.etat() != Etat::enigme)
    return;
  // A key pressed during the step into the room is not an answer, nor a step after it.
  coup_suivant_.reset();
  ecran_ = Ecran::enigme;
  carte_->montre(nullptr);
  const QString dossier = QFileInfo(QFile::decodeName(aventure_->fichier().c_str())).absolutePath();
  enigme_->montre(p.labyrinthe().salles[static_cast<size_t>(p.salle_enigme())],
                  p.genre_enigme_montree(), dossier);
  place_calques();
}

void FenetreJeu::pause(bool oui) {
  if (oui) {
    coup_suivant_.reset();
    avant_pause_ = ecran_;
    ecran_ = Ecran::pause;
    sons_->suspend(true);
    carte_->montre(nullptr);
    enigme_->hide();
    carte_ecran_->montre(QStringLiteral("Pause"), QString(),
                         {QStringLiteral("Reprendre"), QStringLiteral("Recommencer ce labyrinthe"),
                          QStringLiteral("Quitter")},
                         false);
    place_calques();
    return;
  }
  carte_ecran_->hide();
  ecran_ = avant_pause_;
  sons_->suspend(false);
  setFocus();
  if (ecran_ == Ecran::enigme) {
    enigme_->show();
    enigme_->raise();
  }
}

void FenetreJeu::recommence() {
  Partie &p = aventure_->partie();
  Avec<Partie> neuve = Partie::commence(p.labyrinthe(), QRandomGenerator::global()->generate64());
  carte_ecran_->hide();
  if (neuve)
    p = std::move(neuve.valeur());
  commence_labyrinthe();
  ecran_ = Ecran::marche;
  sons_->joue(SonsJeu::ambiance);
  setFocus();
  if (p.etat() == Etat::enigme)
    montre_enigme();
}

void FenetreJeu::rejoue() {
  carte_ecran_->hide();
  const Resultat r = joue(premier_fichier_);
  if (!r) {
    boite_erreur_titree(this, QString::fromStdString(r.message()), QStringLiteral("Dravo – Jouer"));
    sortie(); // the end card again
  }
}

void FenetreJeu::bascule_carte() {
  carte_->montre(carte_->isVisible() ? nullptr : &aventure_->partie());
  place_calques();
}

void FenetreJeu::plein_ecran() {
  setWindowState(windowState() ^ Qt::WindowFullScreen);
}

void FenetreJeu::dis(const QString &texte_annonce) {
  annonce_->setText(texte_annonce);
  annonce_->adjustSize();
  annonce_->show();
  annonce_->raise();
  place_calques();
  fin_annonce_.start();
}

QString FenetreJeu::titre_ecran() const {
  return carte_ecran_->isHidden() ? QString() : carte_ecran_->titre();
}

QString FenetreJeu::texte_ecran() const {
  return carte_ecran_->isHidden() ? QString() : carte_ecran_->texte();
}

QString FenetreJeu::annonce() const {
  return annonce_->isHidden() ? QString() : annonce_->text();
}

void FenetreJeu::titre_fenetre() {
  const QString titre = texte(aventure_->partie().labyrinthe().titre_lab);
  setWindowTitle(titre.trimmed().isEmpty() ? QStringLiteral("Dravo – Jouer")
                                           : titre + QStringLiteral(" – Dravo"));
}

void FenetreJeu::dessine() {
  if (!aventure_)
    return;
  const Partie &p = aventure_->partie();
  dessine_vue(p.plateau(), decor_, regard_, pixels_, &p.objets_pris());
  ++images_dessinees_;
  update(cadre_vue());
}

QRect FenetreJeu::cadre_vue() const {
  const QSize s = QSize(LARGEUR_VUE, HAUTEUR_VUE).scaled(size(), Qt::KeepAspectRatio);
  return QRect(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), s);
}

void FenetreJeu::place_calques() {
  const QRect vue = cadre_vue();
  const auto centre = [&](QWidget *w, QSize voulue) {
    const QSize s = voulue.boundedTo(vue.size() - QSize(16, 16));
    w->setGeometry(QRect(vue.center() - QPoint(s.width() / 2, s.height() / 2), s));
  };
  const int largeur = std::min(560, vue.width() * 9 / 10);
  carte_ecran_->setFixedWidth(std::max(200, largeur));
  carte_ecran_->setMinimumHeight(0);
  carte_ecran_->adjustSize();
  centre(carte_ecran_, QSize(largeur, carte_ecran_->heightForWidth(largeur) > 0
                                          ? carte_ecran_->heightForWidth(largeur)
                                          : carte_ecran_->sizeHint().height()));
  carte_ecran_->setMinimumWidth(0);
  carte_ecran_->setMaximumWidth(QWIDGETSIZE_MAX);
  centre(enigme_, enigme_->sizeHint().expandedTo(QSize(std::min(520, vue.width() * 8 / 10), 0)));
  carte_->setGeometry(vue.adjusted(8, 8, -8, -hauteur_barre(vue) - 4));
  annonce_->setMaximumWidth(vue.width() * 8 / 10);
  annonce_->adjustSize();
  annonce_->move(vue.center().x() - annonce_->width() / 2, vue.top() + 14);
}

void FenetreJeu::resizeEvent(QResizeEvent *) {
  place_calques();
}

void FenetreJeu::paintEvent(QPaintEvent *event) {
  QPainter p(this);
  const QRect vue = cadre_vue();
  // Only the bands around the view are black: the view covers the rest, opaque.
  for (const QRect &bande : event->region().subtracted(QRegion(vue)))
    p.fillRect(bande, Qt::black);
  if (!aventure_) {
    p.fillRect(vue, Qt::black);
    return;
  }
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(vue, image_);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  const Partie &partie = aventure_->partie();
  const int h = hauteur_barre(vue);
  const unsigned etat_barre = partie.cles() | (partie.carte() ? 1u << NB_COULEURS : 0u);
  if (barre_.width() != vue.width() || barre_.height() != h || etat_barre != etat_barre_) {
    etat_barre_ = etat_barre;
    dessine_barre(QSize(vue.width(), h));
  }
  p.drawImage(vue.left(), vue.bottom() - h + 1, barre_);
}

void FenetreJeu::dessine_barre(QSize taille) {
  // The keys bar along the bottom of the view: the keys held, the map, the keys to press.
  // Drawn again only when what it shows or its size changes, not on every frame.
  barre_ = QImage(taille, QImage::Format_ARGB32_Premultiplied);
  barre_.fill(QColor(0, 0, 0, 150));
  QPainter p(&barre_);
  const int h = taille.height();
  const Partie &partie = aventure_->partie();
  int x = 8;
  p.setPen(QColor(255, 246, 216));
  QFont police = font();
  police.setPixelSize(std::max(11, h * 9 / 20));
  p.setFont(police);
  p.drawText(QRect(x, 0, 60, h), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Clés :"));
  x += p.fontMetrics().horizontalAdvance(QStringLiteral("Clés : "));
  for (int c = 0; c < NB_COULEURS; ++c) {
    if (!partie.tient_cle(c))
      continue;
    p.drawImage(QRect(x, 1, h - 2, h - 2),
                avec_transparence(ressource_bitmap(QStringLiteral("C%1").arg(c + 1))));
    x += h;
  }
  if (partie.carte())
    p.drawImage(QRect(x + 6, 1, h - 2, h - 2),
                avec_transparence(ressource_bitmap(QStringLiteral("C%1").arg(SALLE_PLAN))));
  p.drawText(QRect(QPoint(0, 0), taille).adjusted(0, 0, -8, 0), Qt::AlignVCenter | Qt::AlignRight,
             QStringLiteral("Flèches ou ZQSD : bouger · Espace : téléporteur · M : plan · "
                            "Échap : pause"));
}

void FenetreJeu::mousePressEvent(QMouseEvent *event) {
  if (ecran_ == Ecran::accueil || ecran_ == Ecran::suite) {
    choix_ecran(0);
    return;
  }
  QWidget::mousePressEvent(event);
}

void FenetreJeu::keyPressEvent(QKeyEvent *event) {
  const int k = event->key();
  if (k == Qt::Key_F11 && !event->isAutoRepeat()) {
    plein_ecran();
    return;
  }
  if (!aventure_) {
    QWidget::keyPressEvent(event);
    return;
  }
  if (k == Qt::Key_Escape && !event->isAutoRepeat()) {
    if (carte_->isVisible())
      bascule_carte();
    else if (ecran_ == Ecran::marche || ecran_ == Ecran::enigme)
      pause(true);
    else if (ecran_ == Ecran::pause)
      pause(false);
    return;
  }
  if (ecran_ == Ecran::accueil || ecran_ == Ecran::suite) {
    if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Space)
      choix_ecran(0);
    return;
  }
  if (ecran_ != Ecran::marche) {
    QWidget::keyPressEvent(event);
    return;
  }
  if (k == Qt::Key_M) {
    if (!event->isAutoRepeat())
      bascule_carte();
    return;
  }
  Coup c;
  switch (k) {
  case Qt::Key_Up:
  case Qt::Key_Z:
  case Qt::Key_W: c.genre = Coup::avance; break;
  case Qt::Key_Down:
  case Qt::Key_S: c.genre = Coup::recule; break;
  case Qt::Key_Left:
  case Qt::Key_Q:
  case Qt::Key_A: c.genre = Coup::gauche; break;
  case Qt::Key_Right:
  case Qt::Key_D: c.genre = Coup::droite; break;
  case Qt::Key_Space:
  case Qt::Key_E: c.genre = Coup::teleporte; break;
  default: QWidget::keyPressEvent(event); return;
  }
  if (animation_.isActive()) {
    // One key waits for the step under way; holding a key walks on without a pile-up.
    coup_suivant_ = c;
    return;
  }
  joue_coup(c);
}
