// Qt's own texts (the buttons of message boxes and dialogs) in Chinese, like the rest of the interface.
#pragma once

class QTranslator;

namespace plazor {

// Loads Qt's Chinese translation into `texts`, which must live as long as the application, and installs
// it; without one installed Qt's texts stay English.
void installChineseQtTexts(QTranslator& texts);

}  // namespace plazor
