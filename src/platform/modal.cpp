// Modal windows through QDialog::exec.
#include "platform/modal.h"

#include <QDialog>

int ExecModalRunner::run(QDialog& dialog)
{
    return dialog.exec();
}

int RunModal(QDialog& dialog)
{
    return ModalSlot::get().run(dialog);
}
