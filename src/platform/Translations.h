#pragma once

// Loads Qt's own Persian translations (qtbase_fa.qm from Qt's translations
// folder) into the application, so that Qt's standard dialogs (file, folder,
// print, print preview) speak Persian, with the few texts it lacks supplied
// here. The program's own captions are written
// in Persian in its code and are not translated. Call once, after the
// application object exists. Returns false when the file is not installed;
// the dialogs then stay in English and nothing else changes.
bool installQtTranslations();
