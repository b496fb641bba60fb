#pragma once

class QApplication;

namespace zorvel {

// Sets the application title, creates the windows in their order and runs the
// event loop until the main window closes.
int RunZorvel(QApplication& app);

}  // namespace zorvel
