#pragma once
// What the editor and the player both do while Qt starts: the platform's standard dialogs
// in French, and fontconfig started on another thread.

#include <thread>

class QApplication;
class QTranslator;

// The platform's standard dialogs (file dialogs, Yes/No/Cancel) speak French like the rest
// of the window: Qt's French translation is loaded into `traducteur`, which must outlive the
// application's use of it. A missing translation leaves them in English.
void installe_traductions(QApplication &app, QTranslator &traducteur);

// On desktops that use fontconfig, its start-up (reading its configuration and the caches of
// every font folder) is the largest single cost before the window can be laid out, and the
// toolkit only reaches it when the first caption is measured. Started here on another
// thread, before the QApplication, it overlaps the toolkit's own start-up; fontconfig keeps
// the result for the toolkit's later call. Join the thread before anything measures text:
// two threads starting fontconfig at once would each do the whole work. The library is the
// one the toolkit already loaded, looked up at run time; where it is absent, or without a
// thread to spare, nothing is started (the thread returned is not joinable).
std::thread prepare_polices();
