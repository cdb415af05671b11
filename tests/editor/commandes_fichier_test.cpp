// New, Open and Save driven whole through the dialog seam, on real files in the test's own
// folder: the files on disk byte for byte, the window after each command, and every failure
// leaving both the labyrinth and the files as they were.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
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
  bool modifie, enregistre;
  std::string fichier_courant;
  QPoint marque;
  QList<bool> sons; // listen and clear buttons, enabled
  QList<qint64> images;
  std::string panneau;
};

EtatFenetre etat(const TForm1 &f) {
  EtatFenetre e{ecrit_lab(monde(f)),
                monde(f).nb_cloisons,
                monde(f).nb_salles,
                monde(f).salle_choisie,
                monde(f).modifie,
                monde(f).enregistre,
                monde(f).fichier_courant,
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
  EXPECT_EQ(apres.enregistre, avant.enregistre);
  EXPECT_EQ(apres.fichier_courant, avant.fichier_courant);
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
  monde(f).salle_choisie = 23;
  deplace(nomme(f, "Marque"), QPoint(3 * 60 + 28, 2 * 60 + 28));
  monde(f).modifie = true;
}

TEST(Nouveau, EachAnswerToTheQuestion) {
  const struct {
    const char *cas;
    bool modifie;
    QList<Reponse> reponses;
    QString fichier; // the save dialog's answer, when Yes
    bool question, efface, ecrit;
  } cas[] = {
      {"no changes: no question", false, {}, {}, false, true, false},
      {"Cancel", true, {Reponse::annuler}, {}, true, false, false},
      {"No", true, {Reponse::non}, {}, true, true, false},
      {"Yes, saved", true, {Reponse::oui}, "sauve.lab", true, true, true},
      {"Yes, save cancelled", true, {Reponse::oui}, "", true, true, false},
      {"Yes, save failed", true, {Reponse::oui}, "absent/sauve.lab", true, false, false},
  };
  for (const auto &c : cas) {
    SCOPED_TRACE(c.cas);
    EditeurEnTest e;
    TForm1 &f = *e.fenetre;
    edite(f);
    monde(f).modifie = c.modifie;
    const std::string avant = ecrit_lab(monde(f));
    e.dialogues.reponses = c.reponses;
    if (!c.fichier.isEmpty())
      e.dialogues.fichiers << QDir(e.depart.chemin()).filePath(c.fichier);
    else if (c.reponses == QList<Reponse>{Reponse::oui})
      e.dialogues.fichiers << QString();

    nomme<QToolButton>(f, "SpeedButton1")->click();

    EXPECT_EQ(e.dialogues.questions, c.question ? QStringList{QUESTION_NOUVEAU} : QStringList{});
    EXPECT_EQ(e.dialogues.genres.size(), c.reponses == QList<Reponse>{Reponse::oui} ? 1 : 0);
    EXPECT_EQ(QFile::exists(QDir(e.depart.chemin()).filePath("sauve.lab")), c.ecrit);
    if (c.ecrit) {
      EXPECT_TRUE(same_lines(lit(QDir(e.depart.chemin()).filePath("sauve.lab")), avant));
    }
    if (c.efface) {
      EXPECT_EQ(monde(f).cloisons[3].contenu, CLOISON_MUR);
      EXPECT_EQ(vue_cloison(f, 3)->picture().cacheKey(),
                grille(f).bitmap_cloison(0, CLOISON_MUR).cacheKey());
      EXPECT_EQ(monde(f).salle_choisie, -1);
      EXPECT_FALSE(monde(f).modifie);
      EXPECT_FALSE(nomme<QToolButton>(f, "P", 1)->isEnabled());
    } else {
      EXPECT_TRUE(same_lines(ecrit_lab(monde(f)), avant));
      EXPECT_EQ(vue_cloison(f, 3)->picture().cacheKey(),
                grille(f).bitmap_cloison(0, CLOISON_SORTIE).cacheKey());
      EXPECT_EQ(monde(f).salle_choisie, 23);
      EXPECT_TRUE(monde(f).modifie);
      EXPECT_TRUE(nomme<QToolButton>(f, "P", 1)->isEnabled());
    }
    const bool echec = c.fichier.startsWith("absent");
    EXPECT_EQ(e.dialogues.erreurs, echec ? QStringList{"Invalid filename"} : QStringList{});
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
  monde(f).salle_choisie = 12;
  nomme<QPlainTextEdit>(f, "Memo1")->setPlainText(QStringLiteral("Texte du panneau"));
  nomme<QLineEdit>(f, "Edit", 1)->setText(QStringLiteral("Reponse du panneau"));
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
  EXPECT_TRUE(monde(f).enregistre);
  EXPECT_FALSE(monde(f).modifie);
  EXPECT_EQ(monde(f).fichier_courant, chemin.toStdString());
  EXPECT_EQ(monde(f).salle_choisie, 23);
  // A confirmed dialog makes the file's folder current.
  EXPECT_EQ(QDir::currentPath(), QFileInfo(chemin).absolutePath());

  monde(f).cloisons[4].contenu = CLOISON_GRILLE;
  monde(f).modifie = true;
  e.dialogues.fichiers << chemin;
  nomme<QToolButton>(f, "SpeedButton3")->click();
  EXPECT_EQ(e.dialogues.offerts.value(1), chemin);
  EXPECT_EQ(e.dialogues.questions, QStringList{});
  EXPECT_TRUE(same_lines(lit(chemin), ecrit_lab(monde(f))));
  EXPECT_NE(lit(chemin).find("C=4,0,0,10\r\n"), std::string::npos);
  // No temporary file is left beside it.
  EXPECT_EQ(QDir(QFileInfo(chemin).absolutePath()).entryList(QDir::Files | QDir::Hidden),
            QStringList{"monde 1.lab"});

  // Cancelled: enregistre false, the rest as it was.
  monde(f).modifie = true;
  nomme<QToolButton>(f, "SpeedButton3")->click();
  EXPECT_FALSE(monde(f).enregistre);
  EXPECT_TRUE(monde(f).modifie);
  EXPECT_EQ(monde(f).fichier_courant, chemin.toStdString());
  EXPECT_TRUE(e.dialogues.erreurs.isEmpty());
}

TEST(Enregistrer, ANameOutsideWindows1252IsWrittenUnderItsRealName) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  const QString chemin = QDir(e.depart.chemin()).filePath(QString::fromUtf8("été ✓.lab"));
  e.dialogues.fichiers << chemin;
  nomme<QToolButton>(f, "SpeedButton3")->click();
  EXPECT_TRUE(same_lines(lit(chemin), ecrit_lab(monde(f))));
  // The model keeps its 1252 text: é as one byte, the tick, which 1252 lacks, as "?".
  EXPECT_TRUE(monde(f).fichier_courant.ends_with("\xE9t\xE9 ?.lab"));

  e.dialogues.fichiers << chemin;
  nomme<QToolButton>(f, "SpeedButton2")->click();
  EXPECT_TRUE(e.dialogues.erreurs.isEmpty()) << e.dialogues.erreurs.join('\n').toStdString();
}

TEST(Enregistrer, WithARoomSelectedWritesWhatThePanelShows) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  monde(f).salles[23].question = "Ancienne question";
  monde(f).salle_choisie = 23;
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
    EXPECT_EQ(e.dialogues.erreurs, QStringList{c.message});
    EXPECT_TRUE(monde(f).modifie);
    EXPECT_FALSE(monde(f).enregistre);
    EXPECT_EQ(monde(f).fichier_courant, bon.toStdString());
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
  monde(f).enregistre = true;
  monde(f).fichier_courant = "/ailleurs/x.lab";
  nomme<QPlainTextEdit>(f, "Memo1")->setPlainText(QStringLiteral("contenu du panneau"));
  const qint64 mur_ancien = nomme<ImageEtiree>(f, "TM")->picture().cacheKey();
  const qint64 cloison_2 = vue_cloison(f, 2)->picture().cacheKey();
  const qint64 cloison_9 = vue_cloison(f, 9)->picture().cacheKey();
  const QRect place_1 = dans_fenetre(vue_cloison(f, 1));

  e.dialogues.fichiers << jeux + "/court.lab";
  nomme<QToolButton>(f, "SpeedButton2")->click();

  ASSERT_TRUE(e.dialogues.erreurs.isEmpty()) << e.dialogues.erreurs.join('\n').toStdString();
  EXPECT_EQ(e.dialogues.genres, QList<GenreDialogue>{GenreDialogue::ouvrir});
  EXPECT_EQ(e.dialogues.dossiers_initiaux, QStringList{e.depart.chemin() + '/'});
  EXPECT_EQ(e.dialogues.filtres, QStringList{"Fichiers labyrinthes (*.lab)"});
  EXPECT_TRUE(e.dialogues.questions.isEmpty()); // opening asks nothing about changes
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
  EXPECT_EQ(vue_cloison(f, 9)->picture().cacheKey(), cloison_9); // past the count
  EXPECT_EQ(vue_salle(f, 0)->picture().cacheKey(), grille(f).bitmap_salle(SALLE_DEPART).cacheKey());
  EXPECT_TRUE(vue_salle(f, 1)->picture().isNull());
  EXPECT_EQ(vue_salle(f, 2)->picture().cacheKey(),
            grille(f).bitmap_salle(SALLE_CLE_BLEUE).cacheKey());
  EXPECT_EQ(vue_salle(f, 23)->picture().cacheKey(),
            grille(f).bitmap_salle(SALLE_DEPART).cacheKey());

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

  EXPECT_EQ(monde(f).salle_choisie, -1);
  EXPECT_EQ(dans_fenetre(nomme(f, "Marque")).topLeft(), QPoint(-100, -100));
  EXPECT_FALSE(monde(f).modifie);
  EXPECT_TRUE(monde(f).enregistre);
  EXPECT_EQ(monde(f).fichier_courant, "/ailleurs/x.lab");
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

TEST(Ouvrir, ThenSaveOffersTheFileLastSavedNotTheOneOpened) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  const QDir d(e.depart.chemin());
  e.dialogues.fichiers << d.filePath("a.lab");
  nomme<QToolButton>(f, "SpeedButton3")->click();
  ecrit(d.filePath("b.lab"), ecrit_lab(monde(f)));
  e.dialogues.fichiers << d.filePath("b.lab") << d.filePath("b.lab");
  nomme<QToolButton>(f, "SpeedButton2")->click();
  nomme<QToolButton>(f, "SpeedButton2")->click();
  e.dialogues.fichiers << QString();
  nomme<QToolButton>(f, "SpeedButton3")->click();
  EXPECT_EQ(e.dialogues.offerts, (QStringList{"", "", d.filePath("b.lab"), d.filePath("a.lab")}));
  EXPECT_EQ(monde(f).fichier_courant, d.filePath("a.lab").toStdString());
}

TEST(Ouvrir, AFailedOpeningChangesNothing) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  edite(f);
  nomme<QPlainTextEdit>(f, "Memo1")->setPlainText(QStringLiteral("panneau"));
  nomme<QLineEdit>(f, "Edit", 0)->setText(QStringLiteral("r1"));
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
      {QDir(e.depart.chemin()).filePath("absent.lab"), "File not found"},
      {QDir(e.depart.chemin()).filePath("pas_de_dossier/absent.lab"), "Invalid filename"},
      {e.depart.chemin(), "File access denied"},
      {texte, QString::fromUtf8(MESSAGE_PAS_UN_LABYRINTHE)},
      {tube, "Ce n'est pas un fichier ordinaire (un tube, un périphérique) : il n'est pas lu"},
  };
  for (const auto &c : cas) {
    SCOPED_TRACE(c.chemin.toStdString());
    e.dialogues.erreurs.clear();
    e.dialogues.fichiers << c.chemin;
    nomme<QToolButton>(f, "SpeedButton2")->click();
    EXPECT_EQ(e.dialogues.erreurs, QStringList{c.message});
    attend_inchange(avant, f);
  }
  // Cancelled: nothing either.
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

  // Saved again it names the same textures; only the two blocks gain their CR LF.
  e.dialogues.fichiers << chemin;
  nomme<QToolButton>(f, "SpeedButton3")->click();
  attendu.mission += "\r\n";
  attendu.message_fin += "\r\n";
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

  // Saved again, the file is the same byte for byte but for the one CR LF that each of the
  // two blocks gains on every reading.
  e.dialogues.fichiers << chemin;
  nomme<QToolButton>(f, "SpeedButton3")->click();
  attendu.mission += "\r\n";
  attendu.message_fin += "\r\n";
  EXPECT_TRUE(same_lines(lit(chemin), ecrit_lab(attendu)));
}

} // namespace
