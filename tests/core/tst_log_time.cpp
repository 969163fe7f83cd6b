// The time text of a log row on a workstation whose locale is Persian: always
// the 24-hour "hh:mm:ss" in ASCII digits, on every engine under test.
#include "TestSupport.h"
#include "core/app.h"
#include "core/login_u.h"
#include <QApplication>
#include <QRegularExpression>
#include <QTime>

class LogTimeTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void asciiTwentyFourHourTime_data() { addEngineRows(); }
    void asciiTwentyFourHourTime()
    {
        // The locale is in effect: the system's own time text has Persian digits.
        QVERIFY(QLocale::system().toString(QTime(9, 13, 24), QLocale::LongFormat).contains(QChar(0x06F9)));
        AppFixture fx(currentEngine());
        app::login->WriteLogRow(QStringLiteral("admin"), QStringLiteral("x"));
        const QString saat = fx.value(QStringLiteral("select saat from log"));
        static const QRegularExpression time(QStringLiteral("^([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]$"));
        QVERIFY2(time.match(saat).hasMatch(), qPrintable(saat));
    }
};

int main(int argc, char **argv)
{
    // A Persian workstation: its system locale and the program's default one.
    qputenv("LC_ALL", "fa_IR.UTF-8");
    qputenv("LANG", "fa_IR.UTF-8");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Persian, QLocale::Iran));
    LogTimeTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_log_time.moc"
