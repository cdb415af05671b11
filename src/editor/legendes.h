#pragma once
// The legends room: the two boxes `LegendeC` and `LegendeS` that show each kind of
// partition and room with its name and its help text. Nothing in it changes.

#include <QWidget>

class Legendes : public QWidget {
  Q_OBJECT

public:
  explicit Legendes(QWidget *parent);
};
