#pragma once
// Keeps a test program out of the user's home: Qt's settings (the file dialogs' history
// among them), data and caches go to a folder of the run, removed when it ends; and no
// installed copy of the editor's data is seen, so that what a test finds is what it made.
// Call it first in main, before the QApplication.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

// The folder that stands for the system's data folders (XDG_DATA_DIRS) during the run.
inline QString donnees_systeme_de_test() {
  static QTemporaryDir maison;
  return QDir(maison.path()).filePath("systeme");
}

inline void isole_maison() {
  const QString systeme = donnees_systeme_de_test();
  const QString maison = QFileInfo(systeme).absolutePath();
  for (const char *variable :
       {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
    qputenv(variable, QFile::encodeName(QDir(maison).filePath(variable)));
  QDir().mkpath(systeme);
  qputenv("XDG_DATA_DIRS", QFile::encodeName(systeme));
  QStandardPaths::setTestModeEnabled(true);
}
