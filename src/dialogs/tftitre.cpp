#include "tftitre.h"

#include "boite_erreur.h"
#include "bouton_degrade.h"
#include "texte_1252.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

#include <limits>

namespace {

constexpr QRect PLACE_LABEL1(8, 8, 249, 25);
constexpr QRect PLACE_EDIT1(8, 32, 377, 28);
constexpr QRect PLACE_LABEL2(8, 72, 249, 25);
constexpr QRect PLACE_MEMO1(8, 96, 377, 145);
constexpr QRect PLACE_LABEL3(8, 248, 249, 25);
constexpr QRect PLACE_MEMO2(7, 272, 377, 145);
constexpr QRect PLACE_VALIDER(40, 424, 121, 33);
constexpr QRect PLACE_ANNULER(224, 424, 121, 33);
constexpr int POLICE_TEXTES = 16;
constexpr QColor BLEU_MARINE(0x00, 0x00, 0x80);

QFont police(const char *famille) {
  QFont f(QString::fromLatin1(famille));
  f.setPixelSize(POLICE_TEXTES);
  f.setBold(true);
  return f;
}

QLabel *etiquette(QWidget *parent, const char *nom, const char *texte, QRect place) {
  auto *label = new QLabel(QString::fromUtf8(texte), parent);
  label->setObjectName(QString::fromLatin1(nom));
  label->setGeometry(place);
  label->setFont(police("Arial"));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, BLEU_MARINE);
  label->setPalette(palette);
  return label;
}

QPlainTextEdit *memo(QWidget *parent, const char *nom, QRect place) {
  auto *champ = new QPlainTextEdit(parent);
  champ->setObjectName(QString::fromLatin1(nom));
  champ->setGeometry(place);
  champ->setFont(police("MS Sans Serif"));
  champ->setTabChangesFocus(true);
  champ->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  return champ;
}

TBoutonDegrade *bouton(QWidget *parent, const char *nom, const char *legende, QRect place,
                       TColorScheme schema) {
  auto *b = new TBoutonDegrade(parent);
  b->setObjectName(QString::fromLatin1(nom));
  b->setGeometry(place);
  b->setCaption(QString::fromLatin1(legende));
  b->setColorScheme(schema);
  b->setFont(police("MS Sans Serif"));
  return b;
}

QString depuis_1252(const std::string &octets) {
  return QString::fromStdString(utf8_depuis_1252(octets));
}

// The model keeps CR LF between lines; the fields keep one line break.
QString lignes_affichees(const std::string &octets) {
  QString texte = depuis_1252(octets);
  texte.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return texte;
}

// Every line break, however it came (a paste, Shift+Enter, a file), becomes one space: the
// title is written on the line of its file key.
QString sur_une_ligne(QString texte) {
  texte.replace(QLatin1String("\r\n"), QLatin1String(" "));
  for (const QChar saut :
       {QChar(u'\r'), QChar(u'\n'), QChar(QChar::LineSeparator), QChar(QChar::ParagraphSeparator)})
    texte.replace(saut, QLatin1Char(' '));
  return texte;
}

// The lines as typed, joined by CR LF. The raw text keeps non-breaking spaces, which the
// plain text would turn into ordinary ones; Shift+Enter's line separator is a line break.
QString lignes_tapees(const QPlainTextEdit *champ) {
  QString texte = champ->document()->toRawText();
  for (const QChar saut : {QChar(QChar::ParagraphSeparator), QChar(QChar::LineSeparator)})
    texte.replace(saut, QLatin1String("\r\n"));
  return texte;
}

} // namespace

TFtitre::TFtitre(QWidget *parent)
    : FenetreDialogue(parent, QStringLiteral("Ftitre"), LARGEUR, HAUTEUR, QColor(0x9B, 0xDE, 0xFF)),
      boite_erreur_(boite_erreur) {
  Bevel1 = new QFrame(this);
  Bevel1->setObjectName(QStringLiteral("Bevel1"));
  Bevel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Bevel1->setGeometry(0, 0, LARGEUR, HAUTEUR);

  Label1 = etiquette(this, "Label1", "Entrez le titre du labyrinthe :", PLACE_LABEL1);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setGeometry(PLACE_EDIT1);
  Edit1->setFont(police("MS Sans Serif"));
  Edit1->setMaxLength(std::numeric_limits<int>::max());
  Label2 = etiquette(this, "Label2", "Entrez le texte d'introduction :", PLACE_LABEL2);
  Memo1 = memo(this, "Memo1", PLACE_MEMO1);
  Label3 = etiquette(this, "Label3", "Entrez le message de fin :", PLACE_LABEL3);
  Memo2 = memo(this, "Memo2", PLACE_MEMO2);
  BoutonDegrade1 = bouton(this, "BoutonDegrade1", "VALIDER", PLACE_VALIDER, csNeoGrass);
  BoutonDegrade2 = bouton(this, "BoutonDegrade2", "ANNULER", PLACE_ANNULER, csNeoRose);
  connect(BoutonDegrade1, &TBoutonDegrade::OnClick, this, &TFtitre::SpeedButton1Click);
  connect(BoutonDegrade2, &TBoutonDegrade::OnClick, this, &TFtitre::SpeedButton2Click);

  setTabOrder(Edit1, Memo1);
  setTabOrder(Memo1, BoutonDegrade1);
  setTabOrder(BoutonDegrade1, BoutonDegrade2);
  setTabOrder(BoutonDegrade2, Memo2);
}

void TFtitre::pose_textes(const std::string &titre, const std::string &mission,
                          const std::string &message) {
  texte_titre = titre;
  texte_mission = mission;
  texte_message = message;
}

void TFtitre::pose_boite_erreur(std::function<void(QWidget *, const QString &)> boite) {
  boite_erreur_ = std::move(boite);
}

void TFtitre::showEvent(QShowEvent *event) {
  FormShow();
  FenetreDialogue::showEvent(event);
}

void TFtitre::FormShow() {
  Edit1->setText(sur_une_ligne(depuis_1252(texte_titre)));
  Edit1->setModified(false);
  Memo1->setPlainText(lignes_affichees(texte_mission));
  Memo1->document()->setModified(false);
  Memo2->setPlainText(lignes_affichees(texte_message));
  Memo2->document()->setModified(false);
  Edit1->setFocus(Qt::OtherFocusReason);
}

// Neither button is a default or cancel button: Escape, like Enter in the title, closes
// nothing (the dialog base would otherwise cancel on Escape).
void TFtitre::keyPressEvent(QKeyEvent *event) {
  if (event->key() == Qt::Key_Escape)
    return;
  FenetreDialogue::keyPressEvent(event);
}

bool TFtitre::refuse_hors_1252(const QString &texte, const QString &champ, QWidget *controle) {
  const std::string utf8 = texte.toStdString();
  if (tient_en_1252(utf8))
    return false;
  boite_erreur_(this, QStringLiteral("%1 contient des caract\u00E8res qu'un labyrinthe ne peut "
                                     "pas enregistrer. Remplacez-les, puis validez \u00E0 "
                                     "nouveau.")
                          .arg(champ));
  controle->setFocus(Qt::OtherFocusReason);
  return true;
}

void TFtitre::SpeedButton1Click() {
  const QString titre = sur_une_ligne(Edit1->text());
  // A field left untouched keeps its bytes exactly, whatever line breaks they hold.
  const bool mission_tapee = Memo1->document()->isModified();
  const bool message_tape = Memo2->document()->isModified();
  const QString mission = mission_tapee ? lignes_tapees(Memo1) : QString();
  const QString message = message_tape ? lignes_tapees(Memo2) : QString();
  if (refuse_hors_1252(titre, QStringLiteral("Le titre"), Edit1) ||
      (mission_tapee &&
       refuse_hors_1252(mission, QStringLiteral("Le texte d'introduction"), Memo1)) ||
      (message_tape && refuse_hors_1252(message, QStringLiteral("Le message de fin"), Memo2)))
    return;
  texte_titre = utf8_vers_1252(titre.toStdString());
  if (mission_tapee)
    texte_mission = utf8_vers_1252(mission.toStdString());
  if (message_tape)
    texte_message = utf8_vers_1252(message.toStdString());
  accept();
}

void TFtitre::SpeedButton2Click() {
  reject();
}
