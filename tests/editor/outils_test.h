#pragma once
// Helpers of the editor tests: a fresh start folder per test (with or without the default
// textures), a dialog seam that records the error boxes, the window built in it, and the
// window's controls found by their object names.

#include <QColor>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

#include "dialogues_editeur.h"
#include "grille.h"
#include "image_grille.h"
#include "panneau_salle.h"
#include "tform1.h"

class ImageEtiree;
class QToolButton;

// Answers the dialogs from queues the test fills, and records what was asked. An empty
// queue of answers means Cancel (no file chosen, or Cancel to a question).
class DialoguesEnregistres : public DialoguesEditeur {
public:
  void erreur(const QString &message) override { erreurs << message; }
  Reponse question(const QString &titre, const QString &texte) override {
    questions << titre + "|" + texte;
    return reponses.isEmpty() ? Reponse::annuler : reponses.takeFirst();
  }
  QString choisit_fichier(GenreDialogue genre, const DialogueFichier &dialogue) override {
    genres << genre;
    offerts << dialogue.dernier_fichier;
    dossiers_initiaux << dialogue.dossier_initial;
    filtres << dialogue.filtre;
    extensions << dialogue.extension_defaut;
    motifs_caches << dialogue.cache_motifs;
    return fichiers.isEmpty() ? QString() : fichiers.takeFirst();
  }
  // Yes/No questions are recorded apart; the answer is `oui_confirme` (Yes unless a test
  // says otherwise).
  bool confirme(const QString &texte) override {
    confirmations << texte;
    return oui_confirme;
  }
  QStringList erreurs;
  QStringList questions;
  QStringList confirmations;
  bool oui_confirme = true;
  QList<Reponse> reponses;
  QStringList fichiers;          // the paths the next file dialogs return ("" cancels)
  QList<GenreDialogue> genres;   // what each file dialog was
  QStringList offerts;           // the file each dialog offered (its last choice)
  QStringList dossiers_initiaux; // the folder each dialog started in
  QStringList filtres;
  QStringList extensions;    // the default extension of each dialog
  QList<bool> motifs_caches; // whether each dialog showed its filter's caption alone
};

// The colours of the three textures written by DossierDepart.
inline const QColor COULEUR_MURS{160, 60, 40};
inline const QColor COULEUR_SOL{90, 90, 90};
inline const QColor COULEUR_PLAFOND{40, 40, 200};

// A temporary folder made current for the object's life (the previous one comes back after).
class DossierDepart {
public:
  explicit DossierDepart(bool avec_textures);
  ~DossierDepart();
  QString chemin() const { return dossier.path(); }

private:
  QTemporaryDir dossier;
  QString precedent;
};

// A test with its own start folder and editor window.
struct EditeurEnTest {
  explicit EditeurEnTest(bool avec_textures = true);
  DossierDepart depart;
  DialoguesEnregistres dialogues;
  std::unique_ptr<TForm1> fenetre;
};

// The window's labyrinth, for reading it and for arranging a state no edit reaches.
inline Monde &monde(TForm1 &f) {
  return f.document().monde_brut();
}
inline const Monde &monde(const TForm1 &f) {
  return f.monde();
}
// The window's room panel, for what it keeps beside the labyrinth.
inline PanneauSalle &panneau_salle(const TForm1 &f) {
  return *f.findChild<PanneauSalle *>(QStringLiteral("PC"));
}

// A completed left click on a widget (press and release over it).
void clique(QWidget *w);

// A widget as drawn on a ground of the given colour.
QImage rendu_sur(QWidget *widget, QColor fond);

// A control of the window by its object name; null when the window holds none.
template <typename T = QWidget> T *nomme(const QWidget &f, const QString &nom) {
  return f.findChild<T *>(nom);
}
// A control of a numbered row by its rank from 0: ("Check", 0) is Check1.
template <typename T = QWidget> T *nomme(const QWidget &f, const char *nom, int rang) {
  return f.findChild<T *>(QString::fromLatin1(nom) + QString::number(rang + 1));
}
// Presses a button of the window by its name.
void clique(const QWidget &f, const char *nom);

// The grid room, and its images: cloisons[i] is shown by "Cloison<i>", salles[i] by "Salle<i>".
Grille &grille(const TForm1 &f);
ImageGrille *vue_cloison(const TForm1 &f, int indice);
ImageGrille *vue_salle(const TForm1 &f, int indice);

// A control's rectangle in window coordinates, and a move to a point of the window.
QRect dans_fenetre(const QWidget *controle);
void deplace(QWidget *controle, QPoint dans_fenetre);
