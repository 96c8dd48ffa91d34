// Times how soon the chapter editor answers a key press on a 500 KB chapter while its spelling
// marks are being checked, against the same editor with the marks turned off, in turns (A B A B).
// A key is posted at moments that do not follow the checker's slices; its answer is the moment
// the editor has taken it into the text, marks of its paragraph included. Run it with
// QT_QPA_PLATFORM=offscreen, or on a display.
#include "generatedbook.h"

#include "core/writing/spellmarks.h"
#include "preview/richedit.h"
#include "ui/authoring/chapeditform.h"
#include "ui/common/editorspelling.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kKeys = 60;

// A chapter of about 500 KB with a word spelt wrong in every sentence.
QByteArray chapterWithMisspellings()
{
    QByteArray text = generated::chapterText(0, 500 * 1024);
    text.replace("harbour", "harbuor");
    text.replace("silence", "silense");
    return text;
}

struct Answers
{
    std::vector<double> ms;
    bool stillChecking = false; // the checker had not finished when the last key came
};

// Posts kKeys letters at the top of the text, 17 ms apart, and times each one's answer.
Answers typeWhileChecking(TChapEditForm& editor, const QByteArray& chapter, bool marking)
{
    editor.SpellBox->setChecked(marking);
    editor.RichEdit1->loadContent(chapter);
    editor.RichEdit1->moveCursor(QTextCursor::Start);
    Answers answers;
    QElapsedTimer posted;
    QEventLoop loop;
    const auto taken = QObject::connect(editor.RichEdit1, &QTextEdit::textChanged, [&] {
        answers.ms.push_back(posted.nsecsElapsed() / 1e6);
        if (int(answers.ms.size()) == kKeys) {
            answers.stillChecking = marking && !editor.Spelling->marks()->checkedAll();
            loop.quit();
        }
    });
    QTimer keys;
    keys.setInterval(17);
    QObject::connect(&keys, &QTimer::timeout, [&] {
        posted.start();
        QApplication::postEvent(
            editor.RichEdit1, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, {}, QStringLiteral("a")));
    });
    keys.start();
    loop.exec();
    QObject::disconnect(taken);
    return answers;
}

double percentile(std::vector<double> figures, double share)
{
    std::sort(figures.begin(), figures.end());
    return figures.at(std::min(figures.size() - 1, std::size_t(share * double(figures.size()))));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    const QByteArray chapter = chapterWithMisspellings();
    TChapEditForm editor(nullptr, QStringLiteral("en-GB"));
    editor.resize(900, 700);
    editor.show();
    std::vector<double> on;
    std::vector<double> off;
    int stillChecking = 0;
    for (int turn = 0; turn < 3; ++turn) {
        const Answers marked = typeWhileChecking(editor, chapter, true);
        on.insert(on.end(), marked.ms.begin(), marked.ms.end());
        stillChecking += marked.stillChecking ? 1 : 0;
        const Answers plain = typeWhileChecking(editor, chapter, false);
        off.insert(off.end(), plain.ms.begin(), plain.ms.end());
    }
    std::printf("chapter: %lld KB of RTF, %d keys a turn, 3 turns each (A B A B)\n",
                static_cast<long long>(chapter.size() / 1024), kKeys);
    std::printf("checking still under way at the last key: %d of 3 turns\n", stillChecking);
    std::printf("marks on   median %6.2f ms  95%% %6.2f ms  worst %6.2f ms (target 50 ms) %s\n",
                percentile(on, 0.5), percentile(on, 0.95), percentile(on, 1.0),
                percentile(on, 1.0) <= 50 ? "ok" : "MISSED");
    std::printf("marks off  median %6.2f ms  95%% %6.2f ms  worst %6.2f ms\n", percentile(off, 0.5),
                percentile(off, 0.95), percentile(off, 1.0));
    return 0;
}
