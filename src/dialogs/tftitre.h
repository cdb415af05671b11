#pragma once
// The title and mission dialog: created hidden at start-up, shown modally by the editor's
// "Titre et Mission" button. It edits the labyrinth's three free texts: its title (one
// line), its introduction (the mission) and its end message.
//
// The caller gives the three texts with pose_textes before exec(); every showing loads the
// fields from them, so abandoned edits never come back. exec() returns Accepted when
// "VALIDER" closed the dialog, and the three getters then hold what was typed; "ANNULER"
// returns Rejected and leaves them as given. All texts cross this face as Windows-1252
// bytes, multi-line texts with CR LF between lines.
//
// Errors: text that a labyrinth cannot hold (a character outside Windows-1252, or a line
// of the mission or end message that the file would read as the end of its block) is
// refused at "VALIDER" with a message in the error box naming it; the dialog stays open
// with the text as typed.

#include "fenetre_dialogue.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class TBoutonDegrade;

class TFtitre : public FenetreDialogue {
  Q_OBJECT

public:
  static constexpr int LARGEUR = 392;
  static constexpr int HAUTEUR = 466;

  explicit TFtitre(QWidget *parent = nullptr);

  void pose_textes(const std::string &titre, const std::string &mission,
                   const std::string &message);
  // The title never holds a line break: a pasted one became a space.
  const std::string &titre_lab() const { return texte_titre; }
  const std::string &mission() const { return texte_mission; }
  const std::string &message_fin() const { return texte_message; }

  // Tests show the refusal elsewhere; by default it is the editor's one error box.
  void pose_boite_erreur(std::function<void(QWidget *, const QString &)> boite);

protected:
  void showEvent(QShowEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;

private:
  void FormShow();
  void SpeedButton1Click();
  void SpeedButton2Click();
  // A field typed, as the refusals name it and give it the focus.
  struct ChampTape {
    const QString *texte;
    QString nom; // "le titre"
    QWidget *controle;
  };
  // Characters outside Windows-1252 in any of the fields: one message naming each of them
  // and the fields that hold them, the focus to the first such field. True when refused.
  bool refuse_hors_1252(const std::vector<ChampTape> &champs);
  // A line that would end the text's block in the file (lab_file.h): a message naming it,
  // the focus to the field. True when refused.
  bool refuse_fin_de_bloc(const std::string &octets, const QString &champ, QWidget *controle);

  QFrame *Bevel1 = nullptr;
  QLabel *Label1 = nullptr;
  QLineEdit *Edit1 = nullptr;
  QLabel *Label2 = nullptr;
  QPlainTextEdit *Memo1 = nullptr;
  QLabel *Label3 = nullptr;
  QPlainTextEdit *Memo2 = nullptr;
  TBoutonDegrade *BoutonDegrade1 = nullptr;
  TBoutonDegrade *BoutonDegrade2 = nullptr;

  std::string texte_titre;
  std::string texte_mission;
  std::string texte_message;
  std::function<void(QWidget *, const QString &)> boite_erreur_;
};
