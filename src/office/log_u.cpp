#include "log_u.h"
#include "common/FilterToggle.h"
#include "common/ListSearch.h"
#include "common/export.h"
#include "core/Controls.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/ComboBox.h"
#include "platform/DbGrid.h"
#include "platform/Digits.h"
#include "platform/Guard.h"
#include "platform/MaskEdit.h"
#include "platform/Query.h"
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Rows with an empty user name are never listed or counted.
QString countLine() { return QStringLiteral("select count(*) as c  from log where karbar<>") + quoted(QString()); }
QString rowLine() { return QStringLiteral("select * from log where karbar<>") + quoted(QString()); }
const QString RowTail = QStringLiteral(" order by saat_sys desc ");

// The export button's picture: a small green sheet with a white cross.
QIcon spreadsheetIcon()
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(33, 115, 70));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 2, 2);
    painter.setPen(QPen(Qt::white, 2.2));
    painter.drawLine(QPointF(4.5, 4), QPointF(11.5, 12));
    painter.drawLine(QPointF(11.5, 4), QPointF(4.5, 12));
    return QIcon(picture);
}

} // namespace

const QList<GridColumn> &Tlog::gridColumns()
{
    static const QList<GridColumn> columns{
        {QStringLiteral("karbar"), QStringLiteral("نام کاربر"), 80},
        {QStringLiteral("ip"), QStringLiteral("IP"), 100},
        {QStringLiteral("computer_name"), QStringLiteral("نام کامپيوتر"), 110},
        {QStringLiteral("saat"), QStringLiteral("ساعت"), 80},
        {QStringLiteral("tarikh"), QStringLiteral("تاريخ"), 80},
        // The description gives up what the other titles take beyond their
        // designed widths in the program's face, so that at the window's
        // designed size every column, the last title too, is seen whole, also
        // beside a vertical scroll bar.
        {QStringLiteral("cmt"), QStringLiteral("شرح عمليات"), 170},
        {QStringLiteral("saat_sys"), QStringLiteral("تاريخ و ساعت سرور"), 130},
    };
    return columns;
}

const QList<QPair<QString, QString>> &Tlog::exportTitles()
{
    static const QList<QPair<QString, QString>> titles{
        {QStringLiteral("id"), QStringLiteral("شناسه")},
        {QStringLiteral("karbar"), QStringLiteral("نام کاربري")},
        {QStringLiteral("ip"), QStringLiteral("آي پي")},
        {QStringLiteral("computer_name"), QStringLiteral("نام کامپيوتر")},
        {QStringLiteral("saat"), QStringLiteral("ساعت")},
        {QStringLiteral("tarikh"), QStringLiteral("تاريخ")},
        {QStringLiteral("cmt"), QStringLiteral("شرح عمليات")},
        {QStringLiteral("saat_sys"), QStringLiteral("ساعت سرور")},
    };
    return titles;
}

Tlog::Tlog(QWidget *parent) : QDialog(parent)
{
    setUpWindow(this, "log", QStringLiteral("log"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    resize(835, 436);

    CheckBox1 = named(new QCheckBox(QStringLiteral("نام کاربر"), this), "CheckBox1");
    karbar = named(new ComboBox(true, this), "karbar");
    CheckBox3 = named(new QCheckBox(QStringLiteral("نام كامپيوتر"), this), "CheckBox3");
    computer_name = named(new QLineEdit(this), "computer_name");
    CheckBox4 = named(new QCheckBox(QStringLiteral("شرح عمليات"), this), "CheckBox4");
    cmt = named(new QLineEdit(this), "cmt");
    CheckBox2 = named(new QCheckBox(QStringLiteral("تاريخ"), this), "CheckBox2");
    dat1 = named(new MaskEdit(QStringLiteral("!9999/99/00;1;_"), this), "dat1");
    Label2 = named(new QLabel(QStringLiteral("تـــــــــــــا"), this), "Label2");
    dat2 = named(new MaskEdit(QStringLiteral("!9999/99/00;1;_"), this), "dat2");
    CheckBox5 = named(new QCheckBox(QStringLiteral("IP"), this), "CheckBox5");
    ip = named(new QLineEdit(this), "ip");
    for (QWidget *field : {static_cast<QWidget *>(karbar), static_cast<QWidget *>(computer_name), static_cast<QWidget *>(cmt),
                           static_cast<QWidget *>(ip)}) {
        field->setEnabled(false);
        field->setFixedWidth(140);
    }
    for (MaskEdit *date : {dat1, dat2}) {
        date->setMaxLength(10);
        date->setEnabled(false);
        date->setFixedWidth(80);
        // Dates read from the left, as they are typed.
        date->setLayoutDirection(Qt::LeftToRight);
    }
    ip->setLayoutDirection(Qt::LeftToRight);
    // Addresses are stored in ASCII digits; typed on the Persian keyboard
    // they would match nothing.
    takeLocalDigits(ip);

    BitBtn1 = named(new QPushButton(style()->standardIcon(QStyle::SP_FileDialogContentsView), QStringLiteral("جستجو"), this),
                    "BitBtn1");
    BitBtn1->setAutoDefault(false);
    BitBtn1->setMinimumSize(75, 28);

    DBGrid1 = named(new DbGrid(this), "DBGrid1");
    DBGrid1->setQuery(app::dm->ADOQuery1);
    DBGrid1->setColumns(gridColumns());

    cnt = named(new QLabel(QStringLiteral("cnt"), this), "cnt");
    SpeedButton1 = named(new QToolButton(this), "SpeedButton1");
    SpeedButton1->setIcon(spreadsheetIcon());
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setFixedSize(22, 27);
    SpeedButton1->setCursor(Qt::PointingHandCursor);

    // Two lines of filters at the top, right to left, the search button at
    // the end of the second; the grid; the count and the export button below.
    auto *filters = new QGridLayout;
    filters->setHorizontalSpacing(6);
    filters->addWidget(CheckBox1, 0, 0);
    filters->addWidget(karbar, 0, 1);
    filters->addWidget(CheckBox3, 0, 2);
    filters->addWidget(computer_name, 0, 3);
    filters->addWidget(CheckBox4, 0, 4);
    filters->addWidget(cmt, 0, 5);
    auto *range = new QHBoxLayout;
    range->addWidget(dat1);
    range->addWidget(Label2);
    range->addWidget(dat2);
    filters->addWidget(CheckBox2, 1, 0);
    filters->addLayout(range, 1, 1);
    filters->addWidget(CheckBox5, 1, 2);
    filters->addWidget(ip, 1, 3);
    filters->addWidget(BitBtn1, 1, 5, Qt::AlignLeft);
    filters->setColumnStretch(6, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(cnt);
    bottom->addStretch(1);
    bottom->addWidget(SpeedButton1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(DBGrid1, 1);
    layout->addLayout(bottom);

    connectGuarded(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connectGuarded(CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
    connectGuarded(CheckBox2, &QCheckBox::toggled, this, [this] { CheckBox2Click(); });
    connectGuarded(CheckBox3, &QCheckBox::toggled, this, [this] { CheckBox3Click(); });
    connectGuarded(CheckBox4, &QCheckBox::toggled, this, [this] { CheckBox4Click(); });
    connectGuarded(CheckBox5, &QCheckBox::toggled, this, [this] { CheckBox5Click(); });
    connectGuarded(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
}

void Tlog::BitBtn1Click()
{
    // The switched-on filters in their fixed order: user name, date range,
    // operation text, computer name, IP address.
    QStringList conditions = filterConditions({{QStringLiteral("karbar"), karbar}});
    if (dat1->isEnabled())
        conditions << rangeCondition(QStringLiteral("tarikh"), dat1->text(), dat2->text());
    conditions << filterConditions({{QStringLiteral("cmt"), cmt},
                                    {QStringLiteral("computer_name"), computer_name},
                                    {QStringLiteral("ip"), ip}});
    Query &q = *app::dm->ADOQuery1;
    ListSearch{countLine(), rowLine(), conditions, {RowTail}}.run(q, cnt, q);
}

void Tlog::CheckBox1Click() { toggleFilter(CheckBox1, {karbar}); }
void Tlog::CheckBox2Click() { toggleFilter(CheckBox2, {dat1, dat2}, dat1); }
void Tlog::CheckBox3Click() { toggleFilter(CheckBox3, {computer_name}); }
void Tlog::CheckBox4Click() { toggleFilter(CheckBox4, {cmt}); }
void Tlog::CheckBox5Click() { toggleFilter(CheckBox5, {ip}); }

void Tlog::SpeedButton1Click()
{
    exportToSpreadsheet(*app::dm->ADOQuery1, exportTitles(), QStringLiteral("لاگ"));
}
