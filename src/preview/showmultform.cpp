// The picture-and-sound show (module Hmltmedf).
#include "preview/showmultform.h"

#include "core/files/projectpath.h"
#include "core/pictures/commandvalue.h"
#include "core/pictures/pictures.h"
#include "core/services/messages.h"
#include "format/reader/showplan.h"
#include "platform/media.h"
#include "platform/modal.h"
#include "preview/mediaplayform.h"
#include "preview/readerscreen.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace {

bool isWave(const QString& name)
{
    return bookformat::IsWaveName(name.toUpper().toStdString());
}

QString projectPath(const QString& name)
{
    return QFileInfo(ResolveProjectName(name)).absoluteFilePath();
}

} // namespace

TShowMultForm::TShowMultForm(const QString& caption, const QImage& picture, const QString& sound,
                             int delayMs, QWidget* parent)
    : QDialog(parent), Image1(new StretchedPicture(this)), Timer1(new QTimer(this)),
      Timer2(new QTimer(this)), m_sound(sound)
{
    setObjectName(QStringLiteral("TShowMultForm"));
    setWindowTitle(caption);
    Image1->setPicture(picture);
    Image1->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Image1);
    PlaceOnDesignScreen(this);
    Timer1->setInterval(10);
    Timer1->setSingleShot(true);
    Timer2->setInterval(delayMs > 0 ? delayMs : 5000);
    connect(Timer1, &QTimer::timeout, this, &TShowMultForm::Timer1Timer);
    connect(Timer2, &QTimer::timeout, this, &TShowMultForm::Timer2Timer);
    if (delayMs > 0)
        Timer2->start();
}

TShowMultForm::~TShowMultForm() = default;

void TShowMultForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_sound.isEmpty())
        Timer1->start();
}

void TShowMultForm::Timer1Timer()
{
    Timer1->stop();
    if (isWave(m_sound)) {
        m_playing = true;
        PlayWave(m_sound);
        m_playing = false;
        if (m_closeAfterSound)
            accept();
        return;
    }
    QString error;
    m_midi = media().open(projectPath(m_sound), nullptr, error);
    if (m_midi)
        m_midi->play();
    else
        ShowError(QStringLiteral("The file %1 cannot be played: %2").arg(m_sound, error));
}

void TShowMultForm::Timer2Timer()
{
    Timer2->stop();
    // A picture show closes only after its sound has ended.
    if (m_playing)
        m_closeAfterSound = true;
    else
        accept();
}

void TShowMultForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TShowMultForm::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        reject();
    QDialog::mousePressEvent(event);
}

bool TShowMultForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
        reject();
    return QDialog::eventFilter(watched, event);
}

void PlayWave(const QString& fileName)
{
    QApplication::processEvents();
    if (media().waveDeviceCount() < 1)
        return;
    QFile file(ResolveProjectName(fileName));
    if (!file.open(QIODevice::ReadOnly)) {
        ShowError(QStringLiteral("The file ") + fileName + QStringLiteral(" is missing"));
        return;
    }
    QString error;
    if (!media().playWave(file.readAll(), error))
        ShowError(QStringLiteral("The file %1 cannot be played: %2").arg(fileName, error));
}

void ShowCommand(const QString& caption, const QString& value, const QString& mediaPrompt,
                 QWidget* parent)
{
    const bookformat::ShowPlan plan =
        bookformat::PlanShow(bookformat::ParseShowCommand(value.toStdString()));
    const auto missing = [](const std::string& file) {
        const QString name = QString::fromStdString(file);
        if (name.isEmpty() || QFileInfo::exists(ResolveProjectName(name)))
            return false;
        ShowError(QStringLiteral("The file ") + name + QStringLiteral(" is missing"));
        return true;
    };
    if (missing(plan.video) || missing(plan.picture) || missing(plan.sound))
        return;
    const QString sound = QString::fromStdString(plan.sound);
    switch (plan.mode) {
    case bookformat::ShowMode::Player:
        OpenMediaPlayer(QString::fromStdString(plan.video.empty() ? plan.sound : plan.video),
                        mediaPrompt, parent);
        return;
    case bookformat::ShowMode::Sound:
        PlayWave(sound);
        return;
    case bookformat::ShowMode::Picture:
        break;
    case bookformat::ShowMode::Nothing:
        return;
    }
    const LoadedPicture picture = LoadPicture(QString::fromStdString(plan.picture));
    if (picture.image.isNull()) {
        ShowError(picture.error);
        return;
    }
    TShowMultForm show(caption, picture.image, sound, plan.delayMs, parent);
    RunModal(show);
}
