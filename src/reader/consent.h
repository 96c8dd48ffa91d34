// Before a book starts a program for the first time, the reader is asked.
#pragma once

#include "preview/mediaactions.h"

#include <QSet>

class ConsentingMediaActions : public MediaActions
{
public:
    explicit ConsentingMediaActions(const QString& mediaPrompt) : m_inner(mediaPrompt) {}
    void showCommand(QWidget* parent, const QString& caption, const QString& value) override
    {
        m_inner.showCommand(parent, caption, value);
    }
    void runProgram(QWidget* parent, HyperTextType mode, const QString& value) override;

private:
    BookMediaActions m_inner;
    QSet<QString> m_allowed;
};
