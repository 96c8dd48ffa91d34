// Test doubles of the platform services.
#include "doubles.h"

#include "platform/dialogdefaults.h"

#include <QApplication>
#include <QFileInfo>
#include <QWidget>

using namespace Qt::StringLiterals;

ScriptedModalRunner::~ScriptedModalRunner()
{
    for (const Script& script : m_scripts)
        strict::fail(u"scripted window %1 never came"_s.arg(script.className));
}

void ScriptedModalRunner::failure(const QString& what)
{
    m_failures << what;
    strict::fail(what);
}

int ScriptedModalRunner::run(QDialog& dialog)
{
    const QString className = QString::fromLatin1(dialog.metaObject()->className());
    if (m_scripts.isEmpty()) {
        failure(u"unexpected window %1"_s.arg(className));
        return QDialog::Rejected;
    }
    const Script script = m_scripts.takeFirst();
    if (script.className != className) {
        failure(u"expected window %1, got %2"_s.arg(script.className, className));
        return QDialog::Rejected;
    }
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    script.run(dialog);
    if (dialog.isVisible()) {
        failure(u"%1 was left open"_s.arg(className));
        dialog.reject();
    }
    return dialog.result();
}

QString ScriptedFileDialogs::openFile(QWidget*, const FileChoice& choice)
{
    m_asked.append(choice);
    return m_paths.next(u"open "_s + choice.title, QString());
}

QString ScriptedFileDialogs::saveFile(QWidget*, const FileChoice& choice)
{
    m_asked.append(choice);
    return m_paths.next(u"save "_s + choice.title, QString());
}

std::optional<QColor> ScriptedFileDialogs::chooseColor(QWidget*, const QColor& initial)
{
    return m_colours.next(initial.name(), std::nullopt);
}

std::optional<QFont> ScriptedFileDialogs::chooseFont(QWidget*, const QFont& initial)
{
    return m_fonts.next(initial.toString(), std::nullopt);
}

namespace {

class SilentDevice : public MediaDevice
{
public:
    SilentDevice(EventLog<QString>& calls, bool video, QWidget* surfaceParent)
        : m_calls(calls), m_surface(video && surfaceParent ? new QWidget(surfaceParent) : nullptr)
    {}
    void play() override { m_calls.add(u"play"_s); }
    void pause() override { m_calls.add(u"pause"_s); }
    void stop() override { m_calls.add(u"stop"_s); }
    void step() override { m_calls.add(u"step"_s); }
    qint64 position() const override { return 500; }
    qint64 length() const override { return 2000; }
    bool hasVideo() const override { return m_surface != nullptr; }
    QSize videoSize() const override { return {160, 120}; }
    QWidget* videoSurface() override { return m_surface; }

private:
    EventLog<QString>& m_calls;
    QWidget* m_surface;
};

} // namespace

bool SilentMedia::playWave(const QByteArray& wav, QString& error)
{
    m_calls.add(u"wave %1 bytes"_s.arg(wav.size()));
    if (!wav.startsWith("RIFF")) {
        error = u"not a WAV sound"_s;
        return false;
    }
    return true;
}

std::unique_ptr<MediaDevice> SilentMedia::open(const QString& file, QWidget* surfaceParent,
                                               QString& error)
{
    const QString name = QFileInfo(file).fileName();
    m_calls.add(u"open "_s + name);
    if (name.contains(QLatin1String("BROKEN"), Qt::CaseInsensitive)) {
        error = u"not a media file"_s;
        return nullptr;
    }
    return std::make_unique<SilentDevice>(
        m_calls, name.endsWith(QLatin1String(".AVI"), Qt::CaseInsensitive), surfaceParent);
}

namespace {

// Outside a test's doubles no window, dialog, help topic, document or program may appear: the
// real ones would block the test or reach the desktop.
class RefusingPlatform : public ModalRunner,
                         public FileDialogs,
                         public HelpService,
                         public DocumentOpener,
                         public Programs
{
public:
    int run(QDialog& dialog) override
    {
        refuse(u"window "_s + QString::fromLatin1(dialog.metaObject()->className()));
        return QDialog::Rejected;
    }
    QString openFile(QWidget*, const FileChoice& choice) override
    {
        return refuse(choice.title), QString();
    }
    QString saveFile(QWidget*, const FileChoice& choice) override
    {
        return refuse(choice.title), QString();
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override
    {
        return refuse(u"colour dialog"_s), std::nullopt;
    }
    std::optional<QFont> chooseFont(QWidget*, const QFont&) override
    {
        return refuse(u"font dialog"_s), std::nullopt;
    }
    void setHelpFile(const QString&) override {}
    QString helpFile() const override { return {}; }
    void showHelp(int context) override { refuse(u"help context %1"_s.arg(context)); }
    void open(const QString& file) override { refuse(u"document "_s + file); }
    bool runAndWait(const QString& program, const QStringList&, const QString&) override
    {
        return refuse(u"program "_s + program), false;
    }

private:
    static void refuse(const QString& what)
    {
        strict::fail(what + u" without doubles installed"_s);
    }
};

RefusingPlatform refusing;
const bool installed = (ModalSlot::install(&refusing), FileDialogSlot::install(&refusing),
                        HelpSlot::install(&refusing), DocumentSlot::install(&refusing),
                        ProgramSlot::install(&refusing), true);

} // namespace

PlatformDoubles::PlatformDoubles()
{
    InstallDialogDefaults(*qApp);
}
