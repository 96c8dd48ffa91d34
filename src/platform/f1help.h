// Help contexts of windows and controls, and F1 opening help at the focused control's context.
#pragma once

class QApplication;
class QWidget;

void SetHelpContext(QWidget* widget, int context);

// The context of the widget, or of the nearest parent that has one; 0 when none has.
int HelpContextOf(const QWidget* widget);

// Routes F1 anywhere in the application to ShowHelp at the focused widget's context.
void InstallF1Help(QApplication& app);
