#include "PERSONEL_PIC_u.h"
#include "common/ListDeletion.h"
#include "common/lookup.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "platform/ComboBox.h"
#include "platform/DataError.h"
#include "platform/DbGrid.h"
#include "platform/Guard.h"
#include "platform/Platform.h"
#include "platform/Query.h"
#include "platform/Shape.h"
#include <QCheckBox>
#include <QCollator>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The document table keeps at most five characters of an extension.
constexpr int storedExtensionLength = 5;

// The upload button's picture: an arrow rising out of a tray.
QIcon uploadIcon()
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(3, 12), QPointF(3, 17), QPointF(17, 17), QPointF(17, 12)}));
    QPainterPath arrow;
    arrow.moveTo(10, 2);
    arrow.lineTo(15, 8);
    arrow.lineTo(12, 8);
    arrow.lineTo(12, 14);
    arrow.lineTo(8, 14);
    arrow.lineTo(8, 8);
    arrow.lineTo(5, 8);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(0, 90, 0), 1));
    p.setBrush(QColor(40, 160, 60));
    p.drawPath(arrow);
    return QIcon(pixmap);
}

QLabel *makeLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

TPERSONEL_PIC::TPERSONEL_PIC(QWidget *parent) : Page(parent)
{
    setObjectName(QStringLiteral("PERSONEL_PIC"));
    setWindowTitle(QStringLiteral("پرونده الکترونيک پرسنل"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setLayoutDirection(Qt::RightToLeft);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    resize(421, 456);

    QFont captionFont = font();
    captionFont.setBold(true);
    QPalette red = palette();
    red.setColor(QPalette::WindowText, Qt::red);

    Label1 = makeLabel(QStringLiteral("Label1"), QStringLiteral("استان:"), this);
    Label2 = makeLabel(QStringLiteral("Label2"), QStringLiteral("شهرستان:"), this);
    Label3 = makeLabel(QStringLiteral("Label3"), QStringLiteral("نام و نام خانوادگي:"), this);
    ostan = makeLabel(QStringLiteral("ostan"), QString(), this);
    shahrestan = makeLabel(QStringLiteral("shahrestan"), QString(), this);
    flname = makeLabel(QStringLiteral("flname"), QString(), this);
    for (QLabel *caption : {Label1, Label2, Label3})
        caption->setFont(captionFont);
    for (QLabel *value : {ostan, shahrestan, flname}) {
        value->setFont(captionFont);
        value->setPalette(red);
    }

    Label4 = makeLabel(QStringLiteral("Label4"), QStringLiteral("شرح مستند"), this);
    QFont descFont = font();
    descFont.setPointSize(10);
    Label4->setFont(descFont);
    cmt = new ComboBox(true, this);
    cmt->setObjectName(QStringLiteral("cmt"));
    ins_btn = new QPushButton(this);
    ins_btn->setObjectName(QStringLiteral("ins_btn"));
    ins_btn->setIcon(uploadIcon());
    ins_btn->setIconSize(QSize(20, 20));
    ins_btn->setFixedSize(28, 28);
    Shape1 = new Shape(Shape::Kind::Circle, this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFixedSize(17, 17);
    Shape1->setBrushColor(Qt::red);

    DBGrid1 = new DbGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setLayoutDirection(Qt::RightToLeft);
    DBGrid1->setQuery(app::dm->ADOQ_personel_pic);
    DBGrid1->setColumns({
        {QStringLiteral("id"), QString(), 0, true},
        {QStringLiteral("cmt"), QStringLiteral("شرح مدرک"), 250},
        {QStringLiteral("pictyp"), QStringLiteral("فرمت تصوير"), 80, false, true},
        {QStringLiteral("pic"), QString(), 0, true},
    });

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setLayoutDirection(Qt::RightToLeft);
    N1 = PopupMenu1->addAction(QStringLiteral("حذف"));
    N1->setObjectName(QStringLiteral("N1"));
    DBGrid1->setPopupMenu(PopupMenu1);

    CheckBox1 = new QCheckBox(QStringLiteral("پس از ذخيره باز شود"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setChecked(true);

    Label5 = makeLabel(QStringLiteral("Label5"), QStringLiteral("توجه: هنگام بارگذاري مدرک نام آن يا در پوشه فارسي نباشد."), this);
    Label5->setLayoutDirection(Qt::RightToLeft);
    Label5->setWordWrap(true);

    // Right to left: the first column stands at the right edge.
    auto *person = new QGridLayout;
    person->setHorizontalSpacing(6);
    person->setVerticalSpacing(4);
    const QList<QPair<QLabel *, QLabel *>> rows{{Label1, ostan}, {Label2, shahrestan}, {Label3, flname}};
    for (int r = 0; r < rows.size(); ++r) {
        person->addWidget(rows[r].first, r, 0);
        person->addWidget(rows[r].second, r, 1);
    }
    person->setColumnStretch(1, 1);

    auto *upload = new QHBoxLayout;
    upload->addWidget(Label4);
    upload->addWidget(cmt, 1);
    upload->addWidget(ins_btn);
    upload->addSpacing(24);
    upload->addWidget(Shape1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(person);
    layout->addSpacing(6);
    layout->addLayout(upload);
    layout->addWidget(DBGrid1, 1);
    layout->addWidget(CheckBox1);
    layout->addWidget(Label5);

    connectGuarded(ins_btn, &QPushButton::clicked, this, [this] { ins_btnClick(); });
    connectGuarded(DBGrid1, &DbGrid::cellClicked, this, [this](int row, int) {
        Query &q = *app::dm->ADOQ_personel_pic;
        if (q.isOpen() && row >= 0 && row < q.recordCount())
            q.setRecNo(row + 1);
        DBGrid1CellClick();
    });
    connectGuarded(N1, &QAction::triggered, this, [this] { N1Click(); });
}

void TPERSONEL_PIC::FormShow()
{
    // The description list shows its items in alphabetical order, whatever
    // order the server returns them in; the typed text stays.
    fillComboFromList(QStringLiteral("شرح پرونده الکترونيک پرسنل"), cmt);
    QStringList items;
    for (int i = 0; i < cmt->count(); ++i)
        items << cmt->itemText(i);
    QCollator collator{QLocale(QLocale::Persian, QLocale::Iran)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(items.begin(), items.end(), collator);
    cmt->setItems(items);
}

void TPERSONEL_PIC::ins_btnClick()
{
    // Blanks alone describe nothing: the document could not be told apart.
    if (cmt->text().trimmed().isEmpty()) {
        showMessage(QStringLiteral("خطا! ابتدا شرح ضميمه را مشخص نماييد"));
        return;
    }
    const QString fileName = platform().openFileName(QString(), QString());
    if (fileName.isEmpty())
        return;
    // Any failure from here on ends in one message; the light keeps its colour.
    try {
        Query &person = *app::dm->ADOQ_personel;
        if (person.field(QStringLiteral("id")).isNull())
            throw DataError(QStringLiteral("no person is current"));
        const qint64 personId = person.field(QStringLiteral("id")).asInteger();
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly))
            throw DataError(file.errorString());
        const QByteArray content = file.readAll();
        if (file.error() != QFileDevice::NoError)
            throw DataError(file.errorString());
        file.close();

        storeDocument(*app::dm->ADOQ_new_pic, *app::dm->ADOQuery1, personId, cmt->text(),
                      fileExtension(fileName), content);

        Query &documents = *app::dm->ADOQ_personel_pic;
        documents.close();
        documents.open();
        Shape1->setBrushColor(Qt::green);
    } catch (const std::exception &) {
        showMessage(QStringLiteral("خطايي در ثبت رخ داده است!"));
    }
}

void TPERSONEL_PIC::storeDocument(Query &staging, Query &scratch, qint64 personId, const QString &description,
                                  const QString &extension, const QByteArray &content)
{
    // The document table holds five characters of an extension; a longer one
    // is refused on every engine, also where the engine would not check it.
    if (extension.size() > storedExtensionLength)
        throw DataError(QStringLiteral("extension too long: %1").arg(extension));
    try {
        staging.connection()->transaction([&] {
            scratch.clear();
            scratch.add(QStringLiteral("delete from new_pic "));
            scratch.execute();

            staging.close();
            staging.open();
            staging.append();
            staging.field(QStringLiteral("new_id")).setValue(personId);
            staging.field(QStringLiteral("cmt")).setText(description);
            staging.field(QStringLiteral("pictyp")).setText(extension);
            staging.field(QStringLiteral("pic")).setBytes(content);
            staging.post();
            const QString staged = QString::number(staging.field(QStringLiteral("id")).asInteger());

            // Copied only while the person is still there: a person deleted on
            // another workstation since the file was opened gets no document
            // that nobody could ever find again.
            scratch.clear();
            scratch.add(QStringLiteral("insert into personel_pic (personel_id,cmt,pictyp,pic) select new_id,cmt,pictyp,pic from new_pic"));
            scratch.add(QStringLiteral(" where id=") + staged);
            scratch.add(QStringLiteral(" and new_id in (select id from personel)"));
            if (scratch.execute() != 1)
                throw DataError(QStringLiteral("the person is no longer stored"));

            scratch.clear();
            scratch.add(QStringLiteral("delete from new_pic where id=") + staged);
            scratch.execute();
        });
    } catch (...) {
        staging.close();
        throw;
    }
    // The staged bytes are no longer needed in memory.
    staging.close();
}

void TPERSONEL_PIC::DBGrid1CellClick()
{
    Query &q = *app::dm->ADOQ_personel_pic;
    if (!q.isOpen() || q.recNo() < 1)
        return;
    const QString chosen = platform().saveFileName(QString(), q.field(QStringLiteral("cmt")).asString(), QString());
    if (chosen.isEmpty())
        return;
    // The stored extension is appended as it stands, even when the chosen
    // name already ends with it; only its unsafe characters are dropped.
    const QString target = chosen + safeExtension(q.field(QStringLiteral("pictyp")).asString());
    // The dialog asked only about the name chosen in it; a different final
    // name that exists is replaced only when the user says so.
    if (target != chosen && QFileInfo::exists(target)
        && platform().messageBox(Platform::BoxKind::Warning,
                                 QStringLiteral("فايلي با نام ") + target + QStringLiteral(" وجود دارد. آيا جايگزين شود؟"),
                                 {Platform::Button::No, Platform::Button::Yes})
               != Platform::Button::Yes)
        return;
    const QByteArray content = q.field(QStringLiteral("pic")).asBytes();
    // Written beside the target and put in its place only when complete, so
    // a failed write leaves any old file whole.
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        throw DataError(fileNotWritten(target, file.errorString()));
    if (CheckBox1->isChecked() && !platform().openWithAssociatedProgram(target))
        showFileLeftAt(QStringLiteral("برنامه اي براي باز کردن اين فايل پيدا نشد."), target);
}

void TPERSONEL_PIC::N1Click()
{
    // With no document in the grid there is nothing to delete.
    Query &q = *app::dm->ADOQ_personel_pic;
    if (!q.isOpen() || q.recNo() < 1)
        return;
    const QString password = singleValue(QStringLiteral("رمز حذف"), *app::dm->ADOQ_set);
    // A cancelled box deletes nothing, whatever the password.
    const std::optional<QString> answer =
        platform().inputBox(QStringLiteral("Delete Password"), QStringLiteral("رمز حذف"), QStringLiteral("?"));
    if (!answer || *answer != password) {
        showMessage(QStringLiteral("رمز حذف اشتباه بود"));
        return;
    }
    Query &scratch = *app::dm->ADOQuery1;
    scratch.clear();
    scratch.add(QStringLiteral("delete from personel_pic where id=") + QString::number(q.field(QStringLiteral("id")).asInteger()));
    reportDeletion(scratch.execute());
    q.close();
    q.open();
}

QString TPERSONEL_PIC::fileExtension(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

QString TPERSONEL_PIC::safeExtension(const QString &stored)
{
    QString kept;
    for (const QChar c : stored)
        if (c.isLetter() || c.isDigit() || c == QLatin1Char('.'))
            kept += c;
    return kept;
}
