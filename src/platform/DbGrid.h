#pragma once
#include "Query.h"
#include <QAbstractTableModel>
#include <QColor>
#include <QTableView>
#include <functional>

class QMenu;

// One column of a data-aware grid.
struct GridColumn {
    QString field;
    QString title;
    int width = 64;
    bool hidden = false;
    bool leftToRight = false; // texts such as ".pdf" or an address, read left to right
};

// A read-only table model over a query: it shows the query's rows in the
// query's current order and follows it when it is reopened, sorted, posted
// or closed. With no columns configured it shows every column of the result.
class QueryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit QueryModel(QObject *parent = nullptr);

    void setQuery(Query *query);
    Query *query() const { return m_query; }
    void setColumns(const QList<GridColumn> &columns);
    const QList<GridColumn> &columns() const { return m_columns; }
    QString fieldOf(int column) const;

    // Text colour of a cell from its text, for grids that colour values.
    void setTextColour(std::function<QColor(int column, const QString &text)> colour) { m_colour = std::move(colour); }
    void setBoldTitle(int column);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    void rebind();
    int sourceColumn(int column) const;

    Query *m_query = nullptr;
    QList<GridColumn> m_columns;
    QVector<int> m_sourceColumns;
    std::function<QColor(int, const QString &)> m_colour;
    int m_boldTitle = -1;
    QMetaObject::Connection m_links[4];
};

// The data-aware grid: a read-only, whole-row table view whose current row is
// the query's current row, both ways.
class DbGrid : public QTableView {
    Q_OBJECT
public:
    explicit DbGrid(QWidget *parent = nullptr);

    void setQuery(Query *query);
    Query *query() const { return m_model->query(); }
    void setColumns(const QList<GridColumn> &columns);
    QueryModel *queryModel() const { return m_model; }
    // The menu a right click on the grid opens.
    void setPopupMenu(QMenu *menu);

Q_SIGNALS:
    void titleClicked(int column, const QString &field);
    void cellClicked(int row, int column);

private:
    void followQuery(int row);
    void applyWidths();

    QueryModel *m_model;
    bool m_syncing = false;
};
