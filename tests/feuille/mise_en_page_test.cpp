// The sheet's line breaking and elision: every line within the width, no word cut but one
// longer than a line, each line as full as it can be, and titles of any length on a few
// lines at most.

#include "feuille.h"
#include "mise_en_page.h"
#include "monde.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QFont police_texte() {
  QFont f;
  f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  f.setPointSizeF(10.5);
  f.setKerning(false);
  return f;
}

struct Page {
  QImage appareil{800, 600, QImage::Format_RGB32};
  QFont police = police_texte();
  qreal largeur(const QString &s) { return QFontMetricsF(police, &appareil).horizontalAdvance(s); }
};

// Words of 1 to 9 letters, one of 300 letters now and then.
QString mots(int nombre, unsigned graine) {
  QString t;
  unsigned x = graine;
  for (int i = 0; i < nombre; ++i) {
    x = x * 1103515245u + 12345u;
    const int longueur = (x >> 16) % 40 == 0 ? 300 : 1 + static_cast<int>((x >> 20) % 9);
    for (int k = 0; k < longueur; ++k)
      t += QChar(u'a' + static_cast<char16_t>((x >> (k % 20)) % 26));
    if (i + 1 < nombre)
      t += QLatin1Char(' ');
  }
  return t;
}

} // namespace

TEST(MiseEnPage, LinesFitAreFullAndCutOnlyWordsLongerThanALine) {
  Page p;
  const qreal largeur = 200;
  const QString texte = mots(3000, 5);
  const QStringList lignes = coupe_lignes(texte, p.police, largeur, &p.appareil);
  ASSERT_GT(lignes.size(), 100);
  // Nothing lost or added: the lines joined give the text back, each joined where it ended
  // at a blank, or glued where a long word was cut.
  qsizetype lu = 0;
  for (qsizetype n = 0; n < lignes.size(); ++n) {
    const QString &l = lignes[n];
    EXPECT_LE(p.largeur(l), largeur + 0.01) << n;
    EXPECT_FALSE(l.isEmpty()) << n;
    EXPECT_FALSE(l.startsWith(QLatin1Char(' ')) || l.endsWith(QLatin1Char(' '))) << n;
    ASSERT_EQ(texte.mid(lu, l.size()), l) << n;
    lu += l.size();
    const bool a_un_blanc = lu < texte.size() && texte[lu] == u' ';
    if (n + 1 < lignes.size()) {
      // As full as it can be: the next word (or, in a cut word, the next letter) does not fit.
      const QString suivant =
          a_un_blanc ? QLatin1Char(' ') + lignes[n + 1].section(u' ', 0, 0) : lignes[n + 1].left(1);
      EXPECT_GT(p.largeur(l + suivant), largeur) << n << ": " << l.toStdString();
    }
    if (a_un_blanc)
      ++lu;
  }
  EXPECT_EQ(lu, texte.size());
}

TEST(MiseEnPage, ParagraphsAndBlanks) {
  Page p;
  EXPECT_EQ(coupe_lignes(QStringLiteral("un\r\ndeux\rtrois\nquatre"), p.police, 300, &p.appareil),
            QStringList({"un", "deux", "trois", "quatre"}));
  // Empty paragraphs are empty lines, a line of blanks too; blanks inside a line stay.
  EXPECT_EQ(coupe_lignes(QStringLiteral("a\n\n   \nb  c  "), p.police, 300, &p.appareil),
            QStringList({"a", "", "", "b  c"}));
  EXPECT_EQ(coupe_lignes(QString(), p.police, 300, &p.appareil), QStringList({""}));
  // A blank run where a line ends is dropped whole.
  const QStringList l = coupe_lignes(QStringLiteral("aaaa     bbbb"), p.police,
                                     p.largeur(QStringLiteral("aaaa  ")), &p.appareil);
  EXPECT_EQ(l, QStringList({"aaaa", "bbbb"}));
}

TEST(MiseEnPage, AWordOfAMillionLettersIsCutIntoFullLines) {
  Page p;
  const QString mot(1'000'000, QLatin1Char('m'));
  const qreal largeur = 150;
  const QStringList lignes = coupe_lignes(mot, p.police, largeur, &p.appareil);
  const qsizetype par_ligne = lignes.front().size();
  EXPECT_LE(p.largeur(lignes.front()), largeur);
  EXPECT_GT(p.largeur(lignes.front() + QLatin1Char('m')), largeur);
  EXPECT_EQ(lignes.size(), (mot.size() + par_ligne - 1) / par_ligne);
  EXPECT_EQ(lignes.join(QString()), mot);
}

TEST(MiseEnPage, TitlesOfAnyLengthAreElided) {
  Page p;
  const QString long_titre = mots(400'000, 9); // about 2 MB
  const QString ligne = elide_ligne(long_titre, p.police, 300, &p.appareil);
  EXPECT_LE(p.largeur(ligne), 300);
  EXPECT_TRUE(ligne.endsWith(QChar(0x2026)));
  EXPECT_TRUE(long_titre.startsWith(ligne.chopped(1)));
  EXPECT_EQ(elide_ligne(QStringLiteral("Court"), p.police, 300, &p.appareil), "Court");

  const QStringList trois = lignes_bornees(long_titre, p.police, 300, 3, &p.appareil);
  ASSERT_EQ(trois.size(), 3);
  EXPECT_TRUE(trois[2].endsWith(QChar(0x2026)));
  for (const QString &l : trois)
    EXPECT_LE(p.largeur(l), 300);
  EXPECT_EQ(lignes_bornees(QStringLiteral("Le tr\u00E9sor"), p.police, 300, 3, &p.appareil),
            QStringList({QStringLiteral("Le tr\u00E9sor")}));
}

// A title of 2 MB: the sheet is made, its header and footer hold a few lines of it.
TEST(MiseEnPage, TheSheetOfATwoMegabyteTitleHasOnePage) {
  Monde m;
  Cree_Monde(m);
  m.titre_lab = mots(400'000, 3).toStdString();
  const QByteArray pdf = feuille_pdf(m);
  ASSERT_FALSE(pdf.isEmpty());
  EXPECT_EQ(pdf.count("/Type /Page\n"), 1);
}
