// The edits of a labyrinth: kind steps wrap around, fields out of range are refused without
// a change, and each edit reports exactly what undoing it needs.

#include <gtest/gtest.h>

#include "../same_lines.h"
#include "edition.h"
#include "lab_file.h"

#include <vector>

namespace {

Monde fresh() {
  Monde m;
  Cree_Monde(m);
  return m;
}

TEST(Edition, KindStepsWrapBothWays) {
  const struct {
    int32_t depuis;
    int delta;
    int32_t nombre;
    int32_t attendu;
  } cas[] = {
      {0, -1, NB_TYPES_CLOISON, 10}, {10, 1, NB_TYPES_CLOISON, 0}, {1, 1, NB_TYPES_CLOISON, 2},
      {0, -1, NB_TYPES_SALLE, 9},    {9, 1, NB_TYPES_SALLE, 0},    {4, 0, NB_TYPES_SALLE, 4},
      {-7, 0, NB_TYPES_SALLE, 0},    {42, 1, NB_TYPES_SALLE, 0},   {42, -1, NB_TYPES_CLOISON, 9},
  };
  for (const auto &c : cas)
    EXPECT_EQ(pas_de_type(c.depuis, c.delta, c.nombre), c.attendu)
        << c.depuis << " by " << c.delta << " among " << c.nombre;
}

TEST(Edition, StepReportsRecordAndBothKinds) {
  Monde m = fresh();
  const auto c = pas_cloison(m, 219, -1);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->cible, (Cible{Champ::contenu_cloison, 219, 0}));
  EXPECT_EQ(c->avant, Valeur{int32_t{CLOISON_MUR}});
  EXPECT_EQ(c->apres, Valeur{int32_t{CLOISON_OUVERTE}});
  EXPECT_EQ(m.cloisons[219].contenu, CLOISON_OUVERTE);

  const auto s = pas_salle(m, 99, -1);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->cible, (Cible{Champ::contenu_salle, 99, 0}));
  EXPECT_EQ(m.salles[99].contenu, SALLE_PLAN);
  EXPECT_EQ(std::get<int32_t>(s->avant), SALLE_VIDE);
}

TEST(Edition, FieldsOutOfRangeOrOfAnotherTypeChangeNothing) {
  Monde m = fresh();
  const Monde avant = m;
  const struct {
    Cible cible;
    Valeur v;
  } refus[] = {
      {{Champ::contenu_cloison, 220, 0}, int32_t{1}},
      {{Champ::contenu_cloison, -1, 0}, int32_t{1}},
      {{Champ::contenu_salle, 100, 0}, int32_t{1}},
      {{Champ::reponse, 0, 5}, std::string("x")},
      {{Champ::bonne, 0, -1}, true},
      {{Champ::texture, 0, 3}, std::string("x")},
      {{Champ::son, 0, 5}, std::string("x")},
      {{Champ::question, 0, 0}, int32_t{3}},
      {{Champ::contenu_salle, 0, 0}, std::string("3")},
      {{Champ::bonne, 0, 0}, int32_t{1}},
  };
  for (const auto &r : refus)
    EXPECT_FALSE(pose(m, r.cible, r.v))
        << static_cast<int>(r.cible.champ) << " " << r.cible.indice << " " << r.cible.rang;
  EXPECT_FALSE(pas_cloison(m, NB_CLOISONS_MAX, 1));
  EXPECT_FALSE(pas_salle(m, -1, 1));
  EXPECT_TRUE(same_lines(ecrit_lab(m), ecrit_lab(avant)));
}

TEST(Edition, EachFieldLandsWhereItsTargetSaysAndUndoesByItsOldValue) {
  Monde m = fresh();
  const std::string avant = ecrit_lab(m);
  const struct {
    Cible cible;
    Valeur v;
    const std::string *lu; // where the string should land (null for kinds and ticks)
  } poses[] = {
      {cible_question(12), std::string("Q?"), &m.salles[12].question},
      {cible_reponse(12, 4), std::string("R5"), &m.salles[12].reponses[4]},
      {cible_image(3), std::string("a.bmp"), &m.salles[3].image},
      {cible_media(3), std::string("b.avi"), &m.salles[3].media},
      {cible_texture(2), std::string("p.bmp"), &m.texture_plafond},
      {cible_son(3), std::string("t.mp3"), &m.son_teleporteurs},
      {{Champ::titre_lab, 0, 0}, std::string("T"), &m.titre_lab},
      {{Champ::mission, 0, 0}, std::string("M\r\nN"), &m.mission},
      {{Champ::message_fin, 0, 0}, std::string("F"), &m.message_fin},
      {cible_bonne(12, 2), true, nullptr},
  };
  std::vector<Changement> faits;
  for (const auto &p : poses) {
    auto c = pose(m, p.cible, p.v);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->apres, p.v);
    if (p.lu) {
      EXPECT_EQ(*p.lu, std::get<std::string>(p.v));
    }
    faits.push_back(*c);
  }
  EXPECT_TRUE(m.salles[12].bonnes[2]);
  EXPECT_FALSE(m.salles[12].bonnes[1]);
  // Undone newest first, the labyrinth is the fresh one again.
  for (auto it = faits.rbegin(); it != faits.rend(); ++it)
    ASSERT_TRUE(pose(m, it->cible, it->avant));
  EXPECT_TRUE(same_lines(ecrit_lab(m), avant));
}

TEST(Edition, SettingTheSameValueReportsNoDifference) {
  Monde m = fresh();
  const auto c = pose(m, cible_texture(0), std::string(TEXTURE_MURS_DEFAUT));
  ASSERT_TRUE(c);
  EXPECT_EQ(c->avant, c->apres);
  const auto z = pas_salle(m, 5, 0);
  ASSERT_TRUE(z);
  EXPECT_EQ(z->avant, z->apres);
}

} // namespace

namespace {

Monde court() {
  Monde m = fresh();
  m.nb_cloisons = 3;
  m.nb_salles = 2;
  return m;
}

} // namespace

TEST(Edition, AnEditBeyondTheCountersMakesTheLabyrinthWholeAndUndoingItShortAgain) {
  for (const Cible &c : {Cible{Champ::contenu_cloison, 3, 0}, Cible{Champ::question, 2, 0},
                         Cible{Champ::bonne, 99, 4}, Cible{Champ::contenu_salle, 50, 0}}) {
    Monde m = court();
    const std::string avant = ecrit_lab(m);
    const Valeur v = c.champ == Champ::question ? Valeur{std::string("Q ")}
                     : c.champ == Champ::bonne  ? Valeur{true}
                                                : Valeur{int32_t{5}};
    auto fait = pose(m, c, v);
    ASSERT_TRUE(fait);
    EXPECT_EQ(m.nb_cloisons, NB_CLOISONS_MAX);
    EXPECT_EQ(m.nb_salles, NB_SALLES_MAX);
    Echange e = echange_de(*fait);
    applique(m, e);
    EXPECT_EQ(ecrit_lab(m), avant) << "undone, the file is the short one again";
    applique(m, e);
    EXPECT_EQ(m.nb_cloisons, NB_CLOISONS_MAX);
    EXPECT_EQ(valeur(m, c), v);
  }
  // Within the counters, or without a change, the counters stay.
  Monde m = court();
  pose(m, {Champ::contenu_cloison, 2, 0}, int32_t{4});
  pose(m, {Champ::contenu_cloison, 5, 0}, int32_t{CLOISON_MUR});
  pose(m, cible_question(1), std::string("Q "));
  pose(m, Cible{Champ::titre_lab, 0, 0}, std::string("T"));
  EXPECT_EQ(m.nb_cloisons, 3);
  EXPECT_EQ(m.nb_salles, 2);
}

TEST(Edition, AnExchangeKeepsOnlyTheDifferingPartOfATextAndSwapsBothWays) {
  const std::string long_texte(200000, 'a');
  const struct {
    std::string avant, apres;
    size_t garde; // the bytes of text the exchange keeps
  } cas[] = {
      {long_texte, long_texte + "b", 0},
      {long_texte + "b", long_texte, 1},
      {"x" + long_texte, "y" + long_texte, 1},
      {long_texte + "12" + long_texte, long_texte + "345" + long_texte, 2},
      {"aaa", "aa", 1}, // shared start and end overlap
      {"", "tout", 0},
      {"tout", "", 4},
  };
  for (const auto &c : cas) {
    Monde m = fresh();
    m.salles[4].question = c.avant;
    auto fait = pose(m, cible_question(4), c.apres);
    ASSERT_TRUE(fait);
    Echange e = echange_de(*fait);
    ASSERT_EQ(std::get<std::string>(e.autre).size(), c.garde) << c.apres.size();
    EXPECT_LT(octets(e), sizeof e + 64 + c.garde);
    for (int fois = 0; fois < 3; ++fois) {
      applique(m, e);
      ASSERT_EQ(m.salles[4].question, c.avant);
      applique(m, e);
      ASSERT_EQ(m.salles[4].question, c.apres);
    }
  }
  Monde m = fresh();
  auto fait = pose(m, {Champ::contenu_salle, 9, 0}, int32_t{SALLE_DEPART});
  Echange e = echange_de(*fait);
  applique(m, e);
  EXPECT_EQ(m.salles[9].contenu, SALLE_VIDE);
  applique(m, e);
  EXPECT_EQ(m.salles[9].contenu, SALLE_DEPART);
}
