#pragma once

class QApplication;

namespace zorvel {

// Sets the application title, creates the windows in their order and runs the
// event loop until the main window closes.
int RunZorvel(QApplication& app);

// Start-up without the event loop: sets the application title and the font
// substitution, then creates the windows in their order (the main window takes
// the current folder as its StartFolder and reads its layout from zorvel.ini
// there). Nothing is shown. Tests build the whole window set with it.
void CreateZorvelWindows();
// Destroys the windows in reverse order and clears their global pointers. It
// does not run the close sequence.
void DestroyZorvelWindows();

// From now on SIGTERM and SIGHUP (logout, shutdown) end the event loop after
// the main window's exit writes: the unsaved text to its recovery file, the
// layout to zorvel.ini, the calibration store. RunZorvel calls it.
void InstallExitOnSignals();

// Maps the face "細明體" to the installed Ming font, so that every Chinese text
// finds its glyphs.
void InstallFontSubstitutions();

}  // namespace zorvel
