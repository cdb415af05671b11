// The map's pixels: each record lands where the editor's grid shows it, and nothing else
// changes when one record does.

#include "feuille.h"
#include "plan.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>

namespace {

// Where the map puts each record, worked out here from the grid: the editor's grid starts
// at (10, 10), the map's at (40, 40) after the label band; the pitch is 60.
QRect place_attendue_cloison(int indice) {
  if (indice < 110)
    return {indice % 10 * 60 + 60, indice / 10 * 60 + 40, 40, 20};
  const int j = indice - 110;
  return {j % 11 * 60 + 40, j / 11 * 60 + 60, 20, 40};
}
QRect place_attendue_salle(int indice) {
  return {indice % 10 * 60 + 60, indice / 10 * 60 + 60, 40, 40};
}

Monde monde_ouvert() {
  Monde m;
  Cree_Monde(m);
  for (Tcloison &c : m.cloisons)
    c.contenu = CLOISON_OUVERTE;
  return m;
}

// The smallest rectangle holding every pixel where the two pictures differ.
QRect differences(const QImage &a, const QImage &b) {
  QRect r;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y))
        r |= QRect(x, y, 1, 1);
  return r;
}

TEST(Plan, roomsAreNamedByColumnLetterAndRowNumber) {
  const std::array<std::pair<int, const char *>, 5> cas{
      {{0, "A1"}, {9, "J1"}, {23, "D3"}, {90, "A10"}, {99, "J10"}}};
  for (const auto &[indice, nom] : cas)
    EXPECT_EQ(nom_salle(indice), nom) << indice;
}

// The PNG of a walled labyrinth and of an open one differ on every partition and nowhere in
// the rooms.
TEST(Plan, walledAndOpenPicturesDifferWhereTheWallsAre) {
  QTemporaryDir dossier;
  Monde mure;
  Cree_Monde(mure);
  const std::string chemin_mure = dossier.filePath(QStringLiteral("mure.png")).toStdString();
  const std::string chemin_ouvert = dossier.filePath(QStringLiteral("ouvert.png")).toStdString();
  ASSERT_TRUE(ecrit_plan_png(mure, chemin_mure).ok());
  ASSERT_TRUE(ecrit_plan_png(monde_ouvert(), chemin_ouvert).ok());
  const QImage a(QString::fromStdString(chemin_mure)), b(QString::fromStdString(chemin_ouvert));
  ASSERT_GE(a.width(), 600);
  ASSERT_GE(a.height(), 600);
  ASSERT_EQ(a.size(), b.size());
  for (int i = 0; i < NB_CLOISONS_MAX; ++i) {
    const QPoint centre = place_attendue_cloison(i).center();
    EXPECT_NE(a.pixel(centre), b.pixel(centre)) << "partition " << i;
    EXPECT_EQ(b.pixel(centre), qRgb(255, 255, 255)) << "open partition " << i;
  }
  for (int i = 0; i < NB_SALLES_MAX; ++i) {
    const QPoint centre = place_attendue_salle(i).center();
    EXPECT_EQ(a.pixel(centre), b.pixel(centre)) << "room " << i;
  }
}

// One record changed: the picture changes inside that record's place only. The corners of
// both arrays, where an index slip shows first.
TEST(Plan, aRecordChangesOnlyItsOwnPlace) {
  const QImage ouvert = image_plan(monde_ouvert());
  for (int indice : {0, 9, 100, 109, 110, 120, 208, 219}) {
    Monde m = monde_ouvert();
    m.cloisons[static_cast<size_t>(indice)].contenu = CLOISON_PORTE_ROUGE;
    const QRect d = differences(image_plan(m), ouvert);
    EXPECT_FALSE(d.isEmpty()) << "partition " << indice;
    EXPECT_TRUE(place_attendue_cloison(indice).contains(d)) << "partition " << indice;
  }
  for (int indice : {0, 9, 37, 90, 99}) {
    Monde m = monde_ouvert();
    m.salles[static_cast<size_t>(indice)].contenu = SALLE_TELEPORTEUR;
    QRect d = differences(image_plan(m), ouvert);
    EXPECT_FALSE(d.isEmpty()) << "room " << indice;
    EXPECT_TRUE(place_attendue_salle(indice).contains(d)) << "room " << indice;
    // A riddle frames its room, also an empty one.
    m = monde_ouvert();
    m.salles[static_cast<size_t>(indice)].question = "Pourquoi ? ";
    d = differences(image_plan(m), ouvert);
    EXPECT_FALSE(d.isEmpty()) << "riddle in room " << indice;
    EXPECT_TRUE(place_attendue_salle(indice).contains(d)) << "riddle in room " << indice;
  }
}

// Records beyond the counts are not in the file the player reads, nor on the map; kinds a
// damaged file may carry draw nothing.
TEST(Plan, drawsOnlyRecordsInUseWithAKnownKind) {
  const QImage ouvert = image_plan(monde_ouvert());
  Monde m;
  Cree_Monde(m);
  m.nb_cloisons = 0;
  EXPECT_EQ(image_plan(m), ouvert);
  m = monde_ouvert();
  m.cloisons[5].contenu = 11;
  m.cloisons[150].contenu = -1;
  m.salles[5].contenu = 10;
  EXPECT_EQ(image_plan(m), ouvert);
}

} // namespace
