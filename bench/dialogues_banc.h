#pragma once
// The dialog seam of the window benchmarks: every file dialog returns `chemin` (empty:
// cancelled), every question is cancelled, and an error box is a failure of the benchmark
// itself, which stops it.

#include <cstdio>
#include <cstdlib>

#include "dialogues_editeur.h"

class DialoguesBanc : public DialoguesEditeur {
public:
  void erreur(const QString &message) override {
    std::fprintf(stderr, "error box: %s\n", qPrintable(message));
    std::abort();
  }
  Reponse question(const QString &, const QString &) override { return Reponse::annuler; }
  QString choisit_fichier(GenreDialogue, const DialogueFichier &) override { return chemin; }
  QString chemin;
};
