// Message boxes through QMessageBox.
#include "platform/qtmessageboxes.h"

#include <QApplication>
#include <QMessageBox>

namespace {

struct BoxStyle
{
    QMessageBox::Icon icon;
    const char* title;
    QMessageBox::StandardButtons buttons;
};

BoxStyle styleOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Error:
        return {QMessageBox::Critical, "Error", QMessageBox::Ok};
    case MessageKind::Info:
        return {QMessageBox::Information, "Information", QMessageBox::Ok};
    case MessageKind::Confirm:
    case MessageKind::ConfirmDiscard:
        return {QMessageBox::Question, "Confirm", QMessageBox::Yes | QMessageBox::No};
    case MessageKind::Plain:
        return {QMessageBox::NoIcon, nullptr, QMessageBox::Ok};
    case MessageKind::YesNoCancel:
        return {QMessageBox::Question, "Confirm",
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel};
    case MessageKind::YesNoHelp:
        return {QMessageBox::Question, "Confirm",
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Help};
    }
    return {QMessageBox::NoIcon, nullptr, QMessageBox::Ok};
}

MessageAnswer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    case QMessageBox::Help:
        return MessageAnswer::Help;
    default:
        return MessageAnswer::Ok;
    }
}

} // namespace

QString QtMessageBoxes::displayText(const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    return shown;
}

MessageAnswer QtMessageBoxes::show(MessageKind kind, const QString& text)
{
    const BoxStyle style = styleOf(kind);
    const QString title =
        style.title ? QString::fromLatin1(style.title) : QApplication::applicationName();
    QMessageBox box(style.icon, title, displayText(text), style.buttons,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    const bool yesOrNo = kind == MessageKind::Confirm || kind == MessageKind::ConfirmDiscard;
    if (yesOrNo)
        box.setEscapeButton(QMessageBox::No);
    if (kind == MessageKind::ConfirmDiscard)
        box.setDefaultButton(QMessageBox::No);
    const int pressed = box.exec();
    // Closing a question box by its frame counts as No.
    if (yesOrNo && pressed != QMessageBox::Yes)
        return MessageAnswer::No;
    return answerOf(pressed);
}
