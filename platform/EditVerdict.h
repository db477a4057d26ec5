#pragma once
// What a box's filter says of an edit the operator made (a key typed, a text
// pasted or dropped), before the box takes it. Widget-free, so the programs'
// filters that give it stay in files without widgets; the rule that carries
// it out is platform::FilteredBox (platform/widgets/FilteredBox.h).

#include <QString>
#include <functional>

namespace platform {

struct EditVerdict {
    // False: the edit is refused and the box stays exactly as it was.
    bool accepted = false;
    // With `accepted`: the text the box takes. The proposed text, or a
    // shorter one when the filter cut it (an over-long paste kept up to the
    // box's maximum); a cut counts as a refusal of the characters it drops.
    QString text;

    static EditVerdict accept(QString text) { return {true, std::move(text)}; }
    static EditVerdict refuse() { return {}; }
};

// A box's filter as the rule asks it: `before` is the box's text before the
// edit, `proposed` the text the edit would make. It must not act on
// anything (no beep, no focus, no text set): the rule does that.
using EditJudge = std::function<EditVerdict(const QString& before, const QString& proposed)>;

} // namespace platform
