// TChapEditForm (module chpeditF): the chapter editor, where the author writes and formats a
// chapter and marks its HyperText phrases by underlining them.
#pragma once

#include <QDialog>
#include <QElapsedTimer>

class ColourCombo;
class QCheckBox;
class EditorSpelling;
class QComboBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class TRichEdit;
class TextFormatControls;

class TChapEditForm : public QDialog
{
    Q_OBJECT

public:
    // Words are spelt in `bookLanguage` where the text marks none (the author's language when
    // it is empty).
    explicit TChapEditForm(QWidget* parent = nullptr, const QString& bookLanguage = {});

    QString currentFileName() const { return m_fileName; }

    // Opens the chapter file with the text from `position` for `length` selected, once read.
    void openAt(const QString& file, qsizetype position, qsizetype length);

    // Takes the text of a recovery copy: the chapter's name and its unsaved text.
    void recover(const QString& chapter, const QByteArray& rtf);

    // How soon after a change the recovery copy is written.
    static inline int RecoveryDelayMs = 20000;

    // The toolbar's view of the selection.
    void ShowSelectionAttributes();

    QFrame* ToolPnl;
    TRichEdit* RichEdit1;

private:
    TextFormatControls* m_format; // before the controls it makes, which are initialised from it

public:
    QComboBox* FontNameCombo;
    QComboBox* sizeCombo;
    ColourCombo* ColorCombo;
    QPushButton* BtnB;
    QPushButton* BtnI;
    QPushButton* BtnH;
    QPushButton* AllBtn;
    QPushButton* ImportBtn;
    QFrame* BottomPnl;
    QLabel* Label1;
    QLabel* Label2;
    QProgressBar* ReadBar; // how much of a large file is read, once it takes a while
    QPushButton* Button1;
    QPushButton* SaveasBtn;
    QPushButton* OKBtn;
    QLabel* StatusLine;       // the chapter's words and characters, and the selection's
    EditorSpelling* Spelling; // marks the words spelt wrong and offers their spellings
    QCheckBox* SpellBox;

public slots:
    void done(int result) override;

private:
    void buildToolStrip();
    void buildBottomStrip();
    void connectCommands();
    void ImportBtnClick();
    void importChapter(const QString& path);
    static bool isChapterOfTheBook(const QString& path);
    void forgetNameOnceEmptied();
    void showReading(int percent);
    void enableEditing(bool enabled);
    void textRead();
    void SaveasBtnClick();
    bool mayReplace(const QString& name) const;
    void Button1Click();
    void showCounts();
    void keepRecoveryCopy();
    void dropRecoveryCopy();

    QString m_fileName;
    QElapsedTimer m_readClock;
    QTimer* m_countLater;        // counts once typing pauses, not at every key
    QTimer* m_recoverLater;      // keeps the recovery copy at most RecoveryDelayMs behind
    QString m_book;              // the book's folder, where the editor opened
    QString m_copyChapter;       // the chapter name the recovery copy was kept under
    qsizetype m_selectFrom = -1; // what openAt selects once the text is read
    qsizetype m_selectLength = 0;
    bool m_importUnsaved = false; // the file being read is not a chapter of the book
};

// Shows the chapter editor modally.
void OpenChapterEditor(QWidget* parent, const QString& bookLanguage = {});

// Shows the chapter editor modally on a chapter file, a place in it selected.
void OpenChapterEditorAt(QWidget* parent, const QString& file, qsizetype position, qsizetype length,
                         const QString& bookLanguage = {});

// Offers back, one by one, the unsaved chapter texts that recovery copies hold for the book of
// the current folder; a text taken back opens in the chapter editor, a text declined is dropped.
void OfferRecoveredChapters(QWidget* parent, const QString& bookLanguage = {});
