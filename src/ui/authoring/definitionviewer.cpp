// The HyperText definition viewers.
#include "ui/authoring/definitionviewer.h"

#include "platform/f1help.h"
#include "preview/richedit.h"
#include "ui/authoring/linkdefiner.h"

#include <QFrame>
#include <QPushButton>
#include <QVBoxLayout>

TDefinitionViewer::TDefinitionViewer(const char* className, int helpContext, const QByteArray& rtf,
                                     QWidget* parent)
    : QDialog(parent), RichEdit1(new TRichEdit(this)), BottomPnl(new QFrame(this)),
      CloseBtn(new QPushButton(tr("&Close"), BottomPnl))
{
    setObjectName(QString::fromLatin1(className));
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, helpContext);
    RichEdit1->setReadOnly(true);
    RichEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    RichEdit1->loadContent(rtf);
    BottomPnl->setFixedHeight(40);
    CloseBtn->resize(90, 28);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(RichEdit1, 1);
    layout->addWidget(BottomPnl);
    resize(640, 480);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(RichEdit1, &TRichEdit::pressedAt, this,
            [this](Qt::MouseButton) { RichEdit1MouseDown(); });
}

void TDefinitionViewer::RichEdit1MouseDown()
{
    const QString phrase = RichEdit1->HyperPhraseAt();
    if (!phrase.isEmpty())
        LinkDefinerSlot::get().define(phrase);
}

void TDefinitionViewer::centreButton()
{
    CloseBtn->move(BottomPnl->width() / 2 - CloseBtn->width() / 2,
                   (BottomPnl->height() - CloseBtn->height()) / 2);
}

void TDefinitionViewer::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreButton();
}

void TDefinitionViewer::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    centreButton();
}
