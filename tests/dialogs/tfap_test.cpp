// The about box: its controls, the scroll step, and its ticker over showings and closings.

#include <QApplication>
#include <QDesktopServices>
#include <QImage>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "codage.h"
#include "credits.h"
#include "move_timer.h"
#include "tfap.h"

namespace {

constexpr int HAUTEUR_VUE = 161;
constexpr int ATTENTE_MAX_MS = 5000;

QTextEdit *gen(TFap &fap) {
  return fap.findChild<QTextEdit *>(QStringLiteral("Gen"));
}

QToolButton *bouton(TFap &fap, const char *nom) {
  return fap.findChild<QToolButton *>(QString::fromLatin1(nom));
}

// Runs the event loop until the text has moved once, that is one step.
bool attend_un_pas(TFap &fap) {
  const int avant = gen(fap)->y();
  return QTest::qWaitFor([&] { return gen(fap)->y() != avant; }, ATTENTE_MAX_MS);
}

// The ticker the last showing started.
QPointer<MoveTimer> dernier_ticker(TFap &fap) {
  const auto tickers = fap.findChildren<MoveTimer *>();
  return tickers.isEmpty() ? nullptr : tickers.back();
}

bool tous_finis(const std::vector<QPointer<MoveTimer>> &tickers) {
  return QTest::qWaitFor(
      [&] {
        return std::all_of(tickers.begin(), tickers.end(),
                           [](const auto &t) { return t.isNull(); });
      },
      ATTENTE_MAX_MS);
}

TEST(TFap, ControlsAsDrawn) {
  TFap fap;
  const std::tuple<const char *, QRect, QString> controles[] = {
      {"P1", {8, 8, 337, 161}, {}},
      {"Gen", {0, 0, 337, 161}, {}},
      {"SpeedButton2", {32, 176, 97, 25}, QStringLiteral("Ecrire à l'auteur")},
      {"SpeedButton1", {248, 176, 73, 25}, QStringLiteral("FERMER")},
  };
  for (const auto &[nom, place, legende] : controles) {
    SCOPED_TRACE(nom);
    auto *w = fap.findChild<QWidget *>(QString::fromLatin1(nom));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->geometry(), place);
    if (auto *b = qobject_cast<QToolButton *>(w)) {
      EXPECT_EQ(b->text(), legende);
      EXPECT_TRUE(b->autoRaise());
    }
    if (nom != std::string_view("P1")) {
      EXPECT_EQ(w->focusPolicy(), Qt::NoFocus);
    }
  }

  QTextEdit *g = gen(fap);
  QStringList attendues;
  for (std::string_view ligne : CREDITS_CODES)
    attendues << QString::fromLatin1(decode(CLE_CREDITS, ligne));
  EXPECT_EQ(g->toPlainText().split(QLatin1Char('\n')), attendues);
  EXPECT_TRUE(g->isReadOnly());
  // The whole text fits the viewport, first line at the top of the field.
  EXPECT_LE(g->document()->size().height(), 161);
  EXPECT_EQ(g->verticalScrollBar()->value(), 0);

  // As drawn: navy around a black viewport, yellow text in it.
  const QImage image = fap.grab().toImage();
  EXPECT_EQ(image.pixelColor(3, 3), QColor(0, 0, 128));
  EXPECT_EQ(image.pixelColor(10, 166), QColor(Qt::black));
  bool jaune = false;
  for (int y = 8; y < 169 && !jaune; ++y)
    for (int x = 8; x < 345 && !jaune; ++x)
      jaune = image.pixelColor(x, y) == QColor(Qt::yellow);
  EXPECT_TRUE(jaune);
}

TEST(TFap, ScrollStepWrapsFromAboveTheViewToBelowIt) {
  const std::pair<int, int> pas[] = {
      {161, 160}, {1, 0}, {0, -1}, {-160, -161}, {-161, 161}, {-300, 161},
  };
  for (const auto &[avant, apres] : pas)
    EXPECT_EQ(TFap::position_suivante(avant, HAUTEUR_VUE), apres) << avant;

  std::set<int> vues;
  int haut = HAUTEUR_VUE;
  do {
    vues.insert(haut);
    haut = TFap::position_suivante(haut, HAUTEUR_VUE);
  } while (haut != HAUTEUR_VUE && vues.size() < 1000);
  EXPECT_EQ(vues.size(), 2u * HAUTEUR_VUE + 1);
}

TEST(TFap, ShowingStartsAtTheBottomAndStepsOnePixelAtATime) {
  TFap fap;
  gen(fap)->move(0, 37);
  fap.show();
  EXPECT_EQ(gen(fap)->y(), HAUTEUR_VUE);
  ASSERT_TRUE(attend_un_pas(fap));
  EXPECT_EQ(gen(fap)->y(), HAUTEUR_VUE - 1);
  ASSERT_TRUE(attend_un_pas(fap));
  EXPECT_EQ(gen(fap)->y(), HAUTEUR_VUE - 2);

  // Through the real ticker, the step after the top position goes back to the bottom.
  gen(fap)->move(0, -HAUTEUR_VUE);
  ASSERT_TRUE(attend_un_pas(fap));
  EXPECT_EQ(gen(fap)->y(), HAUTEUR_VUE);
  fap.reject();
}

TEST(TFap, NoStepAfterTheCloseNotEvenOneAlreadyHandedOver) {
  TFap fap;
  fap.show();
  ASSERT_TRUE(attend_un_pas(fap));
  const QPointer<MoveTimer> ticker = dernier_ticker(fap);
  ASSERT_FALSE(ticker.isNull());
  // Without running the event loop, the ticker hands over its next step and blocks on it.
  QThread::msleep(2 * MoveTimer::PERIODE.count());
  const int a_la_fermeture = gen(fap)->y();
  fap.reject();
  ASSERT_TRUE(tous_finis({ticker}));
  QTest::qWait(4 * static_cast<int>(MoveTimer::PERIODE.count()));
  EXPECT_EQ(gen(fap)->y(), a_la_fermeture);
}

TEST(TFap, HundredShowingsLeaveNoTickerRunning) {
  TFap fap;
  std::vector<QPointer<MoveTimer>> tickers;
  for (int i = 0; i < 100; ++i) {
    fap.show();
    ASSERT_EQ(gen(fap)->y(), HAUTEUR_VUE) << i;
    const QPointer<MoveTimer> t = dernier_ticker(fap);
    ASSERT_FALSE(t.isNull());
    ASSERT_TRUE(std::find(tickers.begin(), tickers.end(), t) == tickers.end()) << i;
    tickers.push_back(t);
    // Some closings come at once, some after a step, some while a step waits to be run.
    if (i % 3 == 1)
      ASSERT_TRUE(attend_un_pas(fap)) << i;
    else if (i % 3 == 2)
      QThread::msleep(5);
    fap.reject();
  }
  const int a_la_fermeture = gen(fap)->y();
  EXPECT_TRUE(tous_finis(tickers));
  EXPECT_TRUE(fap.findChildren<MoveTimer *>().isEmpty());
  EXPECT_EQ(gen(fap)->y(), a_la_fermeture);
}

// The box may go while its last ticker is still blocked on a step it handed over.
TEST(TFap, DestroyedRightAfterTheCloseWaitsForItsTicker) {
  QPointer<MoveTimer> ticker;
  {
    TFap fap;
    fap.show();
    ASSERT_TRUE(attend_un_pas(fap));
    ticker = dernier_ticker(fap);
    QThread::msleep(2 * MoveTimer::PERIODE.count());
    fap.reject();
  }
  EXPECT_TRUE(ticker.isNull());
}

TEST(TFap, FermerEndsTheModalRunAndStopsTheTicker) {
  TFap fap;
  QPointer<MoveTimer> ticker;
  bool vu = false;
  QTimer::singleShot(0, [&] {
    ticker = dernier_ticker(fap);
    vu = !ticker.isNull();
    QTest::mouseClick(bouton(fap, "SpeedButton1"), Qt::LeftButton);
  });
  EXPECT_EQ(fap.exec(), QDialog::Rejected);
  EXPECT_TRUE(vu);
  EXPECT_FALSE(fap.isVisible());
  EXPECT_TRUE(tous_finis({ticker}));
}

TEST(TFap, EscapeDoesNotCloseTheBox) {
  TFap fap;
  fap.show();
  QTest::keyClick(&fap, Qt::Key_Escape);
  EXPECT_TRUE(fap.isVisible());
  fap.reject();
}

// Records what the desktop was asked to open, instead of starting a mail program.
class Bureau : public QObject {
  Q_OBJECT
public:
  QList<QUrl> ouverts;
public slots:
  void ouvre(const QUrl &url) { ouverts << url; }
};

TEST(TFap, WriteToTheAuthorOpensTheContactLinkAndKeepsTheBoxOpen) {
  Bureau bureau;
  QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &bureau, "ouvre");
  TFap fap;
  fap.show();
  QTest::mouseClick(bouton(fap, "SpeedButton2"), Qt::LeftButton);
  QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
  ASSERT_EQ(bureau.ouverts.size(), 1);
  EXPECT_EQ(bureau.ouverts[0].toString(), QString::fromLatin1(decode(CLE_CREDITS, CONTACT_CODE)));
  EXPECT_TRUE(fap.isVisible());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  fap.reject();
}

} // namespace

#include "tfap_test.moc"
