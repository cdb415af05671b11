// The room panel: the page control PC with the selected room's picture, medium, question
// and answers. The panel is not bound to the room while the author types: memorise_salle
// copies it into the selected room, affiche_salle copies a room into it. Texts cross from
// the widgets' Unicode to the model's Windows-1252 bytes here and nowhere else.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <string>
#include <vector>

#include "fichiers.h"
#include "image_etiree.h"
#include "ms_media_player.h"
#include "picture_qt.h"
#include "texte_1252.h"
#include "texte_salle.h"
#include "tform1.h"

namespace {

std::string vers_modele(const QString &texte) {
  return utf8_vers_1252(texte.toStdString());
}

QString depuis_modele(const std::string &octets) {
  return QString::fromStdString(utf8_depuis_1252(octets));
}

struct LigneVue {
  QString texte;
  bool coupee; // wrapped on screen: the paragraph goes on on the next line
};

// Lays the memo's paragraphs out as the control does: the document's font and wrap option,
// at the viewport's width less the document margin on both sides. Returns the height.
qreal dispose_memo(const QTextDocument &doc, qreal largeur_vue, std::vector<LigneVue> *lignes) {
  const qreal largeur = largeur_vue - 2 * doc.documentMargin();
  qreal hauteur = 0;
  for (QTextBlock bloc = doc.begin(); bloc.isValid(); bloc = bloc.next()) {
    const QString texte = bloc.text();
    QTextLayout plan(texte, doc.defaultFont());
    plan.setTextOption(doc.defaultTextOption());
    plan.beginLayout();
    for (QTextLine l = plan.createLine(); l.isValid(); l = plan.createLine()) {
      l.setLeadingIncluded(true);
      l.setLineWidth(largeur);
      hauteur += l.height();
    }
    plan.endLayout();
    if (lignes == nullptr)
      continue;
    for (int i = 0; i < plan.lineCount(); ++i) {
      const QTextLine l = plan.lineAt(i);
      LigneVue vue{texte.mid(l.textStart(), l.textLength()), i + 1 < plan.lineCount()};
      // A line separator (Shift+Enter) ends its line like a paragraph end does.
      if (vue.texte.endsWith(QChar::LineSeparator)) {
        vue.texte.chop(1);
        vue.coupee = false;
      }
      lignes->push_back(std::move(vue));
    }
  }
  return hauteur;
}

// The lines the memo shows, a line wrapped on screen counting as its own. The memo may lie
// on a tab never shown, whose viewport has not been given its size yet: its width is then
// taken from the frame, less the vertical scroll bar when the text would need it.
std::vector<std::string> lignes_memo(const QPlainTextEdit &memo) {
  const QTextDocument &doc = *memo.document();
  qreal largeur = memo.viewport()->width();
  if (!memo.isVisible()) {
    largeur = memo.contentsRect().width();
    if (memo.verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff &&
        (memo.verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn ||
         dispose_memo(doc, largeur, nullptr) > memo.contentsRect().height()))
      largeur -= memo.verticalScrollBar()->sizeHint().width();
  }
  std::vector<LigneVue> vues;
  dispose_memo(doc, largeur, &vues);
  // The empty line after a final line break is where the caret waits, not a line of text:
  // an empty memo holds no line at all.
  if (!vues.empty() && vues.back().texte.isEmpty())
    vues.pop_back();
  std::vector<std::string> lignes;
  lignes.reserve(vues.size());
  for (LigneVue &v : vues) {
    // A wrapped line ends at the blank where it was broken; the blank that follows every
    // stored line takes its place, so a wrapped question comes back word for word.
    if (v.coupee && v.texte.endsWith(QLatin1Char(' ')))
      v.texte.chop(1);
    lignes.push_back(vers_modele(v.texte));
  }
  return lignes;
}

// A bare name of the model as a file: in the current folder, where the last dialog left it,
// or else in the start folder, where every chosen file was copied.
QString fichier_de_salle(const std::string &nom, const QString &rep_appli) {
  const QString n = depuis_modele(nom);
  const QString ici = QDir::current().absoluteFilePath(n);
  if (!QFileInfo::exists(ici)) {
    const QString depart = QDir(rep_appli).absoluteFilePath(n);
    if (QFileInfo::exists(depart))
      return depart;
  }
  return ici;
}

// What the room's player is given for a medium: the bare name, which it resolves against
// the current folder, unless only the start folder holds the file (as for the picture).
QString url_de_salle(const std::string &nom, const QString &rep_appli) {
  const QString n = depuis_modele(nom);
  if (n.isEmpty())
    return n;
  const QString chemin = fichier_de_salle(nom, rep_appli);
  return chemin == QDir::current().absoluteFilePath(n) ? n : chemin;
}

// Copies the chosen file into the start folder unless it lies there; the bare name.
QString nom_copie(const QString &chemin, const QString &rep_appli) {
  return QFile::decodeName(copie_dans_rep_appli(QFile::encodeName(chemin).toStdString(),
                                                QFile::encodeName(rep_appli).toStdString())
                               .c_str());
}

} // namespace

void TForm1::vide_panneau_salle() {
  Memo1->clear();
  WMP2->setURL(QString());
  Image_epreuve->hide();
  for (int i = 0; i < NB_REPONSES; ++i) {
    Edit[i]->clear();
    Check[i]->setChecked(false);
  }
}

Tsalle TForm1::salle_du_panneau() const {
  Tsalle r;
  r.image = monde().image_courante;
  r.media = monde().media_courant;
  r.question = question_depuis_lignes(lignes_memo(*Memo1));
  for (size_t i = 0; i < NB_REPONSES; ++i) {
    // A break pasted into an answer would split the room's line in the file.
    r.reponses[i] = sur_une_ligne(vers_modele(Edit[i]->text()));
    r.bonnes[i] = Check[i]->isChecked();
  }
  return r;
}

void TForm1::memorise_salle() {
  document_.memorise_salle(monde().salle_choisie, salle_du_panneau());
}

void TForm1::affiche_salle(const Tsalle &salle) {
  QString echec_image;
  if (!salle.image.empty()) {
    QString message;
    const QString chemin = fichier_de_salle(salle.image, rep_appli);
    const QImage picture = charge_image(chemin, &message);
    if (picture.isNull()) {
      // Nothing of another room stays on show; the name stays with the room.
      Image_epreuve->pose_picture(QPixmap());
      Image_epreuve->hide();
      echec_image = message.isEmpty() ? chemin : message;
    } else {
      Image_epreuve->pose_picture(QPixmap::fromImage(picture));
      Image_epreuve->show();
    }
  } else {
    Image_epreuve->hide();
  }
  document_.pose_image_courante(salle.image);
  WMP2->setURL(url_de_salle(salle.media, rep_appli));
  document_.pose_media_courant(salle.media);

  // Storing adds a blank after the memo's line; it is taken off again here, so that a
  // question shown and stored again stays as it was instead of growing at each visit.
  std::string question = salle.question;
  if (!question.empty() && question.back() == ' ')
    question.pop_back();
  if (question.empty())
    Memo1->clear();
  else
    Memo1->setPlainText(depuis_modele(question));
  for (size_t i = 0; i < NB_REPONSES; ++i) {
    Edit[i]->setText(depuis_modele(salle.reponses[i]));
    Check[i]->setChecked(salle.bonnes[i]);
  }
  // Reported last: the box waits for the author, and the panel already shows the room.
  if (!echec_image.isEmpty())
    dialogues->erreur(echec_image);
}

void TForm1::OpenIClick() {
  const QString chemin = montre_dialogue(OP, GenreDialogue::ouvrir_image);
  if (chemin.isEmpty() || !nom_enregistrable(chemin))
    return;
  const QString nom = nom_copie(chemin, rep_appli);
  // The dialog has made the chosen file's folder current: the chosen file is the one loaded.
  QString message;
  const QImage picture = charge_image(chemin, &message);
  if (picture.isNull()) {
    dialogues->erreur(message.isEmpty() ? chemin : message);
    return;
  }
  Image_epreuve->pose_picture(QPixmap::fromImage(picture));
  Image_epreuve->show();
  pose_image_salle(vers_modele(nom));
}

void TForm1::SpeedButton5Click() {
  Image_epreuve->pose_picture(QPixmap());
  Image_epreuve->hide();
  pose_image_salle({});
}

void TForm1::OpenVClick() {
  const QString chemin = montre_dialogue(BoiteV, GenreDialogue::ouvrir);
  if (chemin.isEmpty() || !nom_enregistrable(chemin))
    return;
  const QString nom = nom_copie(chemin, rep_appli);
  // Enabled before the URL is set, so that the control row is live when playback starts.
  WMP2->set_enabled(true);
  WMP2->setURL(nom);
  pose_media_salle(vers_modele(nom));
}

void TForm1::SpeedButton7Click() {
  WMP2->close();
  WMP2->setURL(QString());
  WMP2->set_enabled(false);
  pose_media_salle({});
}

void TForm1::pose_image_salle(const std::string &nom) {
  document_.pose_image_courante(nom);
  if (monde().salle_choisie >= 0)
    document_.pose(cible_image(monde().salle_choisie), nom);
}

void TForm1::pose_media_salle(const std::string &nom) {
  document_.pose_media_courant(nom);
  if (monde().salle_choisie >= 0)
    document_.pose(cible_media(monde().salle_choisie), nom);
}
