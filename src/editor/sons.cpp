// The five sound rows of the Environnement sonore box.

#include <QToolButton>

#include "ms_media_player.h"
#include "proprietes.h"
#include "tform1.h"

void TForm1::reinitialise_sons() {
  for (int k = 0; k < NB_SONS; ++k) {
    pose_tag(P[k], 0);
    P[k]->setEnabled(false);
    E[k]->setEnabled(false);
    P[k]->setIcon(QIcon(glyphe_B1));
  }
}

// Loading, listening to and clearing the sounds come with the sound environment.
void TForm1::OSClick(int) {}
void TForm1::PClick(int) {}
void TForm1::EClick(int) {}
void TForm1::arrete_sons() {}
void TForm1::TestSonPlayStateChange(int) {}
