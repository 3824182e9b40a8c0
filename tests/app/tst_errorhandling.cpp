#include "app/ui/leafstackapplication.h"
#include "base/apperror.h"
#include "base/errorhandler.h"
#include "base/programmessage.h"
#include "base/ui/appmessagebox.h"
#include "format/formatsettings.h"

#include <QAbstractButton>
#include <QAction>
#include <QTest>
#include <QTimer>

#include <stdexcept>

namespace {

// An object whose event handler fails, as a command's handler might.
class FailingObject : public QObject
{
public:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            throw AppError(QStringLiteral("Cannot open file /tmp/x"));
        if (event->type() == QEvent::Type(QEvent::User + 1))
            throw std::bad_alloc();
        return QObject::event(event);
    }
};

} // namespace

class TestErrorHandling : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void failedCommandIsReportedAndEarlierWorkStays();
    void commandSlotsAreGuarded();
    void eventHandlerErrorsReachTheHandler();
    void errorBoxShowsTheTextUnderTheProgramTitle();
    void messageBoxes_data();
    void messageBoxes();
    void localeChangeRefreshesTheSettings();

private:
    QStringList m_reported;
};

void TestErrorHandling::init()
{
    m_reported.clear();
    ErrorHandler::setPresenter([this](const QString &text) { m_reported.append(text); });
}

void TestErrorHandling::cleanup()
{
    ErrorHandler::setPresenter({});
}

void TestErrorHandling::failedCommandIsReportedAndEarlierWorkStays()
{
    QStringList done;
    const bool ok = ErrorHandler::run([&] {
        done.append("renamed");
        throw AppError(QStringLiteral("Cannot create file /tmp/a.txt"));
        done.append("written"); // never reached
    });
    QVERIFY(!ok);
    QCOMPARE(done, QStringList{"renamed"});
    QCOMPARE(m_reported, QStringList{"Cannot create file /tmp/a.txt"});

    QVERIFY(!ErrorHandler::run([] { throw std::runtime_error("disk on fire"); }));
    QCOMPARE(m_reported.last(), QStringLiteral("disk on fire"));
    QVERIFY(ErrorHandler::run([] {}));
    QCOMPARE(m_reported.size(), 2);
}

void TestErrorHandling::commandSlotsAreGuarded()
{
    QAction action;
    int runs = 0;
    connect(&action, &QAction::triggered, this, ErrorHandler::command([&runs] {
        ++runs;
        throw AppError(QStringLiteral("first line\rsecond line"));
    }));
    action.trigger();
    action.trigger();
    QCOMPARE(runs, 2); // the program goes on after a failed command
    QCOMPARE(m_reported.size(), 2);
}

void TestErrorHandling::eventHandlerErrorsReachTheHandler()
{
    FailingObject object;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&object, &event);
    QCOMPARE(m_reported, QStringList{"Cannot open file /tmp/x"});
    // Running out of memory in one handler ends that command, with words a user can act on.
    QEvent hungry(QEvent::Type(QEvent::User + 1));
    QCoreApplication::sendEvent(&object, &hungry);
    QCOMPARE(m_reported.last(), ErrorHandler::outOfMemoryMessage());
    QVERIFY(m_reported.last().contains(QStringLiteral("not enough memory")));
}

void TestErrorHandling::errorBoxShowsTheTextUnderTheProgramTitle()
{
    ErrorHandler::setPresenter({});
    QString title;
    QString text;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    ErrorHandler::run([] { throw AppError(QStringLiteral("Cannot open file a\rreason")); });
    QCOMPARE(title, QStringLiteral("Leafstack"));
    QCOMPARE(text, QStringLiteral("Cannot open file a\nreason"));
}

void TestErrorHandling::messageBoxes_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("buttons");
    QTest::newRow("information") << int(AppMessageBox::Kind::Information) << int(QMessageBox::Ok);
    QTest::newRow("question") << int(AppMessageBox::Kind::Question)
                              << int(QMessageBox::Yes | QMessageBox::No);
    QTest::newRow("close question")
            << int(AppMessageBox::Kind::CloseQuestion)
            << int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

void TestErrorHandling::messageBoxes()
{
    QFETCH(int, kind);
    QFETCH(int, buttons);
    QScopedPointer<QMessageBox> box(AppMessageBox::create(
            nullptr, AppMessageBox::Kind(kind), QStringLiteral("Save Changes to 'a.txt'\"?")));
    QCOMPARE(box->windowTitle(), QStringLiteral("Leafstack"));
    QCOMPARE(box->text(),
             QStringLiteral("Leafstack\n------------------\nSave Changes to 'a.txt'\"?"));
    QCOMPARE(int(box->standardButtons()), buttons);
    QCOMPARE(ProgramMessage::compose("x"), QStringLiteral("Leafstack\r------------------\rx"));
    QCOMPARE(ProgramMessage::toDisplay("a\r\nb\rc"), QStringLiteral("a\nb\nc"));
}

void TestErrorHandling::localeChangeRefreshesTheSettings()
{
    FormatSettings custom;
    custom.decimalSeparator = QLatin1Char('#');
    custom.longDayNames[0] = QStringLiteral("Sonntag");
    FormatSettings::setCurrent(custom);
    QEvent change(QEvent::LocaleChange);
    QCoreApplication::sendEvent(qApp, &change);
    // Names stay as loaded; the rest is read again (LC_ALL=C: the fall-backs).
    QCOMPARE(FormatSettings::current().decimalSeparator, QLatin1Char('.'));
    QCOMPARE(FormatSettings::current().longDayNames.first(), QStringLiteral("Sonntag"));
}

int main(int argc, char *argv[])
{
    LeafstackApplication app(argc, argv);
    TestErrorHandling test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_errorhandling.moc"
