// What the sheet's options add, read back from the PDF as a reader would (poppler's pdftotext,
// pdfinfo and pdftoppm): the pupils' version without answers, several labyrinths in one
// document, the route, the teleporters and a riddle's picture.

#include "feuille.h"
#include "itineraire.h"
#include "plan.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

// Runs a poppler tool on `pdf` held in memory; its standard output. `png` set: pdftoppm's
// first page as a picture in it.
QByteArray poppler(const char *outil, const QByteArray &pdf, QStringList args,
                   QImage *png = nullptr) {
  const QString programme = QStandardPaths::findExecutable(QString::fromLatin1(outil));
  if (programme.isEmpty()) {
    ADD_FAILURE() << outil << " (Debian package poppler-utils) is needed";
    return {};
  }
  QTemporaryDir dossier;
  const QString chemin = dossier.filePath(QStringLiteral("feuille.pdf"));
  QFile f(chemin);
  EXPECT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(pdf);
  f.close();
  args << chemin;
  if (png)
    args << dossier.filePath(QStringLiteral("page"));
  else if (QLatin1String(outil) == QLatin1String("pdftotext"))
    args << QStringLiteral("-");
  QProcess p;
  p.start(programme, args);
  EXPECT_TRUE(p.waitForFinished(60000));
  EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  if (png)
    *png = QImage(dossier.filePath(QStringLiteral("page.png")));
  return p.readAllStandardOutput();
}

QString texte(const QByteArray &pdf) {
  return QString::fromUtf8(
      poppler("pdftotext", pdf, {QStringLiteral("-layout"), QStringLiteral("-enc"), "UTF-8"}));
}

QStringList pages_de(const QString &texte_complet) {
  QStringList pages = texte_complet.split(QChar(u'\f'));
  if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
    pages.removeLast();
  return pages;
}

void ouvre(Monde &m, int salle, Direction d, int32_t type = CLOISON_OUVERTE) {
  m.cloisons[static_cast<size_t>(cote_salle(salle, d).cloison)].contenu = type;
}

// A start in A1, the red key in A3 below, a red door east of A1 and the exit north of B1;
// a choice in A3 (Paris correct), a typed answer in B1 ("cinquante-six"), one without any
// correct proposal in C5.
Monde labyrinthe(const char *titre) {
  Monde m;
  Cree_Monde(m);
  m.titre_lab = titre;
  m.salles[0].contenu = SALLE_DEPART;
  ouvre(m, indice_salle(0, 0), Direction::sud);
  ouvre(m, indice_salle(0, 1), Direction::sud);
  m.salles[static_cast<size_t>(indice_salle(0, 2))].contenu = SALLE_CLE_ROUGE;
  ouvre(m, 0, Direction::est, CLOISON_PORTE_ROUGE);
  ouvre(m, indice_salle(1, 0), Direction::nord, CLOISON_SORTIE);
  Tsalle &a3 = m.salles[static_cast<size_t>(indice_salle(0, 2))];
  a3.question = "Quelle est la capitale ?";
  a3.reponses = {"Paris", "Lyon", "Nantes", "", ""};
  a3.bonnes = {true, false, false, false, false};
  a3.image = "paris.jpg";
  Tsalle &b1 = m.salles[static_cast<size_t>(indice_salle(1, 0))];
  b1.question = "Sept fois huit ?";
  b1.reponses = {"cinquante-six", "", "", "", ""};
  Tsalle &c5 = m.salles[static_cast<size_t>(indice_salle(2, 4))];
  c5.question = "Question sans bonne r\xE9ponse ?";
  c5.reponses = {"oui", "non", "", "", ""};
  return m;
}

} // namespace

TEST(OptionsFeuille, ThePupilsSheetListsEveryProposalWithoutAnyAnswer) {
  const Monde m = labyrinthe("Essai");
  const QString enseignant = texte(feuille_pdf(m)).simplified();
  ASSERT_TRUE(enseignant.contains(QStringLiteral("✔ 1. Paris"))) << enseignant.toStdString();
  ASSERT_TRUE(enseignant.contains(QStringLiteral("cinquante-six")));

  OptionsFeuille eleve;
  eleve.eleve = true;
  const QString plie = texte(feuille_pdf(m, eleve)).simplified();
  EXPECT_TRUE(plie.contains(QStringLiteral("feuille de l'élève"))) << plie.toStdString();
  EXPECT_FALSE(plie.contains(QStringLiteral("feuille de l'enseignant")));
  EXPECT_FALSE(plie.contains(QStringLiteral("✔")));
  for (const char *proposition : {"1. Paris", "2. Lyon", "3. Nantes", "1. oui", "2. non"})
    EXPECT_TRUE(plie.contains(QString::fromUtf8(proposition))) << proposition;
  EXPECT_TRUE(plie.contains(QStringLiteral("Réponse à taper au clavier")));
  EXPECT_FALSE(plie.contains(QStringLiteral("cinquante-six"))) << "the typed answer is hidden";
  // Saying that no proposal is correct would tell the answer too.
  EXPECT_FALSE(plie.contains(QStringLiteral("Aucune proposition n'est cochée")));
}

TEST(OptionsFeuille, AnAdventureIsOneDocumentOfEverySheetInTurn) {
  const Monde premier = labyrinthe("Le ch\xE2teau"), second = labyrinthe("La for\xEAt");
  const int pages_premier = static_cast<int>(pages_de(texte(feuille_pdf(premier))).size());
  const int pages_second = static_cast<int>(pages_de(texte(feuille_pdf(second))).size());
  const QByteArray pdf = feuille_pdf(std::vector<const Monde *>{&premier, &second});
  const QStringList pages = pages_de(texte(pdf));
  const int total = pages_premier + pages_second;
  ASSERT_EQ(pages.size(), total);
  for (int n = 0; n < total; ++n) {
    SCOPED_TRACE(n + 1);
    EXPECT_TRUE(pages[n].contains(QStringLiteral("Page %1 / %2").arg(n + 1).arg(total)));
    // Each page's footer names its own labyrinth.
    EXPECT_TRUE(pages[n].contains(n < pages_premier ? QStringLiteral("Le château")
                                                    : QStringLiteral("La forêt")));
  }
  // The second sheet starts on a page of its own, with its heading.
  EXPECT_TRUE(pages[pages_premier].simplified().startsWith(
      QStringLiteral("Dravo-Editeur · feuille de l'enseignant La forêt")))
      << pages[pages_premier].toStdString();
  // The document is titled with the first labyrinth's title.
  const QString infos =
      QString::fromUtf8(poppler("pdfinfo", pdf, {QStringLiteral("-enc"), "UTF-8"}));
  EXPECT_TRUE(infos.contains(QStringLiteral("Le château"))) << infos.toStdString();
  EXPECT_FALSE(infos.contains(QStringLiteral("La forêt")));
  EXPECT_TRUE(feuille_pdf(std::vector<const Monde *>{}).isEmpty());
}

TEST(OptionsFeuille, TheDocumentTitleIsTheLabyrinthsOnOneLine) {
  Monde m;
  Cree_Monde(m);
  EXPECT_EQ(titre_document(m), QStringLiteral("Labyrinthe sans titre"));
  m.titre_lab = "  Le   ch\xE2teau\t ";
  EXPECT_EQ(titre_document(m), QStringLiteral("Le château"));
  m.titre_lab = std::string(5000, 'x');
  EXPECT_EQ(titre_document(m).size(), 200);
}

TEST(OptionsFeuille, TheRouteIsListedOnlyWhenAskedAndDrawnOnTheMap) {
  const Monde m = labyrinthe("Essai");
  EXPECT_FALSE(texte(feuille_pdf(m)).contains(QStringLiteral("Itinéraire")));
  OptionsFeuille chemin;
  chemin.itineraire = true;
  const QString plie = texte(feuille_pdf(m, chemin)).simplified();
  EXPECT_TRUE(plie.contains(QStringLiteral(
      "Itinéraire 6 déplacements : A1 → A2 → A3 (prendre la clé rouge) → A2 → A1 → B1 (par la "
      "porte rouge) → sortie par le bord nord de B1")))
      << plie.toStdString();

  // Without a route, the sheet says why.
  Monde ferme = m;
  ferme.salles[static_cast<size_t>(indice_salle(0, 2))].contenu = SALLE_VIDE;
  EXPECT_TRUE(texte(feuille_pdf(ferme, chemin))
                  .simplified()
                  .contains(QStringLiteral(
                      "Pas d'itinéraire : aucun chemin ne mène du départ à une sortie.")));

  // On the map, the line crosses the open passage between A1 and A2, which the map alone
  // leaves white.
  const Avec<Itineraire> route = itineraire(Plateau(m));
  ASSERT_TRUE(route);
  const QImage seul = image_plan(m), trace = image_plan(m, COTE_PLAN, &route.valeur());
  // A1 spans (60, 60) to (100, 100) in map units, A2 60 below it; the passage between them
  // lies from y = 100 to 120.
  int blancs_seul = 0, colores_trace = 0;
  for (int y = 102; y < 118; ++y)
    for (int x = 70; x < 90; ++x) {
      blancs_seul += seul.pixel(x, y) == qRgb(255, 255, 255);
      const QColor c = trace.pixelColor(x, y);
      colores_trace += c.red() > 180 && c.green() < 140 && c.blue() < 100;
    }
  EXPECT_EQ(blancs_seul, 16 * 20);
  EXPECT_GT(colores_trace, 30);
}

TEST(OptionsFeuille, SaysWhereEachTeleporterLeads) {
  Monde m = labyrinthe("Essai");
  EXPECT_FALSE(texte(feuille_pdf(m)).contains(QStringLiteral("Téléporteurs")));
  m.salles[static_cast<size_t>(indice_salle(1, 1))].contenu = SALLE_TELEPORTEUR; // B2
  EXPECT_TRUE(
      texte(feuille_pdf(m))
          .simplified()
          .contains(QStringLiteral("Téléporteurs B2 : seul téléporteur, il ne mène nulle part")));
  m.salles[static_cast<size_t>(indice_salle(7, 7))].contenu = SALLE_TELEPORTEUR; // H8
  QString plie = texte(feuille_pdf(m)).simplified();
  EXPECT_TRUE(plie.contains(QStringLiteral("Téléporteurs B2 → H8 H8 → B2"))) << plie.toStdString();
  m.salles[static_cast<size_t>(indice_salle(4, 4))].contenu = SALLE_TELEPORTEUR; // E5
  plie = texte(feuille_pdf(m)).simplified();
  EXPECT_TRUE(plie.contains(QStringLiteral("B2 → au hasard E5 ou H8 E5 → au hasard B2 ou H8 "
                                           "H8 → au hasard B2 ou E5")))
      << plie.toStdString();
}

TEST(OptionsFeuille, PrintsTheRiddlesPictureSmallAtTheRightOfItsRiddle) {
  const Monde m = labyrinthe("Essai");
  // A magenta picture, a colour nothing else on the sheet has.
  std::vector<std::string> demandees;
  OptionsFeuille avec_image;
  avec_image.image = [&](const std::string &nom, QSize cadre) {
    demandees.push_back(nom);
    EXPECT_GT(cadre.width(), 0);
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    return image;
  };
  const auto magenta = [](const QImage &page) {
    QRect boite;
    for (int y = 0; y < page.height(); ++y)
      for (int x = 0; x < page.width(); ++x) {
        const QColor c = page.pixelColor(x, y);
        if (c.red() > 230 && c.green() < 30 && c.blue() > 230)
          boite |= QRect(x, y, 1, 1);
      }
    return boite;
  };
  const auto page_enigmes = [&](const QByteArray &pdf) {
    const int pages = static_cast<int>(pages_de(texte(pdf)).size());
    QImage page;
    const QString derniere = QString::number(pages);
    poppler("pdftoppm", pdf,
            {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("50"),
             QStringLiteral("-singlefile"), QStringLiteral("-f"), derniere, QStringLiteral("-l"),
             derniere},
            &page);
    return page;
  };

  EXPECT_TRUE(magenta(page_enigmes(feuille_pdf(m))).isEmpty());
  const QImage page = page_enigmes(feuille_pdf(m, avec_image));
  ASSERT_FALSE(page.isNull());
  EXPECT_EQ(demandees, std::vector<std::string>{"paris.jpg"});
  const QRect boite = magenta(page);
  ASSERT_FALSE(boite.isEmpty());
  // Small: a fraction of the page's width, in its right half, its proportions kept.
  EXPECT_GT(boite.left(), page.width() / 2);
  EXPECT_LT(boite.width(), page.width() / 3);
  EXPECT_NEAR(static_cast<double>(boite.width()) / boite.height(), 4.0 / 3.0, 0.15);

  // A picture that cannot be found prints nothing, and the sheet is still made.
  avec_image.image = [](const std::string &, QSize) { return QImage(); };
  EXPECT_TRUE(magenta(page_enigmes(feuille_pdf(m, avec_image))).isEmpty());
}
