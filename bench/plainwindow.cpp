// The yardstick of the reader's start: a plain Qt window that draws a line of text and ends as
// soon as it is painted, as `kestrin.bin --startup-report` ends at its table of contents.
#include <QApplication>
#include <QLabel>
#include <QPaintEvent>

#include <cstdlib>

namespace {

class Line : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QLabel::paintEvent(event);
        std::_Exit(0);
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Line line(QStringLiteral("A line of text"));
    line.resize(640, 480);
    line.show();
    return app.exec();
}
