#pragma once
// dravo-joueur's window: the first-person view of the labyrinth (640 x 480, scaled to the
// window keeping its proportions), the keys bar along its bottom, and over it the cards
// (title and mission, next labyrinth, end and score, pause), the riddle panel and the map.
//
// The window never parses a file: the adventure (src/model's rules) reads the labyrinths,
// the view (src/vue) draws them. A step or a turn is animated over `duree_animation`
// milliseconds; the view is drawn again only while something moves or changes.

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <optional>

#include "partie.h"
#include "resultat.h"
#include "vue.h"

class CarteJeu;
class EcranMessage;
class PanneauEnigme;
class QLabel;
class SonsJeu;

class FenetreJeu : public QWidget {
  Q_OBJECT
public:
  // What the window shows over the view.
  enum class Ecran { aucun, accueil, marche, enigme, pause, suite, fin };

  explicit FenetreJeu(QWidget *parent = nullptr);
  ~FenetreJeu() override;

  // Plays the labyrinth file `chemin` from its start, as the first of its adventure: its
  // title and mission are shown. On failure (the file cannot be read, or cannot be played)
  // nothing changes and the message is the editor's for the same file.
  Resultat joue(const QString &chemin);

  // For the tests and the measures.
  Ecran ecran() const { return ecran_; }
  const Aventure *aventure() const { return aventure_ ? &*aventure_ : nullptr; }
  const QImage &image() const { return image_; }
  SonsJeu &sons() { return *sons_; }
  void set_duree_animation(int ms) { duree_animation_ = ms; }
  bool anime() const { return animation_.isActive(); }
  int images_dessinees() const { return images_dessinees_; }
  // The texts of the card shown, and of the message that passes over the view.
  QString titre_ecran() const;
  QString texte_ecran() const;
  QString annonce() const;
  // The score of the adventure, as the end card says it.
  QString score() const;

protected:
  void keyPressEvent(QKeyEvent *event) override;
  void paintEvent(QPaintEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;

private:
  void commence_labyrinthe();
  void montre_accueil();
  void choix_ecran(int rang);
  void joue_coup(const Coup &coup);
  void suit_issue(const Issue &issue, const Regard &avant, bool en_avant);
  void fin_animation();
  void apres_mouvement();
  void sortie();
  void montre_enigme();
  void pause(bool oui);
  void recommence();
  void rejoue();
  void bascule_carte();
  void plein_ecran();
  void dis(const QString &texte);
  void dessine();
  void place_calques();
  void titre_fenetre();
  QRect cadre_vue() const;
  void dessine_barre(QSize taille);
  int enigmes_du_labyrinthe() const;

  std::optional<Aventure> aventure_;
  QString premier_fichier_;
  Decor decor_;
  Pixels pixels_;
  QImage image_;
  Regard regard_;
  Regard depart_anim_, arrivee_anim_;
  bool heurt_ = false; // the animation is a bump: out and back
  QTimer animation_;
  QElapsedTimer horloge_;
  int duree_animation_ = 200;
  std::optional<Coup> coup_suivant_; // a key pressed during an animation
  bool enigme_a_montrer_ = false;
  bool sortie_a_suivre_ = false;
  Ecran ecran_ = Ecran::aucun;
  Ecran avant_pause_ = Ecran::marche;
  int images_dessinees_ = 0;
  QImage barre_;              // the keys bar, as last drawn
  unsigned etat_barre_ = ~0u; // the keys and map it shows
  // The score of the labyrinths already left.
  int premier_coup_avant_ = 0, enigmes_avant_ = 0;

  EcranMessage *carte_ecran_;
  PanneauEnigme *enigme_;
  CarteJeu *carte_;
  QLabel *annonce_;
  QTimer fin_annonce_;
  SonsJeu *sons_;
};
