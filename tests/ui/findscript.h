// The script of the find dialog that the chooser and the chapter-order window share: type the
// text, then press one of its buttons with the mouse.
#pragma once

#include "ui/common/getinputtextform.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

inline std::function<void(TGetInputTextForm&)> findWith(const QString& text,
                                                        QPushButton* TGetInputTextForm::*button)
{
    return [text, button](TGetInputTextForm& form) {
        form.Edit1->clear();
        QTest::keyClicks(form.Edit1, text);
        QTest::mouseClick(form.*button, Qt::LeftButton);
    };
}
