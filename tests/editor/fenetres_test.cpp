// Start-up windows: the two hidden dialogs and the quit button.

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

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

TEST(Fenetres, QuitEndsTheProgramWithoutAQuestion) {
  EditeurEnTest e;
  monde(*e.fenetre).modifie = true;
  e.fenetre->show();
  QTimer::singleShot(
      0, [&] { QTest::mouseClick(nomme<QToolButton>(*e.fenetre, "quitter"), Qt::LeftButton); });
  // A safety net only: without it a broken quit button would hang the test program.
  QTimer garde;
  garde.setSingleShot(true);
  QObject::connect(&garde, &QTimer::timeout, [] { QCoreApplication::exit(99); });
  garde.start(10000);
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_TRUE(e.dialogues.erreurs.isEmpty());
}

} // namespace
