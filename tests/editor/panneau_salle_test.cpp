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

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <functional>

#include "apercu_image.h"
#include "cadre_marque.h"
#include "image_etiree.h"
#include "image_grille.h"
#include "lab_file.h"
#include "ms_media_player.h"
#include "outils_test.h"

namespace {

void appuie_salle(TForm1 &f, int i, Qt::MouseButton bouton = Qt::MiddleButton) {
  QTest::mousePress(vue_salle(f, i), bouton, {}, QPoint(20, 20));
}

// The room panel's controls, found by their names.
struct ControlesPanneau {
  explicit ControlesPanneau(const QWidget &f)
      : PC(nomme<QTabWidget>(f, "PC")), TabImage(nomme(f, "TabImage")),
        TabQuestion(nomme(f, "TabQuestion")), TabReponses(nomme(f, "TabReponses")),
        Image_epreuve(nomme<ImageEtiree>(f, "Image_epreuve")),
        OpenI(nomme<QToolButton>(f, "OpenI")), SpeedButton5(nomme<QToolButton>(f, "SpeedButton5")),
        OpenV(nomme<QToolButton>(f, "OpenV")), SpeedButton7(nomme<QToolButton>(f, "SpeedButton7")),
        WMP2(nomme<TMsMediaPlayer>(f, "WMP2")), Memo1(nomme<QPlainTextEdit>(f, "Memo1")) {
    for (int i = 0; i < NB_REPONSES; ++i) {
      Check[static_cast<size_t>(i)] = nomme<QCheckBox>(f, "Check", i);
      Edit[static_cast<size_t>(i)] = nomme<QLineEdit>(f, "Edit", i);
    }
  }
  QTabWidget *PC;
  QWidget *TabImage, *TabQuestion, *TabReponses;
  ImageEtiree *Image_epreuve;
  QToolButton *OpenI, *SpeedButton5, *OpenV, *SpeedButton7;
  TMsMediaPlayer *WMP2;
  QPlainTextEdit *Memo1;
  std::array<QCheckBox *, NB_REPONSES> Check{};
  std::array<QLineEdit *, NB_REPONSES> Edit{};
};
ControlesPanneau panneau(const QWidget &f) {
  return ControlesPanneau(f);
}

// The window shown and active, so that focus moves between its fields as a person's would.
void montre_active(TForm1 &f) {
  f.show();
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
}

// Types as the keyboard does, one key per character (QTest::keyClicks knows ASCII only).
void tape(QWidget *controle, const QString &texte) {
  for (qsizetype i = 0; i < texte.size(); ++i) {
    // A character beyond 16 bits is one key giving a surrogate pair.
    const qsizetype n = texte[i].isHighSurrogate() && i + 1 < texte.size() ? 2 : 1;
    QTest::sendKeyEvent(QTest::Click, controle, Qt::Key_unknown, texte.mid(i, n), Qt::NoModifier);
    i += n - 1;
  }
}

void tape_question(TForm1 &f, const QString &texte) {
  tape(panneau(f).Memo1, texte);
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
  tape(panneau(f).Edit[0], QStringLiteral("Là"));
  tape(panneau(f).Edit[3], QStringLiteral("Ici"));
  panneau(f).Check[3]->setChecked(true);

  appuie_salle(f, b);
  const Tsalle &ra = monde(f).salles[a];
  EXPECT_EQ(ra.question, "O\xF9 est l'\xE9t\xE9 ? "); // Windows-1252, one blank after the line
  EXPECT_EQ(ra.reponses[0], "L\xE0");
  EXPECT_EQ(ra.reponses[3], "Ici");
  EXPECT_TRUE(ra.reponses[1].empty());
  EXPECT_TRUE(ra.bonnes[3]);
  EXPECT_FALSE(ra.bonnes[0]);
  // The panel shows B, an ordinary room.
  EXPECT_TRUE(panneau(f).Memo1->toPlainText().isEmpty());
  EXPECT_TRUE(panneau(f).Edit[0]->text().isEmpty());
  EXPECT_FALSE(panneau(f).Check[3]->isChecked());
  EXPECT_TRUE(monde(f).salles[b].question.empty());

  // Back and forth: the room keeps exactly what was stored, visit after visit.
  for (int tour = 0; tour < 3; ++tour) {
    appuie_salle(f, a);
    EXPECT_EQ(panneau(f).Memo1->toPlainText(), QStringLiteral("Où est l'été ?"));
    EXPECT_EQ(panneau(f).Edit[0]->text(), QStringLiteral("Là"));
    EXPECT_TRUE(panneau(f).Check[3]->isChecked());
    appuie_salle(f, b);
    EXPECT_EQ(ra.question, "O\xF9 est l'\xE9t\xE9 ? ") << "visit " << tour;
    EXPECT_EQ(ra.reponses[0], "L\xE0");
  }
  EXPECT_EQ(ra.contenu, SALLE_CLE_NOIRE); // only the first press stepped it
}

// Every control of the panel the author could type in, tick or press.
QList<QWidget *> controles_saisie(const ControlesPanneau &p) {
  QList<QWidget *> v = {p.Memo1, p.OpenI, p.SpeedButton5, p.OpenV, p.SpeedButton7};
  for (int i = 0; i < NB_REPONSES; ++i)
    v << p.Check[i] << p.Edit[i];
  return v;
}

TEST(PanneauSalle, WithoutARoomNothingCanBeTypedAndNewOrOpenEmptiesThePanel) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  const ControlesPanneau p(f);
  for (QWidget *w : controles_saisie(p))
    EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
  appuie_salle(f, 12);
  for (QWidget *w : controles_saisie(p))
    EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();

  const auto remplit = [&] {
    p.Memo1->setPlainText(QStringLiteral("Qui ?"));
    p.Edit[2]->setText(QStringLiteral("Moi"));
    p.Check[2]->click();
  };
  const auto attend_vide = [&](const char *apres) {
    EXPECT_EQ(f.document().salle_choisie(), -1) << apres;
    EXPECT_TRUE(p.Memo1->toPlainText().isEmpty()) << apres;
    EXPECT_TRUE(p.Edit[2]->text().isEmpty()) << apres;
    EXPECT_FALSE(p.Check[2]->isChecked()) << apres;
    for (QWidget *w : controles_saisie(p))
      EXPECT_FALSE(w->isEnabled()) << apres << " " << w->objectName().toStdString();
  };
  remplit();
  e.dialogues.reponses << Reponse::non;
  clique(f, "SpeedButton1");
  attend_vide("New");

  const QString chemin = QDir(e.depart.chemin()).filePath("vide.lab");
  e.dialogues.fichiers << chemin;
  clique(f, "SpeedButton3");
  appuie_salle(f, 7);
  remplit();
  e.dialogues.reponses << Reponse::non;
  e.dialogues.fichiers << chemin;
  clique(f, "SpeedButton2");
  ASSERT_TRUE(e.dialogues.erreurs.isEmpty()) << e.dialogues.erreurs.join('\n').toStdString();
  attend_vide("Open");
}

TEST(PanneauSalle, TextTheFileCannotHoldIsRefusedWhenLeftAndKeptAsTyped) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  montre_active(f);
  appuie_salle(f, 3);
  const ControlesPanneau p(f);
  Historique &h = f.document().historique();
  p.PC->setCurrentWidget(p.TabQuestion);
  p.Memo1->setFocus();
  tape(p.Memo1, QString::fromUtf8("Flèche → ici 😀 →"));
  p.PC->setCurrentWidget(p.TabReponses);
  p.Edit[0]->setFocus(); // the memo is left
  ASSERT_EQ(e.dialogues.erreurs.size(), 1);
  EXPECT_EQ(e.dialogues.erreurs[0],
            QString::fromUtf8("Les caractères « → » et « 😀 » ne peuvent pas être enregistrés "
                              "dans un labyrinthe."));
  EXPECT_EQ(p.Memo1->toPlainText(), QString::fromUtf8("Flèche → ici 😀 →"));
  EXPECT_TRUE(monde(f).salles[3].question.empty());
  EXPECT_EQ(h.count(), 0);

  // Another room cannot be selected while the text stays: the press asks again.
  appuie_salle(f, 4);
  EXPECT_EQ(e.dialogues.erreurs.size(), 2);
  EXPECT_EQ(f.document().salle_choisie(), 3);
  EXPECT_EQ(p.Memo1->toPlainText(), QString::fromUtf8("Flèche → ici 😀 →"));
  EXPECT_EQ(monde(f).salles[4].contenu, SALLE_VIDE);
  for (const Tsalle &s : monde(f).salles)
    ASSERT_EQ(s.question.find('?'), std::string::npos);

  // One character is named in the singular; an answer is refused as the question is.
  tape(p.Edit[0], QString::fromUtf8("中"));
  p.Edit[1]->setFocus();
  ASSERT_EQ(e.dialogues.erreurs.size(), 3);
  EXPECT_EQ(e.dialogues.erreurs[2],
            QString::fromUtf8("Le caractère « 中 » ne peut pas être enregistré dans un "
                              "labyrinthe."));
  EXPECT_EQ(p.Edit[0]->text(), QString::fromUtf8("中"));
  EXPECT_TRUE(monde(f).salles[3].reponses[0].empty());

  // Mended, each text is stored exactly.
  p.Memo1->setPlainText(QString::fromUtf8("Flèche ici"));
  p.Edit[0]->setText(QString::fromUtf8("Œuf"));
  appuie_salle(f, 4);
  EXPECT_EQ(e.dialogues.erreurs.size(), 3);
  EXPECT_EQ(monde(f).salles[3].question, "Fl\xE8"
                                         "che ici ");
  EXPECT_EQ(monde(f).salles[3].reponses[0], "\x8C"
                                            "uf");
  EXPECT_EQ(f.document().salle_choisie(), 4);
}

TEST(PanneauSalle, TypingBeforeAnySelectionReachesNoRoom) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  Tsalle &r = monde(f).salles[40];
  r.question = "Combien de pattes ? ";
  r.reponses[1] = "Huit";
  r.bonnes[1] = true;
  tape_question(f, QStringLiteral("Perdu"));
  panneau(f).Edit[0]->setText(QStringLiteral("Perdu aussi"));
  panneau(f).Check[0]->setChecked(true);
  appuie_salle(f, 40);
  for (const Tsalle &s : monde(f).salles) {
    ASSERT_EQ(s.question.find("Perdu"), std::string::npos);
    ASSERT_EQ(s.reponses[0].find("Perdu"), std::string::npos);
  }
  EXPECT_EQ(panneau(f).Memo1->toPlainText(), QStringLiteral("Combien de pattes ?"));
  EXPECT_TRUE(panneau(f).Edit[0]->text().isEmpty());
  EXPECT_FALSE(panneau(f).Check[0]->isChecked());
  EXPECT_EQ(panneau(f).Edit[1]->text(), QStringLiteral("Huit"));
  EXPECT_TRUE(panneau(f).Check[1]->isChecked());
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
  EXPECT_EQ(panneau(f).Memo1->toPlainText(), QStringLiteral("Encore ?"));
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
    panneau(f).Memo1->setPlainText(c.memo);
    appuie_salle(f, 1);
    EXPECT_EQ(monde(f).salles[0].question, c.attendu);
  }
}

TEST(PanneauSalle, OneLineFieldsNeverCarryALineBreakIntoTheModel) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  appuie_salle(f, 0);
  panneau(f).Edit[0]->setText(QStringLiteral("a\nb"));
  panneau(f).Edit[4]->setText(QStringLiteral("c\r\nd\re"));
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

// Shows the window with the question's tab in front, so that the memo wraps on screen.
void montre_question(TForm1 &f) {
  panneau(f).PC->setCurrentWidget(panneau(f).TabQuestion);
  f.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
}

TEST(PanneauSalle, AWrapOnScreenIsNoLineOfTheQuestion) {
  // Only the breaks the author typed make lines: a word longer than the memo's line and a
  // sentence wrapped between words come back as typed, with the one final blank.
  const QString long_mot = QStringLiteral("https://exemple.fr/") + QString(300, QLatin1Char('m'));
  const QString phrase = QStringLiteral("Dans quel pays se trouve la ville qui porte le nom "
                                        "le plus long du monde, et combien de lettres a-t-il ?");
  for (bool visible : {false, true}) {
    SCOPED_TRACE(visible ? "on screen" : "tab never shown");
    EditeurEnTest e;
    TForm1 &f = *e.fenetre;
    if (visible)
      montre_question(f);
    int salle = 0;
    for (const QString &texte : {long_mot, phrase, long_mot + "\n" + phrase}) {
      appuie_salle(f, salle);
      panneau(f).Memo1->setPlainText(texte);
      if (visible) {
        QCoreApplication::processEvents();
        ASSERT_GT(lignes_a_l_ecran(panneau(f).Memo1).size(), texte.count('\n') + 1)
            << "the text must wrap on screen";
      }
      appuie_salle(f, salle + 1);
      QString attendu = texte;
      attendu.replace('\n', ' ');
      EXPECT_EQ(monde(f).salles[salle].question, attendu.toStdString() + " ");
      ++salle;
    }
  }
}

TEST(PanneauSalle, ARoomSelectedAndLeftKeepsItsQuestionByteForByte) {
  // Whatever the file held: long words the memo wraps, no final blank, bytes that
  // Windows-1252 leaves undefined, a no-break space, blanks at both ends.
  std::string longue;
  while (longue.size() < 3000)
    longue += "Voir https://exemple.fr/" + std::string(120, 'x') + " et 12345678901234567890 ";
  longue.pop_back();
  const std::string cas[] = {
      longue,
      "Sans blanc final",
      "Octets \x81\x8D\x8F\x90\x9D et\xA0"
      "espace ",
      "  deux blancs devant et derri\xE8re  ",
  };
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  montre_question(f);
  for (const std::string &question : cas) {
    SCOPED_TRACE(question.substr(0, 30));
    monde(f).salles[5].question = question;
    monde(f).salles[5].reponses[0] = question;
    appuie_salle(f, 5);
    QCoreApplication::processEvents();
    appuie_salle(f, 6);
    EXPECT_EQ(monde(f).salles[5].question, question);
    EXPECT_EQ(monde(f).salles[5].reponses[0], question);
    EXPECT_EQ(f.document().historique().count(), 0) << "nothing was edited";
    EXPECT_FALSE(monde(f).modifie);
  }
}

TEST(PanneauSalle, ChoosingAPictureCopiesItInAndNamesItInTheRoom) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  Ailleurs ailleurs;
  ecrit_image(ailleurs.fichier("photo.bmp"), Qt::blue);
  ecrit_image(QDir(e.depart.chemin()).filePath("photo.bmp"), Qt::yellow); // replaced, asked
  appuie_salle(f, 15);
  e.dialogues.fichiers << ailleurs.fichier("photo.bmp");
  e.dialogues.reponses << Reponse::oui; // Remplacer
  panneau(f).OpenI->click();
  ASSERT_EQ(e.dialogues.questions.size(), 1);
  EXPECT_TRUE(e.dialogues.questions[0].contains(QStringLiteral("\u00AB photo.bmp \u00BB")));

  ASSERT_EQ(e.dialogues.genres.size(), 1);
  EXPECT_EQ(e.dialogues.genres[0], GenreDialogue::ouvrir_image);
  EXPECT_TRUE(e.dialogues.filtres[0].contains("*.bmp *.jpg *.jpeg *.gif"));
  EXPECT_TRUE(e.dialogues.erreurs.isEmpty()) << e.dialogues.erreurs.join('\n').toStdString();
  EXPECT_EQ(contenu(QDir(e.depart.chemin()).filePath("photo.bmp")),
            contenu(ailleurs.fichier("photo.bmp")));
  EXPECT_EQ(panneau_salle(f).image_courante(), "photo.bmp");
  EXPECT_EQ(monde(f).salles[15].image, "photo.bmp");
  EXPECT_TRUE(panneau(f).Image_epreuve->isVisibleTo(panneau(f).TabImage));
  EXPECT_EQ(panneau(f).Image_epreuve->picture().toImage().pixelColor(3, 3), QColor(Qt::blue));

  // The room keeps it: another room hides the picture, coming back shows it again, and the
  // start folder is enough when the current folder moved elsewhere.
  appuie_salle(f, 16);
  EXPECT_FALSE(panneau(f).Image_epreuve->isVisibleTo(panneau(f).TabImage));
  EXPECT_TRUE(panneau_salle(f).image_courante().empty());
  EXPECT_EQ(monde(f).salles[15].image, "photo.bmp");
  QFile::remove(ailleurs.fichier("photo.bmp"));
  appuie_salle(f, 15);
  EXPECT_TRUE(panneau(f).Image_epreuve->isVisibleTo(panneau(f).TabImage));
  EXPECT_EQ(panneau(f).Image_epreuve->picture().toImage().pixelColor(3, 3), QColor(Qt::blue));
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
  panneau(f).OpenI->click();
  panneau(f).OpenV->click();
  ASSERT_EQ(e.dialogues.erreurs.size(), 2);
  EXPECT_TRUE(e.dialogues.erreurs[0].contains(nom));
  EXPECT_FALSE(QFileInfo::exists(QDir(e.depart.chemin()).filePath(nom)));
  EXPECT_TRUE(monde(f).salles[4].image.empty());
  EXPECT_TRUE(monde(f).salles[4].media.empty());
  EXPECT_FALSE(panneau(f).Image_epreuve->isVisibleTo(panneau(f).TabImage));
}

TEST(PanneauSalle, APictureAlreadyInTheStartFolderOrInAFolderOfOtherCase) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  const QString depart = e.depart.chemin();
  appuie_salle(f, 0);
  ecrit_image(QDir(depart).filePath("ici.bmp"), Qt::green);
  e.dialogues.fichiers << QDir(depart).filePath("ici.bmp");
  panneau(f).OpenI->click();
  EXPECT_EQ(panneau_salle(f).image_courante(), "ici.bmp");
  EXPECT_TRUE(e.dialogues.erreurs.isEmpty());
  EXPECT_EQ(QDir(depart).entryList(QDir::Files).count("ici.bmp"), 1);

  // A folder whose name differs only in letter case is another folder here: copied.
  const QString autre_casse =
      QFileInfo(depart).absolutePath() + '/' + QFileInfo(depart).fileName().toUpper() + "X";
  ASSERT_TRUE(QDir().mkpath(autre_casse));
  ecrit_image(autre_casse + "/Casse.bmp", Qt::red);
  e.dialogues.fichiers << autre_casse + "/Casse.bmp";
  panneau(f).OpenI->click();
  EXPECT_TRUE(QFile::exists(QDir(depart).filePath("Casse.bmp")));
  EXPECT_EQ(panneau_salle(f).image_courante(), "Casse.bmp");
  QDir(autre_casse).removeRecursively();
}

TEST(PanneauSalle, APictureThatFailsToLoadIsNeitherCopiedNorNamed) {
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
    panneau(f).OpenI->click();
    QFile fichier(ailleurs.fichier(c.nom));
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
    fichier.write(c.octets);
    fichier.close();

    e.dialogues.fichiers << ailleurs.fichier(c.nom);
    panneau(f).OpenI->click();
    ASSERT_EQ(e.dialogues.erreurs.size(), 1);
    EXPECT_TRUE(e.dialogues.erreurs[0].contains(c.message)) << e.dialogues.erreurs[0].toStdString();
    // Checked before it is copied: a picture refused is neither copied nor named.
    EXPECT_FALSE(QFile::exists(QDir(e.depart.chemin()).filePath(c.nom)));
    EXPECT_TRUE(e.dialogues.erreurs[0].contains(QStringLiteral("\u00AB %1 \u00BB").arg(c.nom)));
    EXPECT_EQ(panneau_salle(f).image_courante(), "bon.bmp");
    EXPECT_EQ(monde(f).salles[3].image, "bon.bmp");
    EXPECT_EQ(panneau(f).Image_epreuve->picture().toImage().pixelColor(0, 0), QColor(Qt::cyan));
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
  ASSERT_TRUE(panneau(f).Image_epreuve->isVisibleTo(panneau(f).TabImage));

  appuie_salle(f, 20);
  ASSERT_EQ(e.dialogues.erreurs.size(), 1);
  EXPECT_TRUE(e.dialogues.erreurs[0].contains("absente.bmp"));
  EXPECT_FALSE(panneau(f).Image_epreuve->isVisibleTo(panneau(f).TabImage));
  EXPECT_EQ(panneau(f).Memo1->toPlainText(), QStringLiteral("Qui crie ?"));
  EXPECT_EQ(panneau(f).Edit[2]->text(), QStringLiteral("Le hibou"));
  EXPECT_TRUE(panneau(f).Check[2]->isChecked());
  EXPECT_EQ(panneau(f).WMP2->URL(), QString()); // found nowhere: nothing to play
  EXPECT_EQ(panneau_salle(f).image_courante(), "absente.bmp");
  appuie_salle(f, 22);
  EXPECT_EQ(r.image, "absente.bmp");
  EXPECT_EQ(r.media, "cri.wav");
  EXPECT_EQ(r.question, "Qui crie ? ");
  EXPECT_EQ(e.dialogues.erreurs.size(), 1);
}

TEST(PanneauSalle, NamesReadFromAFileAreLookedUpByTheirLastComponentOnly) {
  // A folder beside the labyrinth's holds files of the same bare names: they are never
  // shown or played, and the room keeps its names as read.
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  Ailleurs ailleurs;
  const QString ici = e.depart.chemin();
  ecrit_image(ailleurs.fichier("z.bmp"), Qt::red);
  ecrit_image(QDir(ici).filePath("z.bmp"), Qt::green);
  QFile(ailleurs.fichier("cri.wav")).open(QIODevice::WriteOnly);
  QFile(QDir(ici).filePath("cri.wav")).open(QIODevice::WriteOnly);
  const std::string relatif = QDir(ici).relativeFilePath(ailleurs.fichier("z.bmp")).toStdString();
  const struct {
    std::string image, media;
  } cas[] = {
      {relatif, ailleurs.fichier("cri.wav").toStdString()},
      {"..\\" + relatif.substr(3), "C:\\Windows\\cri.wav"},
      {ailleurs.fichier("z.bmp").toStdString(), "sons/cri.wav"},
  };
  for (const auto &c : cas) {
    SCOPED_TRACE(c.image + " | " + c.media);
    monde(f).salles[8].image = c.image;
    monde(f).salles[8].media = c.media;
    appuie_salle(f, 8);
    EXPECT_TRUE(e.dialogues.erreurs.isEmpty()) << e.dialogues.erreurs.join('\n').toStdString();
    EXPECT_EQ(panneau(f).Image_epreuve->picture().toImage().pixelColor(3, 3), QColor(Qt::green));
    EXPECT_EQ(panneau(f).WMP2->URL(), QDir(ici).filePath("cri.wav"));
    appuie_salle(f, 9);
    EXPECT_EQ(monde(f).salles[8].image, c.image);
    EXPECT_EQ(monde(f).salles[8].media, c.media);
  }
  // The current folder is never looked in, wherever it moved.
  ASSERT_TRUE(QDir::setCurrent(ailleurs.dossier.path()));
  ecrit_image(ailleurs.fichier("autre.bmp"), Qt::red);
  monde(f).salles[8].image = "../x/autre.bmp";
  QDir(ici).mkdir("x");
  ecrit_image(QDir(ici).filePath("x/autre.bmp"), Qt::blue);
  ecrit_image(QDir(ici).filePath("autre.bmp"), Qt::green);
  appuie_salle(f, 8);
  EXPECT_EQ(panneau(f).Image_epreuve->picture().toImage().pixelColor(3, 3), QColor(Qt::green));
  ASSERT_TRUE(QDir::setCurrent(ici));
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
  panneau(f).OpenV->click();
  EXPECT_EQ(e.dialogues.genres.value(0), GenreDialogue::ouvrir);
  EXPECT_EQ(e.dialogues.filtres.value(0),
            QStringLiteral("Fichiers audio/vid\u00E9o (*.wav, *.mp3, *.avi, *.wmv, *.mpg, *.mpeg) "
                           "(*.wav *.mp3 *.avi *.wmv *.mpg *.mpeg)"));
  EXPECT_EQ(e.dialogues.motifs_caches.value(0), true); // the caption lists the extensions
  EXPECT_TRUE(QFile::exists(QDir(e.depart.chemin()).filePath("orage.wav")));
  EXPECT_TRUE(panneau(f).WMP2->enabled());
  EXPECT_EQ(panneau(f).WMP2->URL(), QDir(e.depart.chemin()).filePath("orage.wav"));
  EXPECT_EQ(panneau_salle(f).media_courant(), "orage.wav");
  EXPECT_EQ(monde(f).salles[30].media, "orage.wav");

  panneau(f).SpeedButton7->click();
  EXPECT_TRUE(panneau(f).WMP2->URL().isEmpty());
  EXPECT_FALSE(panneau(f).WMP2->enabled());
  EXPECT_TRUE(panneau_salle(f).media_courant().empty());
  EXPECT_TRUE(monde(f).salles[30].media.empty());

  appuie_salle(f, 31);
  EXPECT_TRUE(panneau(f).WMP2->URL().isEmpty()); // vent.mp3 is nowhere
  EXPECT_FALSE(panneau(f).WMP2->enabled());
  appuie_salle(f, 30);
  EXPECT_TRUE(panneau(f).WMP2->URL().isEmpty());
  EXPECT_EQ(monde(f).salles[31].media, "vent.mp3");

  // A cancelled dialog changes nothing.
  panneau(f).OpenV->click();
  panneau(f).OpenI->click();
  EXPECT_TRUE(monde(f).salles[30].media.empty());
  EXPECT_TRUE(monde(f).salles[30].image.empty());
}

TEST(PanneauSalle, ARoomMediumIsFoundInItsFolderAndNeverThroughTheCurrentFolder) {
  // Wherever the current folder is, a medium plays from the labyrinth's folder; one only
  // in the current folder, or a pipe, never reaches the player (which would wait on a pipe
  // for ever).
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  Ailleurs ailleurs;
  for (const QString &chemin :
       {QDir(e.depart.chemin()).filePath("cri.wav"), ailleurs.fichier("pluie.wav")}) {
    QFile son(chemin);
    ASSERT_TRUE(son.open(QIODevice::WriteOnly));
    son.write("RIFF");
  }
  ASSERT_EQ(
      ::mkfifo(QFile::encodeName(QDir(e.depart.chemin()).filePath("tube.wav")).constData(), 0600),
      0);
  monde(f).salles[40].media = "cri.wav";
  monde(f).salles[41].media = "pluie.wav";
  monde(f).salles[43].media = "tube.wav";
  ASSERT_TRUE(QDir::setCurrent(ailleurs.dossier.path()));
  appuie_salle(f, 40);
  EXPECT_EQ(panneau(f).WMP2->URL(), QDir(e.depart.chemin()).filePath("cri.wav"));
  EXPECT_EQ(panneau_salle(f).media_courant(), "cri.wav");
  appuie_salle(f, 41);
  EXPECT_TRUE(panneau(f).WMP2->URL().isEmpty());
  appuie_salle(f, 43);
  EXPECT_TRUE(panneau(f).WMP2->URL().isEmpty());
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

TEST(PanneauSalle, PictureButtonsWaitForARoom) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  ecrit_image(QDir(e.depart.chemin()).filePath("libre.bmp"), Qt::gray);
  e.dialogues.fichiers << QDir(e.depart.chemin()).filePath("libre.bmp");
  panneau(f).OpenI->click(); // disabled: no dialog, nothing shown
  EXPECT_EQ(e.dialogues.fichiers.size(), 1);
  EXPECT_FALSE(panneau(f).Image_epreuve->isVisibleTo(panneau(f).TabImage));
  EXPECT_TRUE(panneau_salle(f).image_courante().empty());
  appuie_salle(f, 50);
  for (const Tsalle &s : monde(f).salles)
    ASSERT_TRUE(s.image.empty());

  // Clearing the picture of the selected room reaches the room at once.
  panneau(f).OpenI->click();
  EXPECT_EQ(monde(f).salles[50].image, "libre.bmp");
  panneau(f).SpeedButton5->click();
  EXPECT_TRUE(monde(f).salles[50].image.empty());
  EXPECT_TRUE(panneau_salle(f).image_courante().empty());
  EXPECT_TRUE(panneau(f).Image_epreuve->picture().isNull());
  EXPECT_FALSE(panneau(f).Image_epreuve->isVisibleTo(panneau(f).TabImage));
}

// What the panel shows, as the author sees it.
struct VuePanneau {
  QString memo;
  QStringList reponses;
  QList<bool> bonnes;
  bool image_visible;
  QColor couleur_image;
  QString url;
  std::string image_courante, media_courant;
  bool operator==(const VuePanneau &) const = default;
};

VuePanneau vue(TForm1 &f) {
  const ControlesPanneau p(f);
  VuePanneau v;
  v.memo = p.Memo1->toPlainText();
  for (int i = 0; i < NB_REPONSES; ++i) {
    v.reponses << p.Edit[i]->text();
    v.bonnes << p.Check[i]->isChecked();
  }
  v.image_visible = p.Image_epreuve->isVisibleTo(p.TabImage);
  v.couleur_image =
      v.image_visible ? p.Image_epreuve->picture().toImage().pixelColor(3, 3) : QColor();
  v.url = p.WMP2->URL();
  v.image_courante = panneau_salle(f).image_courante();
  v.media_courant = panneau_salle(f).media_courant();
  return v;
}

// The window shown and active, so that its keyboard shortcuts are live.
void active(TForm1 &f) {
  f.show();
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
}

// Ctrl+Z or Ctrl+Y with the focus out of every text field.
void annule(TForm1 &f) {
  f.setFocus();
  QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);
}
void refait(TForm1 &f) {
  f.setFocus();
  QTest::keyClick(&f, Qt::Key_Y, Qt::ControlModifier);
}

TEST(PanneauSalleHistorique, EachEditIsOneStepThatUndoesAndRedoesExactly) {
  struct Cas {
    const char *nom;
    std::function<void(TForm1 &, EditeurEnTest &)> edite;
  } const cas[] = {
      {"question", [](TForm1 &f, EditeurEnTest &) { tape(panneau(f).Memo1, "Et alors ?"); }},
      {"answer", [](TForm1 &f, EditeurEnTest &) { panneau(f).Edit[2]->setText("Autre"); }},
      {"tick", [](TForm1 &f, EditeurEnTest &) { panneau(f).Check[4]->click(); }},
      {"picture chosen",
       [](TForm1 &f, EditeurEnTest &e) {
         e.dialogues.fichiers << QDir(e.depart.chemin()).filePath("bleu.bmp");
         panneau(f).OpenI->click();
       }},
      {"picture cleared", [](TForm1 &f, EditeurEnTest &) { panneau(f).SpeedButton5->click(); }},
      {"medium chosen",
       [](TForm1 &f, EditeurEnTest &e) {
         e.dialogues.fichiers << QDir(e.depart.chemin()).filePath("orage.wav");
         panneau(f).OpenV->click();
       }},
      {"medium cleared", [](TForm1 &f, EditeurEnTest &) { panneau(f).SpeedButton7->click(); }},
  };
  for (const Cas &c : cas) {
    SCOPED_TRACE(c.nom);
    EditeurEnTest e;
    TForm1 &f = *e.fenetre;
    active(f);
    ecrit_image(QDir(e.depart.chemin()).filePath("rouge.bmp"), Qt::red);
    ecrit_image(QDir(e.depart.chemin()).filePath("bleu.bmp"), Qt::blue);
    QFile(QDir(e.depart.chemin()).filePath("orage.wav")).open(QIODevice::WriteOnly);
    Tsalle &r = monde(f).salles[12];
    r.question = "Quoi ? ";
    r.reponses[2] = "Ceci";
    r.bonnes[1] = true;
    r.image = "rouge.bmp";
    r.media = "vent.mp3";
    appuie_salle(f, 12);
    const VuePanneau avant = vue(f);
    const std::string fichier_avant = ecrit_lab(f.monde());
    c.edite(f, e);
    const VuePanneau apres = vue(f);
    ASSERT_NE(apres, avant);
    appuie_salle(f, 40); // the selection moves away; the edit is stored by now
    Historique &h = f.document().historique();
    ASSERT_EQ(h.count(), 1);
    const std::string fichier_apres = ecrit_lab(f.monde());
    ASSERT_NE(fichier_apres, fichier_avant);
    EXPECT_TRUE(f.monde().modifie);

    annule(f);
    EXPECT_EQ(ecrit_lab(f.monde()), fichier_avant);
    EXPECT_FALSE(f.monde().modifie);
    EXPECT_EQ(f.document().salle_choisie(), 12) << "the room the step concerns is selected";
    EXPECT_EQ(dans_fenetre(nomme(f, "Marque")),
              dans_fenetre(vue_salle(f, 12))
                  .adjusted(-CadreMarque::EPAISSEUR, -CadreMarque::EPAISSEUR,
                            CadreMarque::EPAISSEUR, CadreMarque::EPAISSEUR));
    EXPECT_TRUE(vue(f) == avant);
    refait(f);
    EXPECT_EQ(ecrit_lab(f.monde()), fichier_apres);
    EXPECT_TRUE(vue(f) == apres);
    // Undone with the room on show: the field alone goes back.
    annule(f);
    EXPECT_TRUE(vue(f) == avant);
    EXPECT_EQ(h.count(), 1);
    EXPECT_TRUE(e.dialogues.erreurs.isEmpty()) << e.dialogues.erreurs.join('\n').toStdString();
  }
}

TEST(PanneauSalleHistorique, TypingIsOneStepWhenTheFieldIsLeftNotOnePerKey) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  active(f);
  appuie_salle(f, 3);
  const ControlesPanneau p(f);
  Historique &h = f.document().historique();
  p.PC->setCurrentWidget(p.TabReponses);
  p.Edit[0]->setFocus();
  QTest::keyClicks(p.Edit[0], "Paris");
  EXPECT_EQ(h.count(), 0);
  p.Edit[1]->setFocus(); // the first field is left
  EXPECT_EQ(h.count(), 1);
  EXPECT_EQ(monde(f).salles[3].reponses[0], "Paris");
  QTest::keyClicks(p.Edit[1], "Rome");
  // Ctrl+Z in a field acts on the field's own text, not on the history.
  QTest::keyClick(p.Edit[1], Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(p.Edit[1]->text().isEmpty());
  EXPECT_EQ(h.count(), 1);
  EXPECT_EQ(monde(f).salles[3].reponses[0], "Paris");
  QTest::keyClick(p.Edit[1], Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(p.Edit[1]->text(), "Rome");
  EXPECT_EQ(h.count(), 1);

  p.PC->setCurrentWidget(p.TabQuestion);
  p.Memo1->setFocus();
  QTest::keyClicks(p.Memo1, "Capitale ?");
  EXPECT_EQ(h.count(), 2); // the answer field was left when the memo took the focus
  f.setFocus();            // out of every text field: the keys reach the history
  EXPECT_EQ(h.count(), 3);
  EXPECT_EQ(monde(f).salles[3].question, "Capitale ? ");
  QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(monde(f).salles[3].question.empty());
  EXPECT_TRUE(p.Memo1->toPlainText().isEmpty());
  QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(monde(f).salles[3].question, "Capitale ? ");
  EXPECT_EQ(p.Memo1->toPlainText(), "Capitale ?");
}

TEST(PanneauSalleHistorique, UndoNeverDropsTextBeingTyped) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  active(f);
  Historique &h = f.document().historique();
  appuie_salle(f, 7);
  panneau(f).Check[0]->click(); // a step on room 7
  appuie_salle(f, 12);
  panneau(f).Memo1->setPlainText("En cours");
  panneau(f).Edit[1]->setText("aussi");
  ASSERT_EQ(h.count(), 1);
  // The typing becomes steps first; the undo takes back the last of them.
  annule(f);
  EXPECT_EQ(h.count(), 3);
  EXPECT_EQ(f.document().salle_choisie(), 12);
  EXPECT_EQ(monde(f).salles[12].question, "En cours ");
  EXPECT_TRUE(panneau(f).Edit[1]->text().isEmpty());
  annule(f);
  annule(f); // the tick of room 7, which is selected again
  EXPECT_EQ(f.document().salle_choisie(), 7);
  EXPECT_FALSE(panneau(f).Check[0]->isChecked());
  for (int n = 0; n < 3; ++n)
    refait(f);
  EXPECT_EQ(f.document().salle_choisie(), 12);
  EXPECT_EQ(monde(f).salles[12].reponses[1], "aussi");
  EXPECT_EQ(panneau(f).Memo1->toPlainText(), "En cours");
  EXPECT_EQ(panneau(f).Edit[1]->text(), "aussi");
  EXPECT_TRUE(monde(f).salles[7].bonnes[0]);
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
