// The media player window (module Hmediaf).
#include "preview/mediaplayform.h"

#include "core/files/projectpath.h"
#include "core/services/messages.h"
#include "platform/media.h"
#include "platform/modal.h"

#include <QFileInfo>
#include <QFrame>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {
constexpr int kBevelTop = 48;
}

TMediaPlayForm::TMediaPlayForm(const QString& file, const QString& prompt, QWidget* parent)
    : QDialog(parent), PlayBtn(new QPushButton(tr("Play"), this)),
      PauseBtn(new QPushButton(tr("Pause"), this)), StopBtn(new QPushButton(tr("Stop"), this)),
      PrevBtn(new QPushButton(tr("Prev"), this)), Gauge1(new QProgressBar(this)),
      Bevel1(new QFrame(this)), Timer1(new QTimer(this)), m_file(file)
{
    setObjectName(QStringLiteral("TMediaPlayForm"));
    setWindowTitle(prompt);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    int x = 8;
    for (QPushButton* button : {PlayBtn, PauseBtn, StopBtn, PrevBtn}) {
        button->setGeometry(x, 8, 56, 26);
        x += 58;
    }
    Gauge1->setGeometry(x + 4, 12, 338 - x - 12, 18);
    Gauge1->setTextVisible(false);
    Gauge1->setValue(0);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(8, kBevelTop, 322, 0);
    Bevel1->hide();
    resize(338, 70);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TMediaPlayForm::Timer1Timer);
    connect(PlayBtn, &QPushButton::clicked, this, [this] {
        if (m_device)
            m_device->play();
    });
    connect(PauseBtn, &QPushButton::clicked, this, [this] {
        if (m_device)
            m_device->pause();
    });
    connect(StopBtn, &QPushButton::clicked, this, [this] {
        if (m_device)
            m_device->stop();
    });
    connect(PrevBtn, &QPushButton::clicked, this, [this] {
        if (m_device) {
            m_device->stop();
            Gauge1->setValue(0);
        }
    });
}

TMediaPlayForm::~TMediaPlayForm() = default;

bool TMediaPlayForm::openDevice()
{
    QString error;
    m_device = media().open(QFileInfo(ResolveProjectName(m_file)).absoluteFilePath(), this, error);
    if (!m_device) {
        ShowError(QStringLiteral("The file %1 cannot be played: %2").arg(m_file, error));
        return false;
    }
    Gauge1->setMaximum(int(std::max<qint64>(1, m_device->length())));
    Gauge1->setValue(0);
    Timer1->start();
    if (QWidget* surface = m_device->videoSurface()) {
        const QSize video = m_device->videoSize();
        Bevel1->setGeometry(8, kBevelTop, video.width() + 8, video.height() + 8);
        Bevel1->show();
        surface->setGeometry(Bevel1->x() + 4, Bevel1->y() + 4, video.width(), video.height());
        surface->show();
        setFixedSize(std::max(338, Bevel1->geometry().right() + 9),
                     kBevelTop + Bevel1->height() + 8);
    } else {
        setFixedSize(338, kBevelTop); // only the button row: a tune
    }
    m_device->step();
    return true;
}

void TMediaPlayForm::Timer1Timer()
{
    if (m_device)
        Gauge1->setValue(int(m_device->position()));
}

void OpenMediaPlayer(const QString& file, const QString& prompt, QWidget* parent)
{
    TMediaPlayForm player(file, prompt, parent);
    if (player.openDevice())
        RunModal(player);
}
