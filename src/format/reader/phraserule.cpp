#include "format/reader/phraserule.h"

#include <algorithm>

namespace bookformat {

std::u16string HyperPhraseAt(const ControlTextView& text, int caret)
{
    if (!text.underlinedAt(caret))
        return {};

    // Back to the start of the run, or to the start of its line. An underlined run longer than
    // any phrase (a damaged or hostile text) is no phrase: searching it would take minutes.
    int p = caret;
    bool lineStart = false;
    for (int steps = 0;; ++steps) {
        if (steps > kMaxPhraseRun)
            return {};
        p = std::max(0, p - 1);
        if (p == 0 || text.at(p - 1) < 32) {
            lineStart = true;
            break;
        }
        if (!text.underlinedAt(p))
            break;
    }

    // Forward, at most 30 characters, up to the end of the run.
    std::u16string phrase;
    bool collecting = true;
    for (int step = 0; step < 30 && collecting; ++step) {
        if (p >= text.length())
            continue;
        phrase += text.at(p);
        ++p;
        if (!text.underlinedAt(p))
            collecting = false;
    }

    if (!lineStart && !phrase.empty())
        phrase.erase(0, 1);
    const auto isTrimmed = [](char16_t c) { return c <= 32; };
    while (!phrase.empty() && isTrimmed(phrase.front()))
        phrase.erase(0, 1);
    while (!phrase.empty() && isTrimmed(phrase.back()))
        phrase.pop_back();
    return phrase;
}

} // namespace bookformat
