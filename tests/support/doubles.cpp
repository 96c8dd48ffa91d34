// Test doubles of the platform services.
#include "doubles.h"

#include <QFileInfo>
#include <QWidget>

MessageAnswer MessageRecorder::show(MessageKind kind, const QString& text)
{
    m_shown.append({kind, text});
    switch (kind) {
    case MessageKind::Confirm:
    case MessageKind::YesNoCancel:
    case MessageKind::YesNoHelp:
        return m_answers.isEmpty() ? MessageAnswer::No : m_answers.takeFirst();
    default:
        return MessageAnswer::Ok;
    }
}

QStringList MessageRecorder::texts() const
{
    QStringList all;
    for (const Shown& shown : m_shown)
        all << shown.text;
    return all;
}

int ScriptedModalRunner::run(QDialog& dialog)
{
    const QString className = QString::fromLatin1(dialog.metaObject()->className());
    if (m_scripts.isEmpty()) {
        m_failures << QStringLiteral("unexpected window %1").arg(className);
        return QDialog::Rejected;
    }
    const Script script = m_scripts.takeFirst();
    if (script.className != className) {
        m_failures << QStringLiteral("expected %1, got %2").arg(script.className, className);
        return QDialog::Rejected;
    }
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    script.run(dialog);
    if (dialog.isVisible()) {
        m_failures << QStringLiteral("%1 was left open").arg(className);
        dialog.reject();
    }
    return dialog.result();
}

QString ScriptedFileDialogs::openFile(QWidget*, const FileChoice& choice)
{
    m_asked.append(choice);
    return m_paths.isEmpty() ? QString() : m_paths.takeFirst();
}

QString ScriptedFileDialogs::saveFile(QWidget*, const FileChoice& choice)
{
    m_asked.append(choice);
    return m_paths.isEmpty() ? QString() : m_paths.takeFirst();
}

namespace {

class SilentDevice : public MediaDevice
{
public:
    SilentDevice(QStringList& calls, bool video, QWidget* surfaceParent)
        : m_calls(calls), m_surface(video && surfaceParent ? new QWidget(surfaceParent) : nullptr)
    {
    }
    void play() override { m_calls << QStringLiteral("play"); }
    void pause() override { m_calls << QStringLiteral("pause"); }
    void stop() override { m_calls << QStringLiteral("stop"); }
    void step() override { m_calls << QStringLiteral("step"); }
    qint64 position() const override { return 500; }
    qint64 length() const override { return 2000; }
    bool hasVideo() const override { return m_surface != nullptr; }
    QSize videoSize() const override { return {160, 120}; }
    QWidget* videoSurface() override { return m_surface; }

private:
    QStringList& m_calls;
    QWidget* m_surface;
};

} // namespace

bool SilentMedia::playWave(const QByteArray& wav, QString& error)
{
    calls << QStringLiteral("wave %1 bytes").arg(wav.size());
    if (!wav.startsWith("RIFF")) {
        error = QStringLiteral("not a WAV sound");
        return false;
    }
    return true;
}

std::unique_ptr<MediaDevice> SilentMedia::open(const QString& file, QWidget* surfaceParent, QString& error)
{
    const QString name = QFileInfo(file).fileName();
    calls << QStringLiteral("open ") + name;
    if (name.contains(QLatin1String("BROKEN"), Qt::CaseInsensitive)) {
        error = QStringLiteral("not a media file");
        return nullptr;
    }
    return std::make_unique<SilentDevice>(calls, name.endsWith(QLatin1String(".AVI"), Qt::CaseInsensitive),
                                          surfaceParent);
}
