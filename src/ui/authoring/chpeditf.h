// TChapEditForm: the chapter editor, where the author writes and formats a chapter and marks its
// HyperText phrases by underlining them.
#pragma once

#include <QDialog>

#include <functional>

class ColourCombo;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTextCharFormat;
class TRichEdit;

class TChapEditForm : public QDialog
{
    Q_OBJECT

public:
    explicit TChapEditForm(QWidget* parent = nullptr);

    QString currentFileName() const { return m_fileName; }

    // The toolbar's view of the selection.
    void ShowSelectionAttributes();

    QFrame* ToolPnl;
    QComboBox* FontNameCombo;
    QComboBox* sizeCombo;
    ColourCombo* ColorCombo;
    QPushButton* BtnB;
    QPushButton* BtnI;
    QPushButton* BtnH;
    QPushButton* AllBtn;
    QPushButton* ImportBtn;
    TRichEdit* RichEdit1;
    QFrame* BottomPnl;
    QLabel* Label1;
    QLabel* Label2;
    QPushButton* Button1;
    QPushButton* SaveasBtn;
    QPushButton* OKBtn;

public slots:
    void done(int result) override;

private:
    void buildToolStrip();
    void buildBottomStrip();
    void connectCommands();
    void applyFormat(const std::function<void(QTextCharFormat&)>& change);
    void applySize(const QString& text);
    void applyFamily(const QString& family);
    void ImportBtnClick();
    void SaveasBtnClick();
    void Button1Click();

    QString m_fileName;
    bool m_showing = false; // the toolbar is being set from the selection
};

// Shows the chapter editor modally.
void OpenChapterEditor(QWidget* parent);
