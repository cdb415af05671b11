// The yardstick of the start-up benchmark: a borderless 1024 x 768 Qt window holding a
// given number of plain child widgets (labels and buttons), and nothing else.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <cstdlib>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  const int nombre = argc > 1 ? std::atoi(argv[1]) : 400;
  QWidget fenetre(nullptr, Qt::FramelessWindowHint);
  fenetre.setWindowTitle("Fenetre nue");
  fenetre.resize(1024, 768);
  for (int i = 0; i < nombre; ++i) {
    QWidget *w = (i % 4 == 0) ? static_cast<QWidget *>(new QPushButton("B", &fenetre))
                              : static_cast<QWidget *>(new QLabel("L", &fenetre));
    w->setGeometry((i * 37) % 980, (i * 53) % 730, 40, 20);
  }
  fenetre.show();
  return app.exec();
}
