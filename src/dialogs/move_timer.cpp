#include "move_timer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>

MoveTimer::MoveTimer(QObject *cible_, std::function<void()> pas_, QObject *parent)
    : QThread(parent), cible(cible_), pas(std::move(pas_)) {
  setObjectName(QStringLiteral("MoveTimer"));
}

void MoveTimer::arrete() {
  {
    // Under the lock, so that the wake-up cannot fall between the pause's test and its wait.
    std::lock_guard verrouille(verrou);
    arret = true;
  }
  reveil.notify_all();
}

void MoveTimer::arrete_et_attend() {
  arrete();
  // The thread may be blocked on a step posted to `cible`, whose thread is this one: removing
  // the posted step releases it. It may also post one more between two removals, hence the
  // loop; it ends its loop as soon as it is released.
  constexpr std::chrono::milliseconds TOUR{5};
  while (!wait(QDeadlineTimer(TOUR)))
    QCoreApplication::removePostedEvents(cible, QEvent::MetaCall);
}

void MoveTimer::run() {
  while (!arret) {
    // Runs on the thread of `cible`, the same thread as arrete(), so the test cannot race.
    QMetaObject::invokeMethod(
        cible,
        [this] {
          if (!arret)
            pas();
        },
        Qt::BlockingQueuedConnection);
    if (!pause())
      return;
  }
}

// Sleeps one period; false when the ticker was stopped meanwhile.
bool MoveTimer::pause() {
  std::unique_lock verrouille(verrou);
  return !reveil.wait_for(verrouille, PERIODE, [this] { return arret.load(); });
}
