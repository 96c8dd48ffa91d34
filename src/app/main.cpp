// Quorelle: the e-book authoring tool. An argument names a project file (BOOK.QVJ) to open.
#include "core/files/savefile.h"
#include "platform/dialogdefaults.h"
#include "platform/f1help.h"
#include "platform/qtmessageboxes.h"
#include "ui/common/buttlistform.h"
#include "ui/mainwindow/bookmainform.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

int main(int argc, char* argv[])
{
    filestore::FailWritesPastSizeLimit();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorelle"));
    QCommandLineParser arguments;
    arguments.setApplicationDescription(QStringLiteral("The Quorelle e-book authoring tool."));
    arguments.addHelpOption();
    arguments.addPositionalArgument(QStringLiteral("project"),
                                    QStringLiteral("an e-book project file (.QVJ) to open"),
                                    QStringLiteral("[project]"));
    arguments.process(app);
    // Taken as the caller meant it, before the tool changes its current folder.
    const QString project =
        arguments.positionalArguments().isEmpty()
            ? QString()
            : QFileInfo(arguments.positionalArguments().first()).absoluteFilePath();

    QtMessageBoxes messageBoxes;
    const ScopedService<MessageSlot, MessageBoxes> messagesInstalled(messageBoxes);
    DialogEntryChooser chooser;
    const ScopedService<ChooserSlot, EntryChooser> chooserInstalled(chooser);
    InstallF1Help(app);
    InstallDialogDefaults(app);

    Tbookmainform mainForm;
    mainForm.show();
    if (!project.isEmpty())
        mainForm.OpenProjectFile(project);
    return QApplication::exec();
}
