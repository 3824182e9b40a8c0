#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The folders in their order, bottom first, as the architecture notes give them.
QStringList folderOrder(const QString &notes)
{
    QFile file(notes);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression line(QStringLiteral("^Folders from the bottom: (.+)$"),
                                         QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(QString::fromUtf8(file.readAll()));
    if (!match.hasMatch())
        return {};
    QStringList folders = match.captured(1).split(u',');
    for (QString &folder : folders)
        folder = folder.trimmed();
    return folders;
}

struct Place
{
    QString folder; // "workspace"
    bool ui = false;
};

// Where a file under src/ lives: "workspace/ui/tfrmedit.h" is the workspace's widgets.
Place placeOf(const QString &relative)
{
    const QStringList parts = relative.split(u'/');
    return {parts.size() > 1 ? parts.first() : QString(),
            parts.size() > 2 && parts.at(1) == QLatin1String("ui")};
}

QString describe(const QString &file, const QString &include, const QString &why)
{
    return QStringLiteral("%1 includes %2: %3").arg(file, include, why);
}

// Every include between folders that the order forbids, every folder the order leaves out,
// and every widget file included from a folder's widget-free part.
QStringList violations(const QString &src, const QStringList &order)
{
    QStringList found;
    const QDir root(src);
    for (const QString &folder : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!order.contains(folder))
            found << QStringLiteral("%1 is not in the folder order").arg(folder);
    }
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s+\"([^\"]+)\""),
                                            QRegularExpression::MultilineOption);
    QDirIterator it(src, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString file = root.relativeFilePath(path);
        const Place from = placeOf(file);
        QFile source(path);
        if (!source.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(source.readAll());
        for (auto match = include.globalMatch(text); match.hasNext();) {
            const QString name = match.next().captured(1);
            // A name without a folder is a file beside the includer.
            const QString resolved =
                    name.contains(u'/') ? name : QFileInfo(file).path() + u'/' + name;
            if (!QFile::exists(root.filePath(resolved)))
                continue;
            const Place to = placeOf(resolved);
            if (order.indexOf(to.folder) > order.indexOf(from.folder))
                found << describe(file, name,
                                  to.folder + QStringLiteral(" is above ") + from.folder);
            else if (to.ui && !from.ui)
                found << describe(file, name,
                                  QStringLiteral("widget-free code uses a widget file"));
        }
    }
    return found;
}

void write(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

} // namespace

// The folders of src/ build on each other in one order, with no way back.
class TestLayering : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theTreeKeepsTheOrder();
    void breachesAreFound();
};

void TestLayering::theTreeKeepsTheOrder()
{
    const QString top = qEnvironmentVariable("LEAFSTACK_SOURCE_DIR");
    const QStringList order = folderOrder(top + QStringLiteral("/docs/ARCHITECTURE.md"));
    QVERIFY2(order.size() > 5, "no folder order in docs/ARCHITECTURE.md");
    const QStringList found = violations(top + QStringLiteral("/src"), order);
    QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
}

void TestLayering::breachesAreFound()
{
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("src"));
    write(src + "/low/low.h", "#pragma once\n#include \"high/high.h\"\n");
    write(src + "/low/core.cpp", "#include \"core.h\"\n#include \"low/ui/view.h\"\n");
    write(src + "/low/core.h", "#pragma once\n");
    write(src + "/low/ui/view.h", "#pragma once\n#include \"low.h\"\n#include \"view.h\"\n");
    write(src + "/high/ui/panel.h",
          "#pragma once\n#include \"low/ui/view.h\"\n#include \"gone.h\"\n");
    write(src + "/high/high.h", "#pragma once\n#include \"low/core.h\"\n");
    write(src + "/stray/stray.h", "#pragma once\n");
    const QStringList found = violations(src, {QStringLiteral("low"), QStringLiteral("high")});
    QCOMPARE(found.size(), 3);
    QVERIFY(found.contains(QStringLiteral("stray is not in the folder order")));
    QVERIFY(found.contains(QStringLiteral("low/low.h includes high/high.h: high is above low")));
    QVERIFY(found.contains(QStringLiteral(
            "low/core.cpp includes low/ui/view.h: widget-free code uses a widget file")));
}

QTEST_GUILESS_MAIN(TestLayering)
#include "tst_layering.moc"
