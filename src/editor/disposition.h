#pragma once
// The editor window's layout: where every control sits and which font it uses, as one set
// of named places. Positions are window pixels, or pixels from the corner of the box,
// panel or tab page that holds the control. The window is laid out for a 1024 x 768 screen
// and does not follow the screen size.

#include <QColor>
#include <QRect>
#include <QString>

#include <array>

#include "textes_aide.h"

inline constexpr int LARGEUR_FENETRE = 1024;
inline constexpr int HAUTEUR_FENETRE = 768;

// Font heights in pixels; the window's default face is MS Sans Serif.
inline constexpr int POLICE_FENETRE = 11;
inline constexpr int POLICE_BOITE = 16;   // captions of "Textures" and "Environnement sonore"
inline constexpr int POLICE_LEGENDE = 13; // legend, help and room panel text
inline constexpr int POLICE_PTITRE = 15;  // "Titre et Mission", Arial bold
inline constexpr int POLICE_TAILLE_TEXTURE = 11; // "200x200", "80x400"
inline constexpr int POLICE_CROIX = 19;          // the red "X" of the clear buttons

inline constexpr QColor COULEUR_PTITRE{0, 94, 0};
inline constexpr QColor COULEUR_BLEUE{0, 0, 255};
inline constexpr QColor COULEUR_MARINE{0, 0, 128};
inline constexpr QColor COULEUR_CROIX{255, 0, 0};

// Where every control stands, written once: the building places each control from here by
// its objectName (construction.h: place), and the layout test reads the same table. A rect
// is measured from the corner of the box it names ("Form1" is the window). The rooms
// (Grille, BarreCommandes, Legendes) are unframed widgets that hold controls of the window:
// their controls are still measured from the window.
struct Place {
  const char *nom;
  const char *boite;
  QRect rect;
};
inline constexpr Place PLACES[] = {
    {"B1", "Form1", {0, 0, LARGEUR_FENETRE, HAUTEUR_FENETRE}},
    // The grid: every partition and room image lies within it, at its record's x and y.
    {"Grille", "Form1", {10, 10, 620, 620}},
    {"Marque", "Form1", {-100, -100, 44, 44}}, // parked: no room selected
    {"Ptextures", "Form1", {640, 8, 145, 273}},
    {"TM", "Ptextures", {9, 49, 40, 200}},
    {"TS", "Ptextures", {57, 48, 80, 80}},
    {"TP", "Ptextures", {57, 168, 80, 80}},
    {"BarreCommandes", "Form1", {793, 8, 224, 115}},
    {"titre", "Form1", {793, 10, 180, 40}},
    {"quitter", "Form1", {976, 8, 41, 41}},
    {"Pcommandes", "Form1", {805, 57, 201, 41}},
    {"SpeedButton1", "Pcommandes", {0, 0, 41, 41}},
    {"SpeedButton2", "Pcommandes", {40, 0, 41, 41}},
    {"SpeedButton3", "Pcommandes", {80, 0, 41, 41}},
    {"SpeedButton6", "Pcommandes", {120, 0, 41, 41}},
    {"SpeedButton4", "Pcommandes", {160, 0, 41, 41}},
    {"Ptitre", "Form1", {805, 102, 201, 21}},
    {"Psons", "Form1", {797, 123, 217, 153}},
    {"PC", "Form1", {640, 296, 369, 329}},
    {"Image_epreuve", "TabImage", {8, 24, 320, 240}},
    {"NomImage", "TabImage", {8, 268, 320, 17}}, // the picture's file name
    {"OpenI", "TabImage", {332, 8, 25, 25}},
    {"SpeedButton5", "TabImage", {332, 32, 25, 25}},
    {"WMP2", "TabMedia", {8, 8, 310, 262}},
    {"NomMedia", "TabMedia", {8, 274, 310, 17}}, // the medium's file name
    {"OpenV", "TabMedia", {332, 8, 25, 25}},
    {"SpeedButton7", "TabMedia", {332, 32, 25, 25}},
    {"Memo1", "TabQuestion", {16, 16, 329, 257}},
    {"Legendes", "Form1", {8, 644, 530, 103}},
    {"LegendeC", "Form1", {8, 644, 257, 103}},
    {"LegendeMur", "LegendeC", {8, 24, 40, 20}},
    {"LegendePorteDerobee", "LegendeC", {8, 48, 40, 20}},
    {"LegendePorteFermee", "LegendeC", {8, 72, 40, 20}},
    {"LegendeGrille", "LegendeC", {160, 24, 40, 20}},
    {"LegendeSortie", "LegendeC", {160, 48, 40, 20}},
    {"LegendePassage", "LegendeC", {160, 72, 40, 20}},
    // The colour choices of the locked door and the key, beside their pictures.
    {"CouleurPorte", "LegendeC", {146, 74, 13, 17}},
    {"LegendeS", "Form1", {273, 644, 265, 103}},
    {"LegendeDepart", "LegendeS", {16, 24, 40, 40}},
    {"LegendeCle", "LegendeS", {80, 24, 40, 40}},
    {"LegendeTeleporteur", "LegendeS", {144, 24, 40, 40}},
    {"LegendePlan", "LegendeS", {208, 24, 40, 40}},
    {"CouleurCle", "LegendeS", {122, 46, 16, 16}},
    {"LegendeVide", "LegendeS", {16, 86, 14, 14}},
    {"Paide", "Form1", {546, 644, 470, 103}},
    {"Laide", "Paide", {8, 16, 454, 87}},
    {"TestSon", "Form1", {-600, -600, 245, 240}}, // never seen
};
// The table's entry for a name; null when it holds none.
const Place *place_de(const QString &nom);

// Contents of Ptextures.
struct PlaceEtiquette {
  QRect place;
  const char *texte;
  bool taille; // a size caption (navy, bold 11) rather than a title (bold 13)
};
inline constexpr std::array<PlaceEtiquette, 6> ETIQUETTES_TEXTURES{{
    {{8, 32, 41, 17}, "Murs", false},
    {{56, 32, 81, 17}, "Sol", false},
    {{56, 128, 81, 17}, "200x200", true},
    {{56, 152, 81, 17}, "Plafond", false},
    {{8, 248, 41, 17}, "80x400", true},
    {{56, 248, 81, 17}, "200x200", true},
}};

// Contents of Psons: row k (1..5) has its top at PAS_LIGNE_SON * k.
inline constexpr int PAS_LIGNE_SON = 24;
inline constexpr QRect PLACE_ETIQUETTE_SON{8, 4, 121, 17}; // top is from the row's top
inline constexpr QRect PLACE_P{136, 0, 25, 25};
inline constexpr QRect PLACE_OS{160, 0, 25, 25};
inline constexpr QRect PLACE_E{184, 0, 25, 25};
inline constexpr std::array<const char *, 5> ETIQUETTES_SONS{
    "Ambiance : ", "Pas : ", "Portes : ", "Téléporteurs : ", "Coffres : "};

// Contents of the room panel PC, by tab.
// Answer i (0..4): its label, check box and field stand PAS_REPONSE * i lower than the first.
inline constexpr int PAS_REPONSE = 56;
inline constexpr QRect PLACE_ETIQUETTE_REPONSE{8, 16, 89, 17};
inline constexpr QRect PLACE_CHECK{8, 32, 17, 25};
inline constexpr QRect PLACE_EDIT{32, 32, 321, 24};

// Legend boxes: a kind bitmap and its label.
struct PlaceLegende {
  bool salles;        // in LegendeS, else in LegendeC
  const char *nom;    // object name of the picture
  const char *bitmap; // kind bitmap resource
  QRect etiquette;    // label
  bool centre;
  const char *texte;
  const char *aide;
};
inline constexpr int HAUTEUR_ETIQUETTE_LEGENDE = 17;
inline constexpr std::array<PlaceLegende, 11> LEGENDES{{
    {false, "LegendeMur", "H1", {54, 26, 35, HAUTEUR_ETIQUETTE_LEGENDE}, false, "Mur", AIDE_MUR},
    {false,
     "LegendePorteDerobee",
     "H2",
     {54, 50, 91, HAUTEUR_ETIQUETTE_LEGENDE},
     false,
     "Porte dérobée",
     AIDE_PORTE_DEROBEE},
    {false,
     "LegendePorteFermee",
     "H8",
     {54, 74, 91, HAUTEUR_ETIQUETTE_LEGENDE},
     false,
     "Porte fermée",
     AIDE_PORTE_FERMEE},
    {false,
     "LegendeGrille",
     "H10",
     {206, 26, 43, HAUTEUR_ETIQUETTE_LEGENDE},
     false,
     "Grille",
     AIDE_GRILLE},
    {false,
     "LegendeSortie",
     "H9",
     {206, 50, 43, HAUTEUR_ETIQUETTE_LEGENDE},
     false,
     "Sortie",
     AIDE_SORTIE},
    {false,
     "LegendePassage",
     "H0",
     {206, 74, 49, HAUTEUR_ETIQUETTE_LEGENDE},
     false,
     "Ouvert",
     AIDE_PASSAGE},
    {true,
     "LegendeDepart",
     "C8",
     {6, 66, 59, HAUTEUR_ETIQUETTE_LEGENDE},
     true,
     "Départ",
     AIDE_DEPART},
    {true, "LegendeCle", "C3", {70, 66, 59, HAUTEUR_ETIQUETTE_LEGENDE}, true, "Clé", AIDE_CLE},
    {true,
     "LegendeTeleporteur",
     "C7",
     {128, 66, 73, HAUTEUR_ETIQUETTE_LEGENDE},
     true,
     "Téléporteur",
     AIDE_TELEPORTEUR},
    {true, "LegendePlan", "C9", {200, 66, 57, HAUTEUR_ETIQUETTE_LEGENDE}, true, "Plan", AIDE_PLAN},
    {true, "LegendeVide", "C0", {34, 85, 80, 15}, false, "Salle vide", AIDE_VIDE},
}};
