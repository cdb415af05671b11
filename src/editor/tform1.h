#pragma once
// The editor window: the composition of its rooms. It owns, for the whole run, the
// labyrinth being edited (the Document) and builds and connects the rooms that show it:
// the grid (Grille), the command bar (BarreCommandes), the legends (Legendes), the help box
// (BoiteAide), the texture box (BoiteTextures), the sound rows (BoiteSons) and the room
// panel (PanneauSalle), and the file commands (CommandesFichier). Everything is private but the few
// routines below: tests and the program drive the window through its controls' object names, the
// dialog seam (DialoguesEditeur) and these faces.
//
// Failures met by a handler are shown through the dialog seam (the error box by default)
// and the handler carries on or stops there; nothing is thrown out of a handler.

#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

#include "acces_fenetre.h"
#include "commandes_fichier.h"
#include "dialogues_editeur.h"
#include "document.h"
#include "face_editeur.h"
#include "fichiers_editeur.h"
#include "monde.h"

class BarreCommandes;
class BoiteAide;
class BoiteSons;
class BoiteTextures;
class Grille;
class PanneauSalle;
struct InfoLecture;
class QFrame;
class TFap;
class TFtitre;

class TForm1 : public QWidget, public FaceEditeur, private FaceFichiers {
  Q_OBJECT

public:
  // Builds every control and runs FormCreate, which builds the fresh labyrinth. With a null
  // dialogues the window shows the real boxes; a test passes its own, which must outlive the
  // window. The current folder at construction becomes rep_appli.
  explicit TForm1(DialoguesEditeur *dialogues = nullptr, QWidget *parent = nullptr);
  ~TForm1() override;

  // The secondary windows shown by the about and title buttons; both may stay null.
  void attache_fenetres(TFap *fap, TFtitre *ftitre);
  void pose_dialogues(DialoguesEditeur *dialogues);

  // --- The labyrinth and what shows it ---
  // Every change of the labyrinth goes through the document; the window shows its changes.
  const Document &document() const { return document_; }
  const Monde &monde() const override { return document_.monde(); }

  // Open's reading of a file named without a dialog (full path; the current folder is not
  // changed): all or nothing, a failure shown in the error box. True when it was read.
  bool ouvre_fichier(const QString &chemin) { return commandes_->ouvre_fichier(chemin); }
  // The file named on the command line, opened once the window has first shown: what the
  // fresh labyrinth's building would have said (a default texture missing) is dropped, and
  // the file's own messages come over the shown window.
  void ouvre_au_lancement(const QString &chemin);
  // Where the files the labyrinth names live: its own folder (the file's, or the start
  // folder for a labyrinth never saved or opened), then the start folder.
  LieuxFichiers lieux() const override;
  // Starts the player on the file (full path) and waits for it to end: the bare name as
  // its one argument, the file's folder as its working folder. When it cannot be started
  // the window is shown again and the error box says why; false then.
  bool lance_test(const QString &fichier);

  // --- For the check window and the printed sheet (FaceEditeur) ---
  // The room panel stored into the selected room, as Save does first.
  void stocke_panneau() override { quitte_salle(); }
  // Selects a room as the grid's middle press does, its kind untouched and nothing marked
  // as changed: the panel goes into the room it showed, the outline and panel to `indice`.
  void montre_salle(int indice) override;
  DialoguesEditeur &boites() const override { return *dialogues; }
  Grille &grille() const override { return *grille_; }
  QWidget &fenetre() override { return *this; }
  Document &document() override { return document_; }

protected:
  void closeEvent(QCloseEvent *event) override;
  void showEvent(QShowEvent *event) override;

private:
  // Shows a file dialog through the seam. A confirmed dialog remembers the file chosen (it
  // is offered again next time); the current folder is left alone. An open dialog gives
  // only a file that exists (else the error box says so). The full path, or "" when
  // cancelled.
  QString montre_dialogue(DialogueFichier &dialogue, GenreDialogue genre);

  // The error box, or, before the window has first shown, a message kept to be shown over
  // it once it has.
  void signale(const QString &message);
  // After the first showing: the file of the command line opened, then the messages kept.
  void apres_affichage();

  QString rep_appli; // the start folder, ending in "/"

  DialoguesEditeur *dialogues = nullptr;
  TFap *Fap = nullptr;
  TFtitre *Ftitre = nullptr;

  // --- The rooms, and the controls still built by the window, named as their objectName ---
  QFrame *B1 = nullptr;
  Grille *grille_ = nullptr;
  BarreCommandes *barre_ = nullptr;
  BoiteAide *aide_ = nullptr;
  BoiteTextures *textures_ = nullptr; // Ptextures
  BoiteSons *sons_ = nullptr;         // Psons
  PanneauSalle *panneau_ = nullptr;   // PC

  // --- The world routines, window side ---
  // The model's building, then the textures, the 320 grid images, the parked marker and the
  // emptied room panel.
  void Cree_Monde();
  // The model's clearing, then the sound rows reset, the textures, the same 320 images given
  // their fresh pictures and places, the parked marker and the emptied room panel.
  void efface_monde() override;
  // The window side shared by building and clearing: every image from its fresh record,
  // the marker parked, the room panel emptied.
  void montre_grille_fraiche();
  // --- What the file commands ask of the window (FaceFichiers) ---
  QString choisit_fichier(DialogueFichier &dialogue, GenreDialogue genre) override {
    return montre_dialogue(dialogue, genre);
  }
  bool valide_saisie() override;
  bool saisie_en_attente() const override;
  // The window after a reading: sound rows reset then restored, the grid images of the
  // records read, the selection dropped, the textures the file named loaded (failures
  // shown in one box at the end, each image keeping its picture).
  void montre_monde_lu(const InfoLecture &lu) override;

private slots:
  // Command bar (New, Open, Save and quit are the file commands'), title button.
  void SpeedButton4Click();
  void SpeedButton6Click();
  void PtitreClick();

private:
  // Repaints what shows a field of the labyrinth the document changed. A step undone or
  // redone selects the room it concerns: the outline moves there and the panel shows it
  // (the field alone when its room is already on show).
  void montre_change(const Cible &cible, bool rejoue);
  // Ctrl+Z, and Ctrl+Y or Ctrl+Shift+Z: a step of the history, the panel stored first; in a
  // text field, the field's own undo and redo.
  void annule();
  void refait();
  // The panel into the selected room before the selection moves; false when it refused a
  // text, which stays in its field.
  bool quitte_salle();
  // Selects a room without storing the panel: outline moved, room shown in the panel.
  void selectionne_salle(int indice);
  // The creation handler, run once by the constructor: start folder, places, bitmaps, world.
  void FormCreate();
  // The close handler: releases the kind bitmaps.
  void FormClose();
  void construit_controles();
  // What the rooms of the window ask of it.
  AccesFenetre acces();

  Document document_;
  // Declared after the document, so destroyed before it: the commands follow the document.
  std::unique_ptr<CommandesFichier> commandes_;
  std::unique_ptr<DialoguesEditeurQt> dialogues_qt_;
  bool deja_montree_ = false;
  QStringList messages_differes_;
  QString fichier_lancement_;
};
