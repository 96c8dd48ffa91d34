// Spelling in a rich-text editor of the tool: words spelt wrong are marked (those in view first),
// a right click on one offers its spellings, Ignore and Add to the book's dictionary above the
// editor's own commands, and a check box turns the marks off.
#pragma once

#include <QObject>
#include <QStringList>

class QCheckBox;
class QPoint;
class QWidget;
class SpellMarks;
class TRichEdit;

class EditorSpelling : public QObject
{
    Q_OBJECT

public:
    // Words in no marked language are spelt in `bookLanguage` (the author's when empty); the
    // book's own words are those of the current folder's dictionary.
    EditorSpelling(TRichEdit* edit, const QString& bookLanguage, QWidget* checkBoxParent);

    QCheckBox* checkBox; // "Spe&lling", checked
    SpellMarks* marks() const { return m_marks; }

    // The languages met that have no dictionary, for the editor's status line.
    const QStringList& languagesWithoutDictionary() const { return m_noDictionary; }
    // "No dictionary for ru, zh: not checked", or nothing.
    QString noDictionaryNote() const;

signals:
    void languagesWithoutDictionaryChanged();

private:
    void showBlocksInView();
    void offerSpellings(const QPoint& at);

    TRichEdit* m_edit;
    SpellMarks* m_marks;
    QStringList m_noDictionary;
};
