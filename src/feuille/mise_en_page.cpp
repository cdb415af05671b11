#include "mise_en_page.h"

#include <QFontMetricsF>

#include <algorithm>
#include <vector>

Pages pagine(const std::vector<Bloc> &blocs, qreal hauteur_page) {
  Pages pages(1);
  qreal y = 0;
  const auto nouvelle_page = [&] {
    pages.emplace_back();
    y = 0;
  };
  for (const Bloc &bloc : blocs) {
    if (bloc.morceaux.empty())
      continue;
    // Heights as they would be from here: the first piece's space counts unless at the top.
    qreal total = 0, tete = 0;
    for (size_t i = 0; i < bloc.morceaux.size(); ++i) {
      const Morceau &m = bloc.morceaux[i];
      total += (i > 0 || y > 0 ? m.avant : 0) + m.hauteur;
      if (i < static_cast<size_t>(std::max(bloc.tete, 1)))
        tete = total;
    }
    const qreal sans_espace = total - (y > 0 ? bloc.morceaux.front().avant : 0);
    if (y > 0 && y + total > hauteur_page &&
        ((bloc.entier && sans_espace <= hauteur_page) || y + tete > hauteur_page))
      nouvelle_page();
    for (const Morceau &m : bloc.morceaux) {
      qreal avant = y > 0 ? m.avant : 0;
      if (y > 0 && y + avant + m.hauteur > hauteur_page) {
        nouvelle_page();
        avant = 0;
      }
      pages.back().push_back({y + avant, &m});
      y += avant + m.hauteur;
    }
  }
  return pages;
}

namespace {

// The advance of each character of the text's font, measured once per character: a text of
// any length is measured in one pass. The sheet's fonts are set without kerning, so that a
// line is as wide as the sum of its characters.
class Avances {
public:
  Avances(const QFont &police, QPaintDevice *appareil) : mesure_(police, appareil) {}

  // The advance of the character (or surrogate pair) at `i`, and its length in code units.
  qreal de(const QString &texte, qsizetype i, qsizetype &longueur) {
    const QChar c = texte[i];
    if (c.isHighSurrogate() && i + 1 < texte.size() && texte[i + 1].isLowSurrogate()) {
      longueur = 2;
      return mesure_.horizontalAdvance(texte.mid(i, 2));
    }
    longueur = 1;
    float &a = connues_[c.unicode()];
    if (a < 0)
      a = static_cast<float>(mesure_.horizontalAdvance(c));
    return a;
  }

private:
  QFontMetricsF mesure_;
  std::vector<float> connues_ = std::vector<float>(0x10000, -1.0f);
};

bool blanc(QChar c) {
  return c == u' ' || c == u'\t';
}

// Greedy wrapping of one paragraph, text[debut, fin): a line ends at the last blank that
// keeps it within `largeur` (the blanks there are dropped), or, for a word longer than the
// line, before the first character that would pass it.
void coupe_paragraphe(const QString &texte, qsizetype debut, qsizetype fin, qreal largeur,
                      Avances &avances, QStringList &lignes) {
  if (debut == fin) {
    lignes << QString();
    return;
  }
  qsizetype ligne = debut;  // start of the current line
  qsizetype coupure = -1;   // a blank of the line where it may end, or -1
  qsizetype reprise = -1;   // where the next line starts when it ends at `coupure`
  qreal large = 0;          // the line's width so far
  qreal depuis_reprise = 0; // the width from `reprise` on
  qsizetype i = debut;
  while (i < fin) {
    qsizetype n = 1;
    const qreal a = avances.de(texte, i, n);
    if (blanc(texte[i])) {
      if (coupure < 0 || reprise != i)
        coupure = i; // the first blank of a run
      reprise = i + n;
      depuis_reprise = 0;
      large += a;
      i += n;
      continue;
    }
    // A word that passes the line goes to the next one; if it is still too long there, it
    // is cut before this character.
    while (large + a > largeur && i > ligne) {
      if (coupure > ligne) {
        lignes << texte.mid(ligne, coupure - ligne);
        ligne = reprise;
        large = depuis_reprise;
      } else {
        lignes << texte.mid(ligne, i - ligne);
        ligne = i;
        large = 0;
        depuis_reprise = 0;
      }
      coupure = -1;
      reprise = -1;
    }
    large += a;
    depuis_reprise += a;
    i += n;
  }
  // The last line, without its trailing blanks (a paragraph of blanks gives an empty line).
  qsizetype fin_ligne = fin;
  while (fin_ligne > ligne && blanc(texte[fin_ligne - 1]))
    --fin_ligne;
  lignes << texte.mid(ligne, fin_ligne - ligne);
}

} // namespace

QStringList coupe_lignes(const QString &texte, const QFont &police, qreal largeur,
                         QPaintDevice *appareil) {
  QFont sans_crenage = police;
  sans_crenage.setKerning(false);
  Avances avances(sans_crenage, appareil);
  QStringList lignes;
  qsizetype debut = 0;
  for (;;) {
    qsizetype fin = debut;
    while (fin < texte.size() && texte[fin] != u'\n' && texte[fin] != u'\r')
      ++fin;
    coupe_paragraphe(texte, debut, fin, largeur, avances, lignes);
    if (fin == texte.size())
      break;
    debut =
        fin + (texte[fin] == u'\r' && fin + 1 < texte.size() && texte[fin + 1] == u'\n' ? 2 : 1);
  }
  return lignes;
}

QString elide_ligne(const QString &texte, const QFont &police, qreal largeur,
                    QPaintDevice *appareil) {
  // A line holds at most a few hundred characters: the rest is never measured.
  constexpr qsizetype LONGUEUR_MAX = 1000;
  QString debut = texte.left(LONGUEUR_MAX);
  if (debut.size() < texte.size())
    debut += QChar(0x2026);
  const QFontMetricsF mesure(police, appareil);
  return mesure.elidedText(debut, Qt::ElideRight, largeur);
}

QStringList lignes_bornees(const QString &texte, const QFont &police, qreal largeur, int nb_lignes,
                           QPaintDevice *appareil) {
  // Lines are never longer than a few hundred characters.
  const qsizetype lus = std::min<qsizetype>(texte.size(), qsizetype{400} * (nb_lignes + 1));
  QStringList lignes = coupe_lignes(texte.left(lus), police, largeur, appareil);
  if (lignes.size() <= nb_lignes && lus == texte.size())
    return lignes;
  lignes = lignes.mid(0, nb_lignes);
  if (lignes.isEmpty())
    return lignes;
  QFont sans_crenage = police;
  sans_crenage.setKerning(false);
  lignes.back() = elide_ligne(lignes.back() + QChar(0x2026), sans_crenage, largeur, appareil);
  return lignes;
}
