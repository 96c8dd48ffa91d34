// The failure the strict doubles report.
#include "strict.h"

#include "core/services/messages.h"

#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

void strict::fail(const QString& what)
{
    QTest::qFail(qPrintable(u"strict double: "_s + what), __FILE__, __LINE__);
}

namespace {

// Outside a test's doubles every message is a fault: it would otherwise go to standard error and
// every question would be answered No without the test knowing.
class RefusingMessages : public MessageBoxes
{
public:
    MessageAnswer show(MessageKind, const QString& text) override
    {
        strict::fail(u"message shown without doubles installed: "_s + text);
        return MessageAnswer::No;
    }
};

RefusingMessages refusingMessages;
const bool installed = (MessageSlot::install(&refusingMessages), true);

// No test writes into the user's own folders (the recovery copies of unsaved chapters live in
// the data folder): Qt's test folders stand in for them.
const bool testFolders = (QStandardPaths::setTestModeEnabled(true), true);

} // namespace
