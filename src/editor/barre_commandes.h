#pragma once
// The command bar room: the title picture `titre`, the quit button `quitter`, the command
// panel `Pcommandes` with New, Open, Save, Test and About (SpeedButton1, 2, 3, 6, 4), and
// the "Titre et Mission" button `Ptitre`. It owns the buttons and says which was pressed;
// the window runs the commands.

#include <QWidget>

class BarreCommandes : public QWidget {
  Q_OBJECT

public:
  explicit BarreCommandes(QWidget *parent);

signals:
  void nouveau();       // SpeedButton1
  void ouvrir();        // SpeedButton2
  void enregistrer();   // SpeedButton3
  void tester();        // SpeedButton6
  void a_propos();      // SpeedButton4
  void titre_mission(); // Ptitre
  void quitter();       // quitter
};
