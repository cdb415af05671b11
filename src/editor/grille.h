#pragma once
// The grid room: the 320 images that show the labyrinth's records, the kind bitmaps they
// are drawn with, the selection outline `Marque`, and the press handlers. The model's
// records know their images only by index: cloisons[i] is shown by the image named
// "Cloison<i>", salles[i] by "Salle<i>", whose Tag is i. An image stands at its record's
// x and y in the window (the room itself is placed by the layout table).
//
// A press on a partition steps its kind through the document; a press on a room asks the
// window to store the panel (the function given to pose_quitte_salle) and, when it could,
// selects the room, steps its kind and asks the window to show it (salle_montree). With Ctrl
// held, a press on a room only selects it. While the legend's brush is armed, a left press on
// an element of its sort lays the brush's kind and a drag with the left button held lays it
// on every element the pointer crosses, the whole stroke one step of the history; the right
// button still steps.
//
// With the keyboard focus, the arrows select the next room that way, Shift+arrow steps the
// partition on that side of the selected room forward (as a right press), Ctrl+arrow back
// (as a left press); Entrée asks for the room panel's question (vers_question).
//
// Every kind the document changes, by a press, an undo or a redo, is repainted here, and
// a room's marks (riddle, picture, medium) follow its fields.

#include <QPixmap>
#include <QWidget>

#include <array>
#include <functional>

#include <optional>

#include "edition.h"
#include "monde.h"
#include "pinceau.h"

class CadreMarque;
class Document;
class ImageGrille;

class Grille : public QWidget {
  Q_OBJECT

public:
  // Loads the kind bitmaps and creates the 320 images, hidden until a labyrinth is shown.
  Grille(Document &document, QWidget *parent);

  // The kind bitmap of a partition orientation (0 horizontal) or a room; null outside range.
  QPixmap bitmap_cloison(int sens, int contenu) const;
  QPixmap bitmap_salle(int contenu) const;
  // The step of the last press: -1 left, +1 right, 0 any other button.
  int delta_clic() const { return delta_clic_; }

  // Every image from its fresh record (place, size, picture), the outline parked.
  void montre_fraiche();
  // After a reading: every image takes its record's kind's picture where it stands (a file's
  // col and lig do not move the grid; the records a short file lacks are fresh ones), the
  // outline parked.
  void montre_lue();
  // Gives an image the picture, size and place of its record's kind; a kind outside the
  // tables (only a file can bring one) shows nothing.
  void dessine_cloison(int indice);
  void dessine_salle(int indice);
  // The outline around a room's image, or parked for -1.
  void marque_salle(int indice);
  // Releases the kind bitmaps (the window's close handler).
  void libere_bitmaps();
  // The brush a left press lays, or none: presses step as without it.
  void pose_pinceau(std::optional<Pinceau> pinceau);
  const std::optional<Pinceau> &pinceau() const { return pinceau_; }
  // A room's marks from its record (riddle, picture, medium).
  void marque_contenu(int indice);

  // What a press on a room runs first, the selection about to move: storing the panel into
  // the room selected. When it returns false (a text it cannot store), the press does
  // nothing more and the selection stays.
  void pose_quitte_salle(std::function<bool()> quitte) { quitte_salle_ = std::move(quitte); }

signals:
  // The pressed room is selected and its kind stepped.
  void salle_montree(int indice);
  // Entrée on the grid: the author wants to write the selected room's riddle.
  void vers_question();

private slots:
  void Image1MouseDown(ImageGrille *image, Qt::MouseButton bouton, Qt::KeyboardModifiers touches);
  void Image2MouseDown(ImageGrille *image, Qt::MouseButton bouton, Qt::KeyboardModifiers touches);

protected:
  void keyPressEvent(QKeyEvent *event) override;

private:
  // Selects a room as a middle press does: panel stored, outline and panel moved.
  void selectionne(int indice);
  // The brush's kind onto the element an image shows, when it is of the brush's sort.
  bool peint(ImageGrille *vue);
  // The stroke: opened by a left press with the brush, followed to every element under the
  // pointer's path, closed on the release.
  void commence_trait(ImageGrille *vue);
  void suit_trait(QPoint global);
  void finit_trait();
  ImageGrille *element_en(QPoint dans_grille) const;
  void charge_bitmaps();
  void montre_change(const Cible &cible);
  const Monde &monde() const;
  // A record's window position in the room.
  QPoint dans_grille(int x, int y) const;

  Document &document_;
  std::function<bool()> quitte_salle_;
  std::array<QPixmap, NB_TYPES_CLOISON> bmp_h;
  std::array<QPixmap, NB_TYPES_CLOISON> bmp_v;
  std::array<QPixmap, NB_TYPES_SALLE> bmp_c;
  CadreMarque *Marque = nullptr;
  std::array<ImageGrille *, NB_CLOISONS_MAX> vues_cloisons{};
  std::array<ImageGrille *, NB_SALLES_MAX> vues_salles{};
  int delta_clic_ = 0;
  std::optional<Pinceau> pinceau_;
  bool trait_ = false;
  QPoint dernier_point_; // the stroke's last pointer position, in the grid
};
