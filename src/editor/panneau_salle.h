#pragma once
// The room panel: the page control PC with the selected room's picture, medium, question and
// answers. It owns its controls and edits the labyrinth only through the document.
//
// The texts and ticks are not bound live to the room: a field being typed becomes one step
// of the history when it is left, when another room is selected (memorise_salle), or before
// the history moves (valide_saisie). A tick, a picture or a medium chosen or cleared is a
// step at once. Fields the author did not touch are never stored back, so a room shown
// and left keeps its bytes exactly. Texts cross from the widgets' Unicode to the model's
// Windows-1252 bytes here and nowhere else.
//
// Failures (a picture that cannot be read) go to the window's error box through `erreur`.

#include <QString>
#include <QTabWidget>

#include <array>
#include <string>

#include "acces_fenetre.h"
#include "dialogues_editeur.h"
#include "edition.h"
#include "monde.h"
#include "resultat.h"

class Document;
class ImageEtiree;
class NomFichier;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;
class TMsMediaPlayer;

class PanneauSalle : public QTabWidget {
  Q_OBJECT

public:
  PanneauSalle(Document &document, AccesFenetre acces, QWidget *parent);

  // The panel as a room: picture and medium names, question, answers, ticks. A field the
  // author has not touched since the room was shown gives the room's own value.
  Tsalle salle() const;
  // Stores the panel into the selected room, one step per field that differs; nothing
  // when no room is selected. A text the file cannot hold (outside Windows-1252) is
  // refused with a message naming its characters and stays in its field as typed; false
  // then, and the caller keeps the room selected.
  bool memorise_salle();
  // Shows a room, the panel's controls enabled. A picture that cannot be loaded is reported once in
  // the error box, after the rest of the room is shown; the panel keeps the room's picture name so
  // that storing the panel back does not lose it.
  void affiche_salle(const Tsalle &salle);
  // The empty panel, no room selected: its controls disabled, its pages' help saying how
  // to select a room. After building, clearing and opening a labyrinth.
  void vide();
  // Takes what is being typed as steps now: before undo or redo moves the history, and
  // before a command asks about unsaved changes. False when a text was refused, as for
  // memorise_salle.
  bool valide_saisie();
  // Whether a text being typed differs from what the selected room holds: storing the
  // panel now would make a step. Ticks, pictures and media are steps at once, never pending.
  bool saisie_en_attente() const;
  // Shows one field of the selected room again after undo or redo changed it.
  void montre_champ(const Cible &cible);
  // The picture and medium the panel shows, stored into the room with the panel: bare
  // names, empty for none.
  const std::string &image_courante() const { return image_courante_; }
  const std::string &media_courant() const { return media_courant_; }

  void OpenIClick();
  void SpeedButton5Click();
  void OpenVClick();
  void SpeedButton7Click();
  // Entrée on the grid: the question tab, its field focused for typing.
  void va_a_la_question();

signals:
  // What saisie_en_attente says may have changed: a text typed, shown or stored.
  void saisie_en_cours();

protected:
  bool eventFilter(QObject *objet, QEvent *event) override;

private:
  void construit();
  // Shows a room's picture; a picture that cannot be read comes back as the failure, for the
  // caller to show once the rest of the room is on show.
  Resultat montre_image(const std::string &nom);
  void montre_media(const std::string &nom);
  void montre_question(const std::string &question);
  void montre_reponse(int i, const std::string &reponse);
  void montre_bonne(int i, bool bonne);
  // One field of the panel into the selected room, as one step when it differs; false when
  // its text was refused.
  bool valide_question();
  bool valide_reponse(int i);
  // Whether a typed text can be stored exactly; when not, says which characters cannot.
  bool stockable(const QString &texte);
  // The controls enabled while a room is selected; without one, disabled, and each page's
  // help says how to select a room.
  void active(bool salle);
  void valide_bonne(int i);
  // The panel's picture or medium, and the selected room's with it.
  void pose_image_salle(const std::string &nom);
  void pose_media_salle(const std::string &nom);

  Document &document_;
  AccesFenetre acces_;
  DialogueFichier dialogue_image_, dialogue_media_; // OP, BoiteV

  // The controls, under the object names the tests and the help find them by.
  QWidget *onglet_image_ = nullptr;                 // TabImage
  QWidget *onglet_media_ = nullptr;                 // TabMedia
  QWidget *onglet_question_ = nullptr;              // TabQuestion
  QWidget *onglet_reponses_ = nullptr;              // TabReponses
  ImageEtiree *image_ = nullptr;                    // Image_epreuve
  QToolButton *bouton_image_ = nullptr;             // OpenI
  QToolButton *bouton_retire_image_ = nullptr;      // SpeedButton5
  TMsMediaPlayer *lecteur_ = nullptr;               // WMP2
  QToolButton *bouton_media_ = nullptr;             // OpenV
  QToolButton *bouton_retire_media_ = nullptr;      // SpeedButton7
  NomFichier *nom_image_ = nullptr;                 // NomImage, under the picture
  NomFichier *nom_media_ = nullptr;                 // NomMedia, under the player
  QPlainTextEdit *question_ = nullptr;              // Memo1
  std::array<QCheckBox *, NB_REPONSES> bonnes_{};   // Check1..Check5
  std::array<QLineEdit *, NB_REPONSES> reponses_{}; // Edit1..Edit5

  // The room's own texts as last shown or stored, and whether the author has changed the
  // field since: an untouched field gives these bytes back unchanged.
  std::string question_salle_;
  bool question_touchee_ = false;
  std::array<std::string, NB_REPONSES> reponses_salle_;
  std::array<bool, NB_REPONSES> reponse_touchee_{};
  std::string image_courante_;
  std::string media_courant_;
  bool refus_en_cours_ = false; // the box of a refusal is on show
};
