#pragma once
// Qt's own texts (file dialog, standard buttons) in Russian, like the rest of the program.

// Installs Qt's Russian translation for the running application and makes Russian the default
// locale, whatever the system's; false when the translation is missing.
bool LoadQtRussian();
