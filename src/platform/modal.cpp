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

HiddenWhileSubWindow::HiddenWhileSubWindow(QWidget* window)
    : m_window(window), m_transparent(qobject_cast<QDialog*>(window) != nullptr)
{
    if (m_transparent)
        m_window->setWindowOpacity(0.0);
    else
        m_window->hide();
}

HiddenWhileSubWindow::~HiddenWhileSubWindow()
{
    if (m_transparent)
        m_window->setWindowOpacity(1.0);
    else
        m_window->show();
}
