// The chapter editor.
#include "ui/authoring/chpeditf.h"

#include "core/project/chaptersave.h"
#include "core/services/messages.h"
#include "platform/f1help.h"
#include "platform/filedialogs.h"
#include "platform/look.h"
#include "platform/modal.h"
#include "preview/richedit.h"
#include "ui/authoring/chpedhyp.h"
#include "ui/authoring/colourlist.h"
#include "ui/authoring/gettextform.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

namespace {

const int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 24, 36, 48, 72};

QPushButton* toggleButton(const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setCheckable(true);
    button->setAutoDefault(false); // Enter in the text or a box never toggles a style
    button->setFixedSize(28, 24);
    return button;
}

} // namespace

TChapEditForm::TChapEditForm(QWidget* parent)
    : QDialog(parent), ToolPnl(new QFrame(this)), FontNameCombo(new QComboBox(ToolPnl)),
      sizeCombo(new QComboBox(ToolPnl)), ColorCombo(new ColourCombo(ToolPnl)),
      BtnB(toggleButton(tr("B"), ToolPnl)), BtnI(toggleButton(tr("I"), ToolPnl)),
      BtnH(toggleButton(tr("H"), ToolPnl)),
      AllBtn(new QPushButton(tr("Select All &Text"), ToolPnl)),
      ImportBtn(new QPushButton(tr("&Open File"), ToolPnl)), RichEdit1(new TRichEdit(this)),
      BottomPnl(new QFrame(this)), Label1(new QLabel(tr("File :"), BottomPnl)),
      Label2(new QLabel(BottomPnl)), Button1(new QPushButton(tr("Define HyperText"), BottomPnl)),
      SaveasBtn(new QPushButton(tr("Save C&hapter"), BottomPnl)),
      OKBtn(new QPushButton(tr("&Close"), BottomPnl))
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
    resize(640, 480);

    // New text starts in MS Sans Serif 10 points, black, no style.
    RichEdit1->document()->setDefaultFont(QFont(QStringLiteral("MS Sans Serif"), 10));
    QTextCharFormat start;
    start.setFontFamilies({QStringLiteral("MS Sans Serif")});
    start.setFontPointSize(10);
    start.setForeground(QColor(Qt::black));
    RichEdit1->setCurrentCharFormat(start);
    RichEdit1->setModified(false);
    connectCommands();
    ShowSelectionAttributes();
}

void TChapEditForm::buildToolStrip()
{
    PaintBackground(ToolPnl, kTeal, Qt::white);
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    FontNameCombo->addItems(families);
    FontNameCombo->setEditable(true);
    FontNameCombo->setInsertPolicy(QComboBox::NoInsert);
    FontNameCombo->setMinimumWidth(150);
    sizeCombo->setEditable(true);
    sizeCombo->setInsertPolicy(QComboBox::NoInsert);
    for (int size : kSizes)
        sizeCombo->addItem(QString::number(size));
    sizeCombo->setFixedWidth(56);
    ColorCombo->setFixedWidth(64);

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
    grid->addWidget(label(tr("HyperText")), 0, 4);
    grid->addWidget(BtnH, 1, 4);
    grid->addWidget(AllBtn, 1, 5);
    grid->addWidget(ImportBtn, 1, 6);
    grid->setColumnStretch(7, 1);
    QFont bold = BtnB->font();
    bold.setBold(true);
    BtnB->setFont(bold);
    QFont italic = BtnI->font();
    italic.setItalic(true);
    BtnI->setFont(italic);
    QFont underline = BtnH->font();
    underline.setUnderline(true);
    BtnH->setFont(underline);
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
    layout->addStretch();
    layout->addWidget(Button1);
    layout->addWidget(SaveasBtn);
    layout->addWidget(OKBtn);
}

void TChapEditForm::connectCommands()
{
    const auto back = [this] { RichEdit1->setFocus(); };
    connect(RichEdit1, &QTextEdit::cursorPositionChanged, this,
            &TChapEditForm::ShowSelectionAttributes);
    connect(RichEdit1, &QTextEdit::selectionChanged, this, &TChapEditForm::ShowSelectionAttributes);
    const auto style = [this, back](QPushButton* button,
                                    const std::function<void(QTextCharFormat&, bool)>& set) {
        connect(button, &QPushButton::toggled, this, [this, set, back](bool down) {
            if (!m_showing)
                applyFormat([&](QTextCharFormat& f) { set(f, down); });
            back();
        });
    };
    style(BtnB, [](QTextCharFormat& f, bool down) {
        f.setFontWeight(down ? QFont::Bold : QFont::Normal);
    });
    style(BtnI, [](QTextCharFormat& f, bool down) { f.setFontItalic(down); });
    style(BtnH, [](QTextCharFormat& f, bool down) { f.setFontUnderline(down); });
    connect(FontNameCombo, &QComboBox::activated, this, [this, back](int index) {
        applyFamily(FontNameCombo->itemText(index));
        back();
    });
    // A family typed into the box counts when it is one of the list's, in any letter case.
    connect(FontNameCombo->lineEdit(), &QLineEdit::returnPressed, this, [this, back] {
        const int index =
            FontNameCombo->findText(FontNameCombo->currentText(), Qt::MatchFixedString);
        if (index >= 0)
            applyFamily(FontNameCombo->itemText(index));
        back();
    });
    connect(sizeCombo, &QComboBox::activated, this, [this, back](int index) {
        applySize(sizeCombo->itemText(index));
        back();
    });
    connect(sizeCombo->lineEdit(), &QLineEdit::returnPressed, this, [this, back] {
        applySize(sizeCombo->currentText());
        back();
    });
    connect(ColorCombo, &QComboBox::activated, this, [this, back](int index) {
        const QColor colour = ColorCombo->colourAt(index);
        applyFormat([&](QTextCharFormat& f) {
            if (colour.isValid())
                f.setForeground(colour);
            else
                f.clearForeground();
        });
        back();
    });
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
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TChapEditForm::applyFormat(const std::function<void(QTextCharFormat&)>& change)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QTextCursor cursor = RichEdit1->textCursor();
    if (!cursor.hasSelection()) {
        QTextCharFormat format = RichEdit1->currentCharFormat();
        change(format);
        RichEdit1->setCurrentCharFormat(format);
    } else {
        // Each run keeps its own other attributes; only the one asked for changes.
        const int start = cursor.selectionStart();
        const int end = cursor.selectionEnd();
        QList<std::pair<QTextCursor, QTextCharFormat>> runs;
        for (QTextBlock block = RichEdit1->document()->findBlock(start);
             block.isValid() && block.position() < end; block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                const int from = std::max(start, fragment.position());
                const int to = std::min(end, fragment.position() + fragment.length());
                if (from >= to)
                    continue;
                QTextCursor run(RichEdit1->document());
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
    ShowSelectionAttributes();
}

void TChapEditForm::applySize(const QString& text)
{
    // A size that is not a whole number of points from 1 to 999 sets 10 points.
    bool isNumber = false;
    int size = text.trimmed().toInt(&isNumber);
    if (!isNumber || size < 1 || size > 999)
        size = 10;
    applyFormat([size](QTextCharFormat& f) { f.setFontPointSize(size); });
    ShowSelectionAttributes();
}

void TChapEditForm::applyFamily(const QString& family)
{
    applyFormat([&family](QTextCharFormat& f) { f.setFontFamilies({family}); });
}

void TChapEditForm::ShowSelectionAttributes()
{
    m_showing = true;
    const SelectionAttributes a = RichEdit1->selectionAttributes();
    BtnB->setChecked(a.bold.value_or(false));
    BtnI->setChecked(a.italic.value_or(false));
    BtnH->setChecked(a.underline.value_or(false));
    FontNameCombo->setCurrentIndex(a.family ? FontNameCombo->findText(*a.family) : -1);
    sizeCombo->setCurrentIndex(-1);
    sizeCombo->setEditText(a.pointSize ? QString::number(*a.pointSize) : QString());
    sizeCombo->lineEdit()->setModified(false);
    ColorCombo->setCurrentIndex(a.colour ? ColorCombo->indexOfColour(*a.colour) : -1);
    m_showing = false;
}

void TChapEditForm::ImportBtnClick()
{
    // Another file replaces the text: changes are not dropped without asking, as on closing.
    if (RichEdit1->modified() &&
        !Confirm(QStringLiteral("The file has been changed.\n\r\n\rOpen another file anyway?")))
        return;
    FileChoice choice;
    choice.title = tr("Select a Text File");
    choice.folder = QDir::currentPath();
    choice.filter =
        QStringLiteral("Text Files  (*.TXT,*.QLF,*.RTF)|*.TXT;*.QLF;*.RTF|All Files  (*.*)|*.*");
    const QString picked = fileDialogs().openFile(this, choice);
    if (picked.isEmpty())
        return;
    RichEdit1->loadFile(picked);
    m_fileName = picked;
    Label2->setText(QFileInfo(picked).fileName());
    RichEdit1->setModified(false);
    ShowSelectionAttributes();
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
    RichEdit1->saveFile(*name);
    Label2->setText(*name);
    ShowInfo(*name + QStringLiteral(" has been saved."));
    RichEdit1->setModified(false);
    m_fileName = *name;
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
        !Confirm(QStringLiteral("The file has been changed.\n\r\n\rClose anyway?"))) {
        RichEdit1->setFocus();
        return;
    }
    QDialog::done(result);
}

void OpenChapterEditor(QWidget* parent)
{
    TChapEditForm editor(parent);
    RunModal(editor);
}
