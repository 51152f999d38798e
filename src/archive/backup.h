#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

class Connection;

// Copies of the store in "backup/" beside it, made with the engine's online
// copy under the same key while the program works on, and verified before
// they count: reopened, its structure checked, the rows of the five tables
// counted against the store. A copy that fails is deleted.
namespace backup {

struct Copy
{
    QString path;
    QDateTime made;
    QString label; // empty for a copy of the day
};

QString folderOf(const QString &storePath);

// Told how far a copy is, in per cent: the copying up to 50, the check of
// the copy up to 100.
using Progress = std::function<void(int percent)>;

// Where a new copy made now goes: the date and time to the millisecond,
// and the label if any, in its name.
QString newPath(const QString &folder, const QString &label = QString());

// A verified copy into the folder (the store's own "backup/" when empty);
// its path. A StoreError says why there is none.
QString make(Connection &store, const QString &folder = QString(), const QString &label = QString(),
             const Progress &progress = {});
// Whether a copy opens with the store's key and its tables count.
bool isSound(const Copy &copy);
// Removes what copies killed midway left: their files and journals, and
// empty files under a copy's name.
void removeLeftovers(const QString &folder);
// The copies in the folder, newest first, by their names: a file has a
// copy's name only once verified, and an empty one is never listed.
QList<Copy> list(const QString &folder);
// Keeps the newest sound copy of each of the last 7 days, 4 weeks and 12
// months that have copies; deletes the rest. Labelled copies are kept.
void rotate(const QString &folder);
// Whether a sound copy was made today already.
bool madeToday(const QString &folder);
// A copy begun in the folder leaves a mark there until it is verified; a
// program that ended first, or a copy that failed, leaves it behind. The
// cause of the copy that was not finished (empty when its program ended
// midway); none when every copy begun was finished, or is still at work.
std::optional<QString> unfinished(const QString &folder);

}
