#pragma once

#include <QVariant>

class QInputMethodEvent;
class TextView;

// Input methods in a text view: text being composed is shown at the caret but is no part of
// the document until committed, and a commit is typed as one edit. Queries see the caret's
// line, or a window of it around the caret when the line is long.
class TextInputMethodHandler
{
public:
    // The most of a line an input method sees on either side of the caret.
    static constexpr qsizetype kWindow = 1024;

    explicit TextInputMethodHandler(TextView *view);

    void handle(QInputMethodEvent *event);
    QVariant query(Qt::InputMethodQuery query) const;

private:
    // The surrounding text's start and end around the caret.
    std::pair<qsizetype, qsizetype> window() const;

    TextView *m_view;
};
