// The typing limit of line edits.
#include "platform/typinglimit.h"

#include "core/files/textcodec.h"

#include <QLineEdit>
#include <QValidator>

namespace {

// The line edit asks its validator about every change. A change the author made (typing,
// pasting, dropping) leaves the edit "modified"; a text the window sets does not, and passes.
class TypingLimit : public QValidator
{
public:
    TypingLimit(QLineEdit* edit, int length)
        : QValidator(edit), m_edit(edit), m_length(length),
          m_held(textcodec::fieldSize(edit->text()))
    {
        connect(edit, &QLineEdit::textChanged, this,
                [this](const QString& text) { m_held = textcodec::fieldSize(text); });
    }

    State validate(QString& input, int&) const override
    {
        const qsizetype size = textcodec::fieldSize(input);
        if (!m_edit->isModified() || size <= m_length || size <= m_held)
            return Acceptable;
        return Invalid;
    }

private:
    QLineEdit* m_edit;
    int m_length;
    qsizetype m_held; // the size of the text before the change being validated
};

} // namespace

void LimitTyping(QLineEdit* edit, int length)
{
    edit->setMaxLength(32767);
    edit->setValidator(new TypingLimit(edit, length));
}
