#pragma once
// Every message box and file dialog the editor window shows goes through this interface,
// so that tests can answer them. The window holds a pointer to one implementation; by
// default the real one, which shows the platform's dialogs.

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

// A file dialog as the window keeps it between showings: its filter (Qt syntax), the folder
// it opens in (empty: wherever the platform likes) and the file last chosen in it.
struct DialogueFichier {
  QString filtre;
  QString dossier_initial;
  QString dernier_fichier;
  QString extension_defaut; // the save dialog's, without the dot
  // Only the filter's caption is shown, not Qt's patterns after it (a caption that lists
  // the extensions itself).
  bool cache_motifs = false;
};

// Which system dialog a file choice shows.
enum class GenreDialogue {
  ouvrir,       // choose an existing file (ODI, ODS, ODM, BoiteV)
  enregistrer,  // choose a file to write; a name typed without extension gets the default one (SDM)
  ouvrir_image, // choose an existing picture, with a preview of the selected file (OP)
};

enum class Reponse { oui, non, annuler };

// What the print dialog offers beside the printer, in its own "Feuille" tab.
struct ChoixFeuille {
  bool eleve = false;      // the pupils' version, without the answers
  bool itineraire = false; // the route from the start to the exit drawn on the map
};
// The filters of the picture and texture dialogs and of the sound dialog (Qt syntax), each
// ending with every file.
inline const QString FILTRE_IMAGES =
    QStringLiteral("Toutes les images (*.bmp *.jpg *.jpeg *.gif);;Bitmaps (*.bmp);;"
                   "Images JPEG (*.jpg *.jpeg);;Images GIF (*.gif);;Tous les fichiers (*)");
inline const QString FILTRE_SONS =
    QStringLiteral("Fichiers MP3 (*.mp3);;Sons (*.mp3 *.wav *.ogg *.flac);;Tous les fichiers (*)");

class DialoguesEditeur {
public:
  virtual ~DialoguesEditeur() = default;

  // The one error box: captioned "Dravo-Editeur", error icon, OK. Returns once it is closed.
  virtual void erreur(const QString &message) = 0;

  // A question with the buttons Yes, No and Cancel and a warning icon.
  virtual Reponse question(const QString &titre, const QString &texte) = 0;

  // A question with the buttons Yes and No and a warning icon; true for Yes. Seams that
  // answer in code may leave it to `question`, whose Yes is Yes and anything else No.
  virtual bool confirme(const QString &titre, const QString &texte) {
    return question(titre, texte) == Reponse::oui;
  }

  // A question captioned "Dravo-Editeur" with one button per entry of `boutons`, the last
  // one cancelling (Escape too); returns the rank of the button pressed. By default it goes
  // through `question`: Yes is the first button, No the second, Cancel the last.
  virtual int choix(const QString &texte, const QStringList &boutons);

  // Shows a file dialog set up from `dialogue` (filter, initial folder, the file last chosen
  // in it offered again, default extension). Returns the full path chosen, or an empty
  // string when the author cancels. It does not touch `dialogue` nor the current folder:
  // TForm1::montre_dialogue does that for every dialog alike.
  virtual QString choisit_fichier(GenreDialogue genre, const DialogueFichier &dialogue) = 0;

  // A question with the buttons Yes and No and a warning icon, captioned "Dravo-Editeur";
  // true for Yes. By default it goes through `question`, Cancel counting as No.
  virtual bool confirme(const QString &texte);

  // The system print dialog (which offers printing to a PDF file) set up on `imprimante`;
  // true once the author accepts it, the printer then set to what was chosen. By default
  // nothing is shown and nothing printed.
  virtual bool imprime(QPrinter &imprimante);
  // The same with the sheet's choices shown beside the printer's, set from `choix` and
  // written back into it once accepted. By default, the dialog above without them.
  virtual bool imprime(QPrinter &imprimante, ChoixFeuille &choix) {
    (void)choix;
    return imprime(imprimante);
  }
};

class DialoguesEditeurQt : public DialoguesEditeur {
public:
  // The boxes are modal to fenetre, which must outlive this object.
  explicit DialoguesEditeurQt(QWidget *fenetre) : fenetre_(fenetre) {}

  void erreur(const QString &message) override;
  Reponse question(const QString &titre, const QString &texte) override;
  bool confirme(const QString &titre, const QString &texte) override;
  QString choisit_fichier(GenreDialogue genre, const DialogueFichier &dialogue) override;
  bool confirme(const QString &texte) override;
  int choix(const QString &texte, const QStringList &boutons) override;
  bool imprime(QPrinter &imprimante) override;
  bool imprime(QPrinter &imprimante, ChoixFeuille &choix) override;

private:
  QWidget *fenetre_;
};
