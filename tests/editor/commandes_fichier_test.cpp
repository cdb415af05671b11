// New, Open and Save driven whole through the dialog seam, on real files in the test's own
// folder: the files on disk byte for byte, the window after each command, and every failure
// leaving both the labyrinth and the files as they were.

#include "historique.h"
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>

#include <sys/stat.h>

#include "../same_lines.h"
#include "boite_erreur.h"
#include "cadre_marque.h"
#include "image_etiree.h"
#include "image_grille.h"
#include "lab_file.h"
#include "outils_test.h"
#include "proprietes.h"

namespace {

const QString QUESTION_NOUVEAU = QStringLiteral("Editeur|Enregistrer les modifications ?");

std::string lit(const QString &chemin) {
  QFile f(chemin);
  if (!f.open(QIODevice::ReadOnly))
    return "<absent>";
  return f.readAll().toStdString();
}

void ecrit(const QString &chemin, const std::string &octets) {
  QFile f(chemin);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << chemin.toStdString();
  f.write(octets.data(), static_cast<qint64>(octets.size()));
}

void ecrit_bmp(const QString &chemin, QColor couleur) {
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(couleur);
  ASSERT_TRUE(image.save(chemin, "BMP"));
}

// A labyrinth as a person would leave it: kinds drawn all over the grid, riddles, sounds,
// textures and accented texts (1252 bytes).
void remplit(Monde &m) {
  m.titre_lab = "Le tr\xE9sor";
  m.mission = "Trouve la cl\xE9\r\nnoire.";
  m.message_fin = "Bravo !";
  m.son_ambiance = "vent.mp3";
  m.son_portes = "porte.mp3";
  m.texture_sol = "dalles.bmp";
  for (int i = 0; i < NB_CLOISONS_MAX; ++i)
    m.cloisons[static_cast<size_t>(i)].contenu = i % NB_TYPES_CLOISON;
  for (int i = 0; i < NB_SALLES_MAX; ++i) {
    Tsalle &s = m.salles[static_cast<size_t>(i)];
    s.contenu = i % NB_TYPES_SALLE;
    s.question = "Question num\xE9ro " + std::to_string(i) + " ?";
    s.reponses = {"un", "deux", "", "S=1,2,3", "MISSION"};
    s.bonnes = {i % 2 == 0, false, false, true, false};
    s.image = i % 3 ? "" : "photo.jpg";
    s.media = i % 5 ? "" : "cri.wav";
  }
}

void montre_monde(TForm1 &f) {
  for (int i = 0; i < NB_CLOISONS_MAX; ++i)
    grille(f).dessine_cloison(i);
  for (int i = 0; i < NB_SALLES_MAX; ++i)
    grille(f).dessine_salle(i);
  for (int k = 0; k < NB_SONS; ++k) {
    nomme<QToolButton>(f, "P", k)->setEnabled(!monde(f).son(k).empty());
    nomme<QToolButton>(f, "E", k)->setEnabled(!monde(f).son(k).empty());
  }
}

// The grid images show their records' kinds (the same pixmap data as the kind bitmaps).
void attend_grille(const TForm1 &f) {
  for (int i = 0; i < NB_CLOISONS_MAX; ++i) {
    const Tcloison &c = monde(f).cloisons[static_cast<size_t>(i)];
    ASSERT_EQ(vue_cloison(f, i)->picture().cacheKey(),
              grille(f).bitmap_cloison(c.sens, c.contenu).cacheKey())
        << "partition " << i;
  }
  for (int i = 0; i < NB_SALLES_MAX; ++i)
    ASSERT_EQ(vue_salle(f, i)->picture().cacheKey(),
              grille(f).bitmap_salle(monde(f).salles[static_cast<size_t>(i)].contenu).cacheKey())
        << "room " << i;
}

struct EtatFenetre {
  std::string octets; // the world as a file would hold it
  int nb_cloisons, nb_salles, salle_choisie;
  bool modifie;
  QString fichier;
  QPoint marque;
  QList<bool> sons; // listen and clear buttons, enabled
  QList<qint64> images;
  std::string panneau;
};

EtatFenetre etat(const TForm1 &f) {
  EtatFenetre e{ecrit_lab(monde(f)),
                monde(f).nb_cloisons,
                monde(f).nb_salles,
                f.document().salle_choisie(),
                monde(f).modifie,
                const_cast<TForm1 &>(f).document().fichier(),
                dans_fenetre(nomme(f, "Marque")).topLeft(),
                {},
                {},
                {}};
  for (int k = 0; k < NB_SONS; ++k)
    e.sons << nomme<QToolButton>(f, "P", k)->isEnabled()
           << nomme<QToolButton>(f, "E", k)->isEnabled();
  for (int i = 0; i < NB_CLOISONS_MAX; ++i)
    e.images << vue_cloison(f, i)->picture().cacheKey();
  for (int i = 0; i < NB_SALLES_MAX; ++i)
    e.images << vue_salle(f, i)->picture().cacheKey();
  for (const ImageEtiree *t :
       {nomme<ImageEtiree>(f, "TM"), nomme<ImageEtiree>(f, "TS"), nomme<ImageEtiree>(f, "TP")})
    e.images << t->picture().cacheKey();
  e.panneau = nomme<QPlainTextEdit>(f, "Memo1")->toPlainText().toStdString() + "|" +
              nomme<QLineEdit>(f, "Edit", 0)->text().toStdString();
  return e;
}

void attend_inchange(const EtatFenetre &avant, const TForm1 &f) {
  const EtatFenetre apres = etat(f);
  EXPECT_TRUE(same_lines(apres.octets, avant.octets));
  EXPECT_EQ(apres.nb_cloisons, avant.nb_cloisons);
  EXPECT_EQ(apres.nb_salles, avant.nb_salles);
  EXPECT_EQ(apres.salle_choisie, avant.salle_choisie);
  EXPECT_EQ(apres.modifie, avant.modifie);
  EXPECT_EQ(apres.fichier, avant.fichier);
  EXPECT_EQ(apres.marque, avant.marque);
  EXPECT_EQ(apres.sons, avant.sons);
  EXPECT_EQ(apres.images, avant.images);
  EXPECT_EQ(apres.panneau, avant.panneau);
}

// A window with an edited labyrinth: room 23 selected (as a press leaves it), sounds in
// two rows, partition 3 an exit.
void edite(TForm1 &f) {
  monde(f).cloisons[3].contenu = CLOISON_SORTIE;
  monde(f).salles[23].contenu = SALLE_DEPART;
  monde(f).son_pas = "pas.mp3";
  montre_monde(f);
  f.document().choisit_salle(23);
  deplace(nomme(f, "Marque"), QPoint(3 * 60 + 28, 2 * 60 + 28));
  monde(f).modifie = true;
}

// Each answer to the question about unsaved changes, and what follows: whether the command
// goes on and whether the labyrinth is written to sauve.lab.
struct ReponseQuestion {
  const char *cas;
  bool modifie;
  QList<Reponse> reponses;
  QString fichier; // the save dialog's answer after Yes; "" backs out of it
  bool question, continue_, ecrit;

  bool oui() const { return reponses == QList<Reponse>{Reponse::oui}; }
  // Queues the answers for a labyrinth saved into `dossier`.
  void repond(DialoguesEnregistres &dialogues, const QString &dossier) const {
    dialogues.reponses = reponses;
    if (oui())
      dialogues.fichiers << (fichier.isEmpty() ? QString() : QDir(dossier).filePath(fichier));
  }
};
const ReponseQuestion REPONSES_QUESTION[] = {
    {"no changes: no question", false, {}, {}, false, true, false},
    {"Cancel", true, {Reponse::annuler}, {}, true, false, false},
    {"No", true, {Reponse::non}, {}, true, true, false},
    {"Yes, saved", true, {Reponse::oui}, "sauve.lab", true, true, true},
    // Backing out of the save stops the command: the author who said "save" has no copy.
    {"Yes, save dialog cancelled", true, {Reponse::oui}, "", true, false, false},
    {"Yes, save failed", true, {Reponse::oui}, "absent/sauve.lab", true, false, false},
};

TEST(Nouveau, EachAnswerToTheQuestion) {
  for (const ReponseQuestion &c : REPONSES_QUESTION) {
    SCOPED_TRACE(c.cas);
    EditeurEnTest e;
    TForm1 &f = *e.fenetre;
    edite(f);
    monde(f).modifie = c.modifie;
    const std::string avant = ecrit_lab(monde(f));
    c.repond(e.dialogues, e.depart.chemin());

    nomme<QToolButton>(f, "SpeedButton1")->click();

    EXPECT_EQ(e.dialogues.questions, c.question ? QStringList{QUESTION_NOUVEAU} : QStringList{});
    EXPECT_EQ(e.dialogues.genres.size(), c.oui() ? 1 : 0);
    EXPECT_EQ(QFile::exists(QDir(e.depart.chemin()).filePath("sauve.lab")), c.ecrit);
    if (c.ecrit) {
      EXPECT_TRUE(same_lines(lit(QDir(e.depart.chemin()).filePath("sauve.lab")), avant));
    }
    if (c.continue_) {
      EXPECT_EQ(monde(f).cloisons[3].contenu, CLOISON_MUR);
      EXPECT_EQ(vue_cloison(f, 3)->picture().cacheKey(),
                grille(f).bitmap_cloison(0, CLOISON_MUR).cacheKey());
      EXPECT_EQ(f.document().salle_choisie(), -1);
      EXPECT_FALSE(monde(f).modifie);
      EXPECT_FALSE(nomme<QToolButton>(f, "P", 1)->isEnabled());
    } else {
      EXPECT_TRUE(same_lines(ecrit_lab(monde(f)), avant));
      EXPECT_EQ(vue_cloison(f, 3)->picture().cacheKey(),
                grille(f).bitmap_cloison(0, CLOISON_SORTIE).cacheKey());
      EXPECT_EQ(f.document().salle_choisie(), 23);
      EXPECT_TRUE(monde(f).modifie);
      EXPECT_TRUE(nomme<QToolButton>(f, "P", 1)->isEnabled());
    }
    const bool echec = c.fichier.startsWith("absent");
    ASSERT_EQ(e.dialogues.erreurs.size(), echec ? 1 : 0);
    if (echec) {
      EXPECT_TRUE(e.dialogues.erreurs[0].endsWith(" (Invalid filename)."));
    }
  }
}

TEST(Nouveau, AsksOnlyAfterAGridPressSinceTheLastSaveOrOpening) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  const QString chemin = QDir(e.depart.chemin()).filePath("m.lab");
  QTest::mousePress(vue_cloison(f, 7), Qt::LeftButton);
  e.dialogues.fichiers << chemin;
  nomme<QToolButton>(f, "SpeedButton3")->click();
  nomme<QToolButton>(f, "SpeedButton1")->click(); // right after a save
  e.dialogues.fichiers << chemin;
  nomme<QToolButton>(f, "SpeedButton2")->click();
  nomme<QToolButton>(f, "SpeedButton1")->click();       // right after an opening
  nomme<QToolButton>(f, "SpeedButton1")->click();       // right after a clearing
  QTest::mousePress(vue_salle(f, 4), Qt::MiddleButton); // selects, changes nothing
  nomme<QToolButton>(f, "SpeedButton1")->click();
  EXPECT_TRUE(e.dialogues.questions.isEmpty());
  e.dialogues.reponses << Reponse::annuler;
  QTest::mousePress(vue_salle(f, 4), Qt::RightButton);
  nomme<QToolButton>(f, "SpeedButton1")->click();
  EXPECT_EQ(e.dialogues.questions, QStringList{QUESTION_NOUVEAU});
}

TEST(Ouvrir, APressAfterOpeningStoresThePanelNowhere) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  const QString chemin = QDir(e.depart.chemin()).filePath("m.lab");
  e.dialogues.fichiers << chemin;
  nomme<QToolButton>(f, "SpeedButton3")->click();
  f.document().choisit_salle(12);
  nomme<QPlainTextEdit>(f, "Memo1")->setPlainText(QStringLiteral("Texte du panneau"));
  nomme<QLineEdit>(f, "Edit", 1)->setText(QStringLiteral("Reponse du panneau"));
  e.dialogues.reponses << Reponse::non; // the panel is a change: Open asks first
  e.dialogues.fichiers << chemin;
  nomme<QToolButton>(f, "SpeedButton2")->click();
  QTest::mousePress(vue_salle(f, 40), Qt::MiddleButton);
  for (const Tsalle &s : monde(f).salles) {
    ASSERT_TRUE(s.question.empty());
    ASSERT_TRUE(s.reponses[1].empty());
  }
}

TEST(Enregistrer, FreshLabyrinthIsTheKnownFile) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  const QString chemin = QDir(e.depart.chemin()).filePath("neuf.lab");
  e.dialogues.fichiers << chemin;
  nomme<QToolButton>(f, "SpeedButton3")->click();
  const std::string octets = lit(chemin);
  EXPECT_EQ(std::count(octets.begin(), octets.end(), '\n'), 1235);
  EXPECT_TRUE(octets.starts_with("TITRE=\r\nMISSION\r\n\r\n/MISSION\r\nMESSAGE\r\n\r\n"
                                 "/MESSAGE\r\nSAM=\r\nSPA=\r\n"));
  EXPECT_NE(octets.find("TM=Briques.bmp\r\nTS=sol.bmp\r\nTP=plafond.bmp\r\nC=0,0,0,1\r\n"),
            std::string::npos);
  EXPECT_NE(octets.find("C=10,9,1,1\r\nS=0,0,0\r\n"), std::string::npos);
  EXPECT_TRUE(octets.ends_with("S=9,9,0\r\n\r\n\r\n\r\n\r\n\r\n\r\n00000\r\n\r\n\r\n"));
  EXPECT_TRUE(same_lines(octets, ecrit_lab(monde(f))));
}

TEST(Enregistrer, TwiceOffersTheFirstFileAndReplacesIt) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  QDir(e.depart.chemin()).mkdir("jeux");
  const QString chemin = QDir(e.depart.chemin()).filePath("jeux/monde 1.lab");
  edite(f);
  e.dialogues.fichiers << chemin;
  nomme<QToolButton>(f, "SpeedButton3")->click();

  EXPECT_EQ(e.dialogues.genres, QList<GenreDialogue>{GenreDialogue::enregistrer});
  EXPECT_EQ(e.dialogues.offerts, QStringList{QString()});
  EXPECT_EQ(e.dialogues.dossiers_initiaux, QStringList{e.depart.chemin() + '/'});
  EXPECT_EQ(e.dialogues.filtres, QStringList{"Fichiers labyrinthes (*.lab)"});
  EXPECT_EQ(e.dialogues.extensions, QStringList{"lab"});
  EXPECT_TRUE(same_lines(lit(chemin), ecrit_lab(monde(f))));
  EXPECT_FALSE(monde(f).modifie);
  EXPECT_EQ(f.document().salle_choisie(), 23);

  monde(f).cloisons[4].contenu = CLOISON_GRILLE;
  monde(f).modifie = true;
  e.dialogues.fichiers << chemin;
  nomme<QToolButton>(f, "SpeedButton3")->click();
  EXPECT_EQ(e.dialogues.offerts.value(1), chemin);
  EXPECT_EQ(e.dialogues.questions, QStringList{});
  EXPECT_TRUE(same_lines(lit(chemin), ecrit_lab(monde(f))));
  EXPECT_NE(lit(chemin).find("C=4,0,0,10\r\n"), std::string::npos);
  // No temporary file is left beside it; the textures it names came along.
  EXPECT_EQ(QDir(QFileInfo(chemin).absolutePath()).entryList(QDir::Files | QDir::Hidden),
            (QStringList{"Briques.bmp", "monde 1.lab", "plafond.bmp", "sol.bmp"}));

  // Cancelled: as it was.
  monde(f).modifie = true;
  nomme<QToolButton>(f, "SpeedButton3")->click();
  EXPECT_TRUE(monde(f).modifie);
  EXPECT_EQ(f.document().fichier(), chemin);
  EXPECT_TRUE(e.dialogues.erreurs.isEmpty());
}

TEST(Enregistrer, ANameOutsideWindows1252IsWrittenUnderItsRealName) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  const QString chemin = QDir(e.depart.chemin()).filePath(QString::fromUtf8("été ✓.lab"));
  e.dialogues.fichiers << chemin;
  nomme<QToolButton>(f, "SpeedButton3")->click();
  EXPECT_TRUE(same_lines(lit(chemin), ecrit_lab(monde(f))));
  EXPECT_EQ(f.document().fichier(), chemin);

  e.dialogues.fichiers << chemin;
  nomme<QToolButton>(f, "SpeedButton2")->click();
  EXPECT_TRUE(e.dialogues.erreurs.isEmpty()) << e.dialogues.erreurs.join('\n').toStdString();
}

TEST(Enregistrer, WithARoomSelectedWritesWhatThePanelShows) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  monde(f).salles[23].question = "Ancienne question";
  f.document().choisit_salle(23);
  nomme<QPlainTextEdit>(f, "Memo1")->setPlainText(QString::fromUtf8("Quelle clé ?"));
  nomme<QLineEdit>(f, "Edit", 0)->setText(QStringLiteral("la noire"));
  nomme<QCheckBox>(f, "Check", 0)->setChecked(true);
  const QString chemin = QDir(e.depart.chemin()).filePath("panneau.lab");
  e.dialogues.fichiers << chemin;
  nomme<QToolButton>(f, "SpeedButton3")->click();
  const std::string octets = lit(chemin);
  // The room panel's own rules shape the question line (how memo lines are joined).
  const size_t salle = octets.find("S=3,2,0\r\nQuelle cl\xE9 ?");
  ASSERT_NE(salle, std::string::npos);
  EXPECT_EQ(octets.find("\r\nla noire\r\n\r\n\r\n\r\n\r\n10000\r\n", salle),
            octets.find("\r\n", salle + 9));
  EXPECT_EQ(octets.find("Ancienne question"), std::string::npos);

  // A cancelled dialog stores nothing.
  const std::string stockee = monde(f).salles[23].question;
  nomme<QPlainTextEdit>(f, "Memo1")->setPlainText(QStringLiteral("Autre"));
  nomme<QToolButton>(f, "SpeedButton3")->click();
  EXPECT_EQ(monde(f).salles[23].question, stockee);
}

TEST(Enregistrer, FailuresAreReportedAndLoseNothing) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  const QString bon = QDir(e.depart.chemin()).filePath("bon.lab");
  e.dialogues.fichiers << bon;
  nomme<QToolButton>(f, "SpeedButton3")->click();
  const std::string premier = lit(bon);
  edite(f);

  const struct {
    QString chemin;
    QString message;
  } cas[] = {
      {QDir(e.depart.chemin()).filePath("pas_de_dossier/monde.lab"), "Invalid filename"},
      {e.depart.chemin(), "File access denied"},
      {QStringLiteral("/proc/dravo/monde.lab"), "Invalid filename"},
  };
  for (const auto &c : cas) {
    SCOPED_TRACE(c.chemin.toStdString());
    e.dialogues.erreurs.clear();
    e.dialogues.fichiers << c.chemin;
    nomme<QToolButton>(f, "SpeedButton3")->click();
    // In French, naming the file, the model's text in brackets.
    ASSERT_EQ(e.dialogues.erreurs.size(), 1);
    EXPECT_TRUE(e.dialogues.erreurs[0].startsWith(
        QStringLiteral("Le labyrinthe ne peut pas \u00EAtre enregistr\u00E9 dans \u00AB %1 \u00BB")
            .arg(QFileInfo(c.chemin).fileName())))
        << e.dialogues.erreurs[0].toStdString();
    EXPECT_TRUE(e.dialogues.erreurs[0].endsWith(" (" + c.message + ")."))
        << e.dialogues.erreurs[0].toStdString();
    EXPECT_TRUE(monde(f).modifie);
    EXPECT_EQ(f.document().fichier(), bon);
    EXPECT_TRUE(same_lines(lit(bon), premier));
  }
  EXPECT_EQ(QDir(e.depart.chemin()).entryList({"*.lab", ".*tmp*"}, QDir::Files | QDir::Hidden),
            QStringList{"bon.lab"});
}

TEST(Ouvrir, TheWindowFollowsTheFileRead) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  QDir(e.depart.chemin()).mkdir("jeux");
  const QString jeux = QDir(e.depart.chemin()).filePath("jeux");
  ecrit_bmp(jeux + "/dalles.bmp", Qt::green);
  // A short file: 5 partitions (the third on sens 2, the fourth of an unknown kind), 3
  // rooms, two sound lines (one empty), the floor texture, a lower-case key.
  ecrit(jeux + "/court.lab", "titre=Court\r\nSAM=vent.mp3\r\nSPO=\r\nTS=dalles.bmp\r\n"
                             "C=0,0,0,9\r\nC=1,0,1,3\r\nC=2,0,2,0\r\nC=3,0,0,99\r\nC=4,0,1,0\r\n"
                             "S=0,0,8\r\n\r\n\r\n\r\n\r\n\r\n\r\n00000\r\n\r\n\r\n"
                             "S=1,0,-1\r\nQ\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
                             "S=2,0,3\r\n");
  edite(f);
  monde(f).son_coffres = "coffre.mp3";
  nomme<QToolButton>(f, "E", 4)->setEnabled(true);
  nomme<QToolButton>(f, "P", 4)->setEnabled(true);
  pose_tag(nomme<QToolButton>(f, "P", 4), 1);
  nomme<QPlainTextEdit>(f, "Memo1")->setPlainText(QStringLiteral("contenu du panneau"));
  const qint64 mur_ancien = nomme<ImageEtiree>(f, "TM")->picture().cacheKey();
  const qint64 cloison_2 = vue_cloison(f, 2)->picture().cacheKey();
  const QRect place_1 = dans_fenetre(vue_cloison(f, 1));

  e.dialogues.reponses << Reponse::non;
  e.dialogues.fichiers << jeux + "/court.lab";
  nomme<QToolButton>(f, "SpeedButton2")->click();

  ASSERT_TRUE(e.dialogues.erreurs.isEmpty()) << e.dialogues.erreurs.join('\n').toStdString();
  EXPECT_EQ(e.dialogues.genres, QList<GenreDialogue>{GenreDialogue::ouvrir});
  EXPECT_EQ(e.dialogues.dossiers_initiaux, QStringList{e.depart.chemin() + '/'});
  EXPECT_EQ(e.dialogues.filtres, QStringList{"Fichiers labyrinthes (*.lab)"});
  EXPECT_EQ(e.dialogues.questions, QStringList{QUESTION_NOUVEAU});
  EXPECT_EQ(monde(f).titre_lab, "Court");
  EXPECT_EQ(monde(f).nb_cloisons, 5);
  EXPECT_EQ(monde(f).nb_salles, 3);
  EXPECT_EQ(vue_cloison(f, 0)->picture().cacheKey(),
            grille(f).bitmap_cloison(0, CLOISON_SORTIE).cacheKey());
  EXPECT_EQ(vue_cloison(f, 1)->picture().cacheKey(),
            grille(f).bitmap_cloison(1, CLOISON_PORTE_NOIRE).cacheKey());
  EXPECT_EQ(dans_fenetre(vue_cloison(f, 1)), place_1);           // the grid does not move
  EXPECT_EQ(vue_cloison(f, 2)->picture().cacheKey(), cloison_2); // sens 2 keeps its picture
  EXPECT_TRUE(vue_cloison(f, 3)->picture().isNull());            // unknown kind: nothing
  EXPECT_EQ(vue_cloison(f, 4)->picture().cacheKey(),
            grille(f).bitmap_cloison(1, CLOISON_OUVERTE).cacheKey());
  // Past the counts, the records are a fresh labyrinth's, whatever was there before.
  EXPECT_EQ(vue_cloison(f, 9)->picture().cacheKey(),
            grille(f).bitmap_cloison(0, CLOISON_MUR).cacheKey());
  EXPECT_EQ(vue_salle(f, 0)->picture().cacheKey(), grille(f).bitmap_salle(SALLE_DEPART).cacheKey());
  EXPECT_TRUE(vue_salle(f, 1)->picture().isNull());
  EXPECT_EQ(vue_salle(f, 2)->picture().cacheKey(),
            grille(f).bitmap_salle(SALLE_CLE_BLEUE).cacheKey());
  EXPECT_EQ(vue_salle(f, 23)->picture().cacheKey(), grille(f).bitmap_salle(SALLE_VIDE).cacheKey());
  // The panel is emptied, no room selected.
  EXPECT_TRUE(nomme<QPlainTextEdit>(f, "Memo1")->toPlainText().isEmpty());
  EXPECT_FALSE(nomme<QPlainTextEdit>(f, "Memo1")->isEnabled());

  // Sounds: the rows named with a name are on; every other row reset, the playing one too.
  const bool actives[NB_SONS] = {true, false, false, false, false};
  for (int k = 0; k < NB_SONS; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(nomme<QToolButton>(f, "P", k)->isEnabled(), actives[k]);
    EXPECT_EQ(nomme<QToolButton>(f, "E", k)->isEnabled(), actives[k]);
    EXPECT_EQ(tag(nomme<QToolButton>(f, "P", k)), 0);
  }
  EXPECT_TRUE(monde(f).son_coffres.empty());
  EXPECT_EQ(monde(f).son_ambiance, "vent.mp3");

  // Textures: the floor from beside the file; the walls, not named, as they were.
  EXPECT_EQ(nomme<ImageEtiree>(f, "TS")->picture().toImage().pixelColor(0, 0), QColor(Qt::green));
  EXPECT_EQ(nomme<ImageEtiree>(f, "TM")->picture().cacheKey(), mur_ancien);
  EXPECT_EQ(monde(f).texture_sol, "dalles.bmp");
  EXPECT_EQ(monde(f).texture_murs, "Briques.bmp");

  EXPECT_EQ(f.document().salle_choisie(), -1);
  EXPECT_EQ(dans_fenetre(nomme(f, "Marque")).topLeft(), QPoint(-100, -100));
  EXPECT_FALSE(monde(f).modifie);
  EXPECT_EQ(f.document().fichier(), jeux + "/court.lab");
  // Nothing the panel shows is stored by the opening.
  EXPECT_NE(monde(f).salles[23].question, "contenu du panneau");
}

TEST(Ouvrir, ALabyrinthWithoutSoundLinesLeavesEveryRowOff) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  for (int k = 0; k < NB_SONS; ++k)
    monde(f).son(k) = "s.mp3";
  montre_monde(f);
  const QString chemin = QDir(e.depart.chemin()).filePath("muet.lab");
  ecrit(chemin, "C=0,0,0,1\r\n");
  e.dialogues.fichiers << chemin;
  nomme<QToolButton>(f, "SpeedButton2")->click();
  for (int k = 0; k < NB_SONS; ++k) {
    EXPECT_FALSE(nomme<QToolButton>(f, "P", k)->isEnabled()) << k;
    EXPECT_FALSE(nomme<QToolButton>(f, "E", k)->isEnabled()) << k;
    EXPECT_TRUE(monde(f).son(k).empty()) << k;
  }
}

TEST(Ouvrir, ThenSaveOffersTheFileOpenedAndReplacesItWithoutAQuestion) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  const QDir d(e.depart.chemin());
  e.dialogues.fichiers << d.filePath("a.lab");
  clique(f, "SpeedButton3");
  ecrit(d.filePath("b.lab"), ecrit_lab(monde(f)));
  e.dialogues.fichiers << d.filePath("b.lab");
  clique(f, "SpeedButton2");
  QTest::mousePress(vue_cloison(f, 5), Qt::RightButton);
  e.dialogues.fichiers << d.filePath("b.lab");
  clique(f, "SpeedButton3");
  EXPECT_EQ(e.dialogues.offerts, (QStringList{"", "", d.filePath("b.lab")}));
  EXPECT_TRUE(e.dialogues.questions.isEmpty());
  EXPECT_TRUE(same_lines(lit(d.filePath("b.lab")), ecrit_lab(monde(f))));
  EXPECT_EQ(f.document().fichier(), d.filePath("b.lab"));
}

TEST(Ouvrir, AFailedOpeningChangesNothing) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  edite(f);
  nomme<QPlainTextEdit>(f, "Memo1")->setPlainText(QStringLiteral("panneau"));
  nomme<QLineEdit>(f, "Edit", 0)->setText(QStringLiteral("r1"));
  // Open's question stores what the panel holds first, as leaving the field would; a New
  // cancelled at its question does just that.
  e.dialogues.reponses << Reponse::annuler;
  clique(f, "SpeedButton1");
  const EtatFenetre avant = etat(f);
  // A text that names no partition and no room, and a pipe that no one writes to.
  const QString texte = QDir(e.depart.chemin()).filePath("texte.lab");
  ecrit(texte, "TITRE=Rien\r\nMISSION\r\nC=0,0,0,1\r\n/MISSION\r\n");
  const QString tube = QDir(e.depart.chemin()).filePath("tube.lab");
  ASSERT_EQ(::mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
  const struct {
    QString chemin;
    QString message;
  } cas[] = {
      // The open dialog gives only a file that exists; a path of nothing is refused.
      {QDir(e.depart.chemin()).filePath("absent.lab"),
       QStringLiteral("Le fichier \u00AB %1 \u00BB n'existe pas. Choisissez un fichier qui existe.")
           .arg(QDir(e.depart.chemin()).filePath("absent.lab"))},
      {QDir(e.depart.chemin()).filePath("pas_de_dossier/absent.lab"),
       QStringLiteral("Le fichier \u00AB %1 \u00BB n'existe pas. Choisissez un fichier qui existe.")
           .arg(QDir(e.depart.chemin()).filePath("pas_de_dossier/absent.lab"))},
      {e.depart.chemin(), "File access denied"},
      {texte, QString::fromUtf8(MESSAGE_PAS_UN_LABYRINTHE)},
      {tube, "Ce n'est pas un fichier ordinaire (un tube, un périphérique) : il n'est pas lu"},
  };
  for (const auto &c : cas) {
    SCOPED_TRACE(c.chemin.toStdString());
    e.dialogues.erreurs.clear();
    e.dialogues.reponses << Reponse::non;
    e.dialogues.fichiers << c.chemin;
    nomme<QToolButton>(f, "SpeedButton2")->click();
    ASSERT_EQ(e.dialogues.erreurs.size(), 1);
    EXPECT_TRUE(e.dialogues.erreurs[0].contains(c.message)) << e.dialogues.erreurs[0].toStdString();
    attend_inchange(avant, f);
  }
  // Cancelled: nothing either.
  e.dialogues.reponses << Reponse::non;
  nomme<QToolButton>(f, "SpeedButton2")->click();
  attend_inchange(avant, f);
}

TEST(Ouvrir, MissingTexturesStillOpenTheWholeLabyrinthAndKeepTheirNames) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  Monde attendu;
  Cree_Monde(attendu);
  remplit(attendu);
  attendu.texture_murs = "pierre.bmp";
  attendu.texture_plafond = "voute.bmp";
  const std::string octets = ecrit_lab(attendu);
  QDir(e.depart.chemin()).mkdir("ailleurs");
  const QString chemin = QDir(e.depart.chemin()).filePath("ailleurs/voyage.lab");
  ecrit(chemin, octets);
  const qint64 murs = nomme<ImageEtiree>(f, "TM")->picture().cacheKey();
  const qint64 plafond = nomme<ImageEtiree>(f, "TP")->picture().cacheKey();

  e.dialogues.fichiers << chemin;
  nomme<QToolButton>(f, "SpeedButton2")->click();

  // One box, after the opening, naming each picture that could not be read.
  ASSERT_EQ(e.dialogues.erreurs.size(), 1);
  for (const char *nom : {"pierre.bmp", "dalles.bmp", "voute.bmp"})
    EXPECT_TRUE(e.dialogues.erreurs[0].contains(nom)) << e.dialogues.erreurs[0].toStdString();
  // Each line ends as a box of its own would, not only the last one.
  for (const QString &ligne : texte_boite_erreur(e.dialogues.erreurs[0]).split('\n'))
    EXPECT_TRUE(ligne.endsWith('.')) << ligne.toStdString();
  EXPECT_EQ(nomme<ImageEtiree>(f, "TM")->picture().cacheKey(), murs);
  EXPECT_EQ(nomme<ImageEtiree>(f, "TP")->picture().cacheKey(), plafond);
  EXPECT_EQ(monde(f).nb_salles, 100);
  EXPECT_EQ(monde(f).salles[99].question, attendu.salles[99].question);
  attend_grille(f);
  EXPECT_FALSE(monde(f).modifie);

  // Saved again it names the same textures and is the same file.
  e.dialogues.fichiers << chemin;
  nomme<QToolButton>(f, "SpeedButton3")->click();
  EXPECT_TRUE(same_lines(lit(chemin), ecrit_lab(attendu)));
}

TEST(Acceptation, SavedClearedAndOpenedAgainGivesTheSameLabyrinthAndFile) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  ecrit_bmp(QDir(e.depart.chemin()).filePath("dalles.bmp"), Qt::yellow);
  remplit(monde(f));
  montre_monde(f);
  nomme<ImageEtiree>(f, "TS")->pose_picture(
      QPixmap(QDir(e.depart.chemin()).filePath(QString::fromStdString(monde(f).texture_sol))));
  monde(f).modifie = true;
  Monde attendu = monde(f);
  const QString chemin = QDir(e.depart.chemin()).filePath("complet.lab");

  e.dialogues.reponses << Reponse::oui;
  e.dialogues.fichiers << chemin;
  nomme<QToolButton>(f, "SpeedButton1")->click(); // New: Yes, saved, then cleared
  const std::string octets = lit(chemin);
  EXPECT_TRUE(same_lines(octets, ecrit_lab(attendu)));
  EXPECT_EQ(monde(f).salles[5].contenu, SALLE_VIDE);
  EXPECT_EQ(monde(f).texture_sol, "sol.bmp");

  e.dialogues.fichiers << chemin;
  nomme<QToolButton>(f, "SpeedButton2")->click();
  ASSERT_TRUE(e.dialogues.erreurs.isEmpty()) << e.dialogues.erreurs.join('\n').toStdString();
  for (int i = 0; i < NB_SALLES_MAX; ++i) {
    const Tsalle &a = attendu.salles[static_cast<size_t>(i)];
    const Tsalle &s = monde(f).salles[static_cast<size_t>(i)];
    ASSERT_EQ(std::tie(s.col, s.lig, s.contenu, s.question, s.reponses, s.bonnes, s.image, s.media),
              std::tie(a.col, a.lig, a.contenu, a.question, a.reponses, a.bonnes, a.image, a.media))
        << i;
  }
  attend_grille(f);
  EXPECT_EQ(nomme<ImageEtiree>(f, "TS")->picture().toImage().pixelColor(0, 0), QColor(Qt::yellow));
  EXPECT_TRUE(nomme<QToolButton>(f, "P", 0)->isEnabled());
  EXPECT_FALSE(nomme<QToolButton>(f, "P", 1)->isEnabled());
  EXPECT_TRUE(nomme<QToolButton>(f, "E", 2)->isEnabled());

  // Saved again, the file is the same byte for byte.
  e.dialogues.fichiers << chemin;
  nomme<QToolButton>(f, "SpeedButton3")->click();
  EXPECT_EQ(lit(chemin), octets);
}

// --- The question before every command that drops the labyrinth ---

QString question_remplacer(const QString &nom) {
  return "Editeur|" + nom + QString::fromUtf8(" existe déjà. Voulez-vous le remplacer ?");
}

// The window shown and active, so that its keys reach it as a person's would.
void active(TForm1 &f) {
  f.show();
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
}

// Runs a gesture inside the application's loop; true when it ended the program (the loop
// returned 0), false when the program went on (the loop is then ended by the test).
bool termine_le_programme(const std::function<void()> &geste) {
  QTimer::singleShot(0, [&] {
    geste();
    QTimer::singleShot(0, [] { QCoreApplication::exit(7); });
  });
  // A safety net only: without it a broken quit would hang the test program.
  QTimer garde;
  garde.setSingleShot(true);
  QObject::connect(&garde, &QTimer::timeout, [] { QCoreApplication::exit(99); });
  garde.start(10000);
  const int code = QApplication::exec();
  EXPECT_NE(code, 99);
  return code == 0;
}

// The window's close as the window system asks it (Alt+F4, a window manager's button, a
// session's logout); true when the window accepted to close.
bool ferme(TForm1 &f) {
  f.winId(); // the window system's side of the window, even when not shown
  QGuiApplication::setQuitOnLastWindowClosed(false);
  const bool ferme = f.windowHandle()->close();
  QGuiApplication::setQuitOnLastWindowClosed(true);
  return ferme;
}

// Whether Open showed its file dialog (the tests cancel it).
bool ouverture_montree = false;

// A command that would drop the labyrinth, and whether it went on past its question.
struct CommandeQuiQuitte {
  const char *nom;
  std::function<bool(TForm1 &)> lance;
};

const CommandeQuiQuitte COMMANDES_QUI_QUITTENT[] = {
    {"New button",
     [](TForm1 &f) {
       clique(f, "SpeedButton1");
       return monde(f).cloisons[3].contenu == CLOISON_MUR;
     }},
    {"Ctrl+N",
     [](TForm1 &f) {
       QTest::keyClick(&f, Qt::Key_N, Qt::ControlModifier);
       return monde(f).cloisons[3].contenu == CLOISON_MUR;
     }},
    // Open went on when its file dialog was shown (the tests cancel it).
    {"Open button",
     [](TForm1 &f) {
       clique(f, "SpeedButton2");
       return ouverture_montree;
     }},
    {"Ctrl+O",
     [](TForm1 &f) {
       QTest::keyClick(&f, Qt::Key_O, Qt::ControlModifier);
       return ouverture_montree;
     }},
    {"quit button", [](TForm1 &f) { return termine_le_programme([&] { clique(f, "quitter"); }); }},
    {"Ctrl+Q",
     [](TForm1 &f) {
       return termine_le_programme([&] { QTest::keyClick(&f, Qt::Key_Q, Qt::ControlModifier); });
     }},
    {"window closed", [](TForm1 &f) { return ferme(f); }},
};

// The dialog seam, which also tells whether Open showed its file dialog.
class DialoguesOuverture : public DialoguesEnregistres {
public:
  QString choisit_fichier(GenreDialogue genre, const DialogueFichier &dialogue) override {
    ouverture_montree = ouverture_montree || genre == GenreDialogue::ouvrir;
    return DialoguesEnregistres::choisit_fichier(genre, dialogue);
  }
};

TEST(Question, EveryCommandThatDropsTheLabyrinthAsksAndEachAnswerDoesWhatItSays) {
  for (const CommandeQuiQuitte &commande : COMMANDES_QUI_QUITTENT)
    for (const ReponseQuestion &c : REPONSES_QUESTION) {
      SCOPED_TRACE(std::string(commande.nom) + ", " + c.cas);
      DossierDepart depart(true);
      DialoguesOuverture dialogues;
      TForm1 f(&dialogues);
      ouverture_montree = false;
      active(f);
      edite(f);
      monde(f).modifie = c.modifie;
      const std::string avant = ecrit_lab(monde(f));
      const QString sauve = QDir(depart.chemin()).filePath("sauve.lab");
      c.repond(dialogues, depart.chemin());

      EXPECT_EQ(commande.lance(f), c.continue_);

      EXPECT_EQ(dialogues.questions, c.question ? QStringList{QUESTION_NOUVEAU} : QStringList{});
      EXPECT_EQ(QFile::exists(sauve), c.ecrit);
      if (c.ecrit) {
        EXPECT_TRUE(same_lines(lit(sauve), avant));
      }
      if (!c.continue_) {
        EXPECT_TRUE(same_lines(ecrit_lab(monde(f)), avant));
        EXPECT_TRUE(monde(f).modifie);
        EXPECT_TRUE(f.isVisible());
      }
      EXPECT_EQ(dialogues.erreurs.size(), c.fichier.startsWith("absent") ? 1 : 0);
    }
}

// Where the author types or ticks, and what the room then holds.
const struct {
  const char *nom;
  std::function<void(TForm1 &)> geste;
  std::function<bool(const Tsalle &)> tenu;
} GESTES_PANNEAU[] = {
    {"question typed",
     [](TForm1 &f) {
       nomme<QTabWidget>(f, "PC")->setCurrentWidget(nomme(f, "TabQuestion"));
       nomme<QPlainTextEdit>(f, "Memo1")->setFocus();
       QTest::keyClicks(nomme<QPlainTextEdit>(f, "Memo1"), "Qui suis-je ?");
     },
     [](const Tsalle &s) { return s.question == "Qui suis-je ? "; }},
    {"answer typed",
     [](TForm1 &f) {
       nomme<QTabWidget>(f, "PC")->setCurrentWidget(nomme(f, "TabReponses"));
       nomme<QLineEdit>(f, "Edit", 2)->setFocus();
       QTest::keyClicks(nomme<QLineEdit>(f, "Edit", 2), "Un chat");
     },
     [](const Tsalle &s) { return s.reponses[2] == "Un chat"; }},
    {"box ticked",
     [](TForm1 &f) {
       nomme<QTabWidget>(f, "PC")->setCurrentWidget(nomme(f, "TabReponses"));
       QTest::mouseClick(nomme<QCheckBox>(f, "Check", 4), Qt::LeftButton, {},
                         QPoint(5, nomme<QCheckBox>(f, "Check", 4)->height() / 2));
     },
     [](const Tsalle &s) { return s.bonnes[4]; }},
};

TEST(Question, ATypedRiddleAloneIsAChangeAtOnce) {
  for (const auto &g : GESTES_PANNEAU) {
    SCOPED_TRACE(g.nom);
    EditeurEnTest e;
    TForm1 &f = *e.fenetre;
    active(f);
    // Selecting a room and walking its tabs changes nothing.
    QTest::mousePress(vue_salle(f, 34), Qt::MiddleButton);
    for (QWidget *onglet : {nomme(f, "TabMedia"), nomme(f, "TabQuestion"), nomme(f, "TabReponses"),
                            nomme(f, "TabImage")})
      nomme<QTabWidget>(f, "PC")->setCurrentWidget(onglet);
    EXPECT_FALSE(monde(f).modifie);
    EXPECT_FALSE(f.isWindowModified());

    g.geste(f); // the field still has the focus: no step yet
    EXPECT_TRUE(f.isWindowModified());

    // Quitting right now asks; Cancel keeps the window, and the riddle in its room.
    e.dialogues.reponses << Reponse::annuler;
    EXPECT_FALSE(
        termine_le_programme([&] { QTest::keyClick(&f, Qt::Key_Q, Qt::ControlModifier); }));
    EXPECT_EQ(e.dialogues.questions, QStringList{QUESTION_NOUVEAU});
    EXPECT_TRUE(g.tenu(monde(f).salles[34]));
    EXPECT_TRUE(monde(f).modifie);
    // Undone, the room is as it was and nothing is unsaved.
    f.document().historique().undo();
    EXPECT_FALSE(g.tenu(monde(f).salles[34]));
    EXPECT_FALSE(f.isWindowModified());
  }
}

TEST(Question, TextTypedThenErasedIsNoChange) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  active(f);
  QTest::mousePress(vue_salle(f, 34), Qt::MiddleButton);
  nomme<QTabWidget>(f, "PC")->setCurrentWidget(nomme(f, "TabReponses"));
  auto *reponse = nomme<QLineEdit>(f, "Edit", 1);
  reponse->setFocus();
  QTest::keyClicks(reponse, "ab");
  EXPECT_TRUE(f.isWindowModified());
  QTest::keyClick(reponse, Qt::Key_Backspace);
  EXPECT_TRUE(f.isWindowModified());
  QTest::keyClick(reponse, Qt::Key_Backspace);
  EXPECT_FALSE(f.isWindowModified()) << "the field holds the room's text again";
  EXPECT_TRUE(ferme(f));
  EXPECT_TRUE(e.dialogues.questions.isEmpty());
  EXPECT_EQ(f.document().historique().count(), 0);
}

TEST(Question, SelectingARoomAsAFileWroteItIsNoChange) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  // A question written without the blank the editor adds, answers, a tick.
  const QString chemin = QDir(e.depart.chemin()).filePath("autre.lab");
  ecrit(chemin, "C=0,0,0,1\r\nS=0,0,0\r\nQui ?\r\na\r\nb\r\n\r\n\r\n\r\n01000\r\n\r\n\r\n"
                "S=1,0,0\r\n\r\n\r\n\r\n\r\n\r\n\r\n00000\r\n\r\n\r\n");
  e.dialogues.fichiers << chemin;
  clique(f, "SpeedButton2");
  QTest::mousePress(vue_salle(f, 0), Qt::MiddleButton);
  EXPECT_FALSE(f.isWindowModified());
  QTest::mousePress(vue_salle(f, 1), Qt::MiddleButton);
  EXPECT_FALSE(monde(f).modifie);
  EXPECT_EQ(monde(f).salles[0].question, "Qui ?");
  EXPECT_TRUE(ferme(f));
  EXPECT_TRUE(e.dialogues.questions.isEmpty());
}

// --- Replacing a file ---

// A command that shows the save dialog: Save, its key, and the test in the player.
const struct {
  const char *nom;
  std::function<void(TForm1 &)> lance;
} COMMANDES_QUI_ENREGISTRENT[] = {
    {"Save button", [](TForm1 &f) { clique(f, "SpeedButton3"); }},
    {"Ctrl+Shift+S",
     [](TForm1 &f) { QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier); }},
};

TEST(Remplacer, AnotherExistingFileAsksFirstAndNoReturnsToTheDialog) {
  for (const auto &commande : COMMANDES_QUI_ENREGISTRENT) {
    SCOPED_TRACE(commande.nom);
    EditeurEnTest e;
    TForm1 &f = *e.fenetre;
    active(f);
    const QDir d(e.depart.chemin());
    ecrit(d.filePath("fini.lab"), "TITRE=Fini\r\n");
    QTest::mousePress(vue_cloison(f, 8), Qt::RightButton);

    // No, then another name: the finished labyrinth is untouched.
    e.dialogues.fichiers << d.filePath("fini.lab") << d.filePath("neuf.lab");
    e.dialogues.reponses << Reponse::non;
    commande.lance(f);
    EXPECT_EQ(e.dialogues.questions, QStringList{question_remplacer("fini.lab")});
    EXPECT_EQ(e.dialogues.offerts, (QStringList{"", d.filePath("fini.lab")}));
    EXPECT_EQ(lit(d.filePath("fini.lab")), "TITRE=Fini\r\n");
    EXPECT_TRUE(same_lines(lit(d.filePath("neuf.lab")), ecrit_lab(monde(f))));

    // Saving again onto the labyrinth being edited asks nothing.
    QTest::mousePress(vue_cloison(f, 8), Qt::RightButton);
    e.dialogues.fichiers << d.filePath("neuf.lab");
    commande.lance(f);
    EXPECT_EQ(e.dialogues.questions.size(), 1);
    EXPECT_TRUE(same_lines(lit(d.filePath("neuf.lab")), ecrit_lab(monde(f))));

    // No, then the dialog cancelled: nothing written, nothing saved.
    QTest::mousePress(vue_cloison(f, 8), Qt::RightButton);
    e.dialogues.fichiers << d.filePath("fini.lab") << QString();
    e.dialogues.reponses << Reponse::non;
    commande.lance(f);
    EXPECT_EQ(lit(d.filePath("fini.lab")), "TITRE=Fini\r\n");
    EXPECT_TRUE(monde(f).modifie);
    EXPECT_TRUE(f.isVisible());

    // Yes replaces it, and it becomes the labyrinth being edited.
    e.dialogues.fichiers << d.filePath("fini.lab");
    e.dialogues.reponses << Reponse::oui;
    commande.lance(f);
    EXPECT_TRUE(same_lines(lit(d.filePath("fini.lab")), ecrit_lab(monde(f))));
    EXPECT_EQ(f.document().fichier(), d.filePath("fini.lab"));
    EXPECT_EQ(e.dialogues.questions.size(), 3);
    // No file error; the test command says that no player is found here, once per file.
    for (const QString &erreur : e.dialogues.erreurs)
      EXPECT_TRUE(erreur.contains("Dravo.exe")) << erreur.toStdString();
  }
}

TEST(Remplacer, TheEditedFileUnderAnotherPathAsksNothing) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  const QDir d(e.depart.chemin());
  ASSERT_TRUE(d.mkdir("sous"));
  QTest::mousePress(vue_cloison(f, 8), Qt::RightButton);
  e.dialogues.fichiers << d.filePath("monde.lab");
  clique(f, "SpeedButton3");
  ASSERT_TRUE(QFile::link(d.filePath("monde.lab"), d.filePath("lien.lab")));
  for (const QString &chemin : {d.filePath("sous/../monde.lab"), d.filePath("lien.lab")}) {
    SCOPED_TRACE(chemin.toStdString());
    QTest::mousePress(vue_cloison(f, 8), Qt::RightButton);
    e.dialogues.fichiers << chemin;
    clique(f, "SpeedButton3");
    EXPECT_EQ(e.dialogues.questions, QStringList{});
    EXPECT_TRUE(same_lines(lit(d.filePath("monde.lab")), ecrit_lab(monde(f))));
  }
  EXPECT_TRUE(QFileInfo(d.filePath("lien.lab")).isSymLink());
}

TEST(Remplacer, AfterNewTheOldFileIsAnotherFile) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  const QString chemin = QDir(e.depart.chemin()).filePath("monde_1.lab");
  QTest::mousePress(vue_cloison(f, 8), Qt::RightButton);
  e.dialogues.fichiers << chemin;
  clique(f, "SpeedButton3");
  const std::string fini = lit(chemin);
  clique(f, "SpeedButton1");
  // The fresh labyrinth has no file: the dialog offers none, and the old one is protected.
  e.dialogues.fichiers << chemin;
  e.dialogues.reponses << Reponse::non;
  clique(f, "SpeedButton3");
  EXPECT_EQ(e.dialogues.offerts.value(1), QString());
  EXPECT_EQ(e.dialogues.questions, QStringList{question_remplacer("monde_1.lab")});
  EXPECT_TRUE(same_lines(lit(chemin), fini));
}

// --- Keys and title ---

TEST(Raccourcis, CtrlSWritesOntoTheLabyrinthBeingEditedWithoutADialog) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  active(f);
  const QDir d(e.depart.chemin());
  // No file yet: as the Save button.
  e.dialogues.fichiers << d.filePath("a.lab");
  QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(e.dialogues.genres, QList<GenreDialogue>{GenreDialogue::enregistrer});
  EXPECT_TRUE(QFile::exists(d.filePath("a.lab")));

  // Then onto it, with what the panel holds.
  QTest::mousePress(vue_salle(f, 12), Qt::RightButton);
  nomme<QLineEdit>(f, "Edit", 0)->setFocus();
  QTest::keyClicks(nomme<QLineEdit>(f, "Edit", 0), "oui");
  QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(e.dialogues.genres.size(), 1);
  EXPECT_TRUE(same_lines(lit(d.filePath("a.lab")), ecrit_lab(monde(f))));
  EXPECT_EQ(monde(f).salles[12].reponses[0], "oui");
  EXPECT_FALSE(monde(f).modifie);

  // After an Open, onto the file opened.
  ecrit(d.filePath("b.lab"), "C=0,0,0,3\r\n");
  e.dialogues.fichiers << d.filePath("b.lab");
  QTest::keyClick(&f, Qt::Key_O, Qt::ControlModifier);
  QTest::mousePress(vue_cloison(f, 0), Qt::RightButton);
  QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(e.dialogues.genres.size(), 2);
  EXPECT_TRUE(same_lines(lit(d.filePath("b.lab")), ecrit_lab(monde(f))));
  EXPECT_NE(lit(d.filePath("b.lab")).find("C=0,0,0,4\r\n"), std::string::npos);
  EXPECT_TRUE(e.dialogues.questions.isEmpty());
  EXPECT_TRUE(e.dialogues.erreurs.isEmpty()) << e.dialogues.erreurs.join('\n').toStdString();
}

TEST(Titre, NamesTheFileAndShowsUnsavedChanges) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  active(f);
  const auto titre = [&] { return f.windowHandle()->title(); };
  const QDir d(e.depart.chemin());
  EXPECT_EQ(titre(), "Dravo-Editeur");
  QTest::mousePress(vue_cloison(f, 8), Qt::RightButton);
  EXPECT_EQ(titre(), "Dravo-Editeur*");
  e.dialogues.fichiers << d.filePath("monde_1.lab");
  clique(f, "SpeedButton3");
  EXPECT_EQ(titre(), QString::fromUtf8("monde_1.lab — Dravo-Editeur"));
  QTest::mousePress(vue_cloison(f, 8), Qt::RightButton);
  EXPECT_EQ(titre(), QString::fromUtf8("monde_1.lab* — Dravo-Editeur"));
  f.document().historique().undo();
  EXPECT_EQ(titre(), QString::fromUtf8("monde_1.lab — Dravo-Editeur"));
  clique(f, "SpeedButton1");
  EXPECT_EQ(titre(), "Dravo-Editeur");
  ecrit(d.filePath("[*] b.lab"), "C=0,0,0,3\r\n");
  e.dialogues.fichiers << d.filePath("[*] b.lab");
  clique(f, "SpeedButton2");
  EXPECT_EQ(titre(), QString::fromUtf8("[*] b.lab — Dravo-Editeur"));
}

TEST(Raccourcis, TheHelpTextsNameTheKeys) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  const std::pair<QWidget *, const char *> aides[] = {
      {nomme(f, "SpeedButton1"), "Ctrl+N"},     {nomme(f, "SpeedButton2"), "Ctrl+O"},
      {nomme(f, "SpeedButton3"), "Ctrl+Maj+S"}, {nomme(f, "SpeedButton3"), "Ctrl+S"},
      {nomme(f, "quitter"), "Ctrl+Q"},
  };
  for (const auto &[controle, touches] : aides)
    EXPECT_TRUE(aide(controle).contains(touches)) << aide(controle).toStdString();
}

} // namespace
