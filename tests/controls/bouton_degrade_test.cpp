#include "bouton_degrade.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace {

// A 0x00BBGGRR colour as the picture holds it.
QRgb rgb(TColor c) {
  return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

std::string hex(QRgb c) {
  char s[16];
  std::snprintf(s, sizeof s, "%02X%02X%02X", qRed(c), qGreen(c), qBlue(c));
  return s;
}

#define EXPECT_PIXEL(image, x, y, attendu)                                                         \
  EXPECT_EQ(hex((image).pixel((x), (y))), hex(attendu)) << "at " << (x) << ", " << (y)

// Every colour of every set different, so a pixel tells which colour painted it.
void couleurs_distinctes(TBoutonDegrade &b) {
  for (int i = 0; i < NB_COULEURS_BOUTON; ++i)
    b.setColor(static_cast<CouleurBouton>(i), 0x102030 + 0x0A0000 * static_cast<TColor>(i));
}

// A button alone, flat, without edges: its face is one colour wherever nothing else is drawn.
std::unique_ptr<TBoutonDegrade> bouton_plat(int largeur, int hauteur) {
  auto b = std::make_unique<TBoutonDegrade>();
  b->resize(largeur, hauteur);
  couleurs_distinctes(*b);
  b->setGradient(false);
  b->setCtl3D(false);
  return b;
}

// The smallest rectangle holding the pixels of `couleur`, or a null one.
QRect etendue(const QImage &image, QRgb couleur) {
  QRect r;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if ((image.pixel(x, y) & RGB_MASK) == (couleur & RGB_MASK))
        r |= QRect(x, y, 1, 1);
  return r;
}

// ---- construction and schemes -------------------------------------------------------------

TEST(BoutonDegrade, ANewButtonIsANeoDesertButtonWithWhiteGradColoursOutsideTheNormalSet) {
  TBoutonDegrade b;
  EXPECT_EQ(b.size(), QSize(75, 25));
  EXPECT_EQ(b.ColorScheme(), csNeoDesert);
  EXPECT_TRUE(b.Gradient());
  EXPECT_TRUE(b.Ctl3D());
  EXPECT_TRUE(b.TransparentGlyph());
  EXPECT_TRUE(b.HotTrack());
  EXPECT_TRUE(b.TabStop());
  EXPECT_FALSE(b.Default());
  EXPECT_FALSE(b.Cancel());
  EXPECT_EQ(b.ModalResult(), 0);
  EXPECT_EQ(b.Spacing(), 4);
  EXPECT_EQ(b.Layout(), blGlyphLeft);
  EXPECT_TRUE(b.Glyph().isNull());
  EXPECT_EQ(b.etat(), TBoutonDegrade::Normal);
  const struct {
    CouleurBouton index;
    TColor valeur;
  } attendues[] = {
      {ColorFace, 0xC6ECFF},      {ColorGrad, 0x37BEFF},         {ColorBorder, 0x005680},
      {OverColorFace, 0xB3E7FF},  {OverColorGrad, 0xFFFFFF},     {DownColorGrad, 0xFFFFFF},
      {DownColorLight, 0x0077B7}, {DisabledColorGrad, 0xFFFFFF}, {DisabledColorText, 0x808080},
      {ColorFocusRect, 0x4080FF},
  };
  for (const auto &a : attendues)
    EXPECT_EQ(b.Color(a.index), a.valeur) << "colour " << a.index;
}

TEST(BoutonDegrade, SchemesSetTheirColoursAndTheShading) {
  // One colour of the normal, over and down sets and the focus colour of every scheme: a
  // shifted row or column of the tables changes at least one of them.
  const struct {
    TColorScheme schema;
    TColor face, over_dark, down_border, focus;
    bool degrade;
  } cas[] = {
      {csNeoDesert, 0xC6ECFF, 0x008ED2, 0x0070A6, 0x4080FF, true},
      {csNeoSky, 0xFFEEDD, 0xFF9E3E, 0xB35900, 0xFFA953, true},
      {csNeoGrass, 0xDDF9E8, 0x23B459, 0x167439, 0x24B95C, true},
      {csNeoSilver, 0xF3F3F3, 0xA2A2A2, 0x4E4E4E, 0xADADAD, true},
      {csNeoRose, 0xE8E8FF, 0x6A6AFF, 0x00009D, 0x5E5EFF, true},
      {csNeoSun, 0xF0FFFF, 0x00A6A6, 0x006464, 0x00BBBB, true},
      {csDesert, 0x95DDFF, 0x008ED2, 0x0070A6, 0x4080FF, false},
      {csGrass, 0x98EBB7, 0x23B459, 0x167439, 0x00A421, false},
      {csSky, 0xFFE0C1, 0xFFB164, 0xB35900, 0xDC9B14, false},
      {csSun, 0xA8FFFF, 0x00A6A6, 0x006464, 0x008CF4, false},
      {csRose, 0xC6C6FF, 0x6A6AFF, 0x00009D, 0x5E5EFF, false},
      {csSilver, 0xE0E0E0, 0x797979, 0x4E4E4E, 0x8A8A8A, false},
  };
  for (const auto &c : cas) {
    SCOPED_TRACE(static_cast<int>(c.schema));
    TBoutonDegrade b;
    for (const CouleurBouton grad : {ColorGrad, OverColorGrad, DownColorGrad, DisabledColorGrad})
      b.setColor(grad, 0x123456);
    b.setGradient(!c.degrade);
    b.setColorScheme(c.schema);
    EXPECT_EQ(b.ColorScheme(), c.schema);
    EXPECT_EQ(b.Gradient(), c.degrade);
    EXPECT_EQ(b.Color(ColorFace), c.face);
    EXPECT_EQ(b.Color(OverColorDark), c.over_dark);
    EXPECT_EQ(b.Color(DownColorBorder), c.down_border);
    EXPECT_EQ(b.Color(ColorFocusRect), c.focus);
    for (const CouleurBouton texte : {ColorText, OverColorText, DownColorText})
      EXPECT_EQ(b.Color(texte), 0x000000u);
    EXPECT_EQ(b.Color(DisabledColorText), 0x808080u);
    EXPECT_EQ(b.Color(DisabledColorFace), c.degrade ? 0xEEEEEEu : 0xE2E2E2u);
    EXPECT_EQ(b.Color(DisabledColorBorder), c.degrade ? 0x808080u : 0xC4C4C4u);
    // A flat scheme keeps the Grad colours it found; a Neo scheme brings its own.
    EXPECT_EQ(b.Color(OverColorGrad) == 0x123456, !c.degrade);
    EXPECT_EQ(b.Color(DisabledColorGrad), c.degrade ? 0xFFFFFFu : 0x123456u);
    // The pressed button looks sunken: its Light edge is the darker of the two.
    const auto clarte = [](TColor t) { return (t & 0xFF) + ((t >> 8) & 0xFF) + (t >> 16); };
    EXPECT_LT(clarte(b.Color(DownColorLight)), clarte(b.Color(DownColorDark)));
  }
}

TEST(BoutonDegrade, AnyColourSetMakesTheSchemeCustomAndCustomChangesNothing) {
  TBoutonDegrade b;
  b.setColorScheme(csNeoRose);
  b.setColor(OverColorText, b.Color(OverColorText)); // the value it already had
  EXPECT_EQ(b.ColorScheme(), csCustom);
  b.setColorScheme(csSilver);
  EXPECT_EQ(b.ColorScheme(), csSilver);

  b.setColor(ColorFace, 0x010203);
  b.setGradient(true);
  std::array<TColor, NB_COULEURS_BOUTON> avant{};
  for (int i = 0; i < NB_COULEURS_BOUTON; ++i)
    avant[i] = b.Color(static_cast<CouleurBouton>(i));
  b.setColorScheme(csCustom);
  EXPECT_EQ(b.ColorScheme(), csCustom);
  EXPECT_TRUE(b.Gradient());
  for (int i = 0; i < NB_COULEURS_BOUTON; ++i)
    EXPECT_EQ(b.Color(static_cast<CouleurBouton>(i)), avant[i]) << "colour " << i;
}

// ---- painting ---------------------------------------------------------------------------

TEST(BoutonDegrade, ShadingRoundsEachRowsRunningValueHalfToEven) {
  // Height 4, from black: row 1 is a quarter of the way, 0.5 / 1.5 / 2.5 on the three
  // channels, which are 0 / 2 / 2 when halves go to the even neighbour (truncation gives
  // 0 / 1 / 2, rounding halves up 1 / 2 / 3).
  auto b = bouton_plat(20, 4);
  b->setColor(ColorFace, 0x000000);
  b->setColor(ColorGrad, 0x0A0602); // red 2, green 6, blue 10
  b->setGradient(true);
  const QImage image = b->peinture();
  EXPECT_PIXEL(image, 10, 1, qRgb(0, 2, 2));
  EXPECT_PIXEL(image, 10, 2, qRgb(1, 3, 5));
}

TEST(BoutonDegrade, ShadedRowsRunFromFaceToGradWithoutReachingGrad) {
  // Height 64 keeps every step exact in binary, so each row must be the exact fraction
  // Face + y (Grad - Face) / 64 rounded half to even, on every column of the row.
  auto b = bouton_plat(9, 64);
  b->setColor(ColorFace, 0x20FF00);
  b->setColor(ColorGrad, 0xE00041);
  b->setGradient(true);
  const QImage image = b->peinture();
  const auto canal = [](int a, int z, int y) {
    const int num = a * 64 + y * (z - a); // value * 64
    int q = num / 64, r = num % 64;
    if (r < 0) {
      r += 64;
      --q;
    }
    return q + (r > 32 || (r == 32 && q % 2 != 0) ? 1 : 0);
  };
  for (int y = 1; y < 63; ++y)
    for (int x : {1, 4, 7}) {
      EXPECT_PIXEL(image, x, y,
                   qRgb(canal(0x00, 0x41, y), canal(0xFF, 0x00, y), canal(0x20, 0xE0, y)));
    }
  EXPECT_PIXEL(image, 4, 0, rgb(b->Color(ColorBorder)));
}

TEST(BoutonDegrade, AFlatSchemeThenGradientOnShadesTowardsTheEarlierGradColour) {
  TBoutonDegrade b;
  b.resize(30, 16);
  b.setColor(ColorGrad, 0x0000FF);
  b.setColorScheme(csGrass);
  b.setCtl3D(false);
  EXPECT_PIXEL(b.peinture(), 15, 14, rgb(0x98EBB7)); // flat
  b.setGradient(true);
  const QImage image = b.peinture();
  // Row 1 of 16: 183 + 4.5, 235 - 14.6875 and 152 - 9.5, halves to the even neighbour.
  EXPECT_PIXEL(image, 15, 1, qRgb(188, 220, 142));
  EXPECT_GT(qRed(image.pixel(15, 14)), 0xF0);
  EXPECT_LT(qBlue(image.pixel(15, 14)), 0x20);
}

TEST(BoutonDegrade, BorderEdgesAndFocusRectangleFallOnTheirPixels) {
  const int W = 20, H = 12;
  QWidget fenetre; // outlives the button, which it holds from the focus check on
  auto b = bouton_plat(W, H);
  b->setCtl3D(true);
  const QRgb face = rgb(b->Color(ColorFace)), bord = rgb(b->Color(ColorBorder));
  const QRgb clair = rgb(b->Color(ColorLight)), sombre = rgb(b->Color(ColorDark));
  QImage image = b->peinture();
  const struct {
    int x, y;
    QRgb attendu;
  } pixels[] = {
      {0, 0, bord},       {W - 1, 0, bord},    {0, H - 1, bord},       {W - 1, H - 1, bord},
      {10, 0, bord},      {10, H - 1, bord},   {0, 6, bord},           {W - 1, 6, bord},
      {1, 1, clair},      {1, H - 2, clair},   {1, 6, clair},          {10, 1, clair},
      {W - 3, 1, clair},  {W - 2, 1, sombre},  {W - 2, H - 3, sombre}, {W - 2, H - 2, sombre},
      {2, H - 2, sombre}, {10, H - 2, sombre}, {2, 2, face},           {W - 3, H - 3, face},
  };
  for (const auto &p : pixels)
    EXPECT_PIXEL(image, p.x, p.y, p.attendu);

  // Without Ctl3D the face reaches the border.
  b->setCtl3D(false);
  image = b->peinture();
  EXPECT_PIXEL(image, 1, 1, face);
  EXPECT_PIXEL(image, W - 2, H - 2, face);

  // The focus rectangle: columns 3 to W - 4, rows 3 to H - 4, same colour in every set.
  b->setParent(&fenetre);
  b->setHotTrack(false); // wherever the pointer is
  fenetre.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
  QApplication::setActiveWindow(&fenetre);
  b->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(b->hasFocus());
  const QRgb focus = rgb(b->Color(ColorFocusRect));
  image = b->peinture();
  for (const QPoint p : {QPoint(3, 3), QPoint(W - 4, 3), QPoint(3, H - 4), QPoint(W - 4, H - 4),
                         QPoint(10, 3), QPoint(10, H - 4), QPoint(3, 6), QPoint(W - 4, 6)})
    EXPECT_PIXEL(image, p.x(), p.y(), focus);
  for (const QPoint p : {QPoint(2, 2), QPoint(4, 4), QPoint(W - 3, H - 3), QPoint(W - 5, H - 5)})
    EXPECT_PIXEL(image, p.x(), p.y(), face);
  // The grab is what the screen shows: the same picture.
  EXPECT_EQ(b->grab().toImage().convertToFormat(QImage::Format_RGB32), image);
}

TEST(BoutonDegrade, DisabledButtonPaintsTheDisabledSetInAnyState) {
  QWidget fenetre;
  fenetre.resize(200, 100);
  auto *b = new TBoutonDegrade(&fenetre);
  b->setGeometry(10, 10, 60, 20);
  couleurs_distinctes(*b);
  b->setGradient(false);
  fenetre.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
  QTest::mousePress(b, Qt::LeftButton, {}, QPoint(30, 10));
  ASSERT_EQ(b->etat(), TBoutonDegrade::Down);
  b->setEnabled(false);
  const QImage image = b->peinture();
  EXPECT_PIXEL(image, 30, 5, rgb(b->Color(DisabledColorFace)));
  EXPECT_PIXEL(image, 0, 0, rgb(b->Color(DisabledColorBorder)));
  EXPECT_PIXEL(image, 1, 5, rgb(b->Color(DisabledColorLight)));
  EXPECT_PIXEL(image, 58, 5, rgb(b->Color(DisabledColorDark)));
  // Disabling took the focus away, and with it the pressed look.
  b->setEnabled(true);
  EXPECT_PIXEL(b->peinture(), 30, 5, rgb(b->Color(ColorFace)));
}

TEST(BoutonDegrade, ZeroHeightPaintsNothingAndHeightOneShadesItsOneRow) {
  auto b = bouton_plat(30, 0);
  b->setGradient(true);
  EXPECT_TRUE(b->peinture().isNull());
  b->resize(30, 1);
  EXPECT_EQ(b->peinture().size(), QSize(30, 1));
}

// The smallest rectangle holding every pixel inside the border that is not `fond`.
QRect encre(const QImage &image, QRgb fond) {
  QRect r;
  for (int y = 1; y + 1 < image.height(); ++y)
    for (int x = 1; x + 1 < image.width(); ++x)
      if ((image.pixel(x, y) & RGB_MASK) != (fond & RGB_MASK))
        r |= QRect(x, y, 1, 1);
  return r;
}

// A glyph of 10 x 6 whose top-left pixel is its transparent colour and whose other pixels
// are one colour of their own.
QImage glyphe_test(QRgb fond, QRgb encre) {
  QImage g(10, 6, QImage::Format_RGB32);
  g.fill(encre);
  g.setPixel(0, 0, fond);
  return g;
}

TEST(BoutonDegrade, GlyphLayoutsPlaceTheGlyphAndShiftTheCaption) {
  const int W = 120, H = 60;
  const QRgb encre = qRgb(1, 2, 3);
  const struct {
    TButtonLayout disposition;
    bool legende;
  } cas[] = {
      {blGlyphLeft, false}, {blGlyphLeft, true}, {blGlyphRight, false},  {blGlyphRight, true},
      {blGlyphTop, false},  {blGlyphTop, true},  {blGlyphBottom, false}, {blGlyphBottom, true},
  };
  for (const auto &c : cas) {
    SCOPED_TRACE(testing::Message() << "layout " << int(c.disposition) << " caption " << c.legende);
    auto b = bouton_plat(W, H);
    b->setGlyph(glyphe_test(qRgb(9, 9, 9), encre));
    b->setTransparentGlyph(false);
    b->setLayout(c.disposition);
    b->setSpacing(5);
    if (c.legende)
      b->setCaption(QStringLiteral("Ok"));
    const QFontMetrics mesure(b->font());
    const int tw = c.legende ? mesure.horizontalAdvance(QStringLiteral("Ok")) : 0;
    const int th = c.legende ? mesure.height() : 0;
    const int tx = (W - tw) / 2, ty = (H - th) / 2;
    const int s = c.legende ? 5 : 0; // spacing 5: s / 2 = 2 and s mod 2 = 1
    QPoint g;
    switch (c.disposition) {
    case blGlyphLeft: g = {tx - 5 - s / 2 - s % 2, (H - 6) / 2}; break;
    case blGlyphRight: g = {tx + tw - 5 + s / 2 + s % 2, (H - 6) / 2}; break;
    case blGlyphTop: g = {(W - 10) / 2, ty - 3 - s / 2 - s % 2}; break;
    case blGlyphBottom: g = {(W - 10) / 2, ty + th - 3 + s / 2 + s % 2}; break;
    }
    if (!c.legende && (c.disposition == blGlyphLeft || c.disposition == blGlyphRight)) {
      EXPECT_EQ(g.x(), W / 2 - 5); // a glyph alone is centred
    }
    const QImage image = b->peinture();
    EXPECT_EQ(etendue(image, encre),
              QRect(g.x() + 1, g.y(), 9, 6).united({g.x(), g.y() + 1, 10, 5}));
    EXPECT_PIXEL(image, g.x(), g.y(), qRgb(9, 9, 9)); // opaque: its key colour is drawn

    // The caption moves away from the glyph by half the glyph and half the spacing.
    if (c.legende) {
      const QRect texte = etendue(image, rgb(b->Color(ColorText)));
      ASSERT_FALSE(texte.isNull());
      const QRect sans_glyphe = [&] {
        auto nu = bouton_plat(W, H);
        nu->setCaption(QStringLiteral("Ok"));
        return etendue(nu->peinture(), rgb(nu->Color(ColorText)));
      }();
      const int dx = c.disposition == blGlyphLeft ? 5 + 2 : c.disposition == blGlyphRight ? -7 : 0;
      const int dy = c.disposition == blGlyphTop ? 3 + 2 : c.disposition == blGlyphBottom ? -5 : 0;
      EXPECT_EQ(texte, sans_glyphe.translated(dx, dy));
    }
  }
}

TEST(BoutonDegrade, AnOddGlyphAboveTheCaptionGoesOnePixelHigherButBesideItDoesNotMove) {
  // No caption: the glyph halves round down, and only above the caption does the odd row
  // go on the far side (the caption box is a point at the button's centre, 30, 20).
  const int W = 60, H = 40;
  const QRgb encre = qRgb(1, 2, 3);
  const struct {
    TButtonLayout disposition;
    QPoint coin;
  } cas[] = {
      {blGlyphLeft, {30 - 4, (H - 7) / 2}},
      {blGlyphRight, {30 - 4, (H - 7) / 2}},
      {blGlyphTop, {(W - 9) / 2, 20 - 3 - 1}},
      {blGlyphBottom, {(W - 9) / 2, 20 - 3}},
  };
  for (const auto &c : cas) {
    auto b = bouton_plat(W, H);
    QImage g(9, 7, QImage::Format_RGB32);
    g.fill(encre);
    b->setGlyph(g);
    b->setTransparentGlyph(false);
    b->setLayout(c.disposition);
    EXPECT_EQ(etendue(b->peinture(), encre), QRect(c.coin, QSize(9, 7)))
        << "layout " << int(c.disposition);
  }
}

TEST(BoutonDegrade, TransparentGlyphLeavesItsTopLeftColourUndrawn) {
  auto b = bouton_plat(40, 20);
  const QRgb fond = qRgb(200, 0, 0);
  QImage g = glyphe_test(fond, qRgb(1, 2, 3));
  g.setPixel(5, 3, fond); // the key colour inside the glyph too
  b->setGlyph(g);
  const QRgb face = rgb(b->Color(ColorFace));
  const int gx = 40 / 2 - 5, gy = (20 - 6) / 2;
  QImage image = b->peinture();
  EXPECT_PIXEL(image, gx, gy, face);
  EXPECT_PIXEL(image, gx + 5, gy + 3, face);
  EXPECT_PIXEL(image, gx + 1, gy, qRgb(1, 2, 3));
  b->setTransparentGlyph(false);
  image = b->peinture();
  EXPECT_PIXEL(image, gx, gy, fond);
  EXPECT_PIXEL(image, gx + 5, gy + 3, fond);
}

TEST(BoutonDegrade, PressedStateShiftsGlyphAndCaptionByOnePixel) {
  QWidget fenetre;
  fenetre.resize(200, 100);
  auto *b = new TBoutonDegrade(&fenetre);
  b->setGeometry(10, 10, 100, 40);
  couleurs_distinctes(*b);
  b->setGradient(false);
  b->setCtl3D(false);
  b->setTabStop(false); // no focus rectangle
  // The same colours in the normal and down sets: only the positions may differ.
  for (int i = 0; i < 6; ++i)
    b->setColor(static_cast<CouleurBouton>(JeuDown + i),
                b->Color(static_cast<CouleurBouton>(JeuNormal + i)));
  b->setCaption(QStringLiteral("&Abc"));
  const QRgb encre = qRgb(1, 2, 3);
  b->setGlyph(glyphe_test(qRgb(9, 9, 9), encre));
  fenetre.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
  const QImage normal = b->peinture();
  QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 20));
  const QImage enfonce = b->peinture();
  QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(50, 20));
  const QRect glyphe = etendue(normal, encre);
  EXPECT_EQ(etendue(enfonce, encre), glyphe.translated(1, 1));
  // Every caption pixel moves one right and one down.
  const QRgb texte = rgb(b->Color(ColorText));
  const QRect legende = etendue(normal, texte);
  ASSERT_FALSE(legende.isNull());
  EXPECT_EQ(etendue(enfonce, texte), legende.translated(1, 1));
  for (int y = legende.top(); y <= legende.bottom(); ++y)
    for (int x = legende.left(); x <= legende.right(); ++x)
      ASSERT_EQ(normal.pixel(x, y), enfonce.pixel(x + 1, y + 1)) << x << ", " << y;
}

TEST(BoutonDegrade, CaptionIsCentredWithItsAcceleratorUnderlinedNotDrawn) {
  const int W = 160, H = 40;
  auto b = bouton_plat(W, H);
  const QRgb face = rgb(b->Color(ColorFace));
  b->setCaption(QStringLiteral("Valider"));
  const QRect simple = encre(b->peinture(), face);
  ASSERT_FALSE(simple.isNull());
  EXPECT_LE(std::abs(simple.center().x() - W / 2), 2);
  EXPECT_LE(std::abs(simple.center().y() - H / 2), 3);
  // "&" is not drawn but underlines V: the same letters, centred on the raw caption's width,
  // with a line below them.
  b->setCaption(QStringLiteral("&Valider"));
  const QRect marque = encre(b->peinture(), face);
  EXPECT_EQ(marque.top(), simple.top());
  EXPECT_GT(marque.bottom(), simple.bottom());
  EXPECT_LE(std::abs(marque.width() - simple.width()), 2);
  // "&&" draws one "&", narrower than two.
  b->setCaption(QStringLiteral("&&"));
  const QRect double_marque = encre(b->peinture(), face);
  EXPECT_FALSE(double_marque.isNull());
  EXPECT_LT(double_marque.width(), QFontMetrics(b->font()).horizontalAdvance("&&") * 3 / 4);
}

// ---- the state table ------------------------------------------------------------------

struct Banc {
  QDialog fenetre;
  TBoutonDegrade *b = nullptr;
  std::unique_ptr<QSignalSpy> clics;
  explicit Banc(bool suivi = true) {
    fenetre.resize(300, 120);
    b = new TBoutonDegrade(&fenetre);
    b->setGeometry(20, 20, 100, 30);
    b->setHotTrack(suivi);
    b->setCaption(QStringLiteral("&Valider"));
    clics = std::make_unique<QSignalSpy>(b, &TBoutonDegrade::OnClick);
    fenetre.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
    QApplication::setActiveWindow(&fenetre);
    QApplication::processEvents();
  }
  // A move from outside, where the pointer starts.
  void survole(QPoint p) {
    QTest::mouseMove(&fenetre, QPoint(200, 100));
    QTest::mouseMove(b, p);
  }
};

TEST(BoutonDegradeEtats, PointerOverPressAndReleaseFollowHotTrack) {
  for (const bool suivi : {true, false}) {
    SCOPED_TRACE(suivi ? "HotTrack" : "no HotTrack");
    Banc banc(suivi);
    TBoutonDegrade &b = *banc.b;
    banc.survole({50, 15});
    EXPECT_EQ(b.etat(), suivi ? TBoutonDegrade::Over : TBoutonDegrade::Normal);
    EXPECT_PIXEL(b.grab().toImage(), 50, 1, rgb(b.Color(suivi ? OverColorLight : ColorLight)));
    QTest::mousePress(&b, Qt::LeftButton, {}, {50, 15});
    EXPECT_EQ(b.etat(), TBoutonDegrade::Down);
    EXPECT_TRUE(b.appui_en_cours());
    EXPECT_TRUE(b.hasFocus());
    QTest::mouseRelease(&b, Qt::LeftButton, {}, {50, 15});
    EXPECT_EQ(banc.clics->count(), 1);
    EXPECT_FALSE(b.appui_en_cours());
    EXPECT_EQ(b.etat(), suivi ? TBoutonDegrade::Over : TBoutonDegrade::Normal);
    QTest::mouseMove(&banc.fenetre, QPoint(200, 100));
    EXPECT_EQ(b.etat(), TBoutonDegrade::Normal);
  }
}

TEST(BoutonDegradeEtats, ReleaseOnColumnOrRowZeroClicksButLeavesTheNormalState) {
  for (const QPoint bord : {QPoint(0, 15), QPoint(50, 0)}) {
    Banc banc;
    banc.survole({50, 15});
    QTest::mousePress(banc.b, Qt::LeftButton, {}, {50, 15});
    QTest::mouseMove(banc.b, bord);
    QTest::mouseRelease(banc.b, Qt::LeftButton, {}, bord);
    EXPECT_EQ(banc.clics->count(), 1) << bord.x() << ", " << bord.y();
    EXPECT_EQ(banc.b->etat(), TBoutonDegrade::Normal);
  }
  // Just outside the last column and row: no click.
  for (const QPoint dehors : {QPoint(100, 15), QPoint(50, 30), QPoint(-1, 15)}) {
    Banc banc;
    QTest::mousePress(banc.b, Qt::LeftButton, {}, {50, 15});
    QTest::mouseRelease(banc.b, Qt::LeftButton, {}, dehors);
    EXPECT_EQ(banc.clics->count(), 0) << dehors.x() << ", " << dehors.y();
    EXPECT_FALSE(banc.b->appui_en_cours());
  }
}

TEST(BoutonDegradeEtats, LeavingAndComingBackWhilePressedShowsDownOnlyWithHotTrack) {
  for (const bool suivi : {true, false}) {
    Banc banc(suivi);
    TBoutonDegrade &b = *banc.b;
    banc.survole({50, 15});
    QTest::mousePress(&b, Qt::LeftButton, {}, {50, 15});
    QTest::mouseMove(&b, {150, 15});
    EXPECT_EQ(b.etat(), TBoutonDegrade::Normal);
    QTest::mouseMove(&b, {60, 15});
    EXPECT_EQ(b.etat(), suivi ? TBoutonDegrade::Down : TBoutonDegrade::Normal)
        << (suivi ? "HotTrack" : "no HotTrack");
    QTest::mouseRelease(&b, Qt::LeftButton, {}, {60, 15});
    EXPECT_EQ(banc.clics->count(), 1);
  }
}

TEST(BoutonDegradeEtats, OtherButtonsDoNotPressAndADoubleClickClicksOnce) {
  Banc banc;
  TBoutonDegrade &b = *banc.b;
  banc.survole({50, 15});
  QTest::mousePress(&b, Qt::RightButton, {}, {50, 15});
  EXPECT_EQ(b.etat(), TBoutonDegrade::Over);
  EXPECT_FALSE(b.appui_en_cours());
  QTest::mouseRelease(&b, Qt::RightButton, {}, {50, 15});
  EXPECT_EQ(banc.clics->count(), 0);

  // A double click as the toolkit delivers it: press, release, press, double click,
  // release. QTest's own double click sends the double-click event alone.
  QTest::mouseClick(&b, Qt::LeftButton, {}, {50, 15});
  EXPECT_EQ(banc.clics->count(), 1);
  QTest::mousePress(&b, Qt::LeftButton, {}, {50, 15});
  QTest::mouseDClick(&b, Qt::LeftButton, {}, {50, 15});
  EXPECT_EQ(b.etat(), TBoutonDegrade::Down);
  QTest::mouseRelease(&b, Qt::LeftButton, {}, {50, 15});
  EXPECT_EQ(banc.clics->count(), 1);
  // The next single click is a click again.
  QTest::mouseClick(&b, Qt::LeftButton, {}, {50, 15}, 1000);
  EXPECT_EQ(banc.clics->count(), 2);
}

TEST(BoutonDegradeEtats, PressTakesTheFocusOnlyWithTabStopAndLosingItResetsTheState) {
  Banc banc;
  auto *champ = new QLineEdit(&banc.fenetre);
  champ->setGeometry(20, 70, 100, 24);
  champ->show();
  champ->setFocus();
  banc.b->setTabStop(false);
  QTest::mousePress(banc.b, Qt::LeftButton, {}, {50, 15});
  EXPECT_TRUE(champ->hasFocus());
  QTest::mouseRelease(banc.b, Qt::LeftButton, {}, {50, 15});
  banc.b->setTabStop(true);
  QTest::mousePress(banc.b, Qt::LeftButton, {}, {50, 15});
  EXPECT_TRUE(banc.b->hasFocus());
  champ->setFocus();
  EXPECT_EQ(banc.b->etat(), TBoutonDegrade::Normal);
  EXPECT_NE(hex(banc.b->peinture().pixel(3, 3)), hex(rgb(banc.b->Color(ColorFocusRect))));
}

TEST(BoutonDegradeEtats, SpaceEnterAndTheAcceleratorClick) {
  Banc banc;
  TBoutonDegrade &b = *banc.b;
  b.setFocus();
  QTest::keyPress(&b, Qt::Key_Space);
  EXPECT_EQ(b.etat(), TBoutonDegrade::Down);
  EXPECT_EQ(banc.clics->count(), 0);
  // A held key repeats as press and release pairs; only the real release clicks.
  QKeyEvent repetee(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
  QApplication::sendEvent(&b, &repetee);
  EXPECT_EQ(banc.clics->count(), 0);
  QTest::keyRelease(&b, Qt::Key_Space);
  EXPECT_EQ(b.etat(), TBoutonDegrade::Normal);
  EXPECT_EQ(banc.clics->count(), 1);

  QTest::keyClick(&b, Qt::Key_Return);
  EXPECT_EQ(banc.clics->count(), 2);
  QTest::keyClick(&b, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(banc.clics->count(), 3);

  QTest::keyClick(&banc.fenetre, Qt::Key_V, Qt::AltModifier);
  EXPECT_EQ(banc.clics->count(), 4);
  QTest::keyClick(&b, Qt::Key_V); // a letter typed on a button
  EXPECT_EQ(banc.clics->count(), 5);
  QTest::keyClick(&b, Qt::Key_X);
  EXPECT_EQ(banc.clics->count(), 5);
  b.setCaption(QStringLiteral("Valider &Tout"));
  QTest::keyClick(&banc.fenetre, Qt::Key_V, Qt::AltModifier);
  EXPECT_EQ(banc.clics->count(), 5);
  QTest::keyClick(&banc.fenetre, Qt::Key_T, Qt::AltModifier);
  EXPECT_EQ(banc.clics->count(), 6);
}

TEST(BoutonDegradeEtats, EnterAndEscapeGoToTheDefaultAndCancelButtons) {
  // A text field has the focus: it uses neither Enter nor Escape.
  struct Cas {
    bool defaut, annulation;
    Qt::Key touche;
    Qt::KeyboardModifiers mods;
    bool clic;
  };
  const Cas cas[] = {
      {true, false, Qt::Key_Return, Qt::NoModifier, true},
      {true, false, Qt::Key_Return, Qt::ShiftModifier, true},
      {true, false, Qt::Key_Return, Qt::ControlModifier, true},
      {false, false, Qt::Key_Return, Qt::NoModifier, false},
      {true, false, Qt::Key_Escape, Qt::NoModifier, false},
      {false, true, Qt::Key_Escape, Qt::NoModifier, true},
      {false, true, Qt::Key_Escape, Qt::ShiftModifier, false},
      {false, true, Qt::Key_Return, Qt::NoModifier, false},
  };
  for (const Cas &c : cas) {
    SCOPED_TRACE(testing::Message() << "Default " << c.defaut << " Cancel " << c.annulation
                                    << " key " << c.touche << " mods " << c.mods);
    Banc banc;
    auto *champ = new QLineEdit(&banc.fenetre);
    champ->setGeometry(20, 70, 100, 24);
    champ->show();
    champ->setFocus();
    banc.b->setDefault(c.defaut);
    banc.b->setCancel(c.annulation);
    banc.fenetre.setResult(7);
    QTest::keyClick(champ, c.touche, c.mods);
    EXPECT_EQ(banc.clics->count(), c.clic ? 1 : 0);
    if (c.clic) {
      EXPECT_EQ(banc.fenetre.result(), 0); // the button's ModalResult, even 0
    }
  }
}

TEST(BoutonDegradeEtats, EnterOnAFocusedButtonClicksItNotTheDefaultOne) {
  Banc banc;
  auto *autre = new TBoutonDegrade(&banc.fenetre);
  autre->setGeometry(150, 20, 100, 30);
  autre->show();
  QSignalSpy clics_autre(autre, &TBoutonDegrade::OnClick);
  banc.b->setDefault(true);
  autre->setFocus();
  QTest::keyClick(autre, Qt::Key_Return);
  EXPECT_EQ(clics_autre.count(), 1);
  EXPECT_EQ(banc.clics->count(), 0);
  // With Shift the focused button lets the Default button take Enter.
  QTest::keyClick(autre, Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(clics_autre.count(), 1);
  EXPECT_EQ(banc.clics->count(), 1);
  // A hidden or disabled Default button takes nothing; Enter then reaches the focused one.
  banc.b->setEnabled(false);
  QTest::keyClick(autre, Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(clics_autre.count(), 2);
  EXPECT_EQ(banc.clics->count(), 1);
}

TEST(BoutonDegradeEtats, ANonZeroModalResultEndsTheModalRunAfterTheHandler) {
  QDialog fenetre;
  auto *b = new TBoutonDegrade(&fenetre);
  b->setModalResult(3);
  int resultat_dans_le_gestionnaire = -1;
  QObject::connect(b, &TBoutonDegrade::OnClick, [&] {
    resultat_dans_le_gestionnaire = fenetre.result();
    EXPECT_TRUE(fenetre.isVisible());
  });
  QTimer::singleShot(0, b, [b] { b->Click(); });
  EXPECT_EQ(fenetre.exec(), 3);
  EXPECT_EQ(resultat_dans_le_gestionnaire, 3);

  // The handler may take the result back: the run goes on.
  b->setModalResult(4);
  QObject::disconnect(b, &TBoutonDegrade::OnClick, nullptr, nullptr);
  int clics = 0;
  QObject::connect(b, &TBoutonDegrade::OnClick, [&] {
    if (++clics == 1)
      fenetre.setResult(0);
  });
  QTimer::singleShot(0, b, [b] {
    b->Click();
    b->Click();
  });
  EXPECT_EQ(fenetre.exec(), 4);
  EXPECT_EQ(clics, 2);
}

} // namespace
