#pragma once
// How the sheet flows onto pages: it is composed first as blocks of pieces, each piece a
// strip of known height that is never cut (a line of text, the map, a rule); pagination
// then gives every piece its page and its top, and only then is anything painted, so that
// every footer can say how many pages there are.

#include <QFont>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QPainter;
class QPaintDevice;

struct Morceau {
  qreal hauteur = 0;
  qreal avant = 0; // space above the piece, dropped at the top of a page
  // Paints the piece with its top at `haut` (the painter's x = 0 is the left margin).
  std::function<void(QPainter &, qreal haut)> dessine;
};

// Pieces that belong together. The first `tete` pieces never end a page apart from the
// rest (a heading with its first lines); an `entier` block that does not fit in what is
// left of the page starts a new one, unless it is taller than a page anyway.
struct Bloc {
  std::vector<Morceau> morceaux;
  bool entier = false;
  int tete = 1;
};

struct Placement {
  qreal haut;
  const Morceau *morceau;
};
// One vector of placements per page, in page order; never empty (a sheet has a page).
using Pages = std::vector<std::vector<Placement>>;

// Places the pieces of `blocs` in order on pages of `hauteur_page`. A single piece taller
// than a page gets a page of its own. The result points into `blocs`.
Pages pagine(const std::vector<Bloc> &blocs, qreal hauteur_page);

// The lines of `texte` wrapped to `largeur` in `police` as measured on `appareil`: each
// paragraph (the text between line breaks) wraps at its blanks (dropped where a line ends),
// and a word longer than the line is cut where it reaches the margin. An empty paragraph
// gives one empty line. One pass over the text, each character measured once: linear in
// its length. Widths are those of `police` without kerning, which is how the sheet draws.

// `texte` on one line of at most `largeur`, cut with "…" where it is longer; only its first
// characters are ever measured, however long it is.
QString elide_ligne(const QString &texte, const QFont &police, qreal largeur,
                    QPaintDevice *appareil);

// The first `nb_lignes` lines of `texte` wrapped as coupe_lignes does, the last one ending
// in "…" when the text goes on: a title of any length takes a few lines at most.
QStringList lignes_bornees(const QString &texte, const QFont &police, qreal largeur, int nb_lignes,
                           QPaintDevice *appareil);
QStringList coupe_lignes(const QString &texte, const QFont &police, qreal largeur,
                         QPaintDevice *appareil);
