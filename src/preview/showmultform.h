// The picture-and-sound show (module Hmltmedf): a picture for a time, with a sound that starts once
// it is shown; and ShowCommand, which turns a command value into a show, a sound, or the media
// player.
#pragma once

#include <QDialog>

#include <memory>

class MediaDevice;
class QTimer;
class StretchedPicture;

class TShowMultForm : public QDialog
{
    Q_OBJECT

public:
    // `delayMs` 0 keeps the show until the reader closes it.
    TShowMultForm(const QString& caption, const QImage& picture, const QString& sound, int delayMs,
                  QWidget* parent = nullptr);
    ~TShowMultForm() override;

    void Timer1Timer(); // starts the sound
    void Timer2Timer(); // ends the show

    StretchedPicture* Image1;
    QTimer* Timer1;
    QTimer* Timer2;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_sound;
    std::unique_ptr<MediaDevice> m_midi; // a MIDI sound plays on while the show is open
    bool m_playing = false;
    bool m_closeAfterSound = false;
};

// Plays a WAV file to its end when the machine has a sound output; a file that cannot be played
// is reported.
void PlayWave(const QString& fileName);

// The show for command types 2, 3, 6, 7 and 8.
void ShowCommand(const QString& caption, const QString& value, const QString& mediaPrompt,
                 QWidget* parent);
