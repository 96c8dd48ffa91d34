// The shared formatting controls.
#include "ui/common/textformat.h"

#include "core/richtext/languagetags.h"
#include "core/richtext/rtfreader.h"
#include "core/sections/booklanguage.h"
#include "preview/richedit.h"
#include "ui/common/colourlist.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>

namespace {

const int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 24, 36, 48, 72};

QPushButton* toggleButton(const QString& caption, QWidget* parent,
                          void (QFont::*style)(bool) = nullptr)
{
    auto* button = new QPushButton(caption, parent);
    button->setCheckable(true);
    button->setAutoDefault(false); // Enter in the text or a box never toggles a style
    button->setFixedSize(28, 24);
    if (style) {
        QFont font = button->font();
        (font.*style)(true);
        button->setFont(font);
    }
    return button;
}

} // namespace

TextFormatControls::TextFormatControls(QWidget* parent, TRichEdit* edit, bool withHyperText)
    : QObject(parent), fontName(new QComboBox(parent)), size(new QComboBox(parent)),
      colour(new ColourCombo(parent)), bold(toggleButton(tr("B"), parent, &QFont::setBold)),
      italic(toggleButton(tr("I"), parent, &QFont::setItalic)), language(new QComboBox(parent)),
      m_edit(edit)
{
    if (withHyperText)
        hyperText = toggleButton(tr("H"), parent, &QFont::setUnderline);
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    fontName->addItems(families);
    fontName->setEditable(true);
    fontName->setInsertPolicy(QComboBox::NoInsert);
    fontName->setMinimumWidth(130);
    size->setEditable(true);
    size->setInsertPolicy(QComboBox::NoInsert);
    for (int points : kSizes)
        size->addItem(QString::number(points));
    size->setFixedWidth(56);
    colour->setFixedWidth(64);
    language->addItem(tr("The book's language"), 0);
    for (const BookLanguageChoice& choice : BookLanguageChoices()) {
        if (const int id = LanguageIdOf(choice.tag); id != 0 && language->findData(id) < 0)
            language->addItem(choice.name, id);
    }
    language->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    language->setMinimumContentsLength(15);
    connectControls();
}

void TextFormatControls::connectControls()
{
    const auto back = [this] { m_edit->setFocus(); };
    connect(m_edit, &QTextEdit::cursorPositionChanged, this, &TextFormatControls::showSelection);
    connect(m_edit, &QTextEdit::selectionChanged, this, &TextFormatControls::showSelection);
    const auto style = [this, back](QPushButton* button,
                                    const std::function<void(QTextCharFormat&, bool)>& set) {
        connect(button, &QPushButton::toggled, this, [this, set, back](bool down) {
            if (!m_showing)
                applyFormat([&](QTextCharFormat& f) { set(f, down); });
            back();
        });
    };
    style(bold, [](QTextCharFormat& f, bool down) {
        f.setFontWeight(down ? QFont::Bold : QFont::Normal);
    });
    style(italic, [](QTextCharFormat& f, bool down) { f.setFontItalic(down); });
    if (hyperText)
        style(hyperText, [](QTextCharFormat& f, bool down) { f.setFontUnderline(down); });
    connect(fontName, &QComboBox::activated, this, [this, back](int index) {
        applyFamily(fontName->itemText(index));
        back();
    });
    // A family typed into the box counts when it is one of the list's, in any letter case.
    connect(fontName->lineEdit(), &QLineEdit::returnPressed, this, [this, back] {
        const int index = fontName->findText(fontName->currentText(), Qt::MatchFixedString);
        if (index >= 0)
            applyFamily(fontName->itemText(index));
        back();
    });
    connect(size, &QComboBox::activated, this, [this, back](int index) {
        applySize(size->itemText(index));
        back();
    });
    connect(size->lineEdit(), &QLineEdit::returnPressed, this, [this, back] {
        applySize(size->currentText());
        back();
    });
    connect(language, &QComboBox::activated, this, [this, back](int index) {
        const int id = language->itemData(index).toInt();
        applyFormat([id](QTextCharFormat& f) {
            if (id != 0)
                f.setProperty(rtfprops::Language, id);
            else
                f.clearProperty(rtfprops::Language);
        });
        back();
    });
    connect(colour, &QComboBox::activated, this, [this, back](int index) {
        const QColor chosen = colour->colourAt(index);
        applyFormat([&](QTextCharFormat& f) {
            if (chosen.isValid())
                f.setForeground(chosen);
            else
                f.clearForeground();
        });
        back();
    });
}

void TextFormatControls::applyFormat(const std::function<void(QTextCharFormat&)>& change)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QTextCursor cursor = m_edit->textCursor();
    if (!cursor.hasSelection()) {
        QTextCharFormat format = m_edit->currentCharFormat();
        change(format);
        m_edit->setCurrentCharFormat(format);
    } else {
        // Each run keeps its own other attributes; only the one asked for changes.
        const int start = cursor.selectionStart();
        const int end = cursor.selectionEnd();
        QList<std::pair<QTextCursor, QTextCharFormat>> runs;
        for (QTextBlock block = m_edit->document()->findBlock(start);
             block.isValid() && block.position() < end; block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                const int from = std::max(start, fragment.position());
                const int to = std::min(end, fragment.position() + fragment.length());
                if (from >= to)
                    continue;
                QTextCursor run(m_edit->document());
                run.setPosition(from);
                run.setPosition(to, QTextCursor::KeepAnchor);
                QTextCharFormat format = fragment.charFormat();
                change(format);
                runs.append({run, format});
            }
        }
        cursor.beginEditBlock();
        for (auto& [run, format] : runs)
            run.setCharFormat(format);
        cursor.endEditBlock();
    }
    QApplication::restoreOverrideCursor();
    showSelection();
}

void TextFormatControls::applySize(const QString& text)
{
    // A size that is not a whole number of points from 1 to 999 sets 10 points.
    bool isNumber = false;
    int points = text.trimmed().toInt(&isNumber);
    if (!isNumber || points < 1 || points > 999)
        points = 10;
    applyFormat([points](QTextCharFormat& f) { f.setFontPointSize(points); });
}

void TextFormatControls::applyFamily(const QString& family)
{
    applyFormat([&family](QTextCharFormat& f) { f.setFontFamilies({family}); });
}

void TextFormatControls::showSelection()
{
    m_showing = true;
    const SelectionAttributes a = m_edit->selectionAttributes();
    bold->setChecked(a.bold.value_or(false));
    italic->setChecked(a.italic.value_or(false));
    if (hyperText)
        hyperText->setChecked(a.underline.value_or(false));
    fontName->setCurrentIndex(a.family ? fontName->findText(*a.family) : -1);
    size->setCurrentIndex(-1);
    size->setEditText(a.pointSize ? QString::number(*a.pointSize) : QString());
    size->lineEdit()->setModified(false);
    colour->setCurrentIndex(a.colour ? colour->indexOfColour(*a.colour) : -1);
    // A selection's language is that of its first letter; the caret's, that typing takes.
    const QTextCursor selection = m_edit->textCursor();
    QTextCursor first(m_edit->document());
    first.setPosition(selection.hasSelection() ? selection.selectionStart() + 1
                                               : selection.position());
    const QTextCharFormat at =
        selection.hasSelection() ? first.charFormat() : m_edit->currentCharFormat();
    language->setCurrentIndex(std::max(0, language->findData(at.intProperty(rtfprops::Language))));
    m_showing = false;
}
