// Test doubles of the platform services: they record what the code asked and answer from scripts.
// All are strict (see strict.h).
#pragma once

#include "messagerecorder.h"

#include "platform/documents.h"
#include "platform/filedialogs.h"
#include "platform/help.h"
#include "platform/media.h"
#include "platform/modal.h"
#include "platform/programs.h"
#include "platform/screen.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <functional>

// Receives each modal window in turn, checks its class, runs the script on it and returns the
// window's result. A window that was not scripted, or that the script leaves open, is rejected and
// fails the test; so does a script whose window never came.
class ScriptedModalRunner : public ModalRunner
{
public:
    ScriptedModalRunner() = default;
    ~ScriptedModalRunner() override;
    ScriptedModalRunner(const ScriptedModalRunner&) = delete;
    ScriptedModalRunner& operator=(const ScriptedModalRunner&) = delete;

    template <class Dialog> void expect(std::function<void(Dialog&)> script)
    {
        m_scripts.append({QString::fromLatin1(Dialog::staticMetaObject.className()),
                          [script](QDialog& d) { script(static_cast<Dialog&>(d)); }});
    }
    int run(QDialog& dialog) override;

    bool allUsed() const { return m_scripts.isEmpty(); }
    const QStringList& failures() const { return m_failures; }

private:
    void failure(const QString& what);

    struct Script
    {
        QString className;
        std::function<void(QDialog&)> run;
    };
    QList<Script> m_scripts;
    QStringList m_failures;
};

class ScriptedFileDialogs : public FileDialogs
{
public:
    // Paths returned by the next open or save questions; an empty path is a cancel.
    void answer(const QString& path) { m_paths.add(path); }
    // The next colour or font chosen; std::nullopt is a cancel.
    void answerColor(const std::optional<QColor>& colour) { m_colours.add(colour); }
    void answerFont(const std::optional<QFont>& font) { m_fonts.add(font); }
    const QList<FileChoice>& asked() const { return m_asked; }

    QString openFile(QWidget* parent, const FileChoice& choice) override;
    QString saveFile(QWidget* parent, const FileChoice& choice) override;
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override;
    std::optional<QFont> chooseFont(QWidget*, const QFont&) override;

private:
    AnswerScript<QString> m_paths{"file dialog"};
    AnswerScript<std::optional<QColor>> m_colours{"colour dialog"};
    AnswerScript<std::optional<QFont>> m_fonts{"font dialog"};
    QList<FileChoice> m_asked;
};

class HelpRecorder : public HelpService
{
public:
    void setHelpFile(const QString& path) override { m_file = path; }
    QString helpFile() const override { return m_file; }
    void showHelp(int context) override { m_contexts.add(context); }
    const QList<int>& contexts() { return m_contexts.read(); }

private:
    QString m_file;
    EventLog<int> m_contexts{"help contexts shown"};
};

class FixedScreen : public ScreenInfo
{
public:
    int colorDepth() const override { return depth; }
    QSize screenSize() const override { return size; }

    int depth = 24;
    QSize size{1024, 768};
};

class DocumentRecorder : public DocumentOpener
{
public:
    void open(const QString& file) override { m_opened.add(file); }
    const QStringList& opened() { return m_opened.read(); }

private:
    EventLog<QString> m_opened{"documents opened"};
};

// Media that makes no sound: it records what it was asked. A file named .AVI has a 160 x 120
// picture; "BROKEN" in a name cannot be opened.
class SilentMedia : public Media
{
public:
    int waveDeviceCount() const override { return waveDevices; }
    bool playWave(const QByteArray& wav, QString& error) override;
    std::unique_ptr<MediaDevice> open(const QString& file, QWidget* surfaceParent,
                                      QString& error) override;

    const QStringList& calls() { return m_calls.read(); }
    void clearCalls() { m_calls.clear(); }

    int waveDevices = 1;

private:
    EventLog<QString> m_calls{"media calls"};
};

class ProgramRecorder : public Programs
{
public:
    bool runAndWait(const QString& program, const QStringList& arguments,
                    const QString& workingDir) override
    {
        m_runs.add((QStringList{program} + arguments).join(QLatin1Char('|')));
        Q_UNUSED(workingDir);
        return starts;
    }
    const QStringList& runs() { return m_runs.read(); }

    bool starts = true; // false: every program fails to start

private:
    EventLog<QString> m_runs{"programs run"};
};

// Every double installed for the lifetime of one test, and the dialogs' Enter rule the programs
// install at start-up.
struct PlatformDoubles
{
    PlatformDoubles();

    MessageRecorder messages;
    ScriptedModalRunner modal;
    ScriptedFileDialogs files;
    HelpRecorder help;
    FixedScreen screen;
    DocumentRecorder documents;
    SilentMedia media;
    ProgramRecorder programs;

    ScopedService<MessageSlot, MessageBoxes> messagesGuard{messages};
    ScopedService<ModalSlot, ModalRunner> modalGuard{modal};
    ScopedService<FileDialogSlot, FileDialogs> filesGuard{files};
    ScopedService<HelpSlot, HelpService> helpGuard{help};
    ScopedService<ScreenSlot, ScreenInfo> screenGuard{screen};
    ScopedService<DocumentSlot, DocumentOpener> documentsGuard{documents};
    ScopedService<MediaDeviceSlot, Media> mediaGuard{media};
    ScopedService<ProgramSlot, Programs> programsGuard{programs};
};
