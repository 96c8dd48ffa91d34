// The chapter editor (module chpeditF).
#include "ui/authoring/chapeditform.h"

#include "core/files/projectpath.h"
#include "core/files/runtimeerror.h"
#include "core/project/chaptersave.h"
#include "core/services/messages.h"
#include "core/writing/chapterimport.h"
#include "core/writing/recovery.h"
#include "core/writing/wordcount.h"
#include "platform/f1help.h"
#include "platform/filedialogs.h"
#include "platform/look.h"
#include "platform/modal.h"
#include "preview/richedit.h"
#include "ui/authoring/gettextform.h"
#include "ui/authoring/hypeditform.h"
#include "ui/common/colourlist.h"
#include "ui/common/editorspelling.h"
#include "ui/common/textformat.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

TChapEditForm::TChapEditForm(QWidget* parent, const QString& bookLanguage)
    : QDialog(parent), ToolPnl(new QFrame(this)), RichEdit1(new TRichEdit(this)),
      m_format(new TextFormatControls(ToolPnl, RichEdit1, true)), FontNameCombo(m_format->fontName),
      sizeCombo(m_format->size), ColorCombo(m_format->colour), BtnB(m_format->bold),
      BtnI(m_format->italic), BtnH(m_format->hyperText),
      AllBtn(new QPushButton(tr("Select All &Text"), ToolPnl)),
      ImportBtn(new QPushButton(tr("&Open File"), ToolPnl)), BottomPnl(new QFrame(this)),
      Label1(new QLabel(tr("File :"), BottomPnl)), Label2(new QLabel(BottomPnl)),
      ReadBar(new QProgressBar(BottomPnl)),
      Button1(new QPushButton(tr("Define HyperText"), BottomPnl)),
      SaveasBtn(new QPushButton(tr("Save C&hapter"), BottomPnl)),
      OKBtn(new QPushButton(tr("&Close"), BottomPnl)), StatusLine(new QLabel(this)),
      Spelling(new EditorSpelling(RichEdit1, bookLanguage, ToolPnl)), SpellBox(Spelling->checkBox),
      m_countLater(new QTimer(this)), m_recoverLater(new QTimer(this)), m_book(QDir::currentPath())
{
    setObjectName(QStringLiteral("TChapEditForm"));
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, 141);
    buildToolStrip();
    buildBottomStrip();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolPnl);
    layout->addWidget(RichEdit1, 1);
    layout->addWidget(BottomPnl);
    StatusLine->setContentsMargins(6, 2, 6, 2);
    StatusLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(StatusLine);
    resize(640, 480);

    // New text starts in the rich text's default font (MS Sans Serif 10 points), black, no style.
    const QFont font = DefaultRichTextFont();
    QTextCharFormat start;
    start.setFontFamilies({font.family()});
    start.setFontPointSize(font.pointSizeF());
    start.setForeground(QColor(Qt::black));
    RichEdit1->setCurrentCharFormat(start);
    RichEdit1->setModified(false);
    connectCommands();
    ShowSelectionAttributes();
    showCounts();
}

void TChapEditForm::buildToolStrip()
{
    PaintBackground(ToolPnl, kTeal, Qt::white);
    auto* grid = new QGridLayout(ToolPnl);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(1);
    const auto label = [this](const QString& text) { return new QLabel(text, ToolPnl); };
    grid->addWidget(label(tr("Font Name")), 0, 0);
    grid->addWidget(FontNameCombo, 1, 0);
    grid->addWidget(label(tr("Size")), 0, 1);
    grid->addWidget(sizeCombo, 1, 1);
    grid->addWidget(label(tr("Color")), 0, 2);
    grid->addWidget(ColorCombo, 1, 2);
    auto* styles = new QHBoxLayout;
    styles->setSpacing(2);
    styles->addWidget(BtnB);
    styles->addWidget(BtnI);
    grid->addWidget(label(tr("Style")), 0, 3);
    grid->addLayout(styles, 1, 3);
    grid->addWidget(SpellBox, 0, 5);
    m_format->language->setToolTip(tr("The language of the selected text"));
    m_format->language->setAccessibleName(tr("Language"));
    grid->addWidget(m_format->language, 0, 6);
    grid->addWidget(label(tr("HyperText")), 0, 4);
    grid->addWidget(BtnH, 1, 4);
    grid->addWidget(AllBtn, 1, 5);
    grid->addWidget(ImportBtn, 1, 6);
    grid->setColumnStretch(7, 1);
}

void TChapEditForm::buildBottomStrip()
{
    PaintBackground(BottomPnl, kTeal, Qt::white);
    PaintBackground(Label2, QColor(0x00, 0x00, 0x80), Qt::white);
    Label2->setMinimumWidth(160);
    Label2->setContentsMargins(4, 2, 4, 2);
    auto* layout = new QHBoxLayout(BottomPnl);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    ReadBar->setRange(0, 100);
    ReadBar->setMinimumWidth(160);
    ReadBar->setFormat(tr("Reading %p%"));
    ReadBar->hide();
    layout->addWidget(ReadBar);
    layout->addStretch();
    layout->addWidget(Button1);
    layout->addWidget(SaveasBtn);
    layout->addWidget(OKBtn);
}

void TChapEditForm::showCounts()
{
    const TextCount chapter = CountText(RichEdit1->toPlainText());
    const QString selected = RichEdit1->textCursor().selectedText();
    QString status = selected.isEmpty()
                         ? CountSummary(chapter)
                         : tr("Selected: %1, of %2")
                               .arg(CountSummary(CountText(selected)), CountSummary(chapter));
    if (const QString note = Spelling->noDictionaryNote(); !note.isEmpty())
        status += QStringLiteral(". ") + note;
    StatusLine->setText(status);
}

void TChapEditForm::connectCommands()
{
    const auto back = [this] { RichEdit1->setFocus(); };
    connect(AllBtn, &QPushButton::clicked, this, [this, back] {
        RichEdit1->selectAll();
        back();
    });
    // A file that cannot be read or written is reported; the text stays as it was.
    connect(ImportBtn, &QPushButton::clicked, this, [this, back] {
        ReportErrors([this] { ImportBtnClick(); });
        back();
    });
    connect(SaveasBtn, &QPushButton::clicked, this,
            [this] { ReportErrors([this] { SaveasBtnClick(); }); });
    connect(Button1, &QPushButton::clicked, this, &TChapEditForm::Button1Click);
    connect(RichEdit1, &QTextEdit::textChanged, this, &TChapEditForm::forgetNameOnceEmptied);
    m_countLater->setSingleShot(true);
    m_countLater->setInterval(250);
    connect(m_countLater, &QTimer::timeout, this, &TChapEditForm::showCounts);
    connect(RichEdit1, &QTextEdit::textChanged, m_countLater, qOverload<>(&QTimer::start));
    connect(RichEdit1, &QTextEdit::selectionChanged, m_countLater, qOverload<>(&QTimer::start));
    // A change not yet saved is kept as a recovery copy a little later, never at every key.
    m_recoverLater->setSingleShot(true);
    connect(m_recoverLater, &QTimer::timeout, this, &TChapEditForm::keepRecoveryCopy);
    connect(RichEdit1, &QTextEdit::textChanged, this, [this] {
        if (RichEdit1->modified() && !m_recoverLater->isActive())
            m_recoverLater->start(RecoveryDelayMs);
    });
    connect(Spelling, &EditorSpelling::languagesWithoutDictionaryChanged, this,
            &TChapEditForm::showCounts);
    connect(RichEdit1, &TRichEdit::readProgress, this, &TChapEditForm::showReading);
    connect(RichEdit1, &TRichEdit::readFinished, this, &TChapEditForm::textRead);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TChapEditForm::ShowSelectionAttributes()
{
    m_format->showSelection();
}

void TChapEditForm::ImportBtnClick()
{
    // Another file replaces the text: changes are not dropped without asking, as on closing.
    if (RichEdit1->modified() &&
        !ConfirmDiscard(
            QStringLiteral("The file has been changed.\n\r\n\rOpen another file anyway?")))
        return;
    FileChoice choice;
    choice.title = tr("Select a Text File");
    choice.folder = QDir::currentPath();
    choice.filter = QStringLiteral(
        "Text Files  (*.TXT,*.QLF,*.RTF)|*.TXT;*.QLF;*.RTF|Word, OpenDocument, Markdown and HTML  "
        "(*.DOCX,*.ODT,*.MD,*.HTML)|*.DOCX;*.ODT;*.MD;*.MARKDOWN;*.HTML;*.HTM|All Files  "
        "(*.*)|*.*");
    const QString picked = fileDialogs().openFile(this, choice);
    if (picked.isEmpty())
        return;
    if (IsImportedKind(picked)) {
        importChapter(picked);
        return;
    }
    dropRecoveryCopy();
    // A chapter of the book is as saved; text imported from any other file is not saved yet.
    m_importUnsaved = !isChapterOfTheBook(picked);
    m_readClock.start();
    RichEdit1->loadFileInStages(picked);
    m_fileName = picked;
    Label2->setText(QFileInfo(picked).fileName());
}

// A manuscript from a word processor or the web comes in as a new text not yet saved; a file
// that cannot be imported says why, and the text stays as it was.
void TChapEditForm::importChapter(const QString& path)
{
    const ImportedChapter chapter = ImportChapter(path);
    if (!chapter.error.isEmpty()) {
        ShowError(chapter.error);
        return;
    }
    dropRecoveryCopy();
    m_importUnsaved = true;
    m_readClock.start();
    RichEdit1->loadContentInStages(chapter.rtf);
    m_fileName = path;
    Label2->setText(QFileInfo(path).fileName());
    ShowInfo(ImportedMessage(path, chapter));
}

// While a large file is read, its start can be read and scrolled, but nothing that would edit,
// save or replace a text not yet whole; after a second the progress shows.
void TChapEditForm::showReading(int percent)
{
    enableEditing(false);
    ReadBar->setValue(percent);
    ReadBar->setVisible(m_readClock.isValid() && m_readClock.elapsed() > 1000);
}

void TChapEditForm::enableEditing(bool enabled)
{
    for (QWidget* command : {static_cast<QWidget*>(ToolPnl), static_cast<QWidget*>(Button1),
                             static_cast<QWidget*>(SaveasBtn)})
        command->setEnabled(enabled);
}

void TChapEditForm::textRead()
{
    enableEditing(true);
    ReadBar->hide();
    RichEdit1->setModified(m_importUnsaved);
    if (m_selectFrom >= 0) {
        QTextCursor cursor = RichEdit1->textCursor();
        cursor.setPosition(int(m_selectFrom));
        cursor.setPosition(int(m_selectFrom + m_selectLength), QTextCursor::KeepAnchor);
        RichEdit1->setTextCursor(cursor);
        RichEdit1->ensureCursorVisible();
        m_selectFrom = -1;
    }
    if (m_importUnsaved)
        m_recoverLater->start(RecoveryDelayMs);
    ShowSelectionAttributes();
}

bool TChapEditForm::isChapterOfTheBook(const QString& path)
{
    const QFileInfo file(path);
    return file.suffix().compare(QStringLiteral("QLF"), Qt::CaseInsensitive) == 0 &&
           file.absoluteDir().canonicalPath() == QDir::current().canonicalPath();
}

// A text emptied entirely is a new chapter: the name of the one it was is forgotten, as when the
// editor opens, so that saving cannot overwrite that chapter without a question.
void TChapEditForm::forgetNameOnceEmptied()
{
    if (m_fileName.isEmpty() || !RichEdit1->document()->isEmpty())
        return;
    m_fileName.clear();
    Label2->clear();
}

void TChapEditForm::SaveasBtnClick()
{
    TGetTextForm ask(QFileInfo(m_fileName).fileName(), this);
    if (RunModal(ask) != QDialog::Accepted || ask.Edit1->text().isEmpty())
        return;
    const QString entered = ask.Edit1->text();
    const std::optional<QString> name = ChapterFileName(entered);
    if (!name) {
        ShowError(entered + QStringLiteral(" is not a valid file name"));
        return;
    }
    // A file of the name in another letter case is that file, as everywhere in the book.
    const QString file = QFileInfo(ResolveProjectName(*name)).fileName();
    if (!mayReplace(file))
        return;
    RichEdit1->saveFile(file);
    Label2->setText(file);
    dropRecoveryCopy();
    ShowInfo(file + QStringLiteral(" has been saved."));
    RichEdit1->setModified(false);
    m_fileName = file;
}

void TChapEditForm::keepRecoveryCopy()
{
    if (!RichEdit1->modified() || RichEdit1->isReading())
        return;
    const QString chapter = QFileInfo(m_fileName).fileName();
    if (chapter != m_copyChapter)
        dropRecoveryCopy();
    try {
        KeepRecoveryCopy(m_book, chapter, RichEdit1->rtf());
        m_copyChapter = chapter;
    } catch (const RunTimeError& error) {
        StatusLine->setText(tr("No recovery copy: %1").arg(error.message()));
    }
}

// Saved, or given up on purpose: the copy is no longer wanted.
void TChapEditForm::dropRecoveryCopy()
{
    m_recoverLater->stop();
    DropRecoveryCopy(m_book, m_copyChapter);
    m_copyChapter.clear();
}

void TChapEditForm::openAt(const QString& file, qsizetype position, qsizetype length)
{
    m_importUnsaved = false;
    m_selectFrom = position;
    m_selectLength = length;
    m_readClock.start();
    RichEdit1->loadFileInStages(file);
    m_fileName = file;
    Label2->setText(QFileInfo(file).fileName());
}

void TChapEditForm::recover(const QString& chapter, const QByteArray& rtf)
{
    m_importUnsaved = true;
    m_readClock.start();
    RichEdit1->loadContentInStages(rtf);
    m_fileName = chapter;
    m_copyChapter = chapter;
    Label2->setText(chapter);
}

// Another file of that name (another chapter's text, perhaps) is replaced only when the author
// says so; the file being edited is simply saved again.
bool TChapEditForm::mayReplace(const QString& name) const
{
    const QFileInfo target(name);
    if (!target.exists() ||
        (!m_fileName.isEmpty() &&
         target.canonicalFilePath() == QFileInfo(m_fileName).canonicalFilePath()))
        return true;
    return ConfirmDiscard(QStringLiteral("The file %1 already exists.\n\r\n\rDo you want to "
                                         "replace it?")
                              .arg(target.fileName()));
}

void TChapEditForm::Button1Click()
{
    const HiddenWhileSubWindow hidden(this);
    ThypeditForm viewer(RichEdit1->rtf(), parentWidget());
    RunModal(viewer);
}

void TChapEditForm::done(int result)
{
    if (RichEdit1->modified() &&
        !ConfirmDiscard(QStringLiteral("The file has been changed.\n\r\n\rClose anyway?"))) {
        RichEdit1->setFocus();
        return;
    }
    dropRecoveryCopy();
    QDialog::done(result);
}

void OpenChapterEditor(QWidget* parent, const QString& bookLanguage)
{
    TChapEditForm editor(parent, bookLanguage);
    RunModal(editor);
}

void OpenChapterEditorAt(QWidget* parent, const QString& file, qsizetype position, qsizetype length,
                         const QString& bookLanguage)
{
    TChapEditForm editor(parent, bookLanguage);
    ReportErrors([&] { editor.openAt(file, position, length); });
    editor.RichEdit1->setFocus();
    RunModal(editor);
}

void OfferRecoveredChapters(QWidget* parent, const QString& bookLanguage)
{
    for (const RecoveryCopy& copy : RecoveryCopiesOf(QDir::currentPath())) {
        const QString when = QLocale().toString(copy.written, QLocale::ShortFormat);
        const QString question =
            copy.chapter.isEmpty()
                ? QStringLiteral("Recover the unsaved text of a new chapter from %1?").arg(when)
                : QStringLiteral("Recover the unsaved text of %1 from %2?").arg(copy.chapter, when);
        if (!Confirm(question)) {
            QFile::remove(copy.file);
            continue;
        }
        TChapEditForm editor(parent, bookLanguage);
        editor.recover(copy.chapter, copy.rtf);
        RunModal(editor);
    }
}
