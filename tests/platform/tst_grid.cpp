// The data-aware grid: it shows the query's rows in the query's order, its
// current row and the query's are one, and nothing can be edited in it.
#include "TestSupport.h"
#include "core/schema.h"
#include "platform/DbGrid.h"
#include "platform/Query.h"
#include <QHeaderView>

class GridTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void gridFollowsItsQuery()
    {
        TestDatabase db(Engine::Sqlite);
        auto c = db.connect();
        Query q(c.get(), QStringLiteral("ADOQuery1"));
        runSchemaBlocks(q);
        for (const char *name : {"ب", "الف", "ج"}) {
            q.clear();
            q.add(QStringLiteral("insert into phone (name,tel) values (") + c->dialect().quoted(QString::fromUtf8(name)) + QStringLiteral(",'1')"));
            q.execute();
        }
        DbGrid grid;
        grid.setQuery(&q);
        grid.setColumns({{QStringLiteral("id"), QString(), 40, true},
                         {QStringLiteral("name"), QStringLiteral("نام"), 120, false},
                         {QStringLiteral("tel"), QStringLiteral("تلفن"), 80, false}});
        QCOMPARE(grid.model()->rowCount(), 0); // closed query: empty grid

        q.clear();
        q.add(QStringLiteral("select * from phone order by id"));
        q.open();
        QCOMPARE(grid.model()->rowCount(), 3);
        QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("نام"));
        QVERIFY(grid.isColumnHidden(0));
        QCOMPARE(grid.columnWidth(1), 120);

        // The query moves: the grid follows; the grid moves: the query follows.
        q.setRecNo(3);
        QCOMPARE(grid.currentIndex().row(), 2);
        grid.setCurrentIndex(grid.model()->index(1, 1));
        QCOMPARE(q.recNo(), 2);
        QCOMPARE(q.field(QStringLiteral("name")).asString(), QStringLiteral("الف"));

        // A sort reorders the rows and keeps the current record current.
        q.setSort(QStringLiteral("name ASC"));
        QCOMPARE(grid.model()->index(0, 1).data().toString(), QStringLiteral("الف"));
        QCOMPARE(grid.currentIndex().row(), 0);

        // A posted edit shows at once; an append adds a row.
        q.edit();
        q.field(QStringLiteral("tel")).setText(QStringLiteral("999"));
        q.post();
        QCOMPARE(grid.model()->index(0, 2).data().toString(), QStringLiteral("999"));
        q.append();
        q.field(QStringLiteral("name")).setText(QStringLiteral("د"));
        q.post();
        QCOMPARE(grid.model()->rowCount(), 4);
        QCOMPARE(grid.currentIndex().row(), 3);

        // Read-only: no cell can be edited.
        QCOMPARE(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(!(grid.model()->flags(grid.model()->index(0, 1)) & Qt::ItemIsEditable));

        q.close();
        QCOMPARE(grid.model()->rowCount(), 0);
    }

    void titleClickNamesTheField()
    {
        TestDatabase db(Engine::Sqlite);
        auto c = db.connect();
        Query q(c.get(), QStringLiteral("ADOQuery1"));
        runSchemaBlocks(q);
        q.clear();
        q.add(QStringLiteral("select * from users"));
        q.open();
        DbGrid grid;
        grid.setQuery(&q);
        QString clicked;
        connect(&grid, &DbGrid::titleClicked, this, [&](int, const QString &field) { clicked = field; });
        grid.resize(400, 200);
        grid.show();
        Q_EMIT grid.horizontalHeader()->sectionClicked(1);
        QCOMPARE(clicked, QStringLiteral("us"));
    }
};

QTEST_MAIN(GridTest)
#include "tst_grid.moc"
