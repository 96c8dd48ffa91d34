// The tool's about window.
#include "ui/mainwindow/programaboutform.h"

#include "platform/f1help.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TProgramAboutForm::TProgramAboutForm(QWidget* parent)
    : QDialog(parent), ProductLbl(new QLabel(tr("Quorelle"), this)),
      VersionLbl(new QLabel(tr("Version 2.2"), this)),
      CommentLbl(new QLabel(tr("An authoring tool for multimedia e-books: write chapters, link "
                               "phrases to pictures, sounds, videos and programs, preview the book "
                               "and build it as a program of its own."),
                            this)),
      OKBtn(new QPushButton(tr("&OK"), this))
{
    setObjectName(QStringLiteral("TProgramAboutForm"));
    setWindowTitle(tr("About Quorelle"));
    SetHelpContext(this, 80);
    QFont productFont(QStringLiteral("Times New Roman"), 20, QFont::Bold);
    ProductLbl->setFont(productFont);
    ProductLbl->setAlignment(Qt::AlignCenter);
    VersionLbl->setAlignment(Qt::AlignCenter);
    CommentLbl->setWordWrap(true);
    CommentLbl->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ProductLbl);
    layout->addWidget(VersionLbl);
    layout->addWidget(CommentLbl);
    layout->addWidget(OKBtn, 0, Qt::AlignCenter);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    setFixedWidth(340);
}
