#pragma once
// The dialog seam of the window benchmarks: every file dialog returns `chemin` (empty:
// cancelled), every question is cancelled but the one about replacing a file, and an error
// box is a failure of the benchmark itself, which stops it.

#include <cstdio>
#include <cstdlib>

#include <QColor>
#include <QDir>
#include <QImage>

#include "dialogues_editeur.h"

class DialoguesBanc : public DialoguesEditeur {
public:
  void erreur(const QString &message) override {
    std::fprintf(stderr, "error box: %s\n", qPrintable(message));
    std::abort();
  }
  Reponse question(const QString &, const QString &) override { return Reponse::annuler; }
  // A benchmark replaces its own files on purpose, over and over.
  bool confirme(const QString &, const QString &) override { return true; }
  QString choisit_fichier(GenreDialogue, const DialogueFichier &) override { return chemin; }
  QString chemin;
};

// A plain bitmap of one colour, written into the benchmark's start folder.
inline void ecrit_bmp(const QDir &dossier, const char *nom, int largeur, int hauteur) {
  QImage image(largeur, hauteur, QImage::Format_RGB32);
  image.fill(QColor(120, 80, 40));
  image.save(dossier.filePath(QString::fromLatin1(nom)), "BMP");
}

// The three default textures, so that building, opening and clearing find them.
inline void ecrit_textures_defaut(const QDir &dossier) {
  ecrit_bmp(dossier, "Briques.bmp", 80, 400);
  ecrit_bmp(dossier, "sol.bmp", 200, 200);
  ecrit_bmp(dossier, "plafond.bmp", 200, 200);
}
