#include "bouton_degrade.h"
#include "tftitre.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const QString &s, std::ostream *os) {
  *os << '"' << s.toStdString() << '"';
}

namespace {

// Types `texte` into `champ`; QTest's own typing knows only ASCII.
void tape(QWidget *champ, const QString &texte) {
  QKeyEvent appui(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, texte);
  QApplication::sendEvent(champ, &appui);
}

// Replaces a memo's text as a paste over all of it does.
void remplace(QPlainTextEdit *memo, const QString &texte) {
  memo->selectAll();
  memo->insertPlainText(texte);
}

// The dialog shown as the editor shows it, its controls found by name, and the error boxes
// it asked for.
struct Banc {
  TFtitre f;
  QLineEdit *Edit1 = nullptr;
  QPlainTextEdit *Memo1 = nullptr;
  QPlainTextEdit *Memo2 = nullptr;
  TBoutonDegrade *valider = nullptr;
  TBoutonDegrade *annuler = nullptr;
  QStringList erreurs;

  Banc() {
    Edit1 = f.findChild<QLineEdit *>(QStringLiteral("Edit1"));
    Memo1 = f.findChild<QPlainTextEdit *>(QStringLiteral("Memo1"));
    Memo2 = f.findChild<QPlainTextEdit *>(QStringLiteral("Memo2"));
    valider = f.findChild<TBoutonDegrade *>(QStringLiteral("BoutonDegrade1"));
    annuler = f.findChild<TBoutonDegrade *>(QStringLiteral("BoutonDegrade2"));
    f.pose_boite_erreur([this](QWidget *, const QString &m) { erreurs << m; });
  }
  bool ouvre() {
    f.show();
    if (!QTest::qWaitForWindowExposed(&f))
      return false;
    QApplication::setActiveWindow(&f);
    QApplication::processEvents();
    return true;
  }
  void clique(TBoutonDegrade *b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(60, 16)); }
};

TEST(TFtitre, ControlsStandWhereTheDialogPlacesThem) {
  Banc banc;
  ASSERT_TRUE(banc.Edit1 && banc.Memo1 && banc.Memo2 && banc.valider && banc.annuler);
  EXPECT_EQ(banc.f.size(), QSize(392, 466));
  EXPECT_TRUE(banc.f.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(banc.f.palette().color(QPalette::Window), QColor(0x9B, 0xDE, 0xFF));
  const struct {
    const char *nom;
    QRect place;
  } places[] = {
      {"Bevel1", {0, 0, 392, 466}},
      {"Label1", {8, 8, 249, 25}},
      {"Edit1", {8, 32, 377, 28}},
      {"Label2", {8, 72, 249, 25}},
      {"Memo1", {8, 96, 377, 145}},
      {"Label3", {8, 248, 249, 25}},
      {"Memo2", {7, 272, 377, 145}},
      {"BoutonDegrade1", {40, 424, 121, 33}},
      {"BoutonDegrade2", {224, 424, 121, 33}},
  };
  for (const auto &p : places) {
    const auto *w = banc.f.findChild<QWidget *>(QString::fromLatin1(p.nom));
    ASSERT_NE(w, nullptr) << p.nom;
    EXPECT_EQ(w->geometry(), p.place) << p.nom;
    if (std::string_view(p.nom) != "Bevel1") {
      EXPECT_TRUE(w->font().bold()) << p.nom;
      EXPECT_EQ(w->font().pixelSize(), 16) << p.nom;
    }
  }
  const struct {
    const char *nom, *texte;
  } etiquettes[] = {{"Label1", "Entrez le titre du labyrinthe :"},
                    {"Label2", "Entrez le texte d'introduction :"},
                    {"Label3", "Entrez le message de fin :"}};
  for (const auto &e : etiquettes) {
    const auto *l = banc.f.findChild<QLabel *>(QString::fromLatin1(e.nom));
    EXPECT_EQ(l->text(), QString::fromUtf8(e.texte));
    EXPECT_EQ(l->palette().color(QPalette::WindowText), QColor(0, 0, 0x80));
  }
  const struct {
    TBoutonDegrade *b;
    const char *legende;
    TColorScheme schema;
  } boutons[] = {{banc.valider, "VALIDER", csNeoGrass}, {banc.annuler, "ANNULER", csNeoRose}};
  for (const auto &b : boutons) {
    EXPECT_EQ(b.b->Caption(), QString::fromLatin1(b.legende));
    EXPECT_EQ(b.b->ColorScheme(), b.schema);
    EXPECT_TRUE(b.b->Gradient() && b.b->Ctl3D() && b.b->HotTrack() && b.b->TransparentGlyph());
    EXPECT_EQ(b.b->Layout(), blGlyphLeft);
    EXPECT_EQ(b.b->Spacing(), 4);
    EXPECT_EQ(b.b->ModalResult(), 0);
    EXPECT_FALSE(b.b->Default() || b.b->Cancel());
  }
  EXPECT_EQ(banc.Edit1->maxLength(), std::numeric_limits<int>::max());
}

TEST(TFtitre, TabVisitsTitleMissionTheTwoButtonsThenTheMessage) {
  Banc banc;
  ASSERT_TRUE(banc.ouvre());
  ASSERT_TRUE(banc.Edit1->hasFocus());
  const QWidget *ordre[] = {banc.Memo1, banc.valider, banc.annuler, banc.Memo2, banc.Edit1};
  for (const QWidget *suivant : ordre) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), suivant)
        << QApplication::focusWidget()->objectName().toStdString();
  }
}

TEST(TFtitre, BothButtonsShadeLightUpUnderThePointerAndSinkWhenPressed) {
  Banc banc;
  ASSERT_TRUE(banc.ouvre());
  for (TBoutonDegrade *b : {banc.valider, banc.annuler}) {
    QImage image = banc.f.grab().toImage();
    const QPoint haut = b->geometry().topLeft() + QPoint(60, 3);
    const QPoint bas = b->geometry().topLeft() + QPoint(60, 29);
    EXPECT_NE(image.pixel(haut), image.pixel(bas)) << "shaded";
    QTest::mouseMove(&banc.f, QPoint(200, 5));
    QTest::mouseMove(b, QPoint(100, 16));
    EXPECT_EQ(b->etat(), TBoutonDegrade::Over);
    const QImage survol = banc.f.grab().toImage();
    EXPECT_NE(survol.pixel(haut), image.pixel(haut)) << "lit under the pointer";
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(100, 16));
    EXPECT_EQ(b->etat(), TBoutonDegrade::Down);
    const QImage enfonce = banc.f.grab().toImage();
    EXPECT_NE(enfonce.pixel(haut), survol.pixel(haut)) << "sunk";
    QTest::mouseMove(b, QPoint(200, 16)); // slides off: releasing there clicks nothing
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(200, 16));
    EXPECT_TRUE(banc.f.isVisible());
  }
}

TEST(TFtitre, EachShowingLoadsTheGivenTextsAndAnnulerStoresNothing) {
  Banc banc;
  banc.f.pose_textes("Le donjon", "Trouve la cl\xE9.\r\nPuis sors.", "Bravo !\r\n");
  ASSERT_TRUE(banc.ouvre());
  EXPECT_EQ(banc.Edit1->text(), QStringLiteral("Le donjon"));
  EXPECT_EQ(banc.Memo1->toPlainText(), QStringLiteral("Trouve la cl\u00E9.\nPuis sors."));
  EXPECT_EQ(banc.Memo2->toPlainText(), QStringLiteral("Bravo !\n"));

  QTest::keyClicks(banc.Edit1, QStringLiteral(" perdu"));
  banc.Memo1->setPlainText(QStringLiteral("autre"));
  banc.clique(banc.annuler);
  EXPECT_FALSE(banc.f.isVisible());
  EXPECT_EQ(banc.f.result(), QDialog::Rejected);
  EXPECT_EQ(banc.f.titre_lab(), "Le donjon");
  EXPECT_EQ(banc.f.mission(), "Trouve la cl\xE9.\r\nPuis sors.");

  ASSERT_TRUE(banc.ouvre());
  EXPECT_EQ(banc.Edit1->text(), QStringLiteral("Le donjon"));
  EXPECT_EQ(banc.Memo1->toPlainText(), QStringLiteral("Trouve la cl\u00E9.\nPuis sors."));
}

TEST(TFtitre, ValidatingUntouchedFieldsStoresTheSameBytes) {
  // Windows-1252 letters, the euro sign, non-breaking spaces before colons, a trailing
  // line break, a lone CR and a byte 1252 leaves undefined.
  const std::string titre = "\xC9t\xE9 \x80 \xAB Donjon \xBB";
  const std::string mission = "Mission\xA0: sortir\r\n\r\nVite\xA0!\r\n";
  const std::string message = "Fin\rpartielle \x81";
  Banc banc;
  banc.f.pose_textes(titre, mission, message);
  ASSERT_TRUE(banc.ouvre());
  banc.clique(banc.valider);
  EXPECT_EQ(banc.f.result(), QDialog::Accepted);
  EXPECT_FALSE(banc.f.isVisible());
  EXPECT_EQ(banc.f.titre_lab(), titre);
  EXPECT_EQ(banc.f.mission(), mission);
  EXPECT_EQ(banc.f.message_fin(), message);
  EXPECT_TRUE(banc.erreurs.isEmpty());
}

TEST(TFtitre, TypedLinesAreJoinedByCRLFAsTyped) {
  Banc banc;
  banc.f.pose_textes("", "", "");
  ASSERT_TRUE(banc.ouvre());
  banc.Memo1->setFocus();
  tape(banc.Memo1, QStringLiteral("Premi\u00E8re"));
  QTest::keyClick(banc.Memo1, Qt::Key_Return);
  QTest::keyClicks(banc.Memo1, QStringLiteral("Seconde"));
  EXPECT_TRUE(banc.f.isVisible()) << "Enter in a memo starts a line";
  banc.Memo2->setFocus();
  QTest::keyClicks(banc.Memo2, QStringLiteral("Un"));
  QTest::keyClick(banc.Memo2, Qt::Key_Return, Qt::ShiftModifier); // a line separator
  tape(banc.Memo2, QStringLiteral("Deux\u00A0!"));
  QTest::keyClick(banc.Memo2, Qt::Key_Return);
  tape(banc.Edit1, QStringLiteral("Titre \u20AC"));
  banc.clique(banc.valider);
  EXPECT_EQ(banc.f.result(), QDialog::Accepted);
  EXPECT_EQ(banc.f.titre_lab(), "Titre \x80");
  EXPECT_EQ(banc.f.mission(), "Premi\xE8re\r\nSeconde");
  EXPECT_EQ(banc.f.message_fin(), "Un\r\nDeux\xA0!\r\n");
}

TEST(TFtitre, TheTitleNeverHoldsALineBreak) {
  Banc banc;
  banc.f.pose_textes("Deux\r\nlignes", "", "");
  ASSERT_TRUE(banc.ouvre());
  EXPECT_EQ(banc.Edit1->text(), QStringLiteral("Deux lignes"));
  QApplication::clipboard()->setText(QStringLiteral("Un\r\nDeux\nTrois\rQuatre"));
  banc.Edit1->selectAll();
  banc.Edit1->paste();
  banc.Edit1->insert(QStringLiteral("\nCinq"));
  banc.clique(banc.valider);
  const std::string titre = banc.f.titre_lab();
  EXPECT_EQ(titre.find_first_of("\r\n"), std::string::npos) << titre;
  EXPECT_NE(titre.find("Un"), std::string::npos) << titre;
  EXPECT_NE(titre.find("Cinq"), std::string::npos) << titre;
}

TEST(TFtitre, EnterInTheTitleAndEscapeCloseNothingEnterOnAButtonClicksIt) {
  Banc banc;
  banc.f.pose_textes("A", "B", "C");
  ASSERT_TRUE(banc.ouvre());
  QTest::keyClicks(banc.Edit1, QStringLiteral("bc"));
  QTest::keyClick(banc.Edit1, Qt::Key_Return);
  QTest::keyClick(banc.Edit1, Qt::Key_Escape);
  QTest::keyClick(banc.Memo2, Qt::Key_Escape);
  EXPECT_TRUE(banc.f.isVisible());
  EXPECT_EQ(banc.f.titre_lab(), "A");

  banc.annuler->setFocus();
  QTest::keyClick(banc.annuler, Qt::Key_Escape);
  EXPECT_TRUE(banc.f.isVisible());
  QTest::keyClick(banc.annuler, Qt::Key_Return);
  EXPECT_FALSE(banc.f.isVisible());
  EXPECT_EQ(banc.f.result(), QDialog::Rejected);
  EXPECT_EQ(banc.f.titre_lab(), "A");

  ASSERT_TRUE(banc.ouvre());
  QTest::keyClick(banc.Edit1, Qt::Key_End); // the title comes back selected
  QTest::keyClicks(banc.Edit1, QStringLiteral("Z"));
  banc.valider->setFocus();
  QTest::keyClick(banc.valider, Qt::Key_Space);
  EXPECT_EQ(banc.f.result(), QDialog::Accepted);
  EXPECT_EQ(banc.f.titre_lab(), "AZ");
}

TEST(TFtitre, TextALabyrinthCannotHoldIsRefusedAndKeptOnScreen) {
  Banc banc;
  banc.f.pose_textes("T", "M", "F");
  ASSERT_TRUE(banc.ouvre());
  banc.Memo1->setFocus();
  QTest::keyClick(banc.Memo1, Qt::Key_End, Qt::ControlModifier);
  tape(banc.Memo1, QStringLiteral(" \u03A9 \U0001F600"));
  banc.clique(banc.valider);
  ASSERT_EQ(banc.erreurs.size(), 1);
  EXPECT_EQ(banc.erreurs[0],
            QString::fromUtf8("Les caractères « Ω » et « 😀 » ne peuvent pas être enregistrés "
                              "dans un labyrinthe. Remplacez-les dans le texte d'introduction, "
                              "puis validez à nouveau."));
  EXPECT_TRUE(banc.f.isVisible());
  EXPECT_TRUE(banc.Memo1->hasFocus());
  EXPECT_EQ(banc.Memo1->toPlainText(), QStringLiteral("M \u03A9 \U0001F600"));
  EXPECT_EQ(banc.f.mission(), "M");

  banc.Memo1->selectAll();
  tape(banc.Memo1, QStringLiteral("M \u00A7"));
  banc.clique(banc.valider);
  EXPECT_EQ(banc.erreurs.size(), 1);
  EXPECT_EQ(banc.f.result(), QDialog::Accepted);
  EXPECT_EQ(banc.f.mission(), "M \xA7");
}

TEST(TFtitre, CharactersOfEveryFieldAreNamedInOneMessage) {
  Banc banc;
  banc.f.pose_textes("T", "M", "F");
  ASSERT_TRUE(banc.ouvre());
  banc.Memo2->selectAll();
  tape(banc.Memo2, QString::fromUtf8("→ fin →"));
  banc.Edit1->selectAll();
  tape(banc.Edit1, QString::fromUtf8("中"));
  banc.clique(banc.valider);
  ASSERT_EQ(banc.erreurs.size(), 1);
  EXPECT_EQ(banc.erreurs[0],
            QString::fromUtf8("Les caractères « 中 » et « → » ne peuvent pas être enregistrés "
                              "dans un labyrinthe. Remplacez-les dans le titre et le message de "
                              "fin, puis validez à nouveau."));
  EXPECT_TRUE(banc.Edit1->hasFocus()) << "the first field named takes the focus";
  EXPECT_EQ(banc.f.titre_lab(), "T");
  EXPECT_EQ(banc.f.message_fin(), "F");

  // One character alone is named in the singular.
  banc.Edit1->selectAll();
  tape(banc.Edit1, QStringLiteral("T2"));
  banc.Memo2->selectAll();
  tape(banc.Memo2, QString::fromUtf8("fin →"));
  banc.clique(banc.valider);
  ASSERT_EQ(banc.erreurs.size(), 2);
  EXPECT_EQ(banc.erreurs[1],
            QString::fromUtf8("Le caractère « → » ne peut pas être enregistré dans un "
                              "labyrinthe. Remplacez-le dans le message de fin, puis validez à "
                              "nouveau."));
  EXPECT_TRUE(banc.Memo2->hasFocus());
  EXPECT_TRUE(banc.f.isVisible());
}

TEST(TFtitre, ALineThatWouldEndItsBlockInTheFileIsRefusedByName) {
  Banc banc;
  banc.f.pose_textes("T", "M", "F");
  ASSERT_TRUE(banc.ouvre());
  for (const char *ligne : {"/MISSION", "/MESSAGE"}) {
    remplace(banc.Memo1, QStringLiteral("Va.\n%1\nC=0,0,0,9").arg(QLatin1String(ligne)));
    banc.clique(banc.valider);
    ASSERT_FALSE(banc.erreurs.isEmpty()) << ligne;
    EXPECT_EQ(banc.erreurs.back(),
              QString::fromUtf8("La ligne « %1 » du texte d'introduction ne peut pas être "
                                "enregistrée : dans le fichier, elle terminerait le texte. "
                                "Modifiez-la, puis validez à nouveau.")
                  .arg(QLatin1String(ligne)));
    EXPECT_TRUE(banc.f.isVisible());
    EXPECT_TRUE(banc.Memo1->hasFocus());
    EXPECT_EQ(banc.f.mission(), "M");
  }
  remplace(banc.Memo1, QStringLiteral("Va.\n/MISSION !"));
  remplace(banc.Memo2, QStringLiteral("/MESSAGE"));
  banc.clique(banc.valider);
  EXPECT_TRUE(banc.erreurs.back().contains(QStringLiteral("du message de fin")))
      << banc.erreurs.back().toStdString();
  EXPECT_TRUE(banc.Memo2->hasFocus());
  const qsizetype refus = banc.erreurs.size();

  remplace(banc.Memo2, QStringLiteral("Bravo"));
  banc.clique(banc.valider);
  EXPECT_EQ(banc.erreurs.size(), refus);
  EXPECT_EQ(banc.f.result(), QDialog::Accepted);
  EXPECT_EQ(banc.f.mission(), "Va.\r\n/MISSION !");
  EXPECT_EQ(banc.f.message_fin(), "Bravo");
}

TEST(TFtitre, ExecReturnsAcceptedForValiderAndRejectedForAnnuler) {
  Banc banc;
  banc.f.pose_textes("T", "", "");
  for (const bool valide : {true, false}) {
    QTimer::singleShot(0, &banc.f, [&banc, valide] {
      QTest::keyClick(banc.Edit1, Qt::Key_End);
      QTest::keyClicks(banc.Edit1, QStringLiteral("x"));
      (valide ? banc.valider : banc.annuler)->Click();
    });
    EXPECT_EQ(banc.f.exec(), valide ? QDialog::Accepted : QDialog::Rejected);
  }
  EXPECT_EQ(banc.f.titre_lab(), "Tx");
}

} // namespace
