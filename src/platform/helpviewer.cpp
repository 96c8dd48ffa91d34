// The help viewer window.
#include "platform/helpviewer.h"

#include "core/services/messages.h"

#include <QDesktopServices>
#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {
constexpr int kContentsTopic = 1;
}

HelpViewer::HelpViewer(QWidget* parent)
    : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this)),
      m_contentsBtn(new QPushButton(tr("&Contents"), this)),
      m_backBtn(new QPushButton(tr("&Back"), this)),
      m_forwardBtn(new QPushButton(tr("&Forward"), this))
{
    setObjectName(QStringLiteral("HelpViewer"));
    // Help stays open beside the tool but never keeps it running.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(560, 480);
    m_browser->setOpenLinks(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_contentsBtn);
    buttons->addWidget(m_backBtn);
    buttons->addWidget(m_forwardBtn);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);

    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpViewer::followLink);
    connect(m_contentsBtn, &QPushButton::clicked, this, [this] { showTopic(kContentsTopic); });
    connect(m_backBtn, &QPushButton::clicked, this, [this] {
        m_forward.append(m_current);
        display(m_back.takeLast());
    });
    connect(m_forwardBtn, &QPushButton::clicked, this, [this] {
        m_back.append(m_current);
        display(m_forward.takeLast());
    });
}

bool HelpViewer::loadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    m_topics = HelpTopics::fromHtml(QString::fromUtf8(file.readAll()));
    m_path = path;
    m_back.clear();
    m_forward.clear();
    m_current = 0;
    return true;
}

void HelpViewer::showTopic(int context)
{
    if (m_current != 0 && context != m_current)
        m_back.append(m_current);
    m_forward.clear();
    display(context);
}

void HelpViewer::display(int context)
{
    // An unknown context opens the contents, as a help engine does.
    if (!m_topics.topicHtml(context).isEmpty() || m_topics.contexts().isEmpty())
        m_current = context;
    else
        m_current = kContentsTopic;
    m_browser->setHtml(m_topics.topicHtml(m_current));
    const QString title = m_topics.title(m_current);
    setWindowTitle(title.isEmpty() ? tr("Help") : tr("Help - %1").arg(title));
    m_backBtn->setEnabled(!m_back.isEmpty());
    m_forwardBtn->setEnabled(!m_forward.isEmpty());
}

void HelpViewer::followLink(const QUrl& url)
{
    if (url.scheme().isEmpty() && url.path().isEmpty()) {
        bool ok = false;
        const int context = url.fragment().toInt(&ok);
        if (ok)
            showTopic(context);
        return;
    }
    QDesktopServices::openUrl(url);
}
