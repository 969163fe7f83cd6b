#pragma once
#include "platform/Connection.h"
#include "platform/Query.h"
#include <QObject>

// The data module: the one database connection and every shared query. No
// window owns a query; pages set a query's statement, run it, and bind grids
// and printed forms to it.
class Tdm : public QObject {
    Q_OBJECT
public:
    explicit Tdm(QObject *parent = nullptr);

    Connection *ADOConnection1;

    Query *adoq_user;          // users: grid, login check, password update
    Query *ADOQuery1;          // general scratch query; the log viewer's and phone book's grid
    Query *ADOQ_set;           // lookup lists, provinces and counties, person look-ups
    Query *ADOQ_dastrasi;      // rights rows
    Query *ADOQ_payam;         // messages
    Query *ADOQ_timer;         // unread-message count
    Query *ADOQ_zamaem;        // attachments
    Query *ADOQ_personel;      // persons
    Query *ADOQ_new_pic;       // staging of one uploaded document
    Query *ADOQ_personel_pic;  // documents of a person
    Query *ADOQ_khodro;        // vehicles
    Query *ADOQ_taradod;       // trips

    QList<Query *> queries() const;
};

// A text as a literal of the data module's connection (see Dialect::quoted:
// N'...' on SQL Server). The pages write every typed or stored text into
// their statements through this.
QString quoted(const QString &value);
