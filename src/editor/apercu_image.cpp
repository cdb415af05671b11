#include "apercu_image.h"

#include <QFileDialog>

// The preview pane comes with the room panel's picture command; until then the picture
// dialog is the plain open dialog.
void prepare_apercu(QFileDialog &boite) {
  (void)boite;
}
