// File, colour and font dialogs of Qt. Filters match without regard to case, as the book's
// file names may come in either case.
#include "platform/filedialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QStringList>

namespace {

QString runFileDialog(QWidget* parent, const FileChoice& choice, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, choice.title, choice.folder, QtFileDialogs::qtFilter(choice.filter));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(choice.defaultExtension);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace

QString QtFileDialogs::qtFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts))
            patterns << pattern.toUpper() << pattern.toLower();
        patterns.removeDuplicates();
        filters << QStringLiteral("%1 (%2)").arg(parts.at(i), patterns.join(QLatin1Char(' ')));
    }
    return filters.join(QLatin1String(";;"));
}

QString QtFileDialogs::openFile(QWidget* parent, const FileChoice& choice)
{
    return runFileDialog(parent, choice, QFileDialog::AcceptOpen);
}

QString QtFileDialogs::saveFile(QWidget* parent, const FileChoice& choice)
{
    return runFileDialog(parent, choice, QFileDialog::AcceptSave);
}

std::optional<QColor> QtFileDialogs::chooseColor(QWidget* parent, const QColor& initial)
{
    const QColor colour = QColorDialog::getColor(initial, parent);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

std::optional<QFont> QtFileDialogs::chooseFont(QWidget* parent, const QFont& initial)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent);
    if (!ok)
        return std::nullopt;
    return font;
}
