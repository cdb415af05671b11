#pragma once
// The labyrinth's map for paper: the grid drawn with the kind pictures the editor shows
// (their key colour transparent, so open passages and empty rooms leave the paper white),
// each room outlined in light grey, the rooms that hold a riddle framed, and the column
// letters A-J and row numbers 1-10 on the four edges, so that a room is named like "C4"
// (nom_salle, geometrie.h).
//
// Only the records in use are drawn (partitions below nb_cloisons, rooms below nb_salles),
// each at the place of its index as on the editor's grid; a kind without a picture (a
// damaged file) draws nothing.

#include "itineraire.h"
#include "monde.h"

#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;

// The map's own units: the editor's grid (620 pixels from its first partition to its
// last) with a band for the edge labels on each side. A map COTE_PLAN units wide shows
// the kind pictures at their own size.
inline constexpr int COTE_PLAN = 700;

// Draws the map as large as fits into `cadre` (in the painter's coordinates), centred in
// it. The painter's state is restored afterwards.
void dessine_plan(QPainter &peintre, const Monde &m, const QRectF &cadre);

// Draws the route over a map drawn by dessine_plan into the same `cadre`: a line from room
// centre to room centre, each step a little to the right of its way so that a corridor
// walked there and back shows both ways, an arrow at the middle of each step, a dot on the
// start, a dashed line for a teleport and an arrow out through the exit. The painter's state
// is restored afterwards.
void dessine_itineraire(QPainter &peintre, const Itineraire &route, const QRectF &cadre);

// The map alone on an opaque white square picture `cote` pixels wide, with `route` drawn
// over it when one is given.
QImage image_plan(const Monde &m, int cote = COTE_PLAN, const Itineraire *route = nullptr);

// Kind pictures as the editor draws them (key colour made transparent), loaded once;
// a null image for a kind without a picture.
const QImage &image_cloison(int sens, int32_t contenu);
const QImage &image_salle(int32_t contenu);

// The frame that marks a room with a riddle, on the map and in the legend.
void dessine_cadre_enigme(QPainter &peintre, const QRectF &salle);
