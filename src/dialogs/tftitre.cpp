#include "tftitre.h"

#include "boite_erreur.h"
#include "bouton_degrade.h"
#include "lab_file.h"
#include "texte_1252.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

#include <algorithm>
#include <limits>
#include <vector>

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

bool TFtitre::refuse_hors_1252(const std::vector<ChampTape> &champs) {
  std::vector<std::string> hors;
  QStringList noms;
  QWidget *premier = nullptr;
  for (const ChampTape &c : champs) {
    const std::vector<std::string> ici = caracteres_hors_1252(c.texte->toStdString());
    if (ici.empty())
      continue;
    for (const std::string &car : ici)
      if (std::find(hors.begin(), hors.end(), car) == hors.end())
        hors.push_back(car);
    noms << c.nom;
    if (!premier)
      premier = c.controle;
  }
  if (!premier)
    return false;
  const QString lieux = noms.size() == 1 ? noms[0]
                                         : noms.mid(0, noms.size() - 1).join(QStringLiteral(", ")) +
                                               QStringLiteral(" et ") + noms.back();
  boite_erreur_(
      this, QString::fromStdString(message_hors_1252(hors)) +
                QStringLiteral(" Remplacez-%1 dans %2, puis validez \u00E0 nouveau.")
                    .arg(hors.size() == 1 ? QStringLiteral("le") : QStringLiteral("les"), lieux));
  premier->setFocus(Qt::OtherFocusReason);
  return true;
}

bool TFtitre::refuse_fin_de_bloc(const std::string &octets, const QString &champ,
                                 QWidget *controle) {
  const std::string_view ligne = ligne_de_fin_de_bloc(octets);
  if (ligne.empty())
    return false;
  boite_erreur_(
      this,
      QStringLiteral("La ligne \u00AB %1 \u00BB %2 ne peut pas \u00EAtre "
                     "enregistr\u00E9e : dans le fichier, elle terminerait le "
                     "texte. Modifiez-la, puis validez \u00E0 nouveau.")
          .arg(QString::fromLatin1(ligne.data(), static_cast<qsizetype>(ligne.size())), champ));
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
  // Every character that cannot be stored, in whichever field, is named in one message.
  std::vector<ChampTape> champs = {{&titre, QStringLiteral("le titre"), Edit1}};
  if (mission_tapee)
    champs.push_back({&mission, QStringLiteral("le texte d'introduction"), Memo1});
  if (message_tape)
    champs.push_back({&message, QStringLiteral("le message de fin"), Memo2});
  if (refuse_hors_1252(champs))
    return;
  const std::string octets_mission = utf8_vers_1252(mission.toStdString());
  const std::string octets_message = utf8_vers_1252(message.toStdString());
  if ((mission_tapee &&
       refuse_fin_de_bloc(octets_mission, QStringLiteral("du texte d'introduction"), Memo1)) ||
      (message_tape &&
       refuse_fin_de_bloc(octets_message, QStringLiteral("du message de fin"), Memo2)))
    return;
  texte_titre = utf8_vers_1252(titre.toStdString());
  if (mission_tapee)
    texte_mission = octets_mission;
  if (message_tape)
    texte_message = octets_message;
  accept();
}

void TFtitre::SpeedButton2Click() {
  reject();
}
