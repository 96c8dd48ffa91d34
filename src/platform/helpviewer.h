// The help viewer window: one topic of a help file at a time, with links between topics,
// Contents, Back and Forward.
#pragma once

#include "core/services/helptopics.h"

#include <QWidget>

class QTextBrowser;
class QPushButton;

class HelpViewer : public QWidget
{
    Q_OBJECT

public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Returns false (and shows nothing) when the file cannot be read.
    bool loadFile(const QString& path);
    void showTopic(int context);
    int currentTopic() const { return m_current; }
    QTextBrowser* browser() const { return m_browser; }

private:
    void followLink(const QUrl& url);
    void display(int context);

    HelpTopics m_topics;
    QString m_path;
    int m_current = 0;
    QList<int> m_back;
    QList<int> m_forward;
    QTextBrowser* m_browser;
    QPushButton* m_contentsBtn;
    QPushButton* m_backBtn;
    QPushButton* m_forwardBtn;
};
