// Tbookmainform (module bmmain): the tool's main window. It owns the working state of the open
// project, lets the author create or choose an e-book, and starts every other function from its
// menu panel.
#pragma once

#include "core/project/workingstate.h"
#include "core/services/service.h"
#include "preview/mediaactions.h"
#include "ui/authoring/hypmenuform.h"
#include "ui/chapters/chapterhooks.h"
#include "ui/chapters/previewwindows.h"

#include <QWidget>

#include <functional>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;
class TwiaTile;

class Tbookmainform : public QWidget
{
    Q_OBJECT

public:
    explicit Tbookmainform(QWidget* parent = nullptr);
    ~Tbookmainform() override;

    WorkingState& state() { return m_state; }
    bool lowColour() const { return m_lowColour; }

    // Enables the buttons for what the open project has, and shows its name.
    void UpdateButtons();
    // The deferred start-up step: the low-colour warning, then the menu panel.
    void Timer1Timer();
    // Opens the project file given on the command line, as Select an E-Book would.
    void OpenProjectFile(const QString& path);

    TwiaTile* wiaTile2;
    QFrame* MenuPnl;
    QLabel* TitlePnl;
    QPushButton* SelectBtn;
    QPushButton* StartBtn;
    QGroupBox* CreateBookGrp;
    QPushButton* EditBtn;
    QPushButton* AddBtn;
    QPushButton* ViewBtn;
    QPushButton* DeleteBtn;
    QGroupBox* CreateProgramGrp;
    QPushButton* PreviewBtn;
    QPushButton* ExecBtn;
    QPushButton* DistribBtn;
    QPushButton* FindBtn;
    QGroupBox* CustomizeGrp;
    QPushButton* CustChapBtn;
    QPushButton* CustBookBtn;
    QPushButton* HypTextBtn;
    QPushButton* ReorgBtn;
    QGroupBox* HelpGrp;
    QPushButton* AboutBtn;
    QPushButton* HelpBtn;
    QPushButton* TutBtn;
    QPushButton* QuitBtn;
    QLabel* waitpnl;
    QFrame* StatusPnl;
    QLabel* HintLbl;
    QFrame* ProjectPnl;
    QLabel* ProjectLbl;
    QLabel* InfoPnl;
    QTimer* Timer1;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    enum class FocusAfter
    {
        Self,
        AddElseSelect,
        DeleteElseAdd,
        Unchanged
    };

    // bmmain.cpp: the window and its controls
    void FormCreate();
    void buildWindow();
    void buildMenuPanel();
    QGroupBox* buildGroup(const QString& title, const QList<QPushButton*>& buttons, QRect geometry);
    QPushButton* makeButton(const QString& caption, int helpContext, bool hinted);
    void centrePanels();

    // bmmain_actions.cpp: the action frame and the Help group
    void wireActions();
    void onClick(QPushButton* button, std::function<void()> action, bool refresh, FocusAfter focus);
    void runAction(QPushButton* button, const std::function<void()>& action, bool refresh,
                   FocusAfter focus);
    void focusAfter(QPushButton* button, FocusAfter rule);
    void ShowProgramAbout();
    void ConfigureProgramPresentation();

    // bmmain_project.cpp: choosing and creating a project
    void ChooseProject();
    void openProjectFile(const QString& picked);
    void CreateProject();
    void openWithRollback(const std::function<void()>& open);

    void PreviewBook();

    WorkingState m_state;
    bool m_lowColour = false;
    PreviewChapterWindows m_chapterWindows;
    ScopedService<ChapterWindowsSlot, ChapterWindows> m_chapterWindowsInstalled{m_chapterWindows};
    QString m_lastProjectDir; // where "Select an E-Book" looks when no project is open
    LinkDialogDefiner m_linkDefiner{m_state};
    ScopedService<LinkDefinerSlot, LinkDefiner> m_linkDefinerInstalled{m_linkDefiner};
    BookMediaActions m_media;
    ScopedService<MediaSlot, MediaActions> m_mediaInstalled{m_media};
};
