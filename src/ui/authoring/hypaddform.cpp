// The definition viewer over a chapter file.
#include "ui/authoring/hypaddform.h"

#include "core/files/projectpath.h"
#include "core/files/runtimeerror.h"

#include <QFile>
#include <QFileInfo>

namespace {

QByteArray chapterText(const QString& chapterFile)
{
    QFile file(ResolveProjectName(chapterFile));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        throw FileOpenError(chapterFile);
    return file.readAll();
}

} // namespace

Thypaddform::Thypaddform(const QString& chapterFile, QWidget* parent)
    : TDefinitionViewer("Thypaddform", 256, chapterText(chapterFile), parent)
{}
