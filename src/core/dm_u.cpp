#include "dm_u.h"
#include "app.h"

Tdm::Tdm(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("dm"));
    ADOConnection1 = new Connection(this);
    ADOConnection1->setObjectName(QStringLiteral("ADOConnection1"));
    auto make = [this](const char *name, const char *design = nullptr) {
        return new Query(ADOConnection1, QLatin1String(name), design ? QString::fromLatin1(design) : QString(), this);
    };
    adoq_user = make("adoq_user");
    ADOQuery1 = make("ADOQuery1");
    ADOQ_set = make("ADOQ_set");
    ADOQ_dastrasi = make("ADOQ_dastrasi");
    ADOQ_payam = make("ADOQ_payam");
    ADOQ_timer = make("ADOQ_timer");
    ADOQ_zamaem = make("ADOQ_zamaem", "select * from zamaem");
    ADOQ_personel = make("ADOQ_personel", "select * from personel");
    ADOQ_new_pic = make("ADOQ_new_pic", "select * from new_pic");
    ADOQ_personel_pic = make("ADOQ_personel_pic", "select * from personel_pic");
    ADOQ_khodro = make("ADOQ_khodro", "select * from khodro");
    ADOQ_taradod = make("ADOQ_taradod", "select * from taradod");
}

QList<Query *> Tdm::queries() const
{
    return {adoq_user, ADOQuery1, ADOQ_set, ADOQ_dastrasi, ADOQ_payam, ADOQ_timer, ADOQ_zamaem,
            ADOQ_personel, ADOQ_new_pic, ADOQ_personel_pic, ADOQ_khodro, ADOQ_taradod};
}

QString quoted(const QString &value)
{
    return app::dm->ADOConnection1->dialect().quoted(value);
}
