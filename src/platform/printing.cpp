// Printing through QPrinter, with one printer kept for the whole run so that the set-up sticks.
#include "platform/printing.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

namespace {

QPrinter& sharedPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

bool askToPrint(QWidget* parent)
{
    QPrintDialog dialog(&sharedPrinter(), parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

bool QtPrinting::printDocument(QWidget* parent, const QTextDocument& document, const QString& title)
{
    if (!askToPrint(parent))
        return false;
    sharedPrinter().setDocName(title);
    document.print(&sharedPrinter());
    return true;
}

bool QtPrinting::printLines(QWidget* parent, const QStringList& lines, const QFont& font)
{
    if (!askToPrint(parent))
        return false;
    QPainter painter(&sharedPrinter());
    painter.setFont(QFont(font, painter.device()));
    const int lineHeight = painter.fontMetrics().lineSpacing();
    const QRect page = painter.viewport();
    int y = lineHeight;
    for (const QString& line : lines) {
        if (y > page.height()) {
            sharedPrinter().newPage();
            y = lineHeight;
        }
        painter.drawText(0, y, line);
        y += lineHeight;
    }
    return true;
}

void QtPrinting::printerSetup(QWidget* parent)
{
    QPageSetupDialog dialog(&sharedPrinter(), parent);
    dialog.exec();
}
