#include "outils_test.h"

#include <QDir>
#include <QImage>
#include <QWidget>

namespace {
void ecrit_bmp(const QString &chemin, int largeur, int hauteur, QColor couleur) {
  QImage image(largeur, hauteur, QImage::Format_RGB32);
  image.fill(couleur);
  image.save(chemin, "BMP");
}
} // namespace

DossierDepart::DossierDepart(bool avec_textures) : precedent(QDir::currentPath()) {
  if (avec_textures) {
    ecrit_bmp(dossier.filePath(QStringLiteral("Briques.bmp")), 80, 400, COULEUR_MURS);
    ecrit_bmp(dossier.filePath(QStringLiteral("sol.bmp")), 200, 200, COULEUR_SOL);
    ecrit_bmp(dossier.filePath(QStringLiteral("plafond.bmp")), 200, 200, COULEUR_PLAFOND);
  }
  QDir::setCurrent(dossier.path());
}

DossierDepart::~DossierDepart() {
  QDir::setCurrent(precedent);
}

EditeurEnTest::EditeurEnTest(bool avec_textures)
    : depart(avec_textures), fenetre(std::make_unique<TForm1>(&dialogues)) {}

QImage rendu_sur(QWidget *widget, QColor fond) {
  QImage image(widget->size(), QImage::Format_ARGB32);
  image.fill(fond);
  widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
  return image;
}
