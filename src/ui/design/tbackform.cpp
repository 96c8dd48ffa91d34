// The program background test window (module PtstbkF).
#include "ui/design/tbackform.h"

#include "platform/modal.h"
#include "platform/screen.h"
#include "preview/readerscreen.h"

#include <QKeyEvent>
#include <QVBoxLayout>

TTBackForm::TTBackForm(const ConfigRecord& config, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TTBackForm"));
    setWindowTitle(config.BookTitle.text());
    auto* screen = new TScreenPanel(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(screen);
    setGeometry(QRect(QPoint(0, 0), screenInfo().screenSize()));
    m_shown =
        ShowBackground(screen, {config.ProgBackType, config.ProgBackColor,
                                config.ProgGraphicFile.text(), config.ProgWallpaperFile.text()});
    connect(screen, &TScreenPanel::rightPressed, this, &QDialog::accept);
}

void TTBackForm::mousePressEvent(QMouseEvent*)
{
    accept();
}

void TTBackForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        accept();
    else
        QDialog::keyPressEvent(event); // Escape closes too
}

void ViewProgramBackground(const ConfigRecord& config, QWidget* parent)
{
    TTBackForm test(config, parent);
    if (test.backgroundShown())
        RunModal(test);
}
