// The real file dialog of the seam: what its list of filters shows.

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include "dialogues_editeur.h"

namespace {

// Shows the dialog, reads the filter it lists, and cancels it.
QString filtre_montre(const DialogueFichier &d) {
  QString vu = QStringLiteral("(no dialog)");
  QTimer::singleShot(0, [&vu] {
    auto *boite = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
    if (!boite)
      return;
    if (auto *liste = boite->findChild<QComboBox *>(QStringLiteral("fileTypeCombo")))
      vu = liste->currentText();
    boite->reject();
  });
  DialoguesEditeurQt dialogues(nullptr);
  EXPECT_TRUE(dialogues.choisit_fichier(GenreDialogue::ouvrir, d).isEmpty());
  return vu;
}

TEST(DialoguesEditeur, AFilterCaptionThatListsItsExtensionsIsShownOnce) {
  DialogueFichier media;
  media.filtre = QStringLiteral("Fichiers audio/vidéo (*.wav, *.mp3) (*.wav *.mp3)");
  media.cache_motifs = true;
  EXPECT_EQ(filtre_montre(media).trimmed(), QStringLiteral("Fichiers audio/vidéo (*.wav, *.mp3)"));

  DialogueFichier sons;
  sons.filtre = QStringLiteral("Fichiers sons (*.mp3)");
  EXPECT_EQ(filtre_montre(sons), sons.filtre);
}

} // namespace
