// ThypeditForm: shows the chapter editor's current text read-only; a click on an underlined
// phrase opens the link definition for that phrase.
#pragma once

#include <QDialog>

class QFrame;
class QPushButton;
class TRichEdit;

class ThypeditForm : public QDialog
{
    Q_OBJECT

public:
    ThypeditForm(const QByteArray& rtf, QWidget* parent = nullptr);

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
