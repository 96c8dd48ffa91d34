// Test doubles of the platform services: they record what the code asked and answer from scripts.
#pragma once

#include "platform/documents.h"
#include "platform/filedialogs.h"
#include "platform/help.h"
#include "platform/messages.h"
#include "platform/media.h"
#include "platform/modal.h"
#include "platform/programs.h"
#include "platform/screen.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <functional>

class MessageRecorder : public MessageBoxes
{
public:
    struct Shown
    {
        MessageKind kind;
        QString text;
    };

    MessageAnswer show(MessageKind kind, const QString& text) override;

    // Answers given to questions in order; a question without a scripted answer gets No.
    void answer(MessageAnswer next) { m_answers.append(next); }
    QStringList texts() const;
    const QList<Shown>& shown() const { return m_shown; }
    void clear() { m_shown.clear(); }

private:
    QList<Shown> m_shown;
    QList<MessageAnswer> m_answers;
};

// Receives each modal window in turn, checks its class, runs the script on it and returns the
// window's result. A window the script leaves open is rejected and noted as a failure.
class ScriptedModalRunner : public ModalRunner
{
public:
    template <class Dialog>
    void expect(std::function<void(Dialog&)> script)
    {
        m_scripts.append({QString::fromLatin1(Dialog::staticMetaObject.className()),
                          [script](QDialog& d) { script(static_cast<Dialog&>(d)); }});
    }
    int run(QDialog& dialog) override;

    bool allUsed() const { return m_scripts.isEmpty(); }
    const QStringList& failures() const { return m_failures; }

private:
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
    void answer(const QString& path) { m_paths.append(path); }
    const QList<FileChoice>& asked() const { return m_asked; }

    QString openFile(QWidget* parent, const FileChoice& choice) override;
    QString saveFile(QWidget* parent, const FileChoice& choice) override;
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return std::nullopt; }
    std::optional<QFont> chooseFont(QWidget*, const QFont&) override { return std::nullopt; }

private:
    QList<QString> m_paths;
    QList<FileChoice> m_asked;
};

class HelpRecorder : public HelpService
{
public:
    void setHelpFile(const QString& path) override { m_file = path; }
    QString helpFile() const override { return m_file; }
    void showHelp(int context) override { contexts.append(context); }

    QList<int> contexts;

private:
    QString m_file;
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
    void open(const QString& file) override { opened.append(file); }
    QStringList opened;
};

// Media that makes no sound: it records what it was asked. A file named .AVI has a 160 x 120
// picture; "BROKEN" in a name cannot be opened.
class SilentMedia : public Media
{
public:
    int waveDeviceCount() const override { return waveDevices; }
    bool playWave(const QByteArray& wav, QString& error) override;
    std::unique_ptr<MediaDevice> open(const QString& file, QWidget* surfaceParent, QString& error) override;

    int waveDevices = 1;
    QStringList calls;
};

class ProgramRecorder : public Programs
{
public:
    bool runAndWait(const QString& program, const QStringList& arguments, const QString& workingDir) override
    {
        runs << (QStringList{program} + arguments).join(QLatin1Char('|'));
        Q_UNUSED(workingDir);
        return true;
    }
    QStringList runs;
};

// Every double installed for the lifetime of one test.
struct PlatformDoubles
{
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
