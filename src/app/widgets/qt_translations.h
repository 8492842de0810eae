// Qt's own texts in Russian, as the rest of the bench: the buttons and
// titles of the file dialog, the standard buttons of a dialog.
#pragma once

class QCoreApplication;

// Loads Qt's Russian translation from "translations" beside the executable
// (where the Windows build ships it) or else from Qt's own folder, and
// installs it. False when neither holds it: Qt's texts then stay English.
bool installQtTranslations(QCoreApplication& app);
