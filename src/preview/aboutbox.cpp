// The reader's About box (module abtdispf).
#include "preview/aboutbox.h"

#include "core/files/projectpath.h"
#include "core/pictures/pictures.h"
#include "core/services/messages.h"
#include "format/reader/aboutbox.h"
#include "platform/modal.h"

#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kPanelWidth = 300;
}

TAboutBox::TAboutBox(const AboutRecord& about, bool plain, QWidget* parent)
    : QDialog(parent), Panel1(new QFrame(this)), ProgramIcon(new QLabel(Panel1)),
      ProductName(new QLabel(Panel1)), Version(new QLabel(Panel1)), AuthorLbl(new QLabel(Panel1)),
      Comms(new QLabel(Panel1)), OKButton(new QPushButton(tr("OK"), this))
{
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(about.AboutCaption.text());
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setFixedWidth(kPanelWidth);
    ProgramIcon->setGeometry(8, 8, 33, 33);
    ProgramIcon->setScaledContents(true);
    int left = 52;
    if (!plain && about.UseIcon) {
        ProgramIcon->setPixmap(QPixmap::fromImage(LoadPicture(about.IconFile.text()).image));
    } else if (!plain) {
        ProgramIcon->hide();
        left = 8;
    }
    const int width = kPanelWidth - left - 8;
    ProductName->setGeometry(left, 8, width, 16);
    Version->setGeometry(left, 28, width, 16);
    AuthorLbl->setGeometry(left, 48, width, 16);
    ProductName->setText(about.ProgramName.text());
    Version->setText(about.VersionText.text());
    AuthorLbl->setText(about.AuthorText.text());
    Comms->setWordWrap(true);
    Comms->setText(CommentText(about).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    const QRect text = Comms->fontMetrics().boundingRect(QRect(0, 0, kPanelWidth - 16, 10000),
                                                         Qt::TextWordWrap, Comms->text());
    Comms->setGeometry(8, 72, kPanelWidth - 16, text.height() + 4);
    Panel1->setFixedHeight(Comms->geometry().bottom() + 10);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Panel1);
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

QString TAboutBox::CommentText(const AboutRecord& about)
{
    return QString::fromStdString(bookformat::AboutComments(about));
}

void ShowAboutBox(const AboutRecord& about, QWidget* parent, bool plain)
{
    if (!plain && about.UseIcon && !QFileInfo::exists(ResolveProjectName(about.IconFile.text()))) {
        ShowError(QString::fromStdString(
            bookformat::MissingIconMessage(about.IconFile.text().toStdString())));
        return;
    }
    TAboutBox box(about, plain, parent);
    RunModal(box);
}
