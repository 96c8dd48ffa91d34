// The shows and programs a book starts: pictures, sounds, video and MIDI, and programs. The media
// part of the tool installs them; until then these requests do nothing.
#pragma once

#include "core/project/codes.h"
#include "core/services/service.h"

#include <QSet>
#include <QString>
#include <QStringList>

class QWidget;

class MediaActions
{
public:
    virtual ~MediaActions() = default;
    // Types 2, 3, 6, 7 and 8: the command value names pictures, a sound, a video or a tune.
    virtual void showCommand(QWidget* parent, const QString& caption, const QString& value) = 0;
    // An executable program runs with its parameters, a Windows program with a document.
    virtual void runProgram(QWidget* parent, HyperTextType mode, const QString& value) = 0;
};

class NoMediaActions : public MediaActions
{
public:
    void showCommand(QWidget*, const QString&, const QString&) override {}
    void runProgram(QWidget*, HyperTextType, const QString&) override {}
};

using MediaSlot = ServiceSlot<MediaActions, NoMediaActions>;

// The program-wide current HyperText phrase: the caption of shows and text pop-ups.
QString& CurrentHyperPhrase();

// The shows and programs of a book, for the book in the current directory: in the tool's preview
// and in the reader runtime alike. Before a program starts, the reader is asked, showing the
// program as found and its whole argument list; a Yes covers that exact command for the rest of
// the playing, and nothing else.
class BookMediaActions : public MediaActions
{
public:
    // `mediaPrompt` is the caption of the media player, kept up to date by its owner.
    explicit BookMediaActions(const QString& mediaPrompt) : m_mediaPrompt(mediaPrompt) {}
    void showCommand(QWidget* parent, const QString& caption, const QString& value) override;
    void runProgram(QWidget* parent, HyperTextType mode, const QString& value) override;

private:
    const QString& m_mediaPrompt;
    QSet<QStringList> m_allowed; // program followed by its arguments
};
