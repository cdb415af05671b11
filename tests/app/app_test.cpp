#include <gtest/gtest.h>

#include "echelle_ecran.h"
#include "ligne_commande.h"

namespace {

using Action = LigneCommande::Action;

TEST(LigneCommande, OptionsAndTheFile) {
  struct Cas {
    std::vector<std::string> args;
    Action action;
    std::string fichier;
    bool travail;
  };
  const Cas cas[] = {
      {{}, Action::editer, "", false},
      {{"monde_1.lab"}, Action::editer, "monde_1.lab", false},
      {{"--dossier-travail"}, Action::editer, "", true},
      {{"--dossier-travail", "/a/b c.lab"}, Action::editer, "/a/b c.lab", true},
      {{"--", "-tiret.lab"}, Action::editer, "-tiret.lab", false},
      {{"-"}, Action::editer, "-", false},
      {{"a.lab", "--help"}, Action::aide, "a.lab", false},
      {{"-h"}, Action::aide, "", false},
      {{"--version"}, Action::version, "", false},
      {{"--verbose"}, Action::erreur, "", false},
      {{"-platform", "xcb"}, Action::erreur, "", false},
      {{"a.lab", "b.lab"}, Action::erreur, "a.lab", false},
  };
  for (const Cas &c : cas) {
    const LigneCommande l = lit_ligne_commande(c.args);
    EXPECT_EQ(l.action, c.action) << testing::PrintToString(c.args);
    EXPECT_EQ(l.fichier, c.fichier) << testing::PrintToString(c.args);
    EXPECT_EQ(l.dossier_travail, c.travail) << testing::PrintToString(c.args);
    EXPECT_EQ(l.erreur.empty(), c.action != Action::erreur);
  }
}

TEST(ReductionPourTenir, TheWindowFitsTheAvailableAreaNeverBelowOneToOneWhenItCan) {
  struct Cas {
    QSize disponible; // Qt's pixels
    double ratio;
    double reduction;
  };
  const Cas cas[] = {
      {{1024, 768}, 1.0, 1.0},    // exactly the window
      {{1280, 720}, 1.5, 0.9375}, // 1920 x 1080 at 150 %: 1440 x 1080 device pixels
      {{1280, 690}, 1.5, 0.898},  // the same with a 45 px panel: 1035 device pixels high
      {{1024, 740}, 1.0, 0.963},  // a screen that cannot hold it whole goes below 1:1
      {{960, 540}, 2.0, 0.703},   // 4K at 200 %: 1.406 device pixels a window pixel
      {{1366, 768}, 1.0, 1.0},    {{1000, 700}, 1.1, 0.911}, // 1100 x 770: just enough for 1:1
      {{0, 0}, 1.0, 1.0},                                    // no screen known: as it is
  };
  for (const Cas &c : cas) {
    const double r = reduction_pour_tenir({1024, 768}, c.disponible, c.ratio);
    EXPECT_NEAR(r, c.reduction, 0.001) << c.disponible.width() << "x" << c.disponible.height();
    // In device pixels the window fits, and stays at least 1:1 where the screen holds it.
    const double largeur = c.disponible.width() * c.ratio,
                 hauteur = c.disponible.height() * c.ratio;
    if (!c.disponible.isEmpty()) {
      EXPECT_LE(1024 * c.ratio * r, largeur + 0.5);
      EXPECT_LE(768 * c.ratio * r, hauteur + 0.5);
    }
    if (largeur >= 1024 && hauteur >= 768) {
      EXPECT_GE(c.ratio * r, 0.999);
    }
  }
}

} // namespace
