#pragma once
// The editor window's layout: where every control sits and which font it uses, as one set
// of named places. Positions are window pixels, or pixels from the corner of the box,
// panel or tab page that holds the control. The window is laid out for a 1024 x 768 screen
// and does not follow the screen size.

#include <QColor>
#include <QRect>

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

// Window-level controls, as they stand after start-up.
inline constexpr QRect PLACE_B1{0, 0, LARGEUR_FENETRE, HAUTEUR_FENETRE};
inline constexpr QRect PLACE_MARQUE{-100, -100, 44, 44}; // parked: no room selected
inline constexpr QRect PLACE_PTEXTURES{640, 8, 145, 273};
inline constexpr QRect PLACE_TITRE{793, 10, 180, 40};
inline constexpr QRect PLACE_QUITTER{976, 8, 41, 41};
inline constexpr QRect PLACE_PCOMMANDES{805, 57, 201, 41};
inline constexpr QRect PLACE_PTITRE{805, 102, 201, 21};
inline constexpr QRect PLACE_PSONS{797, 123, 217, 153};
inline constexpr QRect PLACE_PC{640, 296, 369, 329};
inline constexpr QRect PLACE_LEGENDEC{8, 644, 257, 103};
inline constexpr QRect PLACE_LEGENDES{273, 644, 265, 103};
inline constexpr QRect PLACE_PAIDE{546, 644, 470, 103};
inline constexpr QRect PLACE_LAIDE{8, 16, 454, 87};         // in Paide
inline constexpr QRect PLACE_TESTSON{-600, -600, 245, 240}; // never seen

// The spacings from which the window's creation handler places the boxes one after the other.
inline constexpr int ECART_BOITES = 8;
inline constexpr int RETRAIT_PCOMMANDES = 20; // Pcommandes sits further right than titre
inline constexpr int ECART_PTITRE = 4;        // between Pcommandes and Ptitre
inline constexpr int MARGE_QUITTER = 48;      // from the window's right edge to quitter
inline constexpr int MARGE_LAIDE = 16;        // Laide is Paide less this in width and height

// The five command buttons in Pcommandes, all 41 x 41 at top 0.
inline constexpr int TAILLE_BOUTON_COMMANDE = 41;
inline constexpr int PAS_BOUTON_COMMANDE = 40;
inline constexpr int TAILLE_GLYPHE_COMMANDE = 32;

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
inline constexpr QRect PLACE_TM{9, 49, 40, 200};
inline constexpr QRect PLACE_TS{57, 48, 80, 80};
inline constexpr QRect PLACE_TP{57, 168, 80, 80};

// Contents of Psons: row k (1..5) has its top at PAS_LIGNE_SON * k.
inline constexpr int PAS_LIGNE_SON = 24;
inline constexpr QRect PLACE_ETIQUETTE_SON{8, 4, 121, 17}; // top is from the row's top
inline constexpr QRect PLACE_P{136, 0, 25, 25};
inline constexpr QRect PLACE_OS{160, 0, 25, 25};
inline constexpr QRect PLACE_E{184, 0, 25, 25};
inline constexpr std::array<const char *, 5> ETIQUETTES_SONS{
    "Ambiance : ", "Pas : ", "Portes : ", "Téléporteurs : ", "Coffres : "};

// Contents of the room panel PC, by tab.
inline constexpr QRect PLACE_IMAGE_EPREUVE{8, 24, 320, 240};
inline constexpr QRect PLACE_OUVRIR{332, 8, 25, 25};   // OpenI, OpenV
inline constexpr QRect PLACE_EFFACER{332, 32, 25, 25}; // SpeedButton5, SpeedButton7
inline constexpr QRect PLACE_WMP2{8, 8, 310, 280};
inline constexpr QRect PLACE_MEMO1{16, 16, 329, 257};
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
  int x, y;           // picture
  QRect etiquette;    // label
  bool centre;
  const char *texte;
  const char *aide;
};
inline constexpr int HAUTEUR_ETIQUETTE_LEGENDE = 17;
inline constexpr std::array<PlaceLegende, 9> LEGENDES{{
    {false,
     "LegendeMur",
     "H1",
     8,
     24,
     {54, 26, 35, HAUTEUR_ETIQUETTE_LEGENDE},
     false,
     "Mur",
     AIDE_MUR},
    {false,
     "LegendePorteDerobee",
     "H2",
     8,
     48,
     {54, 50, 91, HAUTEUR_ETIQUETTE_LEGENDE},
     false,
     "Porte dérobée",
     AIDE_PORTE_DEROBEE},
    {false,
     "LegendePorteFermee",
     "H8",
     8,
     72,
     {54, 74, 91, HAUTEUR_ETIQUETTE_LEGENDE},
     false,
     "Porte fermée",
     AIDE_PORTE_FERMEE},
    {false,
     "LegendeGrille",
     "H10",
     160,
     24,
     {206, 26, 43, HAUTEUR_ETIQUETTE_LEGENDE},
     false,
     "Grille",
     AIDE_GRILLE},
    {false,
     "LegendeSortie",
     "H9",
     160,
     48,
     {206, 50, 43, HAUTEUR_ETIQUETTE_LEGENDE},
     false,
     "Sortie",
     AIDE_SORTIE},
    {true,
     "LegendeDepart",
     "C8",
     16,
     24,
     {6, 66, 59, HAUTEUR_ETIQUETTE_LEGENDE},
     true,
     "Départ",
     AIDE_DEPART},
    {true,
     "LegendeCle",
     "C3",
     80,
     24,
     {70, 66, 59, HAUTEUR_ETIQUETTE_LEGENDE},
     true,
     "Clé",
     AIDE_CLE},
    {true,
     "LegendeTeleporteur",
     "C7",
     144,
     24,
     {128, 66, 73, HAUTEUR_ETIQUETTE_LEGENDE},
     true,
     "Téléporteur",
     AIDE_TELEPORTEUR},
    {true,
     "LegendePlan",
     "C9",
     208,
     24,
     {200, 66, 57, HAUTEUR_ETIQUETTE_LEGENDE},
     true,
     "Plan",
     AIDE_PLAN},
}};
