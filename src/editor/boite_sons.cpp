#include "boite_sons.h"

#include <QLabel>
#include <QToolButton>

#include "apparence.h"
#include "construction.h"
#include "disposition.h"
#include "document.h"
#include "fichiers_editeur.h"
#include "ms_media_player.h"
#include "proprietes.h"
#include "texte_1252.h"

namespace {
QRect decale(QRect place, int dy) {
  return place.translated(0, dy);
}
constexpr int idle = 0, playing = 1;
constexpr int etat_arrete = 1; // the player's "stopped" notification
} // namespace

BoiteSons::BoiteSons(Document &document, AccesFenetre acces, QWidget *fenetre)
    : QGroupBox(QStringLiteral("Environnement sonore"), fenetre), document_(document),
      acces_(std::move(acces)) {
  setObjectName(QStringLiteral("Psons"));
  place(this);
  dessine_boite(this, police(POLICE_BOITE, true));
  lie_survol(this, Survol::fond);
  ODS.filtre = FILTRE_SONS;
  glyphe_B1 = glyphe(QStringLiteral("B1"));
  glyphe_B2 = glyphe(QStringLiteral("B2"));
  const QPixmap glyphe_charger = glyphe(QStringLiteral("OS"));
  for (int k = 0; k < NB_SONS; ++k) {
    const int y = PAS_LIGNE_SON * (k + 1);
    const QString rang = QString::number(k + 1);

    QLabel *l = etiquette(this, decale(PLACE_ETIQUETTE_SON, y), ETIQUETTES_SONS[k],
                          police(POLICE_LEGENDE), Qt::AlignRight | Qt::AlignVCenter);
    l->setObjectName(QStringLiteral("EtiquetteSon") + rang);
    colore(l, QPalette::WindowText, COULEUR_BLEUE);
    lie_survol(l, Survol::fond);

    P[k] = bouton_plat(this, QStringLiteral("P") + rang, decale(PLACE_P, y));
    pose_glyphe(P[k], glyphe_B1);
    pose_tag(P[k], idle);
    P[k]->setEnabled(false);
    pose_aide(P[k], QString::fromUtf8(AIDE_ECOUTER));
    connect(P[k], &QToolButton::clicked, this, [this, k] { PClick(k); });
    lie_survol(P[k], Survol::aide);

    OS[k] = bouton_plat(this, QStringLiteral("OS") + rang, decale(PLACE_OS, y));
    pose_glyphe(OS[k], glyphe_charger);
    pose_aide(OS[k], QString::fromUtf8(AIDE_CHARGER_SON));
    connect(OS[k], &QToolButton::clicked, this, [this, k] { OSClick(k); });
    lie_survol(OS[k], Survol::aide);

    E[k] = bouton_plat(this, QStringLiteral("E") + rang, decale(PLACE_E, y));
    pose_croix(E[k], false);
    E[k]->setEnabled(false);
    pose_aide(E[k], QString::fromUtf8(AIDE_EFFACER_SON));
    connect(E[k], &QToolButton::clicked, this, [this, k] { EClick(k); });
    lie_survol(E[k], Survol::aide);
  }

  TestSon = new TMsMediaPlayer(fenetre, false);
  TestSon->setObjectName(QStringLiteral("TestSon"));
  place(TestSon);
  connect(TestSon, &TMsMediaPlayer::OnPlayStateChange, this, &BoiteSons::TestSonPlayStateChange);
  connect(&document_, &Document::change, this, &BoiteSons::montre_change);
}

void BoiteSons::pose_etat(int k, int etat) {
  pose_tag(P[k], etat);
  pose_glyphe(P[k], etat == playing ? glyphe_B2 : glyphe_B1);
}

void BoiteSons::montre_slot(int k) {
  const bool plein = !document_.monde().son(k).empty();
  P[k]->setEnabled(plein);
  E[k]->setEnabled(plein);
}

void BoiteSons::reinitialise() {
  for (int k = 0; k < NB_SONS; ++k) {
    pose_tag(P[k], idle);
    P[k]->setEnabled(false);
    E[k]->setEnabled(false);
    pose_glyphe(P[k], glyphe_B1);
  }
}

void BoiteSons::restaure() {
  for (int k = 0; k < NB_SONS; ++k)
    montre_slot(k);
}

void BoiteSons::OSClick(int k) {
  const QString chemin = acces_.choisit_fichier(ODS, GenreDialogue::ouvrir);
  if (chemin.isEmpty())
    return;
  const std::optional<QString> nom = acces_.importe(chemin, SorteFichier::son);
  if (!nom)
    return;
  // The player is not touched: a sound of this slot that plays goes on, its button with it.
  document_.pose(cible_son(k), nom_du_modele(*nom));
  P[k]->setEnabled(true);
  E[k]->setEnabled(true);
}

void BoiteSons::PClick(int k) {
  if (tag(P[k]) == idle) {
    arrete_sons();
    // Only a regular file reaches the player: a pipe or a device would hold it for ever.
    const LieuxFichiers lieux = acces_.lieux();
    const std::string &nom = document_.monde().son(k);
    const QString fichier = fichier_du_nom(nom, lieux);
    if (fichier.isEmpty()) {
      acces_.erreur(message_introuvable(QStringLiteral("Le son"),
                                        QString::fromStdString(utf8_depuis_1252(nom)), lieux));
      return;
    }
    pose_etat(k, playing);
    TestSon->setURL(fichier);
    TestSon->controls().play();
  } else {
    pose_etat(k, idle);
    TestSon->controls().stop();
  }
}

void BoiteSons::EClick(int k) {
  document_.pose(cible_son(k), std::string());
  // Whatever plays stops, this slot's sound or another's; the other's button comes back
  // to "B1" through the stopped notification.
  TestSon->controls().stop();
  pose_etat(k, idle);
  P[k]->setEnabled(false);
  E[k]->setEnabled(false);
}

void BoiteSons::arrete_sons() {
  for (int k = 0; k < NB_SONS; ++k)
    if (tag(P[k]) == playing) {
      TestSon->controls().stop();
      pose_etat(k, idle);
    }
}

void BoiteSons::TestSonPlayStateChange(int etat) {
  if (etat != etat_arrete)
    return;
  for (int k = 0; k < NB_SONS; ++k)
    if (tag(P[k]) == playing)
      pose_etat(k, idle);
}

void BoiteSons::montre_change(const Cible &cible, bool rejoue) {
  // On the edit itself the clicked handler sets its row.
  if (cible.champ == Champ::son && rejoue)
    montre_slot(cible.rang);
}
