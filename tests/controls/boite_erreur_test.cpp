#include "boite_erreur.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <ostream>

// Readable failure output for QString comparisons.
void PrintTo(const QString &s, std::ostream *os) {
  *os << '"' << s.toStdString() << '"';
}

namespace {

struct BoiteVue {
  QString titre, texte;
  QMessageBox::Icon icone = QMessageBox::NoIcon;
  Qt::TextFormat format = Qt::AutoText;
  QStringList boutons;
  bool modale = false;
};

// Shows the box, reads it once it is on screen, then presses its only button.
BoiteVue montre(const QString &message) {
  BoiteVue vue;
  QTimer::singleShot(0, [&vue] {
    auto *boite = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!boite)
      return;
    vue.titre = boite->windowTitle();
    vue.texte = boite->text();
    vue.icone = boite->icon();
    vue.format = boite->textFormat();
    vue.modale = boite->isModal();
    for (QAbstractButton *b : boite->buttons())
      vue.boutons.append(boite->standardButton(b) == QMessageBox::Ok ? QStringLiteral("OK")
                                                                     : b->text());
    boite->button(QMessageBox::Ok)->click();
  });
  boite_erreur(nullptr, message);
  return vue;
}

TEST(BoiteErreur, ShowsTheMessageAfterTheErrorBoxRuleInACaptionedModalBoxWithOK) {
  struct Cas {
    QString message, attendu;
  };
  const Cas cas[] = {
      {QStringLiteral("Cannot open file \"monde_1.lab\""),
       QStringLiteral("Cannot open file \"monde_1.lab\"")},
      {QStringLiteral("Disk full"), QStringLiteral("Disk full.")},
      {QStringLiteral("JPEG error #42"), QStringLiteral("JPEG error #42.")},
      {QStringLiteral("Fichier introuvable."), QStringLiteral("Fichier introuvable.")},
      {QStringLiteral("Erreur !"), QStringLiteral("Erreur !")},
      {QStringLiteral("Unknown picture file extension (.xyz)"),
       QStringLiteral("Unknown picture file extension (.xyz)")},
      {QStringLiteral("Accès refusé"), QStringLiteral("Accès refusé.")},
      {QStringLiteral("Fichier <monde_2.lab> & co"), QStringLiteral("Fichier <monde_2.lab> & co.")},
      {QString(), QString()},
  };
  for (const Cas &c : cas) {
    SCOPED_TRACE(c.message.toStdString());
    const BoiteVue vue = montre(c.message);
    EXPECT_EQ(vue.titre, QStringLiteral("Dravo-Editeur"));
    EXPECT_EQ(vue.texte, c.attendu);
    EXPECT_EQ(vue.icone, QMessageBox::Critical);
    EXPECT_EQ(vue.format, Qt::PlainText);
    EXPECT_EQ(vue.boutons, QStringList{QStringLiteral("OK")});
    EXPECT_TRUE(vue.modale);
  }
}

} // namespace
