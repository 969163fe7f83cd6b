#pragma once
// The data of the personnel benchmarks: the whole program created on a fresh
// database (an SQLite file, or a schema of its own on a PostgreSQL server)
// and `personel` filled with generated persons, plus the engine's own client
// to run the same statements beside it.
#include "core/app.h"
#include "core/dm_u.h"
#include "core/firstrun.h"
#include "benchutil.h"
#include "platform/Connection.h"
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTextStream>

namespace personnel_bench {

// One generated person, as the entry window stores one: every column as text
// (blank masks for untouched dates), numbers for the three number columns.
inline QVariantList personValues(int i, QRandomGenerator &rng)
{
    static const QStringList first{QStringLiteral("علي"), QStringLiteral("حسن"), QStringLiteral("مهدي"), QStringLiteral("رضا"),
                                   QStringLiteral("سعيد"), QStringLiteral("محمد"), QStringLiteral("جواد")};
    static const QStringList last{QStringLiteral("رضايي"), QStringLiteral("احمدي"), QStringLiteral("كريمي"), QStringLiteral("محمدي"),
                                  QStringLiteral("حسيني"), QStringLiteral("موسوي"), QStringLiteral("نوري"), QStringLiteral("صادقي"),
                                  QStringLiteral("جعفري"), QStringLiteral("قاسمي"), QStringLiteral("طاهري")};
    static const QStringList counties{QStringLiteral("اراک"), QStringLiteral("خمين"), QStringLiteral("ساوه"), QStringLiteral("تفرش"),
                                      QStringLiteral("محلات"), QStringLiteral("دليجان")};
    static const QStringList states{QStringLiteral("فعال"), QStringLiteral("فعال"), QStringLiteral("فعال"), QStringLiteral("غير فعال")};
    const auto date = [&](int year) {
        return QStringLiteral("%1/%2/%3").arg(year).arg(1 + int(rng.bounded(12)), 2, 10, QLatin1Char('0'))
            .arg(1 + int(rng.bounded(29)), 2, 10, QLatin1Char('0'));
    };
    const QString nation = QStringLiteral("%1").arg(qint64(rng.bounded(1000000000)) * 10 + i % 10, 10, 10, QLatin1Char('0'));
    // Texts another program wrote: a plate in three and a registration
    // date in ten written with Persian digits; the lane of an address with
    // either kaf and its number in ASCII, Persian or Arabic-Indic digits.
    const auto digitsFrom = [](QString text, char16_t zero) {
        for (QChar &c : text)
            if (c.isDigit() && c.unicode() < 128)
                c = QChar(char16_t(zero + (c.unicode() - u'0')));
        return text;
    };
    constexpr char16_t zeros[] = {u'0', 0x06F0, 0x0660};
    const QString plate = QStringLiteral("%1 ب %2 ايران 47").arg(10 + i % 89).arg(100 + i % 899);
    // One vehicle in forty a model in Latin letters of either case with its
    // number in any digits ("پژو 405 GLX"), the others like it or with
    // either kaf and yeh.
    static const QStringList models{QStringLiteral("پژو 405 GLX"), QStringLiteral("پژو ۴۰۵ glx"), QStringLiteral("پژو ٤٠٥ Glx")};
    static const QStringList vehicles{QStringLiteral("پژو 405 GLI"), QStringLiteral("پژو 405"), QStringLiteral("پيكان وانت"),
                                      QStringLiteral("پیکان وانت"), QStringLiteral("سمند LX"), QStringLiteral("پژو 206 تيپ 5"),
                                      QStringLiteral("پژو ۴۰۵ SLX"), QStringLiteral("نيسان"), QStringLiteral("پراید 131")};
    const QString lane = ((i / 300) % 2 ? QStringLiteral("کوچه ") : QStringLiteral("كوچه "))
        + digitsFrom(QString::number(i % 300), zeros[(i / 600) % 3]);
    return {i % 5 ? QStringLiteral("راننده") : QStringLiteral("پرسنل"), QStringLiteral("استيجاري"), QStringLiteral("ستاد"),
            first[i % first.size()], last[(i / 7) % last.size()] + (i % 3 ? QString() : QStringLiteral(" فر")), first[(i + 3) % first.size()],
            nation, QString::number(100000 + i), date(1340 + i % 40), counties[i % counties.size()], QStringLiteral("شيعه"),
            int(rng.bounded(5)), QStringLiteral("متاهل"), QStringLiteral("086-3%1").arg(i % 1000000, 7, 10, QLatin1Char('0')),
            QStringLiteral("0912%1").arg(i % 10000000, 7, 10, QLatin1Char('0')), QString::number(3800000000LL + i),
            QStringLiteral("اراک، خيابان شريعتي، ") + lane, date(1385 + i % 15), double(rng.bounded(30)),
            QString::number(9000000 + i), i % 4 ? QString() : QStringLiteral("سابقه کار در شرکت"), QStringLiteral("مرکزي"),
            counties[(i / 3) % counties.size()], i % 10 == 3 ? digitsFrom(date(1400 + i % 3), zeros[1]) : date(1400 + i % 3), QStringLiteral("ق-%1").arg(i), date(1401),
            QStringLiteral("    /  /  "), i % 40 == 7 ? models[(i / 40) % models.size()] : vehicles[(i / 5) % vehicles.size()], QString::number(1385 + i % 15),
            i % 3 == 1 ? digitsFrom(plate, zeros[1]) : plate, int(rng.bounded(400000)), date(1402),
            QStringLiteral("خوب"), QStringLiteral("عالي"), states[i % states.size()]};
}

inline const char *insertSql()
{
    return "insert into personel (semat,typ,loc,fname,lname,father,nation,sh_no,birthday,sodor,mazhab,farzand,taahol,"
           "phone,mobile,zipcode,adr,govahiname_dat,govahiname_nomre,govahiname_no,cmt,ostan,shahrestan,reg_dat,prot_no,"
           "prot_dat,salamat_dat,khodro,model,pelak,kilometr,bime,fani,maharat,status) "
           "values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";
}

using bench::Database;
using bench::postgresDatabase;
using bench::sqliteDatabase;

// Creates the program's objects, connects `dm` to the database, prepares it
// and fills `personel` with `rows` persons. False (with a message) on failure.
inline bool openAndFill(const Database &d, int rows, QTextStream &out)
{
    app::createAll();
    Connection &c = *app::dm->ADOConnection1;
    c.setSettings(d.settings);
    c.open();
    prepareDatabase(c, QString());
    QSqlDatabase db = c.database();
    QRandomGenerator rng(1402);
    db.transaction();
    QSqlQuery q(db);
    q.prepare(QLatin1String(insertSql()));
    for (int i = 0; i < rows; ++i) {
        for (const QVariant &v : personValues(i, rng))
            q.addBindValue(v);
        if (!q.exec()) {
            out << "insert failed: " << q.lastError().text() << Qt::endl;
            return false;
        }
    }
    if (!db.commit())
        return false;
    QSqlQuery(db).exec(QStringLiteral("analyze"));
    return true;
}

} // namespace personnel_bench
