#pragma once
// The help box room: the box `Paide` and its label `Laide`, and the hover-help binding of
// the whole window. Every room binds its own controls (proprietes.h: lie_survol, with the
// help text set by pose_aide); once the window is built, `surveille` has the box listen to
// every bound control, and a pointer move over one goes to the handler it is bound to.

#include <QGroupBox>

class QLabel;

class BoiteAide : public QGroupBox {
  Q_OBJECT

public:
  explicit BoiteAide(QWidget *parent);

  // Listens to the pointer moves over the window and every bound control in it.
  void surveille(QWidget *fenetre);
  // The text shown over the window's background, and at once: what a press does while a
  // brush is armed. An empty text brings back the default one.
  void pose_texte_fond(const QString &texte);

protected:
  bool eventFilter(QObject *objet, QEvent *event) override;

private:
  void Image3MouseMove(QWidget *controle);
  void PtitreMouseMove(QWidget *controle);
  void FormMouseMove(QWidget *controle);

  QLabel *Laide = nullptr;
  QString texte_fond_;
};
