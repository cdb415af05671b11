// The test command: the labyrinth is saved, then tried in the 3D player "Dravo.exe" while
// the editor waits, hidden.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "fichiers.h"
#include "tform1.h"

void TForm1::SpeedButton6Click() {
  // A failed save has shown its error; a cancelled one shows nothing. Either way the
  // player is not started.
  if (!Sauvemonde() || !monde().enregistre)
    return;
  // The save dialog's last choice is the file just written, under its real name on disk
  // (fichier_courant holds it as 1252 text, which may have lost characters).
  const QString fichier = SDM.dernier_fichier;
  hide();
  lance_test(fichier);
  show();
}

bool TForm1::lance_test(const QString &fichier) {
  const QFileInfo info(fichier);
  const std::string programme = trouve_programme(
      "Dravo.exe", QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString(),
      QFile::encodeName(QDir::currentPath()).toStdString(),
      qEnvironmentVariable("PATH").toStdString());
  if (programme.empty())
    return false;
  QProcess lecteur;
  lecteur.setProgram(QFile::decodeName(programme.c_str()));
  // The player finds the labyrinth by its bare name in its working folder; the name goes
  // as one argument, blanks and all.
  lecteur.setArguments({info.fileName()});
  lecteur.setWorkingDirectory(info.absolutePath());
  // The player shares the editor's terminal rather than filling pipes nobody reads.
  lecteur.setProcessChannelMode(QProcess::ForwardedChannels);
  lecteur.setInputChannelMode(QProcess::ForwardedInputChannel);
  lecteur.start();
  if (!lecteur.waitForStarted(-1))
    return false;
  lecteur.waitForFinished(-1);
  return true;
}
