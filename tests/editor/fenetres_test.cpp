// Start-up windows: the two hidden dialogs, and what the title dialog stores.

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

#include "bouton_degrade.h"
#include "outils_test.h"
#include "tfap.h"
#include "tftitre.h"

namespace {

TEST(Fenetres, DialogsAreHiddenBorderlessShellsOfTheirSizes) {
  TFap fap;
  TFtitre ftitre;
  const std::tuple<QDialog *, QSize, QColor> dialogues[] = {
      {&fap, {354, 208}, QColor(0, 0, 128)},
      {&ftitre, {392, 466}, QColor(0x9B, 0xDE, 0xFF)},
  };
  for (const auto &[d, taille, fond] : dialogues) {
    SCOPED_TRACE(d->objectName().toStdString());
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->size(), taille);
    EXPECT_TRUE(d->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(d->palette().color(QPalette::Window), fond);
    EXPECT_TRUE(d->autoFillBackground());
  }
}

TEST(Fenetres, AboutAndTitleButtonsShowTheirDialogsModally) {
  EditeurEnTest e;
  TFap fap;
  TFtitre ftitre;
  e.fenetre->attache_fenetres(&fap, &ftitre);
  e.fenetre->show();
  QWidget *modale = nullptr;
  QTimer::singleShot(0, [&] {
    modale = QApplication::activeModalWidget();
    fap.reject();
  });
  QTest::mouseClick(nomme<QToolButton>(*e.fenetre, "SpeedButton4"), Qt::LeftButton);
  EXPECT_EQ(modale, &fap);
  EXPECT_FALSE(fap.isVisible());

  modale = nullptr;
  QTimer::singleShot(0, [&] {
    modale = QApplication::activeModalWidget();
    ftitre.reject();
  });
  QTest::mouseClick(nomme<QPushButton>(*e.fenetre, "Ptitre"), Qt::LeftButton);
  EXPECT_EQ(modale, &ftitre);
}

// Runs the title dialog from its button; `dans` acts inside it, then VALIDER or ANNULER.
void titre_et_mission(TForm1 &f, TFtitre &ftitre, const std::function<void()> &dans, bool valide) {
  QTimer::singleShot(0, [&] {
    dans();
    ftitre.findChild<TBoutonDegrade *>(valide ? "BoutonDegrade1" : "BoutonDegrade2")->Click();
  });
  QTest::mouseClick(nomme<QPushButton>(f, "Ptitre"), Qt::LeftButton);
}

TEST(Fenetres, TitleDialogStoresTheThreeTextsAsOneStepOnlyWhenOneChanged) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  TFtitre ftitre;
  f.attache_fenetres(nullptr, &ftitre);
  f.show();
  monde(f).titre_lab = "Ancien";
  monde(f).mission = "M1\r\nM2";
  Historique &h = f.document().historique();
  auto *titre = ftitre.findChild<QLineEdit *>("Edit1");
  auto *message = ftitre.findChild<QPlainTextEdit *>("Memo2");

  QString montre;
  titre_et_mission(
      f, ftitre, [&] { montre = titre->text(); }, true);
  EXPECT_EQ(montre, "Ancien");
  EXPECT_EQ(h.count(), 0) << "nothing changed, no step";
  EXPECT_FALSE(f.monde().modifie);
  titre_et_mission(
      f, ftitre, [&] { QTest::keyClicks(titre, "x"); }, false);
  EXPECT_EQ(f.monde().titre_lab, "Ancien");
  EXPECT_EQ(h.count(), 0);

  titre_et_mission(
      f, ftitre,
      [&] {
        titre->selectAll();
        QTest::keyClicks(titre, "Nouveau");
        QTest::keyClicks(message, "Fin");
      },
      true);
  EXPECT_EQ(f.monde().titre_lab, "Nouveau");
  EXPECT_EQ(f.monde().message_fin, "Fin");
  EXPECT_EQ(f.monde().mission, "M1\r\nM2");
  EXPECT_EQ(h.count(), 1);
  EXPECT_TRUE(f.monde().modifie);
  h.undo();
  EXPECT_EQ(f.monde().titre_lab, "Ancien");
  EXPECT_EQ(f.monde().message_fin, "");
  EXPECT_FALSE(f.monde().modifie);
  h.redo();
  EXPECT_EQ(f.monde().titre_lab, "Nouveau");
  EXPECT_EQ(f.monde().message_fin, "Fin");
}

} // namespace
