#pragma once
// The full labyrinth of the benchmarks: every partition and room kind in use, 100 riddles
// with five answers, a picture and a medium each, five sounds.

#include "monde.h"

#include <string>

inline void remplit_monde_plein(Monde &m) {
  m.titre_lab = "Le tr\xE9sor du donjon";
  m.mission = "Retrouve les trois cl\xE9s\r\net ouvre la porte rouge.";
  m.message_fin = "Bravo !";
  for (int k = 0; k < NB_SONS; ++k)
    m.son(k) = "bruitage_" + std::to_string(k) + ".mp3";
  for (int i = 0; i < NB_CLOISONS_MAX; ++i)
    m.cloisons[static_cast<size_t>(i)].contenu = i % NB_TYPES_CLOISON;
  for (int i = 0; i < NB_SALLES_MAX; ++i) {
    Tsalle &s = m.salles[static_cast<size_t>(i)];
    s.contenu = i % NB_TYPES_SALLE;
    s.question = "Quelle est la capitale du pays num\xE9ro " + std::to_string(i) + " ? ";
    s.reponses = {"Paris", "Lyon", "Marseille", "Toulouse", "Bordeaux"};
    s.bonnes = {true, false, i % 2 == 0, false, false};
    s.image = "image_" + std::to_string(i) + ".jpg";
    s.media = "son_" + std::to_string(i) + ".mp3";
  }
}
