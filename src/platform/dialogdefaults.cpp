// Dialog default buttons through an application-wide event filter.
#include "platform/dialogdefaults.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>

namespace {

class DialogDefaultsFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            if (auto* dialog = qobject_cast<QDialog*>(watched))
                keepEnterFromFallingBack(*dialog);
        return false;
    }

private:
    // Qt makes the first button of the tab order the default of a dialog that has none when
    // it is shown; a hidden default button takes that place and presses nothing.
    static void keepEnterFromFallingBack(QDialog& dialog)
    {
        const QList<QPushButton*> buttons = dialog.findChildren<QPushButton*>();
        for (const QPushButton* button : buttons) {
            if (button->isDefault() && button->window() == &dialog)
                return;
        }
        auto* none = new QPushButton(&dialog);
        none->setObjectName(QStringLiteral("noDefaultButton"));
        none->hide();
        none->setDefault(true);
    }
};

} // namespace

void InstallDialogDefaults(QApplication& app)
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    app.installEventFilter(new DialogDefaultsFilter(&app));
}
