// The program background window (module Prgbackf).
#include "preview/tutbackform.h"

#include "platform/screen.h"
#include "preview/readerscreen.h"

#include <QVBoxLayout>

TTutBackForm::TTutBackForm(const ConfigRecord& config, QWidget* parent)
    // In the preview the backdrop is a dialog of the tool's window: window managers then keep it
    // above that window, and the book's own windows above it.
    : QWidget(parent, (parent ? Qt::Dialog : Qt::Window) | Qt::FramelessWindowHint),
      ScreenPnl(new TScreenPanel(this)), m_config(config)
{
    setObjectName(QStringLiteral("TTutBackForm"));
    setWindowTitle(config.BookTitle.text());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ScreenPnl);
    setGeometry(QRect(QPoint(0, 0), screenInfo().screenSize()));
    setEnabled(false);
}

void TTutBackForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    ShowBackground(ScreenPnl, {m_config.ProgBackType, m_config.ProgBackColor,
                               m_config.ProgGraphicFile.text(), m_config.ProgWallpaperFile.text()});
}
