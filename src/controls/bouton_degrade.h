#pragma once
// TBoutonDegrade: a dialog push button that paints itself whole, a face flat or shaded from
// one colour to another, a one-pixel border, optional light and dark 3D edges, an optional
// glyph beside, above or below the caption, the caption with its "&" accelerator, and a
// focus rectangle. Four colour sets (normal, pointer over, pressed, disabled) come one by
// one or all at once from a named scheme.
//
// It is clicked with the left mouse button, Space, Enter while focused, Alt and its
// accelerator letter, or, in its window, as the `Default` button (Enter) or the `Cancel`
// button (Escape). A click gives the window, when it is a QDialog, the button's
// `ModalResult` as its result; a non-zero result ends a modal run once OnClick returned.
//
// Everything runs on the user-interface thread. Nothing fails: a button of zero width or
// height simply paints nothing.

#include "bouton_degrade_schemas.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <array>

class TBoutonDegrade : public QWidget {
  Q_OBJECT

public:
  // What the button looks like now, whatever colour set its enabled state picks.
  enum EtatVisuel : std::uint8_t { Normal, Over, Down };

  static constexpr int LARGEUR_INITIALE = 75;
  static constexpr int HAUTEUR_INITIALE = 25;

  explicit TBoutonDegrade(QWidget *parent = nullptr);

  // Any colour set one by one, even to the value it had, makes the scheme read csCustom.
  TColor Color(CouleurBouton index) const { return couleurs[index]; }
  void setColor(CouleurBouton index, TColor valeur);

  // A Neo scheme sets all 25 colours and turns Gradient on; a flat one sets 21 (not the
  // four Grad colours) and turns it off; csCustom changes nothing.
  TColorScheme ColorScheme() const { return schema; }
  void setColorScheme(TColorScheme valeur);

  bool Ctl3D() const { return relief; }
  void setCtl3D(bool valeur);
  TButtonLayout Layout() const { return disposition; }
  void setLayout(TButtonLayout valeur);
  using QWidget::setLayout;
  // The button keeps its own copy; a null image means no glyph.
  const QImage &Glyph() const { return glyphe; }
  void setGlyph(const QImage &image);
  int Spacing() const { return espace; }
  void setSpacing(int valeur);
  // Whether the colour of the glyph's top-left pixel is left undrawn.
  bool TransparentGlyph() const { return glyphe_transparent; }
  void setTransparentGlyph(bool valeur);
  bool Gradient() const { return degrade; }
  void setGradient(bool valeur);
  bool HotTrack() const { return suivi; }
  void setHotTrack(bool valeur) { suivi = valeur; }
  int ModalResult() const { return resultat_modal; }
  void setModalResult(int valeur) { resultat_modal = valeur; }
  bool Cancel() const { return annulation; }
  void setCancel(bool valeur) { annulation = valeur; }
  // Only stored: the button draws no default-button frame that would need refreshing.
  bool Default() const { return defaut; }
  void setDefault(bool valeur) { defaut = valeur; }
  bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
  void setTabStop(bool valeur);

  // "&" marks the accelerator letter; "&&" shows one "&".
  QString Caption() const { return legende; }
  void setCaption(const QString &texte);

  EtatVisuel etat() const { return etat_visuel; }
  bool appui_en_cours() const { return appuye; }

  // The whole picture of the button as it is now: what every paint copies onto the screen.
  QImage peinture() const;

  // The click operation: the window's result, the normal state, then OnClick.
  void Click();

  // Offers Enter or Escape to the buttons of `fenetre`: first the focused button (Enter) or
  // a Cancel button (Escape), neither with Shift, Ctrl or Alt held; then a Default button
  // (Enter, modifiers not looked at). Returns whether a button took the key and clicked.
  // The buttons do this by themselves for keys their window receives unused; a window
  // that handles Enter or Escape itself calls this first.
  static bool offre_touche_dialogue(QWidget *fenetre, int touche, Qt::KeyboardModifiers mods);

signals:
  void OnClick();

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void enterEvent(QEnterEvent *event) override;
  void leaveEvent(QEvent *event) override;
  void focusInEvent(QFocusEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void keyReleaseEvent(QKeyEvent *event) override;
  void changeEvent(QEvent *event) override;
  bool event(QEvent *event) override;

private:
  bool prend_touche_dialogue(int touche, Qt::KeyboardModifiers mods, bool avec_regle_defaut) const;
  void appui_gauche();
  void pointeur_entre();
  void pointeur_sort();
  void change_etat(EtatVisuel nouvel_etat);
  void attache_routage();
  void prend_accelerateur();

  std::array<TColor, NB_COULEURS_BOUTON> couleurs{};
  bool focalise = false;
  TColorScheme schema = csCustom;
  bool relief = true;
  TButtonLayout disposition = blGlyphLeft;
  QImage glyphe;
  bool glyphe_transparent = true;
  bool degrade = false;
  int espace = 4;
  int resultat_modal = 0;
  bool annulation = false;
  bool defaut = false;
  bool suivi = true;
  bool appuye = false;
  EtatVisuel etat_visuel = Normal;

  QString legende;
  int raccourci = 0; // the accelerator's shortcut id, 0 when the caption has none
  // The pointer is over the button, as far as this button has been told.
  bool dedans = false;
  // The press being released is the second of a double click, which does not click again.
  bool second_appui = false;
};
