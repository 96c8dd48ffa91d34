// The notepad (module HNotesF).
#include "preview/hnotesform.h"

#include "core/files/filestore.h"
#include "core/files/projectpath.h"
#include "core/files/runtimeerror.h"
#include "core/files/textcodec.h"
#include "core/services/messages.h"
#include "format/reader/linkaction.h"
#include "format/text/plaintext.h"
#include "platform/filedialogs.h"
#include "platform/finddialog.h"
#include "platform/modal.h"
#include "platform/printing.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QVBoxLayout>

namespace {

const QString kFilter = QStringLiteral("Text Files|*.TXT|All Files|*.*");

FileChoice textFileChoice(const QString& title, const QString& folder)
{
    FileChoice choice;
    choice.title = title;
    choice.folder = folder;
    choice.filter = kFilter;
    choice.defaultExtension = QStringLiteral("TXT");
    return choice;
}

} // namespace

THNotesForm::THNotesForm(const QString& fileName, QWidget* parent)
    : QDialog(parent), MainMenu(new QMenuBar(this)), Memo1(new QPlainTextEdit(this)),
      m_fileName(fileName), m_saveDialogName(fileName)
{
    setObjectName(QStringLiteral("THNotesForm"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    buildMenu();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(MainMenu);
    layout->addWidget(Memo1);
    resize(435, 300);
    if (QFileInfo::exists(ResolveProjectName(fileName)))
        ReportErrors([&] { load(fileName); });
    setCaptionName(fileName);
}

void THNotesForm::buildMenu()
{
    QMenu* file = MainMenu->addMenu(tr("&File"));
    file->addAction(tr("&New"), QKeySequence(tr("Ctrl+N")), this,
                    [this] { ReportErrors([this] { New(); }); });
    file->addAction(tr("&Open"), QKeySequence(tr("Ctrl+O")), this,
                    [this] { ReportErrors([this] { Open(); }); });
    file->addSeparator();
    file->addAction(tr("&Save"), QKeySequence(tr("Ctrl+S")), this,
                    [this] { ReportErrors([this] { Save(); }); });
    file->addAction(tr("Save &As..."), this, [this] { ReportErrors([this] { SaveAs(); }); });
    file->addSeparator();
    file->addAction(tr("&Print"), QKeySequence(tr("Ctrl+P")), this, [this] { Print(); });
    file->addAction(tr("Prin&t Setup..."), this, [this] { printing().printerSetup(this); });
    file->addSeparator();
    file->addAction(tr("E&xit"), this, &QDialog::reject);

    EditMenu = MainMenu->addMenu(tr("&Edit"));
    CutItem =
        EditMenu->addAction(tr("Cu&t"), QKeySequence(tr("Ctrl+X")), Memo1, &QPlainTextEdit::cut);
    CopyItem =
        EditMenu->addAction(tr("&Copy"), QKeySequence(tr("Ctrl+C")), Memo1, &QPlainTextEdit::copy);
    PasteItem = EditMenu->addAction(tr("&Paste"), QKeySequence(tr("Ctrl+V")), Memo1,
                                    &QPlainTextEdit::paste);
    EditMenu->addSeparator();
    EditMenu->addAction(tr("&Find..."), this, &THNotesForm::ShowFindDialog);
    EditMenu->addAction(tr("R&eplace..."), this, &THNotesForm::ShowReplaceDialog);
    connect(EditMenu, &QMenu::aboutToShow, this, &THNotesForm::updateEditMenu);
}

void THNotesForm::updateEditMenu()
{
    const bool selection = Memo1->textCursor().hasSelection();
    CutItem->setEnabled(selection);
    CopyItem->setEnabled(selection);
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    PasteItem->setEnabled(clipboard && clipboard->hasText());
}

void THNotesForm::setCaptionName(const QString& name)
{
    setWindowTitle(QString::fromStdString(bookformat::NotepadCaption(name.toStdString())));
}

void THNotesForm::load(const QString& fileName)
{
    QFile file(ResolveProjectName(fileName));
    if (!file.open(QIODevice::ReadOnly))
        throw FileOpenError(fileName);
    const QByteArray bytes = file.readAll();
    Memo1->setPlainText(textcodec::decodeOutsideText(bytes, &m_utf8));
    Memo1->document()->setModified(false);
}

void THNotesForm::write(const QString& fileName)
{
    // The book's own files are 8-bit; text they cannot hold is kept as UTF-8.
    filestore::writeAll(fileName, QByteArray::fromStdString(bookformat::PlainTextFileBytes(
                                      Memo1->toPlainText().toStdString(), m_utf8)));
    Memo1->document()->setModified(false);
}

bool THNotesForm::savePrompt()
{
    if (!Memo1->document()->isModified())
        return true;
    switch (AskYesNoCancel(QStringLiteral("File ") + QFileInfo(m_fileName).fileName() +
                           QStringLiteral(" has changed. Save Now?"))) {
    case MessageAnswer::Yes:
        Save();
        return !Memo1->document()->isModified(); // a cancelled save dialog keeps the text

    case MessageAnswer::No:
        return true;
    default:
        return false;
    }
}

void THNotesForm::New()
{
    if (!savePrompt())
        return;
    Memo1->clear();
    Memo1->document()->setModified(false);
    m_fileName.clear();
    setCaptionName(QStringLiteral("Untitled"));
}

void THNotesForm::Open() // NOLINT(bugprone-virtual-near-miss)
{
    if (!savePrompt())
        return;
    const QString picked =
        fileDialogs().openFile(this, textFileChoice(tr("Open Text File"), QString()));
    if (picked.isEmpty())
        return;
    load(picked);
    setCaptionName(QFileInfo(picked).fileName());
    m_fileName = picked;
}

void THNotesForm::Save()
{
    if (m_fileName.isEmpty()) {
        SaveAs();
        return;
    }
    write(m_fileName);
}

void THNotesForm::SaveAs()
{
    const QString picked =
        fileDialogs().saveFile(this, textFileChoice(tr("Save Text File"), m_saveDialogName));
    if (picked.isEmpty())
        return;
    write(picked);
    m_fileName = picked;
    m_saveDialogName = picked;
    setCaptionName(QFileInfo(picked).fileName());
}

void THNotesForm::Print()
{
    printing().printLines(this, Memo1->toPlainText().split(QLatin1Char('\n')), Memo1->font());
}

bool THNotesForm::FindNext(const QString& text)
{
    // The find dialog offers no case option: it finds the text in any letter case, as the
    // chapter screens' Find does.
    const QTextCursor found = Memo1->document()->find(text, Memo1->textCursor().selectionEnd());
    Memo1->setFocus();
    if (found.isNull() || text.isEmpty()) {
        QApplication::beep();
        return false;
    }
    Memo1->setTextCursor(found);
    return true;
}

void THNotesForm::Replace(const QString& find, const QString& with, bool all)
{
    do {
        if (Memo1->textCursor().selectedText().compare(find, Qt::CaseInsensitive) != 0 &&
            !FindNext(find))
            return;
        QTextCursor cursor = Memo1->textCursor();
        if (!cursor.hasSelection())
            return;
        cursor.insertText(with);
        Memo1->setTextCursor(cursor);
    } while (all);
}

void THNotesForm::ShowFindDialog()
{
    if (!FindDialog1) {
        FindDialog1 = new TFindDialog(TFindDialog::Find, QString(), this);
        connect(FindDialog1, &TFindDialog::findNext, this,
                [this] { FindNext(FindDialog1->findText()); });
    }
    FindDialog1->show();
    FindDialog1->raise();
}

void THNotesForm::ShowReplaceDialog()
{
    if (!ReplaceDialog1) {
        ReplaceDialog1 = new TFindDialog(TFindDialog::Replace, QString(), this);
        connect(ReplaceDialog1, &TFindDialog::findNext, this,
                [this] { FindNext(ReplaceDialog1->findText()); });
        connect(ReplaceDialog1, &TFindDialog::replace, this, [this] {
            Replace(ReplaceDialog1->findText(), ReplaceDialog1->replaceText(), false);
        });
        connect(ReplaceDialog1, &TFindDialog::replaceAll, this, [this] {
            Replace(ReplaceDialog1->findText(), ReplaceDialog1->replaceText(), true);
        });
    }
    ReplaceDialog1->show();
    ReplaceDialog1->raise();
}

void THNotesForm::done(int result)
{
    bool proceed = false; // a save that fails keeps the window and its text
    ReportErrors([&] { proceed = savePrompt(); });
    if (proceed)
        QDialog::done(result);
}

void OpenNotepad(const QString& fileName, QWidget* parent)
{
    THNotesForm notepad(fileName, parent);
    RunModal(notepad);
}
