#pragma once

#include <QList>
#include <QString>

// What in-place saves that were cut short (a crash, a power cut) left in the state folder, for
// the next start to tell the user. What lost nothing is tidied away without a word.
class KeptCopies
{
public:
    struct Leftover
    {
        QString file; // the file that was being written
        QString copy; // where its old content is kept
    };

    // Looks at the notes no running save holds. A note whose copy is gone, or whose file holds
    // exactly the copy's content (its write never began, or was undone), goes with its copy;
    // the others are listed and stay. Copies in the state folder that no note names go.
    static QList<Leftover> check();

    // The one message that tells the user of them; empty when there are none.
    static QString message(const QList<Leftover> &leftovers);
};
