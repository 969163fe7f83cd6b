#include "payam_u.h"
#include "admin/users_u.h"
#include "common/ListDeletion.h"
#include "common/lookup.h"
#include "core/Dates.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/ComboBox.h"
#include "platform/DbGrid.h"
#include "platform/Guard.h"
#include "platform/Platform.h"
#include "platform/Query.h"
#include <QCheckBox>
#include <QCollator>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextDocument>
#include <QTextOption>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString Administrator = QStringLiteral("admin");
const QString SubjectList = QStringLiteral("موضوع پيام");
const QString Deleted = QStringLiteral("حذف شد");
const QString NoRecipient = QStringLiteral("لطفا گيرنده پيام را انتخاب نماييد");
const QString UnreadKept = QStringLiteral("پيام هاي خوانده نشده حذف نشدند");
const QString AdministratorOnly = QStringLiteral("حذف فقط توسط مدير سيستم قابل انجام است");
// The subject column holds 100 characters.
const int SubjectLength = 100;

bool isAdministrator()
{
    return app::users->karbar->text() == Administrator;
}

QString currentUserId()
{
    return app::users->prs_id->text();
}

// A column of a query's current row; a query that is closed or empty reads
// as the empty text, as an empty data set does.
QString currentText(Query &q, const QString &name)
{
    if (!q.isOpen() || q.recNo() < 1)
        return QString();
    return q.field(name).asString();
}

// Runs a statement without rows on the shared scratch query; the rows it affected.
int runStatement(const QStringList &lines)
{
    Query &q = *app::dm->ADOQuery1;
    q.clear();
    for (const QString &line : lines)
        q.add(line);
    return q.execute();
}

// A text as a statement would store it: the empty text, never NULL, which
// an unread message's read date and the unread count rely on.
QString storedText(const QString &text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

// The id of the user of this name as text, the empty text when there is none.
QString userIdOf(Query &q, const QString &name, const QString &firstLine)
{
    q.clear();
    q.add(firstLine + quoted(name));
    q.open();
    return currentText(q, QStringLiteral("id"));
}

// The list of recipients: items flow down and then into the next column, and
// the list shows two columns side by side.
class TwoColumnList : public QListWidget {
public:
    explicit TwoColumnList(QWidget *parent) : QListWidget(parent)
    {
        setFlow(QListView::TopToBottom);
        setWrapping(true);
        setResizeMode(QListView::Adjust);
        setUniformItemSizes(true);
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QListWidget::resizeEvent(event);
        setGridSize(QSize(qMax(40, viewport()->width() / 2), fontMetrics().height() + 4));
    }
};

// A memo for Persian text: its lines read right to left from the right edge.
// The widget's direction alone mirrors only the frame and scroll bar; the
// plain-text layout does not mirror its alignment, so a line stands at the
// left edge unless the document's own option says right.
QPlainTextEdit *rightToLeftMemo(QWidget *parent)
{
    auto *memo = new QPlainTextEdit(parent);
    memo->setLayoutDirection(Qt::RightToLeft);
    QTextOption option = memo->document()->defaultTextOption();
    option.setTextDirection(Qt::RightToLeft);
    option.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    memo->document()->setDefaultTextOption(option);
    return memo;
}

} // namespace

// Esc does not close the window: a message being written would be lost, as
// the next opening clears the compose fields.
Tpayam::Tpayam(QWidget *parent) : Page(parent, false)
{
    setObjectName(QStringLiteral("payam"));
    setWindowTitle(QStringLiteral("تبادل پيام"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setLayoutDirection(Qt::RightToLeft);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    resize(714, 480);

    auto named = [](auto *object, const char *name) {
        object->setObjectName(QLatin1String(name));
        return object;
    };

    DBGrid1 = named(new DbGrid(this), "DBGrid1");
    DBGrid1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    DBGrid1->setQuery(app::dm->ADOQ_payam);
    DBGrid1->setColumns({
        {QStringLiteral("ferestande"), QStringLiteral("فرستنده"), 80},
        {QStringLiteral("send_dat"), QStringLiteral("تاريخ ارسال"), 70},
        {QStringLiteral("show_dat"), QStringLiteral("تاريخ ملاحظه"), 70},
        {QStringLiteral("mozo"), QStringLiteral("موضوع"), 250},
        {QStringLiteral("cmt"), QStringLiteral("متن پيام"), 64, true},
    });
    DBGrid1->setMinimumSize(505, 169);

    PopupMenu1 = named(new QMenu(this), "PopupMenu1");
    PopupMenu1->setLayoutDirection(Qt::RightToLeft);
    auto item = [&](const char *name, const QString &caption) {
        return named(PopupMenu1->addAction(caption), name);
    };
    N1 = item("N1", QStringLiteral("خوانده شد"));
    N3 = item("N3", QStringLiteral("حذف"));
    N2 = item("N2", QStringLiteral("گيرنده پيام"));
    N4 = item("N4", QStringLiteral("حذف تمام خوانده شده ها"));
    N5 = item("N5", QStringLiteral("حذف انتخاب شده ها"));
    DBGrid1->setPopupMenu(PopupMenu1);

    // The text of the current message; it is read here, never edited.
    DBMemo1 = named(rightToLeftMemo(this), "DBMemo1");
    DBMemo1->setReadOnly(true);
    DBMemo1->setFixedWidth(153);

    Label5 = named(new QLabel(QStringLiteral("گيرنده"), this), "Label5");
    girande = named(new ComboBox(true, this), "girande");
    girande->setEnabled(false);

    Label1 = named(new QLabel(QStringLiteral("تذكر مهم: هر پيامي را كه ملاحظه كرديد تيك ملاحظه شد را با كليك راست اعمال نماييد"), this),
                   "Label1");
    Label6 = named(new QLabel(QStringLiteral("Press Ctrl Key for MultiSelect"), this), "Label6");
    // Latin text, yet at the right edge like every other line of the window.
    Label6->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    QPalette teal = Label6->palette();
    teal.setColor(QPalette::WindowText, QColor(0, 128, 128));
    Label6->setPalette(teal);

    Label4 = named(new QLabel(QStringLiteral("موضوع"), this), "Label4");
    mozo = named(new ComboBox(true, this), "mozo");
    mozo->lineEdit()->setMaxLength(SubjectLength);
    Label3 = named(new QLabel(QStringLiteral("متن پيام"), this), "Label3");
    cmt = named(rightToLeftMemo(this), "cmt");
    cmt->setFixedWidth(329);

    prs_list = named(new TwoColumnList(this), "prs_list");
    prs_list->setLayoutDirection(Qt::RightToLeft);
    prs_list->setMinimumSize(281, 146);
    CheckBox1 = named(new QCheckBox(QStringLiteral("گروه گيرندگان پيام"), this), "CheckBox1");

    BitBtn1 = named(new QToolButton(this), "BitBtn1");
    BitBtn1->setText(QStringLiteral("ارسال"));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    BitBtn1->setIconSize(QSize(24, 24));
    BitBtn1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    BitBtn1->setFixedSize(42, 145);

    // Upper half: the grid at the right, the filter and the message text at
    // the left, the two hints under the grid.
    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(Label5);
    filterRow->addWidget(girande, 1);
    auto *reading = new QVBoxLayout;
    reading->addLayout(filterRow);
    reading->addWidget(DBMemo1, 1);
    auto *upper = new QHBoxLayout;
    upper->addWidget(DBGrid1, 1);
    upper->addLayout(reading);

    // Lower half: subject and text at the right, the send button in the
    // middle, the recipients at the left.
    auto *subjectRow = new QHBoxLayout;
    subjectRow->addWidget(Label4);
    subjectRow->addWidget(mozo, 1);
    auto *compose = new QVBoxLayout;
    compose->addLayout(subjectRow);
    compose->addWidget(Label3);
    compose->addWidget(cmt, 1);
    auto *recipients = new QVBoxLayout;
    recipients->addWidget(CheckBox1);
    recipients->addWidget(prs_list, 1);
    auto *lower = new QHBoxLayout;
    lower->addLayout(compose);
    lower->addWidget(BitBtn1, 0, Qt::AlignBottom);
    lower->addLayout(recipients, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(upper, 1);
    layout->addWidget(Label1);
    layout->addWidget(Label6);
    layout->addLayout(lower, 1);

    Query *messages = app::dm->ADOQ_payam;
    connect(messages, &Query::currentChanged, this, [this] { showCurrentText(); });
    connect(messages, &Query::reset, this, [this] { showCurrentText(); });

    connectGuarded(BitBtn1, &QToolButton::clicked, this, [this] { BitBtn1Click(); });
    connectGuarded(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
    connectGuarded(N1, &QAction::triggered, this, [this] { N1Click(); });
    connectGuarded(N3, &QAction::triggered, this, [this] { N3Click(); });
    connectGuarded(N2, &QAction::triggered, this, [this] { N2Click(); });
    connectGuarded(N4, &QAction::triggered, this, [this] { N4Click(); });
    connectGuarded(N5, &QAction::triggered, this, [this] { N5Click(); });
    connectGuarded(girande, &ComboBox::changed, this, [this] { girandeChange(); });
}

void Tpayam::showCurrentText()
{
    Query &q = *app::dm->ADOQ_payam;
    if (!q.isOpen() || q.recNo() < 1 || q.columnIndex(QStringLiteral("cmt")) < 0) {
        DBMemo1->clear();
        return;
    }
    DBMemo1->setPlainText(QString::fromUtf8(q.field(QStringLiteral("cmt")).asBytes()));
}

void Tpayam::FormShow()
{
    fillComboFromList(SubjectList, mozo);

    Query &q = *app::dm->ADOQuery1;
    q.clear();
    q.add(QStringLiteral("select us from users"));
    q.open();
    QStringList names;
    const int us = q.columnIndex(QStringLiteral("us"));
    for (int row = 0; row < q.recordCount(); ++row)
        names << q.textAt(row, us);
    // The filter keeps the server's order; the recipients are sorted as
    // Persian is, and all start unticked.
    girande->setItems(names);
    QCollator collator{QLocale(QLocale::Persian, QLocale::Iran)};
    std::stable_sort(names.begin(), names.end(), collator);
    prs_list->clear();
    for (const QString &name : names) {
        auto *entry = new QListWidgetItem(name, prs_list);
        entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        entry->setCheckState(Qt::Unchecked);
    }
}

QStringList Tpayam::tickedRecipients() const
{
    QStringList names;
    for (int i = 0; i < prs_list->count(); ++i)
        if (prs_list->item(i)->checkState() == Qt::Checked)
            names << prs_list->item(i)->text();
    return names;
}

void Tpayam::BitBtn1Click()
{
    Query &q = *app::dm->ADOQuery1;
    const QString sender = currentUserId();
    const QString subject = mozo->text();
    const QByteArray body = cmt->toPlainText().toUtf8();
    const QStringList recipients = tickedRecipients();
    // With no one ticked the message would go nowhere: say so, keep it.
    if (recipients.isEmpty()) {
        showMessage(NoRecipient);
        return;
    }
    QStringList withoutAccount;
    for (const QString &name : recipients) {
        const QString recipient = userIdOf(q, name, QStringLiteral("Select id from users where us="));
        // A name whose account was deleted since the list was filled has no
        // one to receive the message: it is named to the sender below.
        if (recipient.isEmpty()) {
            withoutAccount << name;
            continue;
        }
        dates.Init();
        const QString sent = dates.ToText();

        // The same message sent again on the same day (a second click on
        // send) is stored once; another text under the same subject is a
        // new message.
        q.clear();
        q.add(QStringLiteral("Select * from payamha where send_prs_id=") + quoted(sender) + QStringLiteral(" and rec_prs_id=")
              + quoted(recipient) + QStringLiteral(" and mozo=") + quoted(subject) + QStringLiteral(" and send_dat=") + quoted(sent));
        q.open();
        bool alreadySent = false;
        for (q.first(); !q.eof() && !alreadySent; q.next())
            alreadySent = q.field(QStringLiteral("cmt")).asBytes() == body;
        if (alreadySent)
            continue;

        // The text goes into the binary column as UTF-8 bytes.
        q.append();
        try {
            q.field(QStringLiteral("send_prs_id")).setText(sender);
            q.field(QStringLiteral("rec_prs_id")).setText(recipient);
            q.field(QStringLiteral("send_dat")).setText(sent);
            q.field(QStringLiteral("show_dat")).setText(storedText(QString()));
            q.field(QStringLiteral("mozo")).setText(storedText(subject));
            q.field(QStringLiteral("cmt")).setBytes(body);
            q.post();
        } catch (...) {
            q.cancel();
            throw;
        }
        reopenMessages();
    }
    if (withoutAccount.isEmpty())
        showMessage(QStringLiteral("ارسال انجام شد"));
    else
        showMessage(QStringLiteral("پيام براي اين كاربران ارسال نشد، زيرا حساب كاربري آنان ديگر وجود ندارد: ")
                    + withoutAccount.join(QStringLiteral("، ")));
}

void Tpayam::CheckBox1Click()
{
    const Qt::CheckState state = CheckBox1->isChecked() ? Qt::Checked : Qt::Unchecked;
    for (int i = 0; i < prs_list->count(); ++i)
        prs_list->item(i)->setCheckState(state);
}

// The id of the message in the grid's current row; the empty text when the
// grid shows none, and then there is nothing to act on.
QString Tpayam::currentMessageId() const
{
    return currentText(*app::dm->ADOQ_payam, QStringLiteral("id"));
}

void Tpayam::N1Click()
{
    const QString id = currentMessageId();
    if (id.isEmpty())
        return;
    dates.Init();
    // A message keeps the date it was first read.
    runStatement({QStringLiteral("Update payamha set show_dat=") + quoted(dates.ToText()), QStringLiteral(" where id=") + quoted(id),
                  QStringLiteral(" and (show_dat is null or show_dat=") + quoted(QString()) + QStringLiteral(")")});
    reopenMessages();
}

void Tpayam::N2Click()
{
    const QString id = currentMessageId();
    if (id.isEmpty())
        return;
    Query &q = *app::dm->ADOQuery1;
    q.clear();
    q.add(QStringLiteral("select users.us as girande from payamha left join users on payamha.rec_prs_id=users.id where payamha.id=")
          + quoted(id));
    q.open();
    showMessage(currentText(q, QStringLiteral("girande")));
}

bool Tpayam::refusedUnlessAdministrator()
{
    if (isAdministrator())
        return false;
    showMessage(AdministratorOnly);
    return true;
}

void Tpayam::N3Click()
{
    if (refusedUnlessAdministrator())
        return;
    const QString id = currentMessageId();
    if (id.isEmpty())
        return;
    // A message another workstation deleted meanwhile is said to be so.
    reportDeletion(runStatement({QStringLiteral("Delete from payamha where id=") + quoted(id)}));
    reopenMessages();
}

void Tpayam::N4Click()
{
    if (refusedUnlessAdministrator())
        return;
    runStatement({QStringLiteral("Delete from payamha where show_dat<>") + quoted(QString())});
    sayDeletedAndReopen();
}

void Tpayam::N5Click()
{
    if (refusedUnlessAdministrator())
        return;
    // Moving to a row selects it alone, so the selection is taken first.
    QList<int> rows;
    for (const QModelIndex &index : DBGrid1->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    Query &messages = *app::dm->ADOQ_payam;
    bool deleted = false;
    bool keptUnread = false;
    for (int row : rows) {
        messages.setRecNo(row + 1);
        // Unread messages stay.
        if (messages.field(QStringLiteral("show_dat")).asString().isEmpty()) {
            keptUnread = true;
            continue;
        }
        runStatement({QStringLiteral("Delete from payamha where id=") + quoted(messages.field(QStringLiteral("id")).asString())});
        deleted = true;
    }
    // "Deleted" only when a row went; selected unread rows that stay are
    // named, so that the command never passes without a word.
    if (deleted)
        sayDeletedAndReopen();
    if (keptUnread)
        showMessage(UnreadKept);
}

void Tpayam::girandeChange()
{
    const QString name = girande->text();
    // A typed name finds its account whichever form of kaf and yeh it has.
    Query &users = *app::dm->ADOQuery1;
    users.clear();
    users.add(QStringLiteral("select id from users where ") + users.connection()->dialect().equalsText(QStringLiteral("us"), name));
    users.open();
    const QString recipient = currentText(users, QStringLiteral("id"));
    Query &q = *app::dm->ADOQ_payam;
    q.clear();
    q.add(QStringLiteral("select payamha.*,users.us as ferestande from payamha left join users on payamha.send_prs_id=users.id where ")
          + q.connection()->dialect().integerDiffersFromEmpty(QStringLiteral("payamha.id")));
    if (!name.isEmpty())
        // A name without an account lists nothing.
        q.add(QStringLiteral(" and ") + q.connection()->dialect().integerEqualsText(QStringLiteral("rec_prs_id"), recipient));
    q.add(QStringLiteral(" order by payamha.send_dat desc "));
    q.open();
}

void Tpayam::sayDeletedAndReopen()
{
    showMessage(Deleted);
    reopenMessages();
}

void Tpayam::reopenMessages()
{
    Query &q = *app::dm->ADOQ_payam;
    q.close();
    q.open();
}
