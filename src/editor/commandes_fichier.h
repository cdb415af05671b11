#pragma once
// The file commands of the command bar: New, Open and Save (Save as, Ctrl+S), their keys,
// the question asked before anything unsaved is dropped (New, Open, quit, the window's
// close), the saving the test command does first, and the window's title. The class owns
// the open and save dialogs (ODM, SDM) and works on the window through FaceFichiers only.
// The disk work is the model's (charge_lab reads all or nothing, sauve_lab writes a
// temporary file beside the target and renames it over); this class adds the dialogs, the
// questions and asks the window to show what was opened.

#include <QObject>
#include <QString>

#include "dialogues_editeur.h"
#include "fichiers_editeur.h"
#include "monde.h"

class Document;
class QWidget;
struct InfoLecture;

// What the file commands ask of the editor window. The names shared with FaceEditeur are
// the same routines.
class FaceFichiers {
public:
  // The labyrinth as a document: its file, its reading and writing, its history.
  virtual Document &document() = 0;
  virtual const Monde &monde() const = 0;
  virtual DialoguesEditeur &boites() const = 0;
  // A file dialog shown through the seam: the full path, or "" when cancelled (an open
  // dialog gives only a file that exists).
  virtual QString choisit_fichier(DialogueFichier &dialogue, GenreDialogue genre) = 0;
  // Where the labyrinth's files are found: its own folder first.
  virtual LieuxFichiers lieux() const = 0;
  // The text being typed in the room panel made a step; false when the panel refused it,
  // which stays in its field.
  virtual bool valide_saisie() = 0;
  // The room panel stored into the selected room.
  virtual void stocke_panneau() = 0;
  // Whether the panel holds a text not yet stored.
  virtual bool saisie_en_attente() const = 0;
  // New's window side: the labyrinth cleared and every room showing it made fresh.
  virtual void efface_monde() = 0;
  // The window after a reading: sounds, grid, panel and textures follow the world read.
  virtual void montre_monde_lu(const InfoLecture &lu) = 0;
  // The window the keys are bound on and the title is given to.
  virtual QWidget &fenetre() = 0;

protected:
  ~FaceFichiers() = default;
};

class CommandesFichier : public QObject {
  Q_OBJECT

public:
  // Binds the keys on the face's window and keeps its title up to date.
  explicit CommandesFichier(FaceFichiers &face);

  // Both dialogs open first on the given folder (ending in "/").
  void pose_dossier_initial(const QString &dossier);

  // Open's reading of a file named without a dialog (full path; the current folder is not
  // changed): all or nothing, a failure shown in the error box. True when it was read.
  bool ouvre_fichier(const QString &chemin);
  // Save (as): shows SDM and writes the labyrinth (the room panel stored first, the files it
  // names brought into the chosen folder). Says what happened: written (modifie false, the
  // file the labyrinth's), cancelled (the dialog or a question backed out of) or failed
  // (after the error box).
  Issue Sauvemonde();
  // Ctrl+S, Test and the Yes of the unsaved-changes question: writes onto the labyrinth's
  // own file without a dialog; a labyrinth that has none yet is saved as by Save.
  Issue enregistre();
  // The question before a command that would drop unsaved changes (New, Open, quit, the
  // window's close): what the panel holds is stored first, then, when modifie, "Enregistrer
  // les modifications ?". True when the command may go on: nothing unsaved, No, or Yes
  // with the file written. Cancel, a cancelled save dialog or a failed save give false.
  bool demande_enregistrement();

public slots:
  // New, Open, Save as, and quit (the question, then the program ends).
  void SpeedButton1Click();
  void SpeedButton2Click();
  void SpeedButton3Click();
  void quitterClick();
  // The window's title: the file being edited, and "*" while something is unsaved.
  void actualise_titre();

private:
  // Open: shows ODM and reads the file all or nothing; a failure is shown and changes
  // nothing.
  void Chargemonde();
  void enregistre_sans_dialogue();
  // The save dialog, offering the labyrinth being edited. Choosing another existing file
  // asks before replacing it; No shows the dialog again. "" when cancelled.
  QString choisit_fichier_a_ecrire();
  // Stores the panel, brings the named files into the file's folder and writes the
  // labyrinth. A pipe or a device is refused.
  Issue ecrit_labyrinthe(const QString &chemin);

  FaceFichiers &face_;
  DialogueFichier ODM, SDM;
};
