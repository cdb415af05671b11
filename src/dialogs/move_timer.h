#pragma once
// The about box's scroll ticker: a thread that, every PERIODE, hands one step to the thread of
// `cible` (the user-interface thread) and blocks until that thread has run it. The ticker
// itself touches no control and no program data, so the step needs no lock.
//
// It is stopped from outside and never waited for on the user-interface thread, which the
// ticker may be blocked on at that moment. Once arrete() has returned, no step runs any more,
// not even one already handed over: that one finds the ticker stopped and does nothing. A
// stopped ticker's thread ends by itself, at the latest when that step has been discarded.

#include <QThread>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

class MoveTimer : public QThread {
  Q_OBJECT

public:
  static constexpr std::chrono::milliseconds PERIODE{50};

  // `pas` runs on the thread of `cible`, which must outlive the ticker's thread or call
  // arrete_et_attend() before it goes.
  MoveTimer(QObject *cible, std::function<void()> pas, QObject *parent = nullptr);

  // On the thread of `cible`: no step runs after this, and the thread is woken from its pause
  // to end. Returns at once.
  void arrete();

  // On the thread of `cible`, when it is about to go away: stops the ticker and waits for its
  // thread to end, discarding a step it is blocked on instead of running it.
  void arrete_et_attend();

protected:
  void run() override;

private:
  bool pause();

  QObject *cible;
  std::function<void()> pas;
  std::atomic<bool> arret{false};
  std::mutex verrou;
  std::condition_variable reveil;
};
