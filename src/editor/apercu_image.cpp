#include "apercu_image.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>

#include "picture_qt.h"

namespace {

// Room pictures are shown at 320 x 240; the pane shows them at half that, proportions kept.
constexpr QSize TAILLE_APERCU{160, 120};

void montre_apercu(QLabel *apercu, const QString &chemin) {
  if (chemin.isEmpty() || !QFileInfo(chemin).isFile()) {
    apercu->clear();
    return;
  }
  const Avec<QImage> picture = charge_image(chemin, TAILLE_APERCU, true);
  if (!picture) {
    // The loader's own words: the author sees why before choosing the file.
    apercu->setText(QString::fromStdString(picture.message()));
    return;
  }
  apercu->setPixmap(QPixmap::fromImage(picture.valeur()));
}

} // namespace

void prepare_apercu(QFileDialog &boite) {
  // The platform's own dialog cannot take a pane of ours, and it would decode with other
  // readers than the ones the editor loads pictures with.
  boite.setOption(QFileDialog::DontUseNativeDialog);
  auto *grille = qobject_cast<QGridLayout *>(boite.layout());
  if (grille == nullptr)
    return;
  auto *apercu = new QLabel(&boite);
  apercu->setObjectName(QStringLiteral("apercu"));
  apercu->setFixedSize(TAILLE_APERCU);
  apercu->setAlignment(Qt::AlignCenter);
  apercu->setWordWrap(true);
  apercu->setFrameShape(QFrame::StyledPanel);
  grille->addWidget(apercu, 0, grille->columnCount(), grille->rowCount(), 1, Qt::AlignCenter);
  // Wide enough for the pane beside a readable file list.
  boite.resize(boite.sizeHint());
  QObject::connect(&boite, &QFileDialog::currentChanged, apercu,
                   [apercu](const QString &chemin) { montre_apercu(apercu, chemin); });
}
