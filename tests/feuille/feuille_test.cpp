// The sheet read back as a teacher's PDF reader would: poppler's pdftotext gives its text,
// page by page, and the text must hold every riddle with its correct answers marked.

#include "feuille.h"
#include "monde.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

namespace {

struct Enigme {
  int salle;
  const char *question; // Windows-1252, as the model holds it
  std::array<const char *, NB_REPONSES> reponses;
  const char *bonnes;
  const char *image;
  const char *media;
};

// Every way a riddle can be written: plain choices, a typed answer, a plain message, several
// correct answers with a gap, accents, a ticked box on an empty proposal, a long question.
const std::array<Enigme, 8> ENIGMES{{
    {2,
     "Quelle est la capitale de la France ? ",
     {"Paris", "Lyon", "Marseille", "", ""},
     "10000",
     "",
     ""},
    {11, "Combien font sept fois huit ? ", {"56", "", "", "", ""}, "00000", "", ""},
    {23, "Lis bien ce message avant de continuer. ", {"", "", "", "", ""}, "00000", "", ""},
    {35,
     "Lesquels sont des mammif\xE8res ? ",
     {"La baleine", "Le requin", "La chauve-souris", "", "Le dauphin"},
     "10101",
     "animaux.jpg",
     ""},
    {47,
     "Qui a \xE9\x63rit \xABLes Mis\xE9rables\xBB ? ",
     {"Victor Hugo", "\xC9mile Zola", "Moli\xE8re", "", ""},
     "10000",
     "",
     "\x9Cuvre.mp3"},
    {58, "Le ciel est-il bleu ? ", {"Oui", "", "", "", ""}, "01000", "", ""},
    {60, "Bleu et jaune donnent quelle couleur ? ", {"Vert", "", "", "", ""}, "10000", "", ""},
    {99,
     "Voici une question tr\xE8s longue qui ne tient pas sur une seule ligne de la feuille, "
     "car elle raconte toute une histoire de donjon, de cl\xE9s perdues, de portes "
     "d\xE9rob\xE9\x65s et de t\xE9l\xE9porteurs qui emm\xE8nent le joueur d'un bout \xE0 "
     "l'autre du labyrinthe : est-elle vraie ? ",
     {"Vrai", "Faux", "", "", ""},
     "01000",
     "carte.jpg",
     "vent.mp3"},
}};
constexpr int NB_COCHES = 7; // correct non-empty proposals above

Monde monde_enigmes() {
  Monde m;
  Cree_Monde(m);
  m.titre_lab = "Le tr\xE9sor du donjon";
  m.mission = "Retrouve les cl\xE9s\r\net ouvre la porte \x80 rouge.\r\n";
  m.message_fin = "Bravo !\r\n";
  m.salles[0].contenu = SALLE_DEPART;
  for (const Enigme &e : ENIGMES) {
    Tsalle &s = m.salles[static_cast<size_t>(e.salle)];
    s.question = e.question;
    for (size_t i = 0; i < NB_REPONSES; ++i) {
      s.reponses[i] = e.reponses[i];
      s.bonnes[i] = e.bonnes[i] == '1';
    }
    s.image = e.image;
    s.media = e.media;
  }
  return m;
}

// What the page shows of a model string: Unicode, blanks folded.
QString texte(const char *octets_1252) {
  QString s;
  for (const char *c = octets_1252; *c; ++c) {
    const auto b = static_cast<unsigned char>(*c);
    // The few non-Latin-1 bytes the table uses.
    s += b == 0x80 ? QChar(0x20AC) : b == 0x9C ? QChar(0x0153) : QChar(b);
  }
  return s.simplified();
}

QString lit_pdf(const QString &chemin) {
  const QString outil = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
  if (outil.isEmpty()) {
    ADD_FAILURE() << "pdftotext (Debian package poppler-utils) is needed";
    return {};
  }
  QProcess p;
  // In layout mode a proposal's mark, number and text stay on one line.
  p.start(outil, {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                  chemin, QStringLiteral("-")});
  EXPECT_TRUE(p.waitForFinished(60000));
  EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of a PDF held in memory, pages ended by form feeds as pdftotext gives them.
QString texte_pdf(const QByteArray &pdf) {
  QTemporaryDir dossier;
  const QString chemin = dossier.filePath(QStringLiteral("feuille.pdf"));
  QFile f(chemin);
  EXPECT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(pdf);
  f.close();
  return lit_pdf(chemin);
}

QStringList pages_de(const QString &texte_complet) {
  QStringList pages = texte_complet.split(QChar(u'\f'));
  if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
    pages.removeLast();
  return pages;
}

TEST(Feuille, holdsEveryQuestionAndProposalAndMarksExactlyTheCorrectOnes) {
  const QString brut = texte_pdf(feuille_pdf(monde_enigmes()));
  const QString plie = brut.simplified();
  ASSERT_FALSE(plie.isEmpty());

  std::set<std::pair<int, QString>> justes; // (number, text) of every correct proposal
  for (const Enigme &e : ENIGMES) {
    SCOPED_TRACE(e.salle);
    EXPECT_TRUE(plie.contains(texte(e.question))) << texte(e.question).toStdString();
    for (size_t i = 0; i < NB_REPONSES; ++i) {
      if (*e.reponses[i] == '\0')
        continue;
      EXPECT_TRUE(plie.contains(texte(e.reponses[i]))) << e.reponses[i];
      if (e.bonnes[i] == '1')
        justes.insert({static_cast<int>(i) + 1, texte(e.reponses[i])});
    }
    for (const char *nom : {e.image, e.media}) {
      if (*nom != '\0') {
        EXPECT_TRUE(plie.contains(texte(nom))) << nom;
      }
    }
  }
  EXPECT_EQ(brut.count(QStringLiteral("✔")), NB_COCHES);
  // Each mark stands before a correct proposal, under that proposal's number.
  static const QRegularExpression marque(QStringLiteral("✔\\s*(\\d)\\.\\s*([^\\n]+)"));
  int vues = 0;
  for (auto it = marque.globalMatch(brut); it.hasNext(); ++vues) {
    const QRegularExpressionMatch m = it.next();
    EXPECT_TRUE(justes.count({m.captured(1).toInt(), m.captured(2).simplified()}))
        << m.captured(0).toStdString();
  }
  EXPECT_EQ(vues, NB_COCHES);

  // The typed answer, the plain message and the riddle without a correct proposal are said.
  EXPECT_EQ(plie.count(QStringLiteral("Réponse à taper au clavier : 56")), 1) << brut.toStdString();
  EXPECT_EQ(plie.count(QStringLiteral("simple message")), 1);
  EXPECT_EQ(plie.count(QStringLiteral("Aucune proposition n'est cochée")), 1);
}

TEST(Feuille, holdsTheTitleTextsAndTheRoomsInReadingOrder) {
  const QString plie = texte_pdf(feuille_pdf(monde_enigmes())).simplified();
  for (const char *attendu : {"Le trésor du donjon", "Départ en A1", "Retrouve les clés",
                              "et ouvre la porte € rouge.", "Message de fin", "Bravo !"})
    EXPECT_TRUE(plie.contains(QString::fromUtf8(attendu))) << attendu;
  qsizetype avant = -1;
  for (const char *salle : {"Salle C1 ", "Salle B2 ", "Salle D3 ", "Salle F4 ", "Salle H5 ",
                            "Salle I6 ", "Salle A7 ", "Salle J10 "}) {
    const qsizetype ici = plie.indexOf(QString::fromLatin1(salle));
    EXPECT_GT(ici, avant) << salle;
    avant = ici;
  }
  static const QRegularExpression nom_salle(QStringLiteral("Salle [A-J]\\d"));
  EXPECT_EQ(plie.count(nom_salle), static_cast<qsizetype>(ENIGMES.size()));
}

// Texts far longer than a sheet: each prints its beginning, then how much is left out; the
// title and the footer stay on their few lines, the footer on one.
TEST(Feuille, longTextsPrintTheirBeginningAndSayHowMuchIsLeftOut) {
  Monde m;
  Cree_Monde(m);
  m.titre_lab = std::string(300000, 'T');
  m.mission = "D\xE9" "but de mission " + std::string(100000, 'w');
  m.salles[3].question = "Question " + std::string(10000, 'q');
  m.salles[3].reponses = {"R1 " + std::string(1200, 'r'), "court", "", "", ""};
  m.salles[3].bonnes = {false, true, false, false, false};
  const QString texte = texte_pdf(feuille_pdf(m));
  const QString plie = texte.simplified();
  static const QRegularExpression separateur(QStringLiteral("[\\x{00A0}\\x{202F}]"));
  QString sans_espaces_fines = plie;
  sans_espaces_fines.replace(separateur, QStringLiteral(" "));
  // 100,017 characters, 20,000 printed; 10,009 and 3,000; 1,203 and 1,000.
  for (const char *attendu : {"(suite non imprimée : 80 017 caractères de plus)",
                              "(suite non imprimée : 7 009 caractères de plus)",
                              "(suite non imprimée : 203 caractères de plus)"})
    EXPECT_EQ(sans_espaces_fines.count(QString::fromUtf8(attendu)), 1) << attendu;
  EXPECT_EQ(plie.count(QLatin1Char('w')), 20000 - 17); // after "Début de mission "
  EXPECT_TRUE(plie.contains(QStringLiteral("court")));
  // The footer: the title cut to one line on every page, beside its page number.
  const QStringList pages = pages_de(texte);
  ASSERT_GE(pages.size(), 2);
  for (const QString &page : pages) {
    const QStringList lignes = page.trimmed().split(QLatin1Char('\n'));
    EXPECT_TRUE(lignes.back().contains(QStringLiteral("Page "))) << lignes.back().toStdString();
    EXPECT_TRUE(lignes.back().contains(QStringLiteral("T\u2026"))) << lignes.back().toStdString();
  }
}

// A full labyrinth: 100 riddles, each with a long question, flows onto several pages, each
// numbered out of the right total, and no riddle is lost or repeated at a page break.
TEST(Feuille, hundredRiddlesFlowOntoNumberedPages) {
  Monde m;
  Cree_Monde(m);
  for (int i = 0; i < NB_SALLES_MAX; ++i) {
    Tsalle &s = m.salles[static_cast<size_t>(i)];
    s.question = "Question num\xE9ro " + std::to_string(i) +
                 " : une phrase assez longue pour occuper toute une ligne de la feuille, et "
                 "m\xEAme un peu plus, afin que le texte passe \xE0 la ligne suivante ? ";
    s.reponses = {"Oui", "Non", "Peut-\xEAtre", "", ""};
    s.bonnes = {i % 2 == 0, i % 2 == 1, false, false, false};
  }
  const QStringList pages = pages_de(texte_pdf(feuille_pdf(m)));
  ASSERT_GE(pages.size(), 3);
  for (qsizetype n = 0; n < pages.size(); ++n)
    EXPECT_TRUE(pages[n].contains(QStringLiteral("Page %1 / %2").arg(n + 1).arg(pages.size())))
        << "page " << n + 1;
  const QString plie = pages.join(QLatin1Char(' ')).simplified();
  for (int i = 0; i < NB_SALLES_MAX; ++i)
    EXPECT_EQ(plie.count(QStringLiteral("Question numéro %1 :").arg(i)), 1) << i;
  EXPECT_EQ(plie.count(QStringLiteral("✔")), NB_SALLES_MAX);
}

// The editor prints through a QPrinter; printing to a PDF file goes the same way, and a page
// range prints those pages only, numbered as in the whole sheet.
TEST(Feuille, printsOnAPrinterAndHonoursAPageRange) {
  QTemporaryDir dossier;
  Monde m = monde_enigmes();
  const auto imprime = [&](const QString &nom, int de, int a) {
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setPageSize(QPageSize(QPageSize::A4));
    imprimante.setOutputFileName(dossier.filePath(nom));
    const Resultat r = dessine_feuille(m, imprimante, de, a);
    EXPECT_TRUE(r.ok()) << r.message();
    return pages_de(lit_pdf(dossier.filePath(nom)));
  };
  const QStringList toutes = imprime(QStringLiteral("tout.pdf"), 0, 0);
  ASSERT_GE(toutes.size(), 2);
  EXPECT_TRUE(toutes.join(QString()).contains(QString::fromUtf8("Qui a écrit")));
  const QStringList deuxieme = imprime(QStringLiteral("deux.pdf"), 2, 2);
  ASSERT_EQ(deuxieme.size(), 1);
  EXPECT_TRUE(deuxieme[0].contains(QStringLiteral("Page 2 / %1").arg(toutes.size())));
  EXPECT_EQ(deuxieme[0].simplified(), toutes[1].simplified());

  QPrinter au_dela(QPrinter::HighResolution);
  au_dela.setOutputFormat(QPrinter::PdfFormat);
  au_dela.setOutputFileName(dossier.filePath(QStringLiteral("rien.pdf")));
  const Resultat r = dessine_feuille(m, au_dela, 7, 9);
  EXPECT_FALSE(r.ok());
  EXPECT_NE(r.message().find("rien à imprimer de la page 7 à la page 9"), std::string::npos)
      << r.message();
  EXPECT_FALSE(QFile::exists(dossier.filePath(QStringLiteral("rien.pdf"))));
}

// Whatever the paper the print dialog chose, the first page holds the whole map with its
// legend (its last row label and the first kind it names), not an empty page before it.
TEST(Feuille, firstPageHoldsTheMapOnAnyPaper) {
  struct Papier {
    QPageSize::PageSizeId taille;
    QPageLayout::Orientation sens;
  };
  const std::array<Papier, 5> papiers{{{QPageSize::A4, QPageLayout::Portrait},
                                       {QPageSize::A4, QPageLayout::Landscape},
                                       {QPageSize::A5, QPageLayout::Portrait},
                                       {QPageSize::A5, QPageLayout::Landscape},
                                       {QPageSize::Letter, QPageLayout::Portrait}}};
  Monde m = monde_enigmes();
  for (int i = 0; i < NB_CLOISONS_MAX; ++i)
    m.cloisons[static_cast<size_t>(i)].contenu = i % NB_TYPES_CLOISON; // the longest legend
  for (int i = 0; i < NB_SALLES_MAX; ++i)
    m.salles[static_cast<size_t>(i)].contenu = i % NB_TYPES_SALLE;
  QTemporaryDir dossier;
  for (const Papier &papier : papiers) {
    const QString chemin = dossier.filePath(QStringLiteral("papier.pdf"));
    {
      QPdfWriter pdf(chemin);
      pdf.setPageLayout(QPageLayout(QPageSize(papier.taille), papier.sens,
                                    QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
      ASSERT_TRUE(dessine_feuille(m, pdf).ok());
    }
    const QStringList pages = pages_de(lit_pdf(chemin));
    ASSERT_FALSE(pages.isEmpty());
    SCOPED_TRACE(QPageSize(papier.taille).name().toStdString() + " " + std::to_string(papier.sens));
    static const QRegularExpression dixieme_rang(QStringLiteral("(^|\\s)10\\s"));
    EXPECT_TRUE(pages[0].contains(dixieme_rang)) << pages[0].toStdString();
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Mur"))) << pages[0].toStdString();
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Salle avec énigme")));
  }
}

TEST(Feuille, refusesAPageTooSmallForALine) {
  QTemporaryDir dossier;
  QPdfWriter petit(dossier.filePath(QStringLiteral("petit.pdf")));
  petit.setPageLayout(QPageLayout(QPageSize(QSizeF(30, 30), QPageSize::Millimeter),
                                  QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
                                  QPageLayout::Millimeter));
  const Resultat r = dessine_feuille(monde_enigmes(), petit);
  EXPECT_FALSE(r.ok());
  EXPECT_NE(r.message().find("trop petite"), std::string::npos) << r.message();
}

TEST(Feuille, writesItsFilesWholeOrNotAtAll) {
  QTemporaryDir dossier;
  const std::string pdf = dossier.filePath(QStringLiteral("f.pdf")).toStdString();
  ASSERT_TRUE(ecrit_feuille_pdf(monde_enigmes(), pdf).ok());
  QFile f(QString::fromStdString(pdf));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_TRUE(f.readAll().startsWith("%PDF-"));
  const Resultat r = ecrit_plan_png(
      monde_enigmes(), dossier.filePath(QStringLiteral("nulle/part.png")).toStdString());
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(r.message(), "Invalid filename");
}

} // namespace
