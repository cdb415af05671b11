// The room panel: the page control PC with the selected room's picture, medium, question
// and answers.

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "image_etiree.h"
#include "ms_media_player.h"
#include "tform1.h"

void TForm1::vide_panneau_salle() {
  Memo1->clear();
  WMP2->setURL(QString());
  Image_epreuve->hide();
  for (int i = 0; i < NB_REPONSES; ++i) {
    Edit[i]->clear();
    Check[i]->setChecked(false);
  }
}

// Choosing and clearing the picture and the medium come with the room panel.
void TForm1::OpenIClick() {}
void TForm1::SpeedButton5Click() {}
void TForm1::OpenVClick() {}
void TForm1::SpeedButton7Click() {}
