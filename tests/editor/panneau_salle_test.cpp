// The room panel driven as the author drives it: presses on the grid, typing into the real
// controls, the picture and medium buttons answered through the dialog seam.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>

#include "apercu_image.h"
#include "image_etiree.h"
#include "image_grille.h"
#include "ms_media_player.h"
#include "outils_test.h"

namespace {

void appuie_salle(TForm1 &f, int i, Qt::MouseButton bouton = Qt::MiddleButton) {
  QTest::mousePress(vue_salle(f, i), bouton, {}, QPoint(20, 20));
}

// Types as the keyboard does, one key per character (QTest::keyClicks knows ASCII only).
void tape(QWidget *controle, const QString &texte) {
  for (const QChar c : texte)
    QTest::sendKeyEvent(QTest::Click, controle, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void tape_question(TForm1 &f, const QString &texte) {
  tape(nomme<QPlainTextEdit>(f, "Memo1"), texte);
}

void ecrit_image(const QString &chemin, QColor couleur, QSize taille = {64, 48}) {
  QImage image(taille, QImage::Format_RGB32);
  image.fill(couleur);
  ASSERT_TRUE(image.save(chemin, "BMP"));
}

QByteArray contenu(const QString &chemin) {
  QFile f(chemin);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A folder outside the start folder, holding files the author picks.
struct Ailleurs {
  QTemporaryDir dossier;
  QString fichier(const QString &nom) const { return dossier.filePath(nom); }
};

TEST(PanneauSalle, ARiddleTypedInARoomIsFoundAgainIntactAfterVisitingAnother) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  const int a = indice_salle(1, 1);
  const int b = indice_salle(6, 3);
  appuie_salle(f, a, Qt::RightButton);
  tape_question(f, QStringLiteral("Où est l'été ?"));
  tape(nomme<QLineEdit>(f, "Edit", 0), QStringLiteral("Là"));
  tape(nomme<QLineEdit>(f, "Edit", 3), QStringLiteral("Ici"));
  nomme<QCheckBox>(f, "Check", 3)->setChecked(true);

  appuie_salle(f, b);
  const Tsalle &ra = monde(f).salles[a];
  EXPECT_EQ(ra.question, "O\xF9 est l'\xE9t\xE9 ? "); // Windows-1252, one blank after the line
  EXPECT_EQ(ra.reponses[0], "L\xE0");
  EXPECT_EQ(ra.reponses[3], "Ici");
  EXPECT_TRUE(ra.reponses[1].empty());
  EXPECT_TRUE(ra.bonnes[3]);
  EXPECT_FALSE(ra.bonnes[0]);
  // The panel shows B, an ordinary room.
  EXPECT_TRUE(nomme<QPlainTextEdit>(f, "Memo1")->toPlainText().isEmpty());
  EXPECT_TRUE(nomme<QLineEdit>(f, "Edit", 0)->text().isEmpty());
  EXPECT_FALSE(nomme<QCheckBox>(f, "Check", 3)->isChecked());
  EXPECT_TRUE(monde(f).salles[b].question.empty());

  // Back and forth: the room keeps exactly what was stored, visit after visit.
  for (int tour = 0; tour < 3; ++tour) {
    appuie_salle(f, a);
    EXPECT_EQ(nomme<QPlainTextEdit>(f, "Memo1")->toPlainText(), QStringLiteral("Où est l'été ?"));
    EXPECT_EQ(nomme<QLineEdit>(f, "Edit", 0)->text(), QStringLiteral("Là"));
    EXPECT_TRUE(nomme<QCheckBox>(f, "Check", 3)->isChecked());
    appuie_salle(f, b);
    EXPECT_EQ(ra.question, "O\xF9 est l'\xE9t\xE9 ? ") << "visit " << tour;
    EXPECT_EQ(ra.reponses[0], "L\xE0");
  }
  EXPECT_EQ(ra.contenu, SALLE_CLE_NOIRE); // only the first press stepped it
}

TEST(PanneauSalle, TypingBeforeAnySelectionReachesNoRoom) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  Tsalle &r = monde(f).salles[40];
  r.question = "Combien de pattes ? ";
  r.reponses[1] = "Huit";
  r.bonnes[1] = true;
  tape_question(f, QStringLiteral("Perdu"));
  nomme<QLineEdit>(f, "Edit", 0)->setText(QStringLiteral("Perdu aussi"));
  nomme<QCheckBox>(f, "Check", 0)->setChecked(true);
  appuie_salle(f, 40);
  for (const Tsalle &s : monde(f).salles) {
    ASSERT_EQ(s.question.find("Perdu"), std::string::npos);
    ASSERT_EQ(s.reponses[0].find("Perdu"), std::string::npos);
  }
  EXPECT_EQ(nomme<QPlainTextEdit>(f, "Memo1")->toPlainText(),
            QStringLiteral("Combien de pattes ?"));
  EXPECT_TRUE(nomme<QLineEdit>(f, "Edit", 0)->text().isEmpty());
  EXPECT_FALSE(nomme<QCheckBox>(f, "Check", 0)->isChecked());
  EXPECT_EQ(nomme<QLineEdit>(f, "Edit", 1)->text(), QStringLiteral("Huit"));
  EXPECT_TRUE(nomme<QCheckBox>(f, "Check", 1)->isChecked());
  EXPECT_FALSE(r.bonnes[0]);
}

TEST(PanneauSalle, PressingTheSelectedRoomAgainStoresAndStepsIt) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  appuie_salle(f, 7, Qt::RightButton);
  tape_question(f, QStringLiteral("Encore ?"));
  appuie_salle(f, 7, Qt::RightButton);
  EXPECT_EQ(monde(f).salles[7].question, "Encore ? ");
  EXPECT_EQ(monde(f).salles[7].contenu, 2);
  EXPECT_EQ(nomme<QPlainTextEdit>(f, "Memo1")->toPlainText(), QStringLiteral("Encore ?"));
}

TEST(PanneauSalle, MemoLinesEachFollowedByOneBlank) {
  struct Cas {
    const char *nom;
    QString memo;
    std::string attendu;
  } const cas[] = {
      {"two lines", QStringLiteral("Quelle est\nla capitale ?"), "Quelle est la capitale ? "},
      {"empty memo", QString(), ""},
      {"final line break is no line", QStringLiteral("Oui\n"), "Oui "},
      {"an empty line between", QStringLiteral("a\n\nb"), "a  b "},
      {"line separator", QStringLiteral("un") + QChar(QChar::LineSeparator) + "deux", "un deux "},
      {"blank kept inside a line", QStringLiteral("a  b "), "a  b  "},
  };
  for (const Cas &c : cas) {
    SCOPED_TRACE(c.nom);
    EditeurEnTest e;
    TForm1 &f = *e.fenetre;
    appuie_salle(f, 0);
    nomme<QPlainTextEdit>(f, "Memo1")->setPlainText(c.memo);
    appuie_salle(f, 1);
    EXPECT_EQ(monde(f).salles[0].question, c.attendu);
  }
}

TEST(PanneauSalle, OneLineFieldsNeverCarryALineBreakIntoTheModel) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  appuie_salle(f, 0);
  nomme<QLineEdit>(f, "Edit", 0)->setText(QStringLiteral("a\nb"));
  nomme<QLineEdit>(f, "Edit", 4)->setText(QStringLiteral("c\r\nd\re"));
  appuie_salle(f, 1);
  EXPECT_EQ(monde(f).salles[0].reponses[0], "a b");
  EXPECT_EQ(monde(f).salles[0].reponses[4], "c d e");
}

// The memo's own layout, once it is on screen: its visual lines.
QStringList lignes_a_l_ecran(QPlainTextEdit *memo) {
  QStringList lignes;
  for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next())
    for (int i = 0; i < b.layout()->lineCount(); ++i) {
      const QTextLine l = b.layout()->lineAt(i);
      lignes << b.text().mid(l.textStart(), l.textLength());
    }
  return lignes;
}

TEST(PanneauSalle, AWrappedLineCountsAsTheControlShowsIt) {
  // A word too long for one line is broken where the control breaks it, whether or not
  // its tab was ever shown; a question wrapped between words comes back word for word.
  const QString long_mot = QString(90, QLatin1Char('m'));
  const QString phrase = QStringLiteral("Dans quel pays se trouve la ville qui porte le nom "
                                        "le plus long du monde, et combien de lettres a-t-il ?");
  std::string cache_mot, cache_phrase;
  for (bool visible : {false, true}) {
    SCOPED_TRACE(visible ? "on screen" : "tab never shown");
    EditeurEnTest e;
    TForm1 &f = *e.fenetre;
    if (visible) {
      nomme<QTabWidget>(f, "PC")->setCurrentWidget(nomme(f, "TabQuestion"));
      f.show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    }
    appuie_salle(f, 0);
    nomme<QPlainTextEdit>(f, "Memo1")->setPlainText(long_mot);
    appuie_salle(f, 1);
    const std::string mot = monde(f).salles[0].question;
    appuie_salle(f, 0);
    nomme<QPlainTextEdit>(f, "Memo1")->setPlainText(phrase);
    if (visible) {
      QCoreApplication::processEvents();
      const QStringList vues = lignes_a_l_ecran(nomme<QPlainTextEdit>(f, "Memo1"));
      ASSERT_GT(vues.size(), 1) << "the sentence must wrap on screen";
    }
    appuie_salle(f, 1);
    EXPECT_EQ(monde(f).salles[0].question, phrase.toStdString() + " ");
    if (visible) {
      // The long word as the control showed it, each piece followed by one blank.
      appuie_salle(f, 2);
      nomme<QPlainTextEdit>(f, "Memo1")->setPlainText(long_mot);
      QCoreApplication::processEvents();
      const QStringList vues = lignes_a_l_ecran(nomme<QPlainTextEdit>(f, "Memo1"));
      ASSERT_GT(vues.size(), 1);
      EXPECT_EQ(QString::fromStdString(mot), vues.join(' ') + ' ');
      EXPECT_EQ(mot, cache_mot);
    } else {
      cache_mot = mot;
      EXPECT_GT(std::count(mot.begin(), mot.end(), ' '), 1);
    }
  }
}

TEST(PanneauSalle, ChoosingAPictureCopiesItInAndNamesItInTheRoom) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  Ailleurs ailleurs;
  ecrit_image(ailleurs.fichier("photo.bmp"), Qt::blue);
  ecrit_image(QDir(e.depart.chemin()).filePath("photo.bmp"), Qt::yellow); // replaced unasked
  appuie_salle(f, 15);
  e.dialogues.fichiers << ailleurs.fichier("photo.bmp");
  nomme<QToolButton>(f, "OpenI")->click();

  ASSERT_EQ(e.dialogues.genres.size(), 1);
  EXPECT_EQ(e.dialogues.genres[0], GenreDialogue::ouvrir_image);
  EXPECT_TRUE(e.dialogues.filtres[0].contains("*.bmp *.jpg *.jpeg *.gif"));
  EXPECT_TRUE(e.dialogues.erreurs.isEmpty()) << e.dialogues.erreurs.join('\n').toStdString();
  EXPECT_EQ(contenu(QDir(e.depart.chemin()).filePath("photo.bmp")),
            contenu(ailleurs.fichier("photo.bmp")));
  EXPECT_EQ(monde(f).image_courante, "photo.bmp");
  EXPECT_EQ(monde(f).salles[15].image, "photo.bmp");
  EXPECT_TRUE(nomme<ImageEtiree>(f, "Image_epreuve")->isVisibleTo(nomme(f, "TabImage")));
  EXPECT_EQ(nomme<ImageEtiree>(f, "Image_epreuve")->picture().toImage().pixelColor(3, 3),
            QColor(Qt::blue));

  // The room keeps it: another room hides the picture, coming back shows it again, and the
  // start folder is enough when the current folder moved elsewhere.
  appuie_salle(f, 16);
  EXPECT_FALSE(nomme<ImageEtiree>(f, "Image_epreuve")->isVisibleTo(nomme(f, "TabImage")));
  EXPECT_TRUE(monde(f).image_courante.empty());
  EXPECT_EQ(monde(f).salles[15].image, "photo.bmp");
  QFile::remove(ailleurs.fichier("photo.bmp"));
  appuie_salle(f, 15);
  EXPECT_TRUE(nomme<ImageEtiree>(f, "Image_epreuve")->isVisibleTo(nomme(f, "TabImage")));
  EXPECT_EQ(nomme<ImageEtiree>(f, "Image_epreuve")->picture().toImage().pixelColor(3, 3),
            QColor(Qt::blue));
  EXPECT_TRUE(e.dialogues.erreurs.isEmpty());
}

TEST(PanneauSalle, AFileNameTheLabyrinthCannotHoldIsRefused) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  Ailleurs ailleurs;
  const QString nom = QStringLiteral("coch\u00E9 \u2713.bmp");
  ecrit_image(ailleurs.fichier(nom), Qt::blue);
  appuie_salle(f, 4);
  e.dialogues.fichiers << ailleurs.fichier(nom) << ailleurs.fichier(nom);
  nomme<QToolButton>(f, "OpenI")->click();
  nomme<QToolButton>(f, "OpenV")->click();
  ASSERT_EQ(e.dialogues.erreurs.size(), 2);
  EXPECT_TRUE(e.dialogues.erreurs[0].contains(nom));
  EXPECT_FALSE(QFileInfo::exists(QDir(e.depart.chemin()).filePath(nom)));
  EXPECT_TRUE(monde(f).salles[4].image.empty());
  EXPECT_TRUE(monde(f).salles[4].media.empty());
  EXPECT_FALSE(nomme<ImageEtiree>(f, "Image_epreuve")->isVisibleTo(nomme(f, "TabImage")));
}

TEST(PanneauSalle, APictureAlreadyInTheStartFolderOrInAFolderOfOtherCase) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  const QString depart = e.depart.chemin();
  ecrit_image(QDir(depart).filePath("ici.bmp"), Qt::green);
  e.dialogues.fichiers << QDir(depart).filePath("ici.bmp");
  nomme<QToolButton>(f, "OpenI")->click();
  EXPECT_EQ(monde(f).image_courante, "ici.bmp");
  EXPECT_TRUE(e.dialogues.erreurs.isEmpty());
  EXPECT_EQ(QDir(depart).entryList(QDir::Files).count("ici.bmp"), 1);

  // A folder whose name differs only in letter case is another folder here: copied.
  const QString autre_casse =
      QFileInfo(depart).absolutePath() + '/' + QFileInfo(depart).fileName().toUpper() + "X";
  ASSERT_TRUE(QDir().mkpath(autre_casse));
  ecrit_image(autre_casse + "/Casse.bmp", Qt::red);
  e.dialogues.fichiers << autre_casse + "/Casse.bmp";
  nomme<QToolButton>(f, "OpenI")->click();
  EXPECT_TRUE(QFile::exists(QDir(depart).filePath("Casse.bmp")));
  EXPECT_EQ(monde(f).image_courante, "Casse.bmp");
  QDir(autre_casse).removeRecursively();
}

TEST(PanneauSalle, APictureThatFailsToLoadChangesNothingButTheCopy) {
  struct Cas {
    const char *nom;
    QByteArray octets;
    const char *message;
  } const cas[] = {
      {"abime.bmp", QByteArray("BM\x10\0\0\0garbage", 13), "Bitmap image is not valid"},
      {"notes.txt", QByteArray("du texte"), "Unknown picture file extension (.txt)"},
  };
  for (const Cas &c : cas) {
    SCOPED_TRACE(c.nom);
    EditeurEnTest e;
    TForm1 &f = *e.fenetre;
    Ailleurs ailleurs;
    ecrit_image(ailleurs.fichier("bon.bmp"), Qt::cyan);
    appuie_salle(f, 3);
    e.dialogues.fichiers << ailleurs.fichier("bon.bmp");
    nomme<QToolButton>(f, "OpenI")->click();
    QFile fichier(ailleurs.fichier(c.nom));
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
    fichier.write(c.octets);
    fichier.close();

    e.dialogues.fichiers << ailleurs.fichier(c.nom);
    nomme<QToolButton>(f, "OpenI")->click();
    ASSERT_EQ(e.dialogues.erreurs.size(), 1);
    EXPECT_TRUE(e.dialogues.erreurs[0].contains(c.message)) << e.dialogues.erreurs[0].toStdString();
    EXPECT_TRUE(QFile::exists(QDir(e.depart.chemin()).filePath(c.nom)));
    EXPECT_EQ(monde(f).image_courante, "bon.bmp");
    EXPECT_EQ(monde(f).salles[3].image, "bon.bmp");
    EXPECT_EQ(nomme<ImageEtiree>(f, "Image_epreuve")->picture().toImage().pixelColor(0, 0),
              QColor(Qt::cyan));
  }
}

TEST(PanneauSalle, ARoomWhosePictureIsMissingStillShowsTheRestAndKeepsTheName) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  ecrit_image(QDir(e.depart.chemin()).filePath("vue.bmp"), Qt::magenta);
  Tsalle &r = monde(f).salles[20];
  r.image = "absente.bmp";
  r.media = "cri.wav";
  r.question = "Qui crie ? ";
  r.reponses[2] = "Le hibou";
  r.bonnes[2] = true;
  monde(f).salles[21].image = "vue.bmp";
  appuie_salle(f, 21); // a picture on show first
  ASSERT_TRUE(nomme<ImageEtiree>(f, "Image_epreuve")->isVisibleTo(nomme(f, "TabImage")));

  appuie_salle(f, 20);
  ASSERT_EQ(e.dialogues.erreurs.size(), 1);
  EXPECT_TRUE(e.dialogues.erreurs[0].contains("absente.bmp"));
  EXPECT_FALSE(nomme<ImageEtiree>(f, "Image_epreuve")->isVisibleTo(nomme(f, "TabImage")));
  EXPECT_EQ(nomme<QPlainTextEdit>(f, "Memo1")->toPlainText(), QStringLiteral("Qui crie ?"));
  EXPECT_EQ(nomme<QLineEdit>(f, "Edit", 2)->text(), QStringLiteral("Le hibou"));
  EXPECT_TRUE(nomme<QCheckBox>(f, "Check", 2)->isChecked());
  EXPECT_EQ(nomme<TMsMediaPlayer>(f, "WMP2")->URL(), QStringLiteral("cri.wav"));
  EXPECT_EQ(monde(f).image_courante, "absente.bmp");
  appuie_salle(f, 22);
  EXPECT_EQ(r.image, "absente.bmp");
  EXPECT_EQ(r.media, "cri.wav");
  EXPECT_EQ(r.question, "Qui crie ? ");
  EXPECT_EQ(e.dialogues.erreurs.size(), 1);
}

TEST(PanneauSalle, MediumChosenClearedAndShownWithEnabledKept) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  Ailleurs ailleurs;
  QFile son(ailleurs.fichier("orage.wav"));
  ASSERT_TRUE(son.open(QIODevice::WriteOnly));
  son.write("RIFF");
  son.close();
  monde(f).salles[31].media = "vent.mp3";

  appuie_salle(f, 30);
  e.dialogues.fichiers << ailleurs.fichier("orage.wav");
  nomme<QToolButton>(f, "OpenV")->click();
  EXPECT_EQ(e.dialogues.genres.value(0), GenreDialogue::ouvrir);
  EXPECT_EQ(e.dialogues.filtres.value(0),
            QStringLiteral("Fichiers audio/vidéo (*.wav, *.mp3, *.avi, *.wmv, *.mpg, "
                           "*.mpeg) (*.wav *.mp3 *.avi *.wmv *.mpg *.mpeg)"));
  EXPECT_TRUE(QFile::exists(QDir(e.depart.chemin()).filePath("orage.wav")));
  EXPECT_TRUE(nomme<TMsMediaPlayer>(f, "WMP2")->enabled());
  EXPECT_EQ(nomme<TMsMediaPlayer>(f, "WMP2")->URL(), QStringLiteral("orage.wav"));
  EXPECT_EQ(monde(f).media_courant, "orage.wav");
  EXPECT_EQ(monde(f).salles[30].media, "orage.wav");

  nomme<QToolButton>(f, "SpeedButton7")->click();
  EXPECT_TRUE(nomme<TMsMediaPlayer>(f, "WMP2")->URL().isEmpty());
  EXPECT_FALSE(nomme<TMsMediaPlayer>(f, "WMP2")->enabled());
  EXPECT_TRUE(monde(f).media_courant.empty());
  EXPECT_TRUE(monde(f).salles[30].media.empty());

  appuie_salle(f, 31);
  EXPECT_EQ(nomme<TMsMediaPlayer>(f, "WMP2")->URL(), QStringLiteral("vent.mp3"));
  EXPECT_FALSE(nomme<TMsMediaPlayer>(f, "WMP2")->enabled());
  appuie_salle(f, 30);
  EXPECT_TRUE(nomme<TMsMediaPlayer>(f, "WMP2")->URL().isEmpty());
  EXPECT_EQ(monde(f).salles[31].media, "vent.mp3");

  // A cancelled dialog changes nothing.
  nomme<QToolButton>(f, "OpenV")->click();
  nomme<QToolButton>(f, "OpenI")->click();
  EXPECT_TRUE(monde(f).salles[30].media.empty());
  EXPECT_TRUE(monde(f).salles[30].image.empty());
}

TEST(PanneauSalle, ARoomMediumIsFoundInTheStartFolderLikeItsPicture) {
  // After a file dialog moved the current folder elsewhere, a medium that was copied into
  // the start folder still plays; one in the current folder goes by its bare name.
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  Ailleurs ailleurs;
  for (const QString &chemin :
       {QDir(e.depart.chemin()).filePath("cri.wav"), ailleurs.fichier("pluie.wav")}) {
    QFile son(chemin);
    ASSERT_TRUE(son.open(QIODevice::WriteOnly));
    son.write("RIFF");
  }
  monde(f).salles[40].media = "cri.wav";
  monde(f).salles[41].media = "pluie.wav";
  ASSERT_TRUE(QDir::setCurrent(ailleurs.dossier.path()));
  appuie_salle(f, 40);
  EXPECT_EQ(QFileInfo(QDir::current().absoluteFilePath(nomme<TMsMediaPlayer>(f, "WMP2")->URL()))
                .canonicalFilePath(),
            QFileInfo(QDir(e.depart.chemin()).filePath("cri.wav")).canonicalFilePath());
  EXPECT_EQ(monde(f).media_courant, "cri.wav");
  appuie_salle(f, 41);
  EXPECT_EQ(nomme<TMsMediaPlayer>(f, "WMP2")->URL(), QStringLiteral("pluie.wav"));
  appuie_salle(f, 42);
  EXPECT_EQ(monde(f).salles[40].media, "cri.wav");
  ASSERT_TRUE(QDir::setCurrent(e.depart.chemin()));
}

TEST(PanneauSalle, AnswersOfAnyLengthComeBackWhole) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  const std::string longue(40000, 'a');
  monde(f).salles[7].reponses[4] = longue;
  appuie_salle(f, 7);
  appuie_salle(f, 8);
  EXPECT_EQ(monde(f).salles[7].reponses[4].size(), longue.size());
}

TEST(PanneauSalle, PictureChosenWithNoRoomSelectedIsShownThenDiscarded) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  ecrit_image(QDir(e.depart.chemin()).filePath("libre.bmp"), Qt::gray);
  e.dialogues.fichiers << QDir(e.depart.chemin()).filePath("libre.bmp");
  nomme<QToolButton>(f, "OpenI")->click();
  EXPECT_TRUE(nomme<ImageEtiree>(f, "Image_epreuve")->isVisibleTo(nomme(f, "TabImage")));
  EXPECT_EQ(monde(f).image_courante, "libre.bmp");
  EXPECT_FALSE(monde(f).modifie); // the panel's buttons do not mark the labyrinth
  appuie_salle(f, 50);
  EXPECT_FALSE(nomme<ImageEtiree>(f, "Image_epreuve")->isVisibleTo(nomme(f, "TabImage")));
  EXPECT_TRUE(monde(f).image_courante.empty());
  for (const Tsalle &s : monde(f).salles)
    ASSERT_TRUE(s.image.empty());

  // Clearing the picture of the selected room reaches the room at once.
  e.dialogues.fichiers << QDir(e.depart.chemin()).filePath("libre.bmp");
  nomme<QToolButton>(f, "OpenI")->click();
  EXPECT_EQ(monde(f).salles[50].image, "libre.bmp");
  nomme<QToolButton>(f, "SpeedButton5")->click();
  EXPECT_TRUE(monde(f).salles[50].image.empty());
  EXPECT_TRUE(monde(f).image_courante.empty());
  EXPECT_TRUE(nomme<ImageEtiree>(f, "Image_epreuve")->picture().isNull());
  EXPECT_FALSE(nomme<ImageEtiree>(f, "Image_epreuve")->isVisibleTo(nomme(f, "TabImage")));
}

TEST(ApercuImage, ThePictureDialogShowsTheSelectedFileThroughTheEditorsLoader) {
  DossierDepart depart(false);
  ecrit_image(QDir(depart.chemin()).filePath("large.bmp"), Qt::red, {400, 100});
  QFileDialog boite;
  prepare_apercu(boite);
  EXPECT_TRUE(boite.testOption(QFileDialog::DontUseNativeDialog));
  auto *apercu = boite.findChild<QLabel *>(QStringLiteral("apercu"));
  ASSERT_NE(apercu, nullptr);
  emit boite.currentChanged(QDir(depart.chemin()).filePath("large.bmp"));
  const QPixmap vue = apercu->pixmap();
  ASSERT_FALSE(vue.isNull());
  EXPECT_LE(vue.width(), apercu->width());
  EXPECT_LE(vue.height(), apercu->height());
  EXPECT_EQ(vue.width() / vue.height(), 4); // proportions kept

  QFile abime(QDir(depart.chemin()).filePath("abime.bmp"));
  ASSERT_TRUE(abime.open(QIODevice::WriteOnly));
  abime.write("BM");
  abime.close();
  emit boite.currentChanged(abime.fileName());
  EXPECT_TRUE(apercu->pixmap().isNull());
  EXPECT_TRUE(apercu->text().contains("Bitmap image is not valid"));
}

} // namespace
