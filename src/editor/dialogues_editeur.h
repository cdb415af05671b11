#pragma once
// Every message box and file dialog the editor window shows goes through this interface,
// so that tests can answer them. The window holds a pointer to one implementation; by
// default the real one, which shows the platform's dialogs.

#include <QString>

class QWidget;

class DialoguesEditeur {
public:
  virtual ~DialoguesEditeur() = default;

  // The one error box: captioned "Dravo-Editeur", error icon, OK. Returns once it is closed.
  virtual void erreur(const QString &message) = 0;
};

class DialoguesEditeurQt : public DialoguesEditeur {
public:
  // The boxes are modal to fenetre, which must outlive this object.
  explicit DialoguesEditeurQt(QWidget *fenetre) : fenetre_(fenetre) {}

  void erreur(const QString &message) override;

private:
  QWidget *fenetre_;
};
