// The failure the strict doubles report.
#include "strict.h"

#include <QTest>

void strict::fail(const QString& what)
{
    QTest::qFail(qPrintable(QStringLiteral("strict double: ") + what), __FILE__, __LINE__);
}
