#pragma once
// Qt's own texts (file dialog, standard buttons) in Russian, like the rest of the program.

// Installs Qt's Russian translation for the running application; false when it is missing.
bool LoadQtRussian();
