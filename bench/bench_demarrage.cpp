// Measures, for a program started N times in a fresh start folder, the time from the fork
// to the map of its first top-level window (seen on the X server, found by _NET_WM_PID),
// and its resident memory at that moment. Run under an X server:
//   bench_demarrage RUNS START_FOLDER PROGRAM [ARGS...]
// Prints the median and the spread; the program is killed after each run.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

long pid_de_fenetre(Display *d, Window w) {
  static Atom atome = XInternAtom(d, "_NET_WM_PID", False);
  Atom type = 0;
  int format = 0;
  unsigned long n = 0, reste = 0;
  unsigned char *valeur = nullptr;
  long pid = -1;
  if (XGetWindowProperty(d, w, atome, 0, 1, False, XA_CARDINAL, &type, &format, &n, &reste,
                         &valeur) == Success &&
      valeur && n == 1 && format == 32)
    pid = static_cast<long>(*reinterpret_cast<unsigned long *>(valeur));
  if (valeur)
    XFree(valeur);
  return pid;
}

long rss_ko(pid_t pid) {
  std::ifstream f("/proc/" + std::to_string(pid) + "/status");
  std::string mot;
  while (f >> mot)
    if (mot == "VmRSS:") {
      long ko = 0;
      f >> ko;
      return ko;
    }
  return -1;
}

} // namespace

int main(int argc, char **argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: bench_demarrage RUNS START_FOLDER PROGRAM [ARGS...]\n");
    return 2;
  }
  const int essais = std::max(1, std::atoi(argv[1]));
  const char *dossier = argv[2];
  // The program runs in the start folder, so its own path must not be relative.
  char *programme = ::realpath(argv[3], nullptr);
  if (!programme) {
    std::fprintf(stderr, "bench_demarrage: no program %s\n", argv[3]);
    return 2;
  }
  argv[3] = programme;
  Display *d = XOpenDisplay(nullptr);
  if (!d) {
    std::fprintf(stderr, "bench_demarrage: no X display\n");
    return 2;
  }
  Window racine = DefaultRootWindow(d);
  XSelectInput(d, racine, SubstructureNotifyMask);
  std::vector<double> temps;
  std::vector<long> memoire;
  for (int essai = 0; essai < essais; ++essai) {
    XSync(d, True); // forget the events of the previous run
    auto debut = std::chrono::steady_clock::now();
    pid_t pid = ::fork();
    if (pid == 0) {
      if (::chdir(dossier) != 0)
        ::_exit(126);
      ::execv(argv[3], argv + 3);
      ::_exit(127);
    }
    bool vu = false;
    while (!vu) {
      if (XPending(d) == 0) {
        if (::waitpid(pid, nullptr, WNOHANG) == pid) {
          std::fprintf(stderr, "bench_demarrage: %s ended before showing a window\n", argv[3]);
          return 1;
        }
        ::usleep(200);
        continue;
      }
      XEvent e;
      XNextEvent(d, &e);
      if (e.type == MapNotify && pid_de_fenetre(d, e.xmap.window) == pid) {
        auto fin = std::chrono::steady_clock::now();
        temps.push_back(std::chrono::duration<double, std::milli>(fin - debut).count());
        memoire.push_back(rss_ko(pid));
        vu = true;
      }
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
  }
  std::vector<double> t = temps;
  std::sort(t.begin(), t.end());
  std::vector<long> m = memoire;
  std::sort(m.begin(), m.end());
  std::printf("%s: window shown after %.1f ms (median of %d; min %.1f, max %.1f), "
              "resident %.1f MB\n",
              argv[3], t[t.size() / 2], essais, t.front(), t.back(),
              static_cast<double>(m[m.size() / 2]) / 1024.0);
  XCloseDisplay(d);
  return 0;
}
