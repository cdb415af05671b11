#pragma once
// The legends room: the two boxes `LegendeC` and `LegendeS` that show each kind of
// partition and room with its name and its help text, and arm the brush. A press on a
// legend picture arms its kind as the brush (the picture is framed); a second press on it,
// or range(), disarms it. The key and the locked door take their colour from the small
// colour choices beside them (`CouleurCle`, `CouleurPorte`); choosing a colour arms it.

#include <QWidget>

#include <optional>

#include "monde.h"
#include "pinceau.h"

class ImageGrille;
class QToolButton;

class Legendes : public QWidget {
  Q_OBJECT

public:
  explicit Legendes(QWidget *parent);

  const std::optional<Pinceau> &pinceau() const { return pinceau_; }
  // Arms a kind as the brush, or disarms it with nullopt; the key and door pictures take
  // the colour of an armed key or door.
  void arme(std::optional<Pinceau> pinceau);
  void range() { arme(std::nullopt); }

signals:
  void pinceau_change(const std::optional<Pinceau> &pinceau);

private:
  void appui(ImageGrille *image);
  QToolButton *choix_couleur(const char *nom, bool cloison, ImageGrille *image);
  // The kind a legend picture stands for now.
  Pinceau type_de(const ImageGrille *image) const;

  std::optional<Pinceau> pinceau_;
  ImageGrille *cle_ = nullptr;
  ImageGrille *porte_ = nullptr;
  int32_t type_cle_ = SALLE_CLE_BLEUE;
  int32_t type_porte_ = CLOISON_PORTE_JAUNE;
};
