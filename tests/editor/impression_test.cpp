// Ctrl+P: the sheet printed through the dialog seam, answered here by a PDF file.

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPageSize>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QShortcut>
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
  bool imprime(QPrinter &imprimante) override {
    ++dialogues_impression;
    format_a4 = imprimante.pageLayout().pageSize().id() == QPageSize::A4;
    if (pdf.isEmpty())
      return false;
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(pdf);
    return true;
  }
  QString pdf;
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
