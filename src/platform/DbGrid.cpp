#include "DbGrid.h"
#include <QFont>
#include <QHeaderView>
#include <QMenu>
#include <QStyle>

QueryModel::QueryModel(QObject *parent) : QAbstractTableModel(parent) {}

void QueryModel::setQuery(Query *query)
{
    for (auto &l : m_links)
        disconnect(l);
    beginResetModel();
    m_query = query;
    rebind();
    endResetModel();
    if (!m_query)
        return;
    m_links[0] = connect(m_query, &Query::reset, this, [this] {
        beginResetModel();
        rebind();
        endResetModel();
    });
    m_links[1] = connect(m_query, &Query::rowChanged, this, [this](int row) {
        Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
    m_links[2] = connect(m_query, &Query::rowAppended, this, [this](int row) {
        beginInsertRows(QModelIndex(), row, row);
        endInsertRows();
    });
    m_links[3] = connect(m_query, &QObject::destroyed, this, [this] { m_query = nullptr; });
}

void QueryModel::setColumns(const QList<GridColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    rebind();
    endResetModel();
}

void QueryModel::setBoldTitle(int column)
{
    m_boldTitle = column;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, qMax(0, columnCount() - 1));
}

void QueryModel::rebind()
{
    m_sourceColumns.clear();
    if (!m_query)
        return;
    if (m_columns.isEmpty()) {
        for (int c = 0; c < m_query->columnCount(); ++c)
            m_sourceColumns << c;
    } else {
        for (const GridColumn &col : m_columns)
            m_sourceColumns << m_query->columnIndex(col.field);
    }
}

QString QueryModel::fieldOf(int column) const
{
    if (!m_columns.isEmpty())
        return m_columns.value(column).field;
    return m_query ? m_query->columnName(column) : QString();
}

int QueryModel::sourceColumn(int column) const { return m_sourceColumns.value(column, -1); }

int QueryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_query || !m_query->isOpen() ? 0 : m_query->recordCount();
}

int QueryModel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_columns.isEmpty() ? int(m_sourceColumns.size()) : int(m_columns.size());
}

QVariant QueryModel::data(const QModelIndex &index, int role) const
{
    if (!m_query || !index.isValid())
        return {};
    const int c = sourceColumn(index.column());
    if (c < 0)
        return {};
    switch (role) {
    case Qt::DisplayRole: {
        const QString text = m_query->textAt(index.row(), c);
        // Embedded left-to-right, so that an extension keeps its dot in front.
        if (m_columns.value(index.column()).leftToRight && !text.isEmpty())
            return QChar(0x202A) + text + QChar(0x202C);
        return text;
    }
    case Qt::ForegroundRole:
        if (m_colour) {
            const QColor colour = m_colour(index.column(), m_query->textAt(index.row(), c));
            if (colour.isValid())
                return colour;
        }
        return {};
    case Qt::TextAlignmentRole:
        // Every cell at the right edge, Persian or not, as in the rest of the form.
        return int(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant QueryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (role == Qt::DisplayRole) {
        if (!m_columns.isEmpty())
            return m_columns.value(section).title.isEmpty() ? m_columns.value(section).field : m_columns.value(section).title;
        return m_query ? m_query->columnName(section) : QVariant();
    }
    if (role == Qt::FontRole && section == m_boldTitle) {
        QFont f;
        f.setBold(true);
        return f;
    }
    return {};
}

Qt::ItemFlags QueryModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

DbGrid::DbGrid(QWidget *parent) : QTableView(parent), m_model(new QueryModel(this))
{
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setLayoutDirection(Qt::RightToLeft);
    verticalHeader()->setDefaultSectionSize(20);
    verticalHeader()->setMinimumWidth(12);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        Q_EMIT titleClicked(section, m_model->fieldOf(section));
    });
    connect(this, &QTableView::clicked, this, [this](const QModelIndex &index) {
        Q_EMIT cellClicked(index.row(), index.column());
    });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &current) {
        if (m_syncing || !query() || !current.isValid() || !query()->isOpen())
            return;
        if (query()->state() != Query::State::Browse)
            return;
        m_syncing = true;
        query()->setRecNo(current.row() + 1);
        m_syncing = false;
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        applyWidths();
        if (query())
            followQuery(query()->recNo() - 1);
    });
}

void DbGrid::setQuery(Query *query)
{
    if (this->query())
        disconnect(this->query(), &Query::currentChanged, this, nullptr);
    m_model->setQuery(query);
    if (query) {
        connect(query, &Query::currentChanged, this, &DbGrid::followQuery);
        followQuery(query->recNo() - 1);
    }
}

void DbGrid::setPopupMenu(QMenu *menu)
{
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, menu, [this, menu](const QPoint &pos) {
        menu->popup(viewport()->mapToGlobal(pos));
    });
}

void DbGrid::setColumns(const QList<GridColumn> &columns)
{
    m_model->setColumns(columns);
    applyWidths();
}

void DbGrid::applyWidths()
{
    const QList<GridColumn> &cols = m_model->columns();
    // The designed widths were measured in a narrower face than ours: a
    // column is widened so that its whole title can be read, in bold too (a
    // sorted column's title is bold), with the header's own margins.
    QFont bold = horizontalHeader()->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int margins = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, horizontalHeader()) + 4;
    for (int i = 0; i < cols.size(); ++i) {
        setColumnHidden(i, cols[i].hidden);
        const QString title = cols[i].title.isEmpty() ? cols[i].field : cols[i].title;
        setColumnWidth(i, qMax(cols[i].width, metrics.horizontalAdvance(title) + margins));
    }
}

void DbGrid::followQuery(int row)
{
    if (m_syncing)
        return;
    m_syncing = true;
    if (row < 0 || row >= m_model->rowCount())
        selectionModel()->clearCurrentIndex();
    else
        selectionModel()->setCurrentIndex(m_model->index(row, qMax(0, currentIndex().column())),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_syncing = false;
}
