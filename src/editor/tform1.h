#pragma once
// The editor window: the composition of its rooms. It owns, for the whole run, the
// labyrinth being edited (the Document) and builds and connects the rooms that show it:
// the grid (Grille), the command bar (BarreCommandes), the legends (Legendes), the help box
// (BoiteAide), the texture box (BoiteTextures), the sound rows (BoiteSons) and the room
// panel (PanneauSalle). Everything is private but the few routines below: tests and the
// program drive the window through its controls' object names, the dialog seam
// (DialoguesEditeur) and these faces.
//
// Failures met by a handler are shown through the dialog seam (the error box by default)
// and the handler carries on or stops there; nothing is thrown out of a handler.

#include <QString>
#include <QWidget>

#include <memory>

#include "acces_fenetre.h"
#include "dialogues_editeur.h"
#include "document.h"
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

class TForm1 : public QWidget {
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
  Document &document() { return document_; }
  const Document &document() const { return document_; }
  const Monde &monde() const { return document_.monde(); }

  // Open's reading of a file named without a dialog (full path; the current folder is not
  // changed): all or nothing, a failure shown in the error box. True when it was read.
  bool ouvre_fichier(const QString &chemin);
  // Starts the player on the file (full path) and waits for it to end: the bare name as
  // its one argument, the file's folder as its working folder. When it cannot be started
  // the window is shown again and the error box says why; false then.
  bool lance_test(const QString &fichier);

  // --- For the check window and the printed sheet, which work on the labyrinth as shown ---
  // The room panel stored into the selected room, as Save does first.
  void stocke_panneau() { quitte_salle(); }
  // Selects a room as the grid's middle press does, its kind untouched and nothing marked
  // as changed: the panel goes into the room it showed, the outline and panel to `indice`.
  void montre_salle(int indice);
  DialoguesEditeur &boites() const { return *dialogues; }
  Grille &grille() const { return *grille_; }

protected:
  void closeEvent(QCloseEvent *event) override;
  void showEvent(QShowEvent *event) override;

private:
  // Shows a file dialog through the seam. A confirmed dialog remembers the file chosen (it
  // is offered again next time) and makes its folder the current folder, against which
  // every bare name of the model is resolved. Returns the full path, or "" when cancelled.
  QString montre_dialogue(DialogueFichier &dialogue, GenreDialogue genre);

  // Whether the bare name of a chosen file can be stored in the labyrinth, whose file holds
  // Windows-1252 text: a name with other characters would come back with "?" in their place
  // and name no file. When it cannot, says so in the error box.
  bool nom_enregistrable(const QString &chemin);

  QString rep_appli; // the start folder, ending in "/"

  DialogueFichier ODM, SDM;
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
  void efface_monde();
  // The window side shared by building and clearing: every image from its fresh record,
  // the marker parked, the room panel emptied.
  void montre_grille_fraiche();
  // --- File commands and the player test ---
  // Save: shows SDM and writes the labyrinth (the room panel stored first). Returns false
  // only when the file chosen could not be written, after the error box: the calling
  // command stops there. A cancelled dialog returns true with enregistre false; a written
  // file returns true with enregistre true, modifie false and fichier_courant its path. A
  // failed write also leaves enregistre false, so that nothing takes the file as written.
  bool Sauvemonde();
  // Ctrl+S: writes onto the labyrinth being edited without a dialog; a labyrinth that has
  // no file yet is saved as by the Save button.
  void enregistre_sans_dialogue();
  // The question before a command that would drop unsaved changes (New, Open, quit, the
  // window's close): what the panel holds is stored first, then, when modifie, "Enregistrer
  // les modifications ?". True when the command may go on: nothing unsaved, No, or Yes
  // with the file written. Cancel, a cancelled save dialog or a failed save give false.
  bool demande_enregistrement();
  // Open: shows ODM and reads the file all or nothing; a failure is shown and changes
  // nothing. On success the window follows the world (montre_monde_lu).
  void Chargemonde();
  // The window after a reading: sound rows reset then restored, the grid images of the
  // records read, the selection dropped, the textures the file named loaded (failures
  // shown in one box at the end, each image keeping its picture).
  void montre_monde_lu(const InfoLecture &lu);

private slots:
  // Command bar, title button.
  void SpeedButton1Click();
  void SpeedButton2Click();
  void SpeedButton3Click();
  void SpeedButton4Click();
  void SpeedButton6Click();
  void PtitreClick();
  // The quit button and Ctrl+Q: the question, then the program ends.
  void quitterClick();

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
  // The save dialog, offering the labyrinth being edited. Choosing another existing file
  // asks before replacing it; No shows the dialog again. "" when cancelled.
  QString choisit_fichier_a_ecrire();
  // Stores the panel and writes the labyrinth to the file; false after the error box.
  bool ecrit_labyrinthe(const QString &chemin);
  // The window's title: the file being edited, and "*" while something is unsaved.
  void actualise_titre();
  // The keys of the file commands, and the title kept up to date.
  void lie_commandes_fichier();
  // The creation handler, run once by the constructor: start folder, places, bitmaps, world.
  void FormCreate();
  // The close handler: releases the kind bitmaps.
  void FormClose();
  void construit_controles();
  // What the rooms of the window ask of it.
  AccesFenetre acces();

  Document document_;
  std::unique_ptr<DialoguesEditeurQt> dialogues_qt_;
  bool deja_montree_ = false;
};
