// Which button Enter presses. A dialog that names a default button keeps it; in one that names
// none, Enter in a field presses nothing, instead of Qt's fallback to the first button in the
// tab order (which in the chapter windows is "Design Display File"). Enter on a focused button
// still presses that button.
#pragma once

class QApplication;

void InstallDialogDefaults(QApplication& app);
