#include "outils_test.h"

#include <QAbstractButton>
#include <QDir>
#include <QImage>
#include <QTest>
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

void clique(const QWidget &f, const char *nom) {
  nomme<QAbstractButton>(f, QString::fromLatin1(nom))->click();
}

Grille &grille(const TForm1 &f) {
  return *nomme<Grille>(f, QStringLiteral("Grille"));
}

ImageGrille *vue_cloison(const TForm1 &f, int indice) {
  return grille(f).findChild<ImageGrille *>(QStringLiteral("Cloison%1").arg(indice),
                                            Qt::FindDirectChildrenOnly);
}

ImageGrille *vue_salle(const TForm1 &f, int indice) {
  return grille(f).findChild<ImageGrille *>(QStringLiteral("Salle%1").arg(indice),
                                            Qt::FindDirectChildrenOnly);
}

QRect dans_fenetre(const QWidget *controle) {
  return QRect(controle->mapTo(controle->window(), QPoint(0, 0)), controle->size());
}

void deplace(QWidget *controle, QPoint p) {
  controle->move(controle->parentWidget()->mapFrom(controle->window(), p));
}

void clique(QWidget *w) {
  QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}
