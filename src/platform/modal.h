// Every modal window of the tool is shown through RunModal, so that tests can script it.
#pragma once

#include "platform/service.h"

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
