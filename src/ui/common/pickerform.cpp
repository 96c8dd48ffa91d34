// The pickers' shared frame.
#include "ui/common/pickerform.h"

#include "core/files/filenames.h"
#include "core/services/messages.h"
#include "platform/documents.h"
#include "platform/f1help.h"
#include "platform/filelists.h"
#include "platform/look.h"
#include "platform/modal.h"
#include "platform/typinglimit.h"
#include "preview/mediaactions.h"
#include "preview/mediaplayform.h"
#include "preview/showmultform.h"
#include "ui/common/bringfile.h"

#include <QDir>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString projectDir()
{
    return QDir::currentPath();
}

// A duration field: empty becomes "0"; anything but a whole number is refused. False when
// refused.
bool checkDuration(QLineEdit* field)
{
    if (field->text().isEmpty()) {
        field->setText(QStringLiteral("0"));
    } else if (!IsNumber(field->text())) {
        ShowError(QStringLiteral("That is not a valid number"));
        field->setText(QStringLiteral("0"));
        field->setFocus();
        return false;
    }
    return true;
}

// Checks a duration field when it loses the focus.
class DurationCheck : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (field && event->type() == QEvent::FocusOut)
            checkDuration(field);
        return false;
    }
};

} // namespace

FileChoice PickerChoice(const char* filter, const char* title)
{
    FileChoice c;
    c.filter = QString::fromLatin1(filter);
    c.title = QString::fromLatin1(title);
    return c;
}

TPickerForm::TPickerForm(const QString& objectName, int helpContext,
                         const QList<PickerColumn>& columns, QWidget* parent)
    : QDialog(parent), BitBtn1(new QPushButton(tr("&View"), this)),
      OKBtn(new QPushButton(tr("&OK"), this)), CancelBtn(new QPushButton(tr("&Cancel"), this))
{
    setObjectName(objectName);
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, helpContext);
    PaintBackground(this, kTeal, Qt::white);

    auto* columnsRow = new QHBoxLayout;
    for (const PickerColumn& config : columns) {
        Column column{new QGroupBox(config.groupCaption, this), new QLineEdit, nullptr, nullptr,
                      config};
        auto* layout = new QVBoxLayout(column.group);
        layout->addWidget(column.edit);
        if (!config.listMask.isEmpty()) {
            column.list = new FileListBox;
            column.list->setMask(config.listMask);
            column.list->setDirectory(projectDir());
            column.findBtn = new QPushButton(tr("&Find File"));
            layout->addWidget(column.list);
            layout->addWidget(column.findBtn);
            const int index = int(m_columns.size());
            connect(column.list, &FileListBox::fileClicked, this,
                    [this, index](const QString& name) {
                        m_columns[index].edit->setText(name);
                        updateView();
                    });
            connect(column.findBtn, &QPushButton::clicked, this,
                    [this, index] { ReportErrors([&] { FindFile(index); }); });
        }
        columnsRow->addWidget(column.group);
        m_columns.append(column);
    }
    auto* extra = new QFormLayout;
    m_extraRows = extra;
    auto* buttons = ButtonRow({}, {BitBtn1, OKBtn, CancelBtn});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columnsRow, 1);
    layout->addLayout(extra);
    layout->addLayout(buttons);
    OKBtn->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        if (m_preview)
            ReportErrors(m_preview);
    });
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

QLineEdit* TPickerForm::addExtraField(const QString& label, int maxLength)
{
    auto* field = new QLineEdit(this);
    LimitTyping(field, maxLength);
    static_cast<QFormLayout*>(m_extraRows)->addRow(new QLabel(label, this), field);
    return field;
}

void TPickerForm::makeDurationField(QLineEdit* field)
{
    field->installEventFilter(new DurationCheck(field));
    m_durationFields << field;
}

void TPickerForm::updateView()
{
    bool named = true;
    for (const Column& column : std::as_const(m_columns))
        named = named && !column.edit->text().isEmpty();
    BitBtn1->setEnabled(m_viewAlways || named);
}

void TPickerForm::FindFile(int index)
{
    Column& column = m_columns[index];
    FileChoice find = column.config.findChoice;
    find.folder = QDir::homePath();
    QString result = BringFileIntoProject(this, find, projectDir(), column.edit->text());
    column.list->refresh();
    for (const QString& mask : std::as_const(column.config.fallbacks)) {
        if (!result.isEmpty())
            break;
        FindInProject(projectDir(), mask, result);
    }
    column.edit->setText(result);
    updateView();
}

void TPickerForm::done(int result)
{
    if (result == QDialog::Accepted) {
        // Enter accepts without the field losing its focus, so durations are checked here too.
        for (QLineEdit* field : std::as_const(m_durationFields)) {
            if (!checkDuration(field))
                return;
        }
        for (const Column& column : std::as_const(m_columns)) {
            if (column.edit->text().isEmpty()) {
                ShowError(column.config.missingMessage);
                column.edit->setFocus();
                return;
            }
        }
    }
    QDialog::done(result);
}
