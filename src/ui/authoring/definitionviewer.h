// What both HyperText definition viewers are: a chapter's text shown read-only over a strip with
// a centred Close button; a press on an underlined phrase opens the link dialog for it, and the
// viewer stays open so that phrase after phrase can be defined.
#pragma once

#include <QDialog>

class QFrame;
class QPushButton;
class TRichEdit;

class TDefinitionViewer : public QDialog
{
    Q_OBJECT

public:
    TDefinitionViewer(const char* className, int helpContext, const QByteArray& rtf,
                      QWidget* parent);

    // The press in the text: defines the phrase under the caret, if there is one.
    void RichEdit1MouseDown();

    TRichEdit* RichEdit1;
    QFrame* BottomPnl;
    QPushButton* CloseBtn;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void centreButton();
};
