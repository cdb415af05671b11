// Ctrl+P: the sheet printed through the dialog seam, answered here by a PDF file.

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPageSize>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QShortcut>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include "image_grille.h"
#include "impression.h"
#include "outils_test.h"

namespace {

// The print dialog answered in code: accepted with a PDF file as the printer, or cancelled
// when no file is set.
class DialoguesImpression : public DialoguesEnregistres {
public:
  using DialoguesEnregistres::imprime;
  bool imprime(QPrinter &imprimante, ChoixFeuille &choix) override {
    ++dialogues_impression;
    format_a4 = imprimante.pageLayout().pageSize().id() == QPageSize::A4;
    offerts = choix;
    if (pdf.isEmpty())
      return false;
    choix = choisis;
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(pdf);
    return true;
  }
  QString pdf;
  ChoixFeuille offerts{true, true}; // what the dialog was given
  ChoixFeuille choisis;             // what the author ticks
  int dialogues_impression = 0;
  bool format_a4 = false;
};

struct Impression : testing::Test {
  Impression() { e.fenetre->pose_dialogues(&d); }
  ~Impression() override { e.fenetre->pose_dialogues(nullptr); }
  TForm1 &f() { return *e.fenetre; }
  void ctrl_p() {
    for (QShortcut *s : f().findChildren<QShortcut *>())
      if (s->key() == QKeySequence(Qt::CTRL | Qt::Key_P)) {
        emit s->activated();
        return;
      }
    ADD_FAILURE() << "Ctrl+P is not bound";
  }
  QByteArray debut(const QString &chemin) {
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? fichier.read(5) : QByteArray();
  }

  EditeurEnTest e;
  DialoguesImpression d;
};

TEST_F(Impression, CtrlPPrintsTheSheetWithThePanelStored) {
  QTest::mousePress(vue_salle(f(), 12), Qt::MiddleButton, {}, QPoint(20, 20));
  nomme<QPlainTextEdit>(f(), "Memo1")->setPlainText(QStringLiteral("Combien de pattes ?"));
  nomme<QLineEdit>(f(), "Edit", 0)->setText(QStringLiteral("huit"));
  d.pdf = QDir(e.depart.chemin()).filePath(QStringLiteral("feuille.pdf"));

  ctrl_p();
  EXPECT_EQ(d.dialogues_impression, 1);
  EXPECT_TRUE(d.format_a4);
  EXPECT_EQ(debut(d.pdf), QByteArray("%PDF-"));
  EXPECT_GT(QFile(d.pdf).size(), 1000);
  EXPECT_TRUE(d.erreurs.isEmpty()) << d.erreurs.join("\n").toStdString();
  EXPECT_EQ(monde(f()).salles[12].question.rfind("Combien de pattes ?", 0), 0u);
  EXPECT_EQ(monde(f()).salles[12].reponses[0], "huit");
}

// What poppler reads of the PDF: its text, or with "pdfinfo" its properties.
QString poppler(const char *outil, const QString &pdf) {
  const QString programme = QStandardPaths::findExecutable(QString::fromLatin1(outil));
  if (programme.isEmpty()) {
    ADD_FAILURE() << outil << " (Debian package poppler-utils) is needed";
    return {};
  }
  QProcess p;
  QStringList args{QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf};
  if (QLatin1String(outil) == QLatin1String("pdftotext"))
    args << QStringLiteral("-");
  p.start(programme, args);
  EXPECT_TRUE(p.waitForFinished(60000));
  return QString::fromUtf8(p.readAllStandardOutput());
}

TEST_F(Impression, ThePupilsSheetAndTheRouteAreChosenInTheDialogAndTheTitleIsTheLabyrinths) {
  // A start in A1, open to the east, an exit past B1, and a riddle in B1 answered "huit".
  Monde &m = monde(f());
  m.titre_lab = "Le ch\xE2teau";
  m.salles[0].contenu = SALLE_DEPART;
  m.cloisons[indice_cloison_v(1, 0)].contenu = CLOISON_OUVERTE;
  m.cloisons[indice_cloison_h(1, 0)].contenu = CLOISON_SORTIE;
  m.salles[1].question = "Combien de pattes ?";
  m.salles[1].reponses[0] = "huit";
  d.pdf = QDir(e.depart.chemin()).filePath(QStringLiteral("eleve.pdf"));
  d.choisis = {true, true};

  ctrl_p();
  EXPECT_FALSE(d.offerts.eleve); // nothing ticked to begin with
  EXPECT_FALSE(d.offerts.itineraire);
  const QString texte = poppler("pdftotext", d.pdf);
  EXPECT_TRUE(texte.contains(QStringLiteral("feuille de l'élève"))) << texte.toStdString();
  EXPECT_TRUE(texte.contains(QStringLiteral("Combien de pattes")));
  EXPECT_FALSE(texte.contains(QStringLiteral("huit"))) << "the typed answer is hidden";
  EXPECT_TRUE(texte.contains(QStringLiteral("A1 → B1 → sortie par le bord nord de B1")))
      << texte.toStdString();
  EXPECT_TRUE(poppler("pdfinfo", d.pdf).contains(QStringLiteral("Le château")));

  // The teacher's sheet, without the route.
  d.choisis = {};
  ctrl_p();
  const QString enseignant = poppler("pdftotext", d.pdf);
  EXPECT_TRUE(enseignant.contains(QStringLiteral("huit")));
  EXPECT_FALSE(enseignant.contains(QStringLiteral("Itinéraire")));
}

TEST_F(Impression, ACancelledDialogPrintsNothingAndSaysNothing) {
  ctrl_p();
  EXPECT_EQ(d.dialogues_impression, 1);
  EXPECT_TRUE(d.erreurs.isEmpty());
}

TEST_F(Impression, APrinterThatCannotStartIsSaidInTheErrorBox) {
  d.pdf = QDir(e.depart.chemin()).filePath(QStringLiteral("absent/dossier/feuille.pdf"));
  EXPECT_FALSE(imprime_feuille(f()));
  ASSERT_EQ(d.erreurs.size(), 1);
  EXPECT_FALSE(d.erreurs[0].isEmpty());
  EXPECT_FALSE(QFile::exists(d.pdf));
}

} // namespace
