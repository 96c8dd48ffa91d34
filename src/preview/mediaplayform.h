// TMediaPlayForm (module Hmediaf): the small media player for a video or a MIDI tune.
#pragma once

#include <QDialog>

#include <memory>

class MediaDevice;
class QFrame;
class QProgressBar;
class QPushButton;
class QTimer;

class TMediaPlayForm : public QDialog
{
    Q_OBJECT

public:
    TMediaPlayForm(const QString& file, const QString& prompt, QWidget* parent = nullptr);
    ~TMediaPlayForm() override;

    // Opens the device and lays the window out for it; false (with a message) when it cannot.
    bool openDevice();
    void Timer1Timer();

    QPushButton* PlayBtn;
    QPushButton* PauseBtn;
    QPushButton* StopBtn;
    QPushButton* PrevBtn;
    QProgressBar* Gauge1;
    QFrame* Bevel1;
    QTimer* Timer1;
    MediaDevice* device() const { return m_device.get(); }

private:
    QString m_file;
    std::unique_ptr<MediaDevice> m_device;
};

// Opens the player on a file of the project directory, modally.
void OpenMediaPlayer(const QString& file, const QString& prompt, QWidget* parent = nullptr);
