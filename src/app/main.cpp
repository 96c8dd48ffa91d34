// Quorelle: the e-book authoring tool. It takes no arguments.
#include "platform/dialogdefaults.h"
#include "platform/f1help.h"
#include "platform/qtmessageboxes.h"
#include "ui/authoring/lnkmenuf.h"
#include "ui/mainwindow/bmmain.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorelle"));

    QtMessageBoxes messageBoxes;
    const ScopedService<MessageSlot, MessageBoxes> messagesInstalled(messageBoxes);
    DialogEntryChooser chooser;
    const ScopedService<ChooserSlot, EntryChooser> chooserInstalled(chooser);
    InstallF1Help(app);
    InstallDialogDefaults(app);

    Tbookmainform mainForm;
    mainForm.show();
    return QApplication::exec();
}
