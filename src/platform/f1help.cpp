// F1 help through an application-wide event filter.
#include "platform/f1help.h"

#include "platform/help.h"

#include <QApplication>
#include <QKeyEvent>
#include <QVariant>
#include <QWidget>

namespace {

const char* const kHelpContextProperty = "helpContext";

class F1Filter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress ||
            static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
            return false;
        QWidget* target = QApplication::focusWidget();
        if (!target)
            target = qobject_cast<QWidget*>(watched);
        const int context = HelpContextOf(target);
        if (context > 0)
            ShowHelp(context);
        return true;
    }
};

} // namespace

void SetHelpContext(QWidget* widget, int context)
{
    widget->setProperty(kHelpContextProperty, context);
}

int HelpContextOf(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const int context = widget->property(kHelpContextProperty).toInt();
        if (context > 0)
            return context;
    }
    return 0;
}

void InstallF1Help(QApplication& app)
{
    app.installEventFilter(new F1Filter(&app));
}
