// The room panel: its controls, the transfers between the panel and a room, its four
// buttons, and the steps the author's edits become.

#include "panneau_salle.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolButton>

#include <limits>
#include <string_view>
#include <vector>

#include "apparence.h"
#include "construction.h"
#include "disposition.h"
#include "document.h"
#include "fichiers_editeur.h"
#include "image_etiree.h"
#include "ms_media_player.h"
#include "picture_qt.h"
#include "proprietes.h"
#include "texte_1252.h"
#include "texte_salle.h"
#include "textes_aide.h"

namespace {

// The property holding a page's own help, given back when a room is selected.
constexpr const char *AIDE_PAGE = "aide_page";

std::string vers_modele(const QString &texte) {
  return utf8_vers_1252(texte.toStdString());
}

QString depuis_modele(std::string_view octets) {
  return QString::fromStdString(utf8_depuis_1252(std::string(octets)));
}

// The lines the author typed: the memo's paragraphs, a Shift+Enter break ending a line too.
// A line the control wraps on screen is still one line: the wrap is the control's, not
// the author's. The empty line after a final break is where the caret waits, not a line.
std::vector<std::string> lignes_tapees(const QPlainTextEdit &memo) {
  std::vector<std::string> lignes;
  for (QTextBlock bloc = memo.document()->begin(); bloc.isValid(); bloc = bloc.next())
    for (const QString &l : bloc.text().split(QChar::LineSeparator))
      lignes.push_back(vers_modele(l));
  if (!lignes.empty() && lignes.back().empty())
    lignes.pop_back();
  return lignes;
}

} // namespace

PanneauSalle::PanneauSalle(Document &document, AccesFenetre acces, QWidget *parent)
    : QTabWidget(parent), document_(document), acces_(std::move(acces)) {
  dialogue_image_.filtre = FILTRE_IMAGES;
  dialogue_media_.filtre =
      QStringLiteral("Fichiers audio/vidéo (*.wav, *.mp3, *.avi, *.wmv, *.mpg, "
                     "*.mpeg) (*.wav *.mp3 *.avi *.wmv *.mpg *.mpeg)");
  // The caption already lists the extensions; Qt's patterns after it would repeat them.
  dialogue_media_.cache_motifs = true;
  construit();
}

void PanneauSalle::construit() {
  setObjectName(QStringLiteral("PC"));
  place(this);
  setFont(police(POLICE_LEGENDE, true));
  lie_survol(this, Survol::fond);
  lie_survol(tabBar(), Survol::fond); // the strip is the box's, not a tab's
  const struct {
    QWidget *PanneauSalle::*membre;
    const char *nom;
    const char *titre;
    const char *aide;
  } onglets[] = {
      {&PanneauSalle::onglet_image_, "TabImage", "Image", AIDE_ONGLET_IMAGE},
      {&PanneauSalle::onglet_media_, "TabMedia", "Média", AIDE_ONGLET_MEDIA},
      {&PanneauSalle::onglet_question_, "TabQuestion", "Question", AIDE_ONGLET_QUESTION},
      {&PanneauSalle::onglet_reponses_, "TabReponses", "Réponses", AIDE_ONGLET_REPONSES},
  };
  for (const auto &o : onglets) {
    auto *page = new QWidget;
    page->setObjectName(QString::fromLatin1(o.nom));
    addTab(page, QString::fromUtf8(o.titre));
    page->setProperty(AIDE_PAGE, QString::fromUtf8(o.aide));
    lie_survol(page, Survol::aide);
    this->*o.membre = page;
  }

  image_ = new ImageEtiree(onglet_image_);
  image_->setObjectName(QStringLiteral("Image_epreuve"));
  place(image_);
  image_->hide();
  const QPixmap glyphe_ouvrir = glyphe(QStringLiteral("OpenI"));
  bouton_image_ = bouton_plat(onglet_image_, QStringLiteral("OpenI"));
  pose_glyphe(bouton_image_, glyphe_ouvrir);
  connect(bouton_image_, &QToolButton::clicked, this, &PanneauSalle::OpenIClick);
  bouton_retire_image_ = bouton_plat(onglet_image_, QStringLiteral("SpeedButton5"));
  pose_croix(bouton_retire_image_, true);
  connect(bouton_retire_image_, &QToolButton::clicked, this, &PanneauSalle::SpeedButton5Click);

  lecteur_ = new TMsMediaPlayer(onglet_media_, true);
  lecteur_->setObjectName(QStringLiteral("WMP2"));
  place(lecteur_);
  bouton_media_ = bouton_plat(onglet_media_, QStringLiteral("OpenV"), false);
  pose_glyphe(bouton_media_, glyphe_ouvrir);
  connect(bouton_media_, &QToolButton::clicked, this, &PanneauSalle::OpenVClick);
  bouton_retire_media_ = bouton_plat(onglet_media_, QStringLiteral("SpeedButton7"));
  pose_croix(bouton_retire_media_, true);
  connect(bouton_retire_media_, &QToolButton::clicked, this, &PanneauSalle::SpeedButton7Click);

  // The chosen files' names, under the picture and the player.
  const auto nom_fichier = [](QWidget *page, const char *nom) {
    auto *n = new NomFichier(page, QRect(), Qt::AlignHCenter);
    n->setObjectName(QString::fromLatin1(nom));
    n->setFont(police(POLICE_LEGENDE));
    place(n);
    lie_survol(n, Survol::aide);
    return n;
  };
  nom_image_ = nom_fichier(onglet_image_, "NomImage");
  nom_media_ = nom_fichier(onglet_media_, "NomMedia");

  question_ = new QPlainTextEdit(onglet_question_);
  question_->setObjectName(QStringLiteral("Memo1"));
  place(question_);
  question_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  connect(question_, &QPlainTextEdit::textChanged, this, [this] {
    question_touchee_ = true;
    emit saisie_en_cours();
  });
  question_->installEventFilter(this);

  for (int i = 0; i < NB_REPONSES; ++i) {
    const int dy = PAS_REPONSE * i;
    const QString rang = QString::number(i + 1);
    QLabel *l = etiquette(onglet_reponses_, PLACE_ETIQUETTE_REPONSE.translated(0, dy), "",
                          police(POLICE_LEGENDE, true));
    l->setText(QStringLiteral("Réponse ") + rang);
    l->setObjectName(QStringLiteral("LabelReponse") + rang);
    QCheckBox *c = new QCheckBox(onglet_reponses_);
    c->setObjectName(QStringLiteral("Check") + rang);
    c->setGeometry(PLACE_CHECK.translated(0, dy));
    // Only the author's click is a step; showing a room sets the box without one.
    connect(c, &QCheckBox::clicked, this, [this, i] { valide_bonne(i); });
    bonnes_[static_cast<size_t>(i)] = c;
    QLineEdit *e = new QLineEdit(onglet_reponses_);
    e->setObjectName(QStringLiteral("Edit") + rang);
    e->setGeometry(PLACE_EDIT.translated(0, dy));
    // An answer has no length limit: the field's default one would cut a long answer
    // read from a file the next time the room is stored.
    e->setMaxLength(std::numeric_limits<int>::max());
    connect(e, &QLineEdit::textChanged, this, [this, i] {
      reponse_touchee_[static_cast<size_t>(i)] = true;
      emit saisie_en_cours();
    });
    connect(e, &QLineEdit::editingFinished, this, [this, i] { valide_reponse(i); });
    reponses_[static_cast<size_t>(i)] = e;
  }
  setCurrentIndex(0);
  active(false);
}

void PanneauSalle::active(bool salle) {
  for (QWidget *controle : std::initializer_list<QWidget *>{
           question_, bouton_image_, bouton_retire_image_, bouton_media_, bouton_retire_media_})
    controle->setEnabled(salle);
  for (int i = 0; i < NB_REPONSES; ++i) {
    bonnes_[static_cast<size_t>(i)]->setEnabled(salle);
    reponses_[static_cast<size_t>(i)]->setEnabled(salle);
  }
  for (QWidget *page : {onglet_image_, onglet_media_, onglet_question_, onglet_reponses_})
    pose_aide(page,
              salle ? page->property(AIDE_PAGE).toString() : QString::fromUtf8(AIDE_SANS_SALLE));
}

bool PanneauSalle::stockable(const QString &texte) {
  const std::vector<std::string> hors = caracteres_hors_1252(texte.toStdString());
  if (hors.empty())
    return true;
  // The box takes the focus from the field, which must not refuse a second time for it.
  if (!refus_en_cours_) {
    refus_en_cours_ = true;
    acces_.erreur(QString::fromStdString(message_hors_1252(hors)));
    refus_en_cours_ = false;
  }
  return false;
}

bool PanneauSalle::eventFilter(QObject *objet, QEvent *event) {
  // Leaving the memo ends the question's edit: one step for all that was typed.
  if (objet == question_ && event->type() == QEvent::FocusOut)
    valide_question();
  return QTabWidget::eventFilter(objet, event);
}

void PanneauSalle::vide() {
  active(false);
  image_courante_.clear();
  media_courant_.clear();
  montre_question({});
  lecteur_->setURL(QString());
  image_->hide();
  for (int i = 0; i < NB_REPONSES; ++i) {
    montre_reponse(i, {});
    montre_bonne(i, false);
  }
}

Tsalle PanneauSalle::salle() const {
  Tsalle r;
  r.image = image_courante_;
  r.media = media_courant_;
  r.question =
      question_touchee_ ? question_depuis_lignes(lignes_tapees(*question_)) : question_salle_;
  for (size_t i = 0; i < NB_REPONSES; ++i) {
    // A break pasted into an answer would split the room's line in the file.
    r.reponses[i] =
        reponse_touchee_[i] ? sur_une_ligne(vers_modele(reponses_[i]->text())) : reponses_salle_[i];
    r.bonnes[i] = bonnes_[i]->isChecked();
  }
  return r;
}

bool PanneauSalle::memorise_salle() {
  const int indice = document_.salle_choisie();
  if (indice < 0)
    return true;
  const Tsalle p = salle();
  document_.pose(cible_image(indice), p.image);
  document_.pose(cible_media(indice), p.media);
  // The first text refused stops here, so that one box speaks of it; the rest waits.
  if (!valide_question())
    return false;
  for (int i = 0; i < NB_REPONSES; ++i) {
    if (!valide_reponse(i))
      return false;
    valide_bonne(i);
  }
  return true;
}

bool PanneauSalle::valide_saisie() {
  // Only the texts can be pending: ticks, pictures and media are steps at once. The first
  // text refused stops here, so that one box speaks of it; the others wait as typed.
  if (!valide_question())
    return false;
  for (int i = 0; i < NB_REPONSES; ++i)
    if (!valide_reponse(i))
      return false;
  return true;
}

bool PanneauSalle::saisie_en_attente() const {
  const int indice = document_.salle_choisie();
  if (indice < 0)
    return false;
  const Tsalle &tenue = document_.monde().salles[static_cast<size_t>(indice)];
  const Tsalle p = salle();
  return p.question != tenue.question || p.reponses != tenue.reponses;
}

bool PanneauSalle::valide_question() {
  const int indice = document_.salle_choisie();
  if (indice < 0 || !question_touchee_)
    return true;
  // Shift+Enter's separator ends a line: it is no character of the text.
  if (!stockable(question_->toPlainText().replace(QChar::LineSeparator, QLatin1Char('\n'))))
    return false;
  question_salle_ = question_depuis_lignes(lignes_tapees(*question_));
  question_touchee_ = false;
  document_.pose(cible_question(indice), question_salle_);
  emit saisie_en_cours();
  return true;
}

bool PanneauSalle::valide_reponse(int i) {
  const auto k = static_cast<size_t>(i);
  const int indice = document_.salle_choisie();
  if (indice < 0 || !reponse_touchee_[k])
    return true;
  if (!stockable(reponses_[k]->text()))
    return false;
  reponses_salle_[k] = sur_une_ligne(vers_modele(reponses_[k]->text()));
  reponse_touchee_[k] = false;
  document_.pose(cible_reponse(indice, i), reponses_salle_[k]);
  emit saisie_en_cours();
  return true;
}

void PanneauSalle::valide_bonne(int i) {
  const int indice = document_.salle_choisie();
  if (indice >= 0)
    document_.pose(cible_bonne(indice, i), bonnes_[static_cast<size_t>(i)]->isChecked());
}

Resultat PanneauSalle::montre_image(const std::string &nom) {
  Resultat r = Resultat::succes();
  if (!nom.empty()) {
    const LieuxFichiers lieux = acces_.lieux();
    const QString affiche = depuis_modele(nom);
    const QString chemin = fichier_du_nom(nom, lieux);
    const Avec<QImage> picture =
        chemin.isEmpty()
            ? Avec<QImage>(Resultat::echec(
                  message_introuvable(QStringLiteral("L'image"), affiche, lieux).toStdString()))
            : charge_image(chemin, image_->taille_montree());
    if (!picture) {
      // Nothing of another room stays on show; the name stays with the room.
      image_->pose_picture(QPixmap());
      image_->hide();
      r = chemin.isEmpty()
              ? picture.resultat()
              : Resultat::echec(message_image(QStringLiteral("L'image"), affiche, picture.message())
                                    .toStdString());
    } else {
      image_->pose_picture(QPixmap::fromImage(picture.valeur()));
      image_->show();
    }
  } else {
    image_->hide();
  }
  nom_image_->montre(nom_affiche(nom), QStringLiteral("Image : "));
  image_courante_ = nom;
  return r;
}

void PanneauSalle::montre_media(const std::string &nom) {
  // Only a regular file of the labyrinth's places reaches the player: a pipe or a device
  // would hold it for ever.
  lecteur_->setURL(fichier_du_nom(nom, acces_.lieux()));
  nom_media_->montre(nom_affiche(nom), QString::fromUtf8("Média : "));
  media_courant_ = nom;
}

void PanneauSalle::montre_question(const std::string &question) {
  question_salle_ = question;
  // Storing adds a blank after each line; the last one is taken off here, so that a
  // question the author edits and stores again does not grow at each visit.
  std::string texte = question;
  if (!texte.empty() && texte.back() == ' ')
    texte.pop_back();
  if (texte.empty())
    question_->clear();
  else
    question_->setPlainText(depuis_modele(texte));
  question_touchee_ = false;
  emit saisie_en_cours();
}

void PanneauSalle::montre_reponse(int i, const std::string &reponse) {
  const auto k = static_cast<size_t>(i);
  reponses_salle_[k] = reponse;
  reponses_[k]->setText(depuis_modele(reponse));
  reponse_touchee_[k] = false;
  emit saisie_en_cours();
}

void PanneauSalle::montre_bonne(int i, bool bonne) {
  bonnes_[static_cast<size_t>(i)]->setChecked(bonne);
}

void PanneauSalle::affiche_salle(const Tsalle &salle) {
  active(true);
  const Resultat image = montre_image(salle.image);
  montre_media(salle.media);
  montre_question(salle.question);
  for (int i = 0; i < NB_REPONSES; ++i) {
    montre_reponse(i, salle.reponses[static_cast<size_t>(i)]);
    montre_bonne(i, salle.bonnes[static_cast<size_t>(i)]);
  }
  // Reported last: the box waits for the author, and the panel already shows the room.
  if (!image)
    acces_.erreur(QString::fromStdString(image.message()));
}

void PanneauSalle::montre_champ(const Cible &cible) {
  const int indice = document_.salle_choisie();
  if (indice < 0 || cible.indice != indice)
    return;
  const Tsalle &s = document_.monde().salles[static_cast<size_t>(indice)];
  const auto rang = static_cast<size_t>(cible.rang);
  switch (cible.champ) {
  case Champ::question: montre_question(s.question); return;
  case Champ::reponse: montre_reponse(cible.rang, s.reponses[rang]); return;
  case Champ::bonne: montre_bonne(cible.rang, s.bonnes[rang]); return;
  case Champ::image: {
    if (const Resultat r = montre_image(s.image); !r)
      acces_.erreur(QString::fromStdString(r.message()));
    return;
  }
  case Champ::media: montre_media(s.media); return;
  default: return;
  }
}

void PanneauSalle::OpenIClick() {
  const QString chemin = acces_.choisit_fichier(dialogue_image_, GenreDialogue::ouvrir_image);
  if (chemin.isEmpty())
    return;
  // Loaded and checked, then copied into the labyrinth's folder: a picture refused is
  // neither copied nor named.
  const std::optional<QString> nom = acces_.importe(chemin, SorteFichier::image);
  if (!nom)
    return;
  const Avec<QImage> picture = charge_image(chemin, image_->taille_montree());
  if (!picture) {
    acces_.erreur(message_image(QStringLiteral("L'image"), *nom, picture.message()));
    return;
  }
  image_->pose_picture(QPixmap::fromImage(picture.valeur()));
  image_->show();
  pose_image_salle(nom_du_modele(*nom));
}

void PanneauSalle::SpeedButton5Click() {
  image_->pose_picture(QPixmap());
  image_->hide();
  pose_image_salle({});
}

void PanneauSalle::OpenVClick() {
  const QString chemin = acces_.choisit_fichier(dialogue_media_, GenreDialogue::ouvrir);
  if (chemin.isEmpty())
    return;
  const std::optional<QString> nom = acces_.importe(chemin, SorteFichier::media);
  if (!nom)
    return;
  // Enabled before the URL is set, so that the control row is live when playback starts.
  lecteur_->set_enabled(true);
  lecteur_->setURL(QDir(acces_.lieux().labyrinthe).filePath(*nom));
  pose_media_salle(nom_du_modele(*nom));
}

void PanneauSalle::SpeedButton7Click() {
  lecteur_->close();
  lecteur_->setURL(QString());
  lecteur_->set_enabled(false);
  pose_media_salle({});
}

void PanneauSalle::pose_image_salle(const std::string &nom) {
  image_courante_ = nom;
  if (document_.salle_choisie() >= 0)
    document_.pose(cible_image(document_.salle_choisie()), nom);
}

void PanneauSalle::pose_media_salle(const std::string &nom) {
  media_courant_ = nom;
  if (document_.salle_choisie() >= 0)
    document_.pose(cible_media(document_.salle_choisie()), nom);
}

void PanneauSalle::va_a_la_question() {
  setCurrentWidget(onglet_question_);
  question_->setFocus(Qt::OtherFocusReason);
}
