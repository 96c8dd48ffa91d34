// Every modal window of the tool is shown through RunModal, so that tests can script it.
#pragma once

#include "core/services/service.h"

class QDialog;

class ModalRunner
{
public:
    virtual ~ModalRunner() = default;
    // Shows the dialog modally and returns its result (QDialog::Accepted or Rejected).
    virtual int run(QDialog& dialog) = 0;
};

class ExecModalRunner : public ModalRunner
{
public:
    int run(QDialog& dialog) override;
};

using ModalSlot = ServiceSlot<ModalRunner, ExecModalRunner>;

int RunModal(QDialog& dialog);

class QWidget;

// Hides a window while one of its sub-windows is shown. A dialog that is running modally cannot
// be hidden without ending its run, so it is made transparent instead.
class HiddenWhileSubWindow
{
public:
    explicit HiddenWhileSubWindow(QWidget* window);
    ~HiddenWhileSubWindow();
    HiddenWhileSubWindow(const HiddenWhileSubWindow&) = delete;
    HiddenWhileSubWindow& operator=(const HiddenWhileSubWindow&) = delete;

private:
    QWidget* m_window;
    bool m_transparent;
};
