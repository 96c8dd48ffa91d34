#include "ui/common/editorspelling.h"

#include "core/sections/booklanguage.h"
#include "core/services/messages.h"
#include "core/writing/spelling.h"
#include "core/writing/spellmarks.h"
#include "preview/richedit.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include <memory>

EditorSpelling::EditorSpelling(TRichEdit* edit, const QString& bookLanguage,
                               QWidget* checkBoxParent)
    : QObject(edit), checkBox(new QCheckBox(tr("Spe&lling"), checkBoxParent)), m_edit(edit),
      m_marks(new SpellMarks(ToolSpelling(),
                             bookLanguage.isEmpty() ? AuthorLanguage() : bookLanguage, this))
{
    ToolSpelling().useBookWords(BookWordsFile(QDir::currentPath()));
    checkBox->setChecked(true);
    m_marks->follow(edit->document());
    connect(edit, &TRichEdit::documentShown, m_marks, &SpellMarks::follow);
    connect(checkBox, &QCheckBox::toggled, this, [this](bool on) {
        m_marks->setMarking(on);
        m_edit->setFocus();
    });
    connect(m_marks, &SpellMarks::languageWithoutDictionary, this, [this](const QString& language) {
        m_noDictionary << language;
        emit languagesWithoutDictionaryChanged();
    });
    connect(edit->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &EditorSpelling::showBlocksInView);
    connect(edit, &QTextEdit::textChanged, this, &EditorSpelling::showBlocksInView);
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(edit, &QWidget::customContextMenuRequested, this, &EditorSpelling::offerSpellings);
}

QString EditorSpelling::noDictionaryNote() const
{
    if (m_noDictionary.isEmpty())
        return {};
    return tr("No dictionary for %1: not checked").arg(m_noDictionary.join(u", "));
}

// The blocks between the view's top and bottom edges.
void EditorSpelling::showBlocksInView()
{
    const QRect view = m_edit->viewport()->rect();
    const int first = m_edit->cursorForPosition(view.topLeft()).blockNumber();
    const int last = m_edit->cursorForPosition(view.bottomRight()).blockNumber();
    m_marks->setBlocksInView(first, last);
}

void EditorSpelling::offerSpellings(const QPoint& at)
{
    std::unique_ptr<QMenu> menu(m_edit->createStandardContextMenu(at));
    QTextCursor word = m_edit->cursorForPosition(at);
    word.select(QTextCursor::WordUnderCursor);
    const QString text = word.selectedText();
    const QString language = m_marks->languageAt(word.selectionStart());
    if (m_marks->marking() && !text.isEmpty() && !ToolSpelling().isRight(text, language)) {
        QAction* first = menu->actions().value(0);
        const QStringList offered = ToolSpelling().suggestions(text, language);
        for (const QString& spelling : offered) {
            auto* replace = new QAction(spelling, menu.get());
            connect(replace, &QAction::triggered, this, [this, word, spelling]() mutable {
                QTextCursor letter(word);
                letter.setPosition(word.selectionStart() + 1);
                word.insertText(spelling, letter.charFormat()); // in the word's own format
                m_edit->setTextCursor(word);
            });
            menu->insertAction(first, replace);
        }
        if (offered.isEmpty()) {
            auto* none = new QAction(tr("(no spellings)"), menu.get());
            none->setEnabled(false);
            menu->insertAction(first, none);
        }
        menu->insertSeparator(first);
        auto* ignore = new QAction(tr("&Ignore"), menu.get());
        connect(ignore, &QAction::triggered, this, [this, text] {
            ToolSpelling().ignore(text);
            m_marks->rehighlight();
        });
        auto* add = new QAction(tr("&Add to the book's dictionary"), menu.get());
        connect(add, &QAction::triggered, this, [this, text] {
            ReportErrors([&] { ToolSpelling().addToBook(text); });
            m_marks->rehighlight();
        });
        menu->insertAction(first, ignore);
        menu->insertAction(first, add);
        menu->insertSeparator(first);
    }
    menu->exec(m_edit->viewport()->mapToGlobal(at));
}
