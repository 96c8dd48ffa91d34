// The tutorial window (module tutdispF).
#include "ui/authoring/tutorialform.h"

#include "core/services/messages.h"
#include "platform/finddialog.h"
#include "platform/modal.h"
#include "platform/printing.h"
#include "preview/richedit.h"

#include <QFileInfo>
#include <QMenuBar>
#include <QVBoxLayout>

TTutorialForm::TTutorialForm(const QString& path, QWidget* parent)
    : QDialog(parent), MainMenu(new QMenuBar(this)), RichEdit1(new TRichEdit(this)), m_path(path)
{
    setObjectName(QStringLiteral("TTutorialForm"));
    setWindowTitle(path);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    RichEdit1->setReadOnly(true);
    RichEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    RichEdit1->loadFile(path);
    // The selection stays visible when the window loses the focus.
    QPalette palette = RichEdit1->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    RichEdit1->setPalette(palette);

    MainMenu->addAction(tr("&Quit"), this, &QDialog::accept);
    MainMenu->addAction(tr("&Find"), this, &TTutorialForm::FindClick);
    QMenu* print = MainMenu->addMenu(tr("&Print"));
    print->addAction(tr("&Print"), this, &TTutorialForm::PrintClick);
    print->addAction(tr("Printer &Setup"), this, [this] { printing().printerSetup(this); });

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(MainMenu);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(RichEdit1);
    resize(640, 480);
}

void TTutorialForm::FindClick()
{
    if (!FindDialog1) {
        FindDialog1 = new TFindDialog(TFindDialog::Find, QString(), this);
        connect(FindDialog1, &TFindDialog::findNext, this,
                [this] { RichEdit1->findNext(FindDialog1->findText()); });
    }
    FindDialog1->takeShortSelection(RichEdit1->textCursor().selectedText());
    FindDialog1->show();
    FindDialog1->raise();
}

void TTutorialForm::PrintClick()
{
    printing().printDocument(this, *RichEdit1->document(), m_path);
}

void ShowTutorial(const QString& programDir, QWidget* parent)
{
    const QString path = programDir + QStringLiteral("KESTRIN.RTF");
    if (!QFileInfo::exists(path)) {
        ShowError(QStringLiteral("The Tutorial file ") + path + QStringLiteral(" was not found"));
        return;
    }
    TTutorialForm tutorial(path, parent);
    RunModal(tutorial);
}
