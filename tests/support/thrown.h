// What an error a routine throws says, for tests that compare the text the author is shown.
#pragma once

#include <QString>
#include <QTest>

// The text of the Error that `run` throws; the test fails when it throws none.
template <class Error, class Run> QString thrownText(Run run)
{
    try {
        run();
    } catch (const Error& error) {
        return QString::fromUtf8(error.what());
    }
    QTest::qFail("no error was thrown", __FILE__, __LINE__);
    return QString();
}
