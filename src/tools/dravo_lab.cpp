// dravo-lab: the labyrinth model from the command line.
//   dravo-lab resave IN OUT      read IN as the editor's Open does, write OUT as Save does
//   dravo-lab picture FILE [--ppm OUT]   load a picture with the editor's loader
//   dravo-lab check [--json] FILE.lab|FOLDER...   can each labyrinth be finished?
//   dravo-lab feuille [--eleve] [--chemin] IN.lab|FOLDER OUT   the teacher's sheet (.pdf)
//                                 or the map alone (.png)
//   dravo-lab joue [--graine N] FILE.lab [MOVE...]   play moves, print the final state
//   dravo-lab vue FILE.lab ROOM DIRECTION OUT.png [--taille WxH]   the player's view

#include "fichiers.h"
#include "lab_file.h"
#include "monde.h"

#include <cstdio>
#include <new>
#include <string>
#include <vector>

int commande_check(const std::vector<std::string> &args);

#ifndef DRAVO_VERSION
#define DRAVO_VERSION "?"
#endif

int commande_picture(const std::vector<std::string> &args);
int commande_joue(const std::vector<std::string> &args);
#ifdef DRAVO_LAB_FEUILLE
int commande_feuille(const std::vector<std::string> &args);
int commande_vue(const std::vector<std::string> &args);
#endif

namespace {

constexpr const char *USAGE =
    "usage: dravo-lab resave IN OUT\n"
    "       dravo-lab picture FILE [--ppm OUT]\n"
    "       dravo-lab check [--json] FILE.lab|FOLDER...\n"
    "       dravo-lab feuille [--eleve] [--chemin] IN.lab|FOLDER OUT.pdf|OUT.png\n"
    "       dravo-lab joue [--graine N] FILE.lab [MOVE...]\n"
    "       dravo-lab vue FILE.lab ROOM DIRECTION OUT.png [--taille WxH]\n"
    "       dravo-lab --help | --version\n";

constexpr const char *AIDE =
    "dravo-lab: the Dravo-Editeur labyrinth model from the command line.\n"
    "\n"
    "  resave IN OUT\n"
    "      Starts from the editor's fresh labyrinth, reads the .lab file IN exactly as the\n"
    "      editor's Open command reads it (textures are named, not loaded) and writes OUT\n"
    "      exactly as Save writes it. OUT is replaced only once it is complete.\n"
    "  picture FILE [--ppm OUT]\n"
    "      Loads a bmp, jpg, jpeg or gif picture with the editor's loader and prints\n"
    "      \"WIDTH HEIGHT\"; with --ppm, also writes its pixels as a binary PPM.\n"
    "  check [--json] FILE.lab|FOLDER...\n"
    "      Tells whether each labyrinth can be finished and every file it names is in its\n"
    "      folder: one French line per finding (or JSON). A folder is an adventure, its\n"
    "      monde_N.lab files in order. Exit status 1 when any error is found.\n"
    "  feuille [--eleve] [--chemin] IN.lab|FOLDER OUT\n"
    "      Reads IN as Open does and writes the teacher's sheet: OUT.pdf the printable\n"
    "      map and riddles with their answers, each riddle's picture (found in IN's\n"
    "      folder) and where each teleporter leads; OUT.png the map alone (700 x 700).\n"
    "      A FOLDER is an adventure: its monde_N.lab files in order, in one PDF. --eleve\n"
    "      leaves the answers out (the pupils' sheet); --chemin draws the shortest route\n"
    "      from the start to an exit on the map, picking up the keys it needs, and lists\n"
    "      it. The PDF is titled with the (first) labyrinth's title. Needs no display;\n"
    "      absent from a build without Qt.\n"
    "  joue [--graine N] FILE.lab [MOVE...]\n"
    "      Plays the moves from the start room, facing nord, and prints the final state as\n"
    "      one JSON object (salle, direction, etat, cles, carte, enigmes_resolues and one\n"
    "      entry per move in evenements). Moves: avance, recule, gauche, droite, teleporte,\n"
    "      repond:CASES (ticked boxes, e.g. repond:13), tape:TEXTE, ok, passe. After an\n"
    "      exit, the next move goes on in monde_N+1.lab of the same folder when there is\n"
    "      one. --graine N makes the teleporters' draws reproducible. Exit status 1 when\n"
    "      the file cannot be read or played.\n"
    "  vue FILE.lab ROOM DIRECTION OUT.png [--taille WxH]\n"
    "      Draws what the player sees from the middle of ROOM (A1 to J10) facing\n"
    "      DIRECTION (nord, est, sud, ouest), 640 x 480 unless --taille says otherwise.\n"
    "      Textures are looked for in the labyrinth's folder, then among the installed\n"
    "      ones; a missing one is drawn in a plain colour. Absent from a build without Qt.\n"
    "\n"
    "Exit status: 0 on success, 1 when a file fails (the editor's error text on standard\n"
    "error), 2 for a usage error.\n";

int usage(const char *pourquoi) {
  std::fprintf(stderr, "dravo-lab: %s\n%s", pourquoi, USAGE);
  return 2;
}

int echec(const Resultat &r) {
  std::fprintf(stderr, "%s\n", texte_boite_erreur(r.message()).c_str());
  return 1;
}

int resave(const std::vector<std::string> &args) {
  if (args.size() != 2)
    return usage("resave takes two file names, IN and OUT");
  Monde monde;
  Cree_Monde(monde);
  if (Resultat r = charge_lab(args[0], monde); !r)
    return echec(r);
  if (Resultat r = sauve_lab(args[1], monde); !r)
    return echec(r);
  return 0;
}

} // namespace

static int lance_commande(int argc, char **argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty())
    return usage("a command is needed");
  const std::string commande = args.front();
  args.erase(args.begin());
  if (commande == "--help" || commande == "-h" || commande == "help") {
    std::fputs(AIDE, stdout);
    return 0;
  }
  if (commande == "--version") {
    std::puts("dravo-lab " DRAVO_VERSION);
    return 0;
  }
  if (commande == "resave")
    return resave(args);
  if (commande == "check")
    return commande_check(args);
  if (commande == "picture")
    return commande_picture(args);
  if (commande == "joue")
    return commande_joue(args);
#ifdef DRAVO_LAB_FEUILLE
  if (commande == "feuille")
    return commande_feuille(args);
  if (commande == "vue")
    return commande_vue(args);
#else
  if (commande == "feuille" || commande == "vue")
    return usage((commande + " is not in this build: it needs Qt").c_str());
#endif
  return usage(("unknown command \"" + commande + "\"").c_str());
}

// Running out of memory anywhere in a command is a failure like a file's: a message and exit
// status 1. The files of resave and feuille are left as they were (their writers replace
// them only once complete); picture's --ppm file is written in place and may be left cut.
int main(int argc, char **argv) {
  try {
    return lance_commande(argc, argv);
  } catch (const std::bad_alloc &) {
    return echec(Resultat::echec(MESSAGE_MEMOIRE));
  }
}
