#pragma once

class QApplication;
class QString;
class Workbench;

namespace zorvel {

// Sets the application title, creates the workbench and runs the event loop
// until the main window closes. With a text path the workbench starts in the
// text's folder and opens the text; without, it reopens the text last worked on.
int RunZorvel(QApplication& app, const QString& textPath);

// What start-up does before the workbench exists: the application title, Qt's
// Chinese texts, the font substitution and the window icon. Tests call it before they build a
// workbench.
void PrepareApplication();

// From now on SIGTERM and SIGHUP (logout, shutdown) end the event loop after
// the main window's exit writes: the unsaved text to its recovery file, the
// layout to zorvel.ini, the calibration store. RunZorvel calls it.
void InstallExitOnSignals(Workbench& bench);

// Loads Qt's own Traditional Chinese texts (qt6-translations-l10n), so that the
// standard buttons and the file and font dialogs speak Chinese too. The
// program's own messages are not translated texts and stay as they are.
void InstallQtTranslations();

// Maps the face "細明體" to the installed Ming font, so that every Chinese text
// finds its glyphs.
void InstallFontSubstitutions();

}  // namespace zorvel
