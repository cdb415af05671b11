#pragma once
// The teacher's sheet of a labyrinth: a printable document, in French, holding the title,
// the map with its legend, the mission and the end message, then every riddle room by room
// in reading order with its question, picture, medium and proposals, the correct ones
// marked "✔". Long texts wrap and the riddles flow onto as many pages as they need, each
// page numbered.
//
// Usable without a display (a QGuiApplication on the offscreen platform is enough) and by
// the editor with a QPrinter, which is a QPagedPaintDevice. Nothing here changes the Monde.
// Failures come back as a Resultat whose message (UTF-8) is for the one error box.

#include "monde.h"
#include "resultat.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QPagedPaintDevice;

// What a sheet shows beyond the labyrinth itself.
struct OptionsFeuille {
  // The pupils' version: proposals without the marks of the correct ones, a typed answer
  // replaced by a line to write on, and "feuille de l'élève" at the top.
  bool eleve = false;
  // The shortest route from the start to an exit (itineraire.h) drawn on the map and
  // listed under it.
  bool itineraire = false;
  // Loads the picture a riddle names (Windows-1252, as the room holds it) reduced for a
  // frame of `cadre` pixels, its proportions kept; a null image when it is missing or
  // unreadable (then its name alone is printed). Left empty, no picture is printed.
  std::function<QImage(const std::string &nom, QSize cadre)> image;
};

// The title a sheet's document carries (a PDF's, a print job's): the labyrinth's title on
// one line, "Labyrinthe sans titre" when it has none.
QString titre_document(const Monde &m);

// Printing from a window: a QPrinter set to A4, shown in a QPrintDialog, which
// offers printing to a PDF file too; once accepted,
//   dessine_feuille(monde, imprimante, imprimante.fromPage(), imprimante.toPage())
// with the room panel stored into its room first, so that the sheet shows what is on screen.
//
// Paints the sheet onto `appareil` in its current page size and margins (a QPrinter set up
// by the print dialog, a QPdfWriter), starting on its current page. Pages `de` to `a`
// (numbered from 1, as printed in their footers) are painted; 0 leaves that end open, so
// the defaults paint them all. Fails when painting cannot start (a printer that is not
// ready), the device is too small to hold a line, or the pages asked for are beyond the
// sheet's last page (then nothing is painted).
Resultat dessine_feuille(const Monde &m, QPagedPaintDevice &appareil, int de = 0, int a = 0,
                         const OptionsFeuille &options = {});

// The sheets of several labyrinths (an adventure) one after the other, each starting on a
// new page, the pages numbered through the whole; each footer names its own labyrinth.
Resultat dessine_feuilles(const std::vector<const Monde *> &mondes, QPagedPaintDevice &appareil,
                          int de = 0, int a = 0, const OptionsFeuille &options = {});

// The sheet as a PDF document on A4 portrait paper, titled with titre_document (of the
// first labyrinth for several). An empty array when painting failed.
QByteArray feuille_pdf(const Monde &m, const OptionsFeuille &options = {});
QByteArray feuille_pdf(const std::vector<const Monde *> &mondes,
                       const OptionsFeuille &options = {});

// The two files of `dravo-lab feuille`: the sheet as PDF, the map alone as a PNG picture
// (plan.h, COTE_PLAN pixels wide). The file at `chemin` is replaced only once complete.
Resultat ecrit_feuille_pdf(const std::vector<const Monde *> &mondes, const std::string &chemin,
                           const OptionsFeuille &options = {});
Resultat ecrit_feuille_pdf(const Monde &m, const std::string &chemin,
                           const OptionsFeuille &options = {});
// With options.itineraire, the route is drawn over the map.
Resultat ecrit_plan_png(const Monde &m, const std::string &chemin,
                        const OptionsFeuille &options = {});
