#include "tfap.h"

#include <QDesktopServices>
#include <QFrame>
#include <QKeyEvent>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <QUrl>

#include "codage.h"
#include "credits.h"
#include "move_timer.h"
#include "texte_1252.h"

namespace {
constexpr QColor FOND(0, 0, 128);
constexpr QColor NOIR(0, 0, 0);
constexpr QColor JAUNE(255, 255, 0);
constexpr QColor BLANC(255, 255, 255);

constexpr QRect PLACE_P1(8, 8, 337, 161);
constexpr QRect PLACE_BOUTON_AUTEUR(32, 176, 97, 25);
constexpr QRect PLACE_BOUTON_FERMER(248, 176, 73, 25);
constexpr int POLICE_GEN = 16;
constexpr int POLICE_BOUTONS = 11;

QString texte(std::string_view octets_1252) {
  return QString::fromStdString(utf8_depuis_1252(octets_1252));
}

void colore(QWidget *w, QPalette::ColorRole role, QColor couleur) {
  QPalette p = w->palette();
  p.setColor(role, couleur);
  w->setPalette(p);
}

// A flat button: no frame until the pointer is over it, and never the keyboard focus.
QToolButton *bouton_plat(QWidget *parent, const char *nom, QRect place, const char *legende) {
  auto *b = new QToolButton(parent);
  b->setObjectName(QString::fromLatin1(nom));
  b->setGeometry(place);
  b->setText(QString::fromUtf8(legende));
  b->setAutoRaise(true);
  b->setFocusPolicy(Qt::NoFocus);
  b->setCursor(Qt::PointingHandCursor);
  QFont police(QStringLiteral("MS Sans Serif"));
  police.setPixelSize(POLICE_BOUTONS);
  b->setFont(police);
  // The frame shown under the pointer keeps the box's navy, so the white caption stays legible.
  colore(b, QPalette::Button, FOND);
  colore(b, QPalette::ButtonText, BLANC);
  return b;
}
} // namespace

TFap::TFap(QWidget *parent)
    : FenetreDialogue(parent, QStringLiteral("Fap"), LARGEUR, HAUTEUR, FOND) {
  P1 = new QFrame(this);
  P1->setObjectName(QStringLiteral("P1"));
  P1->setGeometry(PLACE_P1);
  P1->setFrameShape(QFrame::NoFrame);
  P1->setAutoFillBackground(true);
  colore(P1, QPalette::Window, NOIR);

  // The text scrolls by moving the whole field inside P1, which clips it.
  Gen = new QTextEdit(P1);
  Gen->setObjectName(QStringLiteral("Gen"));
  Gen->setGeometry(0, 0, PLACE_P1.width(), PLACE_P1.height());
  Gen->setReadOnly(true);
  Gen->setTextInteractionFlags(Qt::NoTextInteraction);
  Gen->setFocusPolicy(Qt::NoFocus);
  Gen->setFrameShape(QFrame::NoFrame);
  Gen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Gen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Gen->viewport()->setCursor(Qt::ArrowCursor);
  colore(Gen, QPalette::Base, NOIR);
  colore(Gen, QPalette::Text, JAUNE);
  QFont police;
  // "Gen" is the face the credits were drawn for; most machines lack it.
  police.setFamilies(
      {QStringLiteral("Gen"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  police.setPixelSize(POLICE_GEN);
  Gen->setFont(police);
  Gen->document()->setDocumentMargin(0);
  Gen->document()->setDefaultTextOption(QTextOption(Qt::AlignHCenter));
  Gen->clear();
  for (std::string_view ligne : CREDITS_CODES)
    Gen->append(texte(decode(CLE_CREDITS, ligne)));
  // The lines share the viewport's height, whatever the face's own spacing: a taller text
  // would be cut at the bottom, and the field would scroll its first line out of sight.
  QTextBlockFormat interligne;
  interligne.setLineHeight(static_cast<qreal>(PLACE_P1.height() / CREDITS_CODES.size()),
                           QTextBlockFormat::FixedHeight);
  QTextCursor tout(Gen->document());
  tout.select(QTextCursor::Document);
  tout.mergeBlockFormat(interligne);
  Gen->moveCursor(QTextCursor::Start);

  SpeedButton2 = bouton_plat(this, "SpeedButton2", PLACE_BOUTON_AUTEUR, "Ecrire à l'auteur");
  SpeedButton1 = bouton_plat(this, "SpeedButton1", PLACE_BOUTON_FERMER, "FERMER");
  connect(SpeedButton1, &QToolButton::clicked, this, &TFap::GenClick);
  connect(SpeedButton2, &QToolButton::clicked, this, &TFap::SpeedButton2Click);
}

TFap::~TFap() {
  // Tickers stopped by recent closings may still be ending; none may outlive the box.
  for (MoveTimer *t : findChildren<MoveTimer *>(Qt::FindDirectChildrenOnly))
    t->arrete_et_attend();
}

void TFap::showEvent(QShowEvent *event) {
  FenetreDialogue::showEvent(event);
  // A window restored by the desktop is no new showing.
  if (!event->spontaneous())
    FormShow();
}

void TFap::hideEvent(QHideEvent *event) {
  FenetreDialogue::hideEvent(event);
  if (!event->spontaneous())
    FormClose();
}

void TFap::keyPressEvent(QKeyEvent *event) {
  if (event->key() == Qt::Key_Escape)
    event->accept();
  else
    FenetreDialogue::keyPressEvent(event);
}

void TFap::FormShow() {
  Gen->move(0, P1->height());
  // Only one ticker steps at a time, even if a closing was somehow missed.
  if (ticker)
    ticker->arrete();
  ticker = new MoveTimer(
      this, [this] { MoveTimerPas(); }, this);
  connect(ticker, &QThread::finished, ticker, &QObject::deleteLater);
  ticker->start();
}

void TFap::FormClose() {
  if (ticker)
    ticker->arrete();
}

void TFap::MoveTimerPas() {
  Gen->move(Gen->x(), position_suivante(Gen->y(), P1->height()));
}

void TFap::GenClick() {
  reject();
}

void TFap::SpeedButton2Click() {
  QDesktopServices::openUrl(QUrl(texte(decode(CLE_CREDITS, CONTACT_CODE))));
}
