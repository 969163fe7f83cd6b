#include "zamaem_u.h"
#include "common/ListDeletion.h"
#include "common/Page.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "personnel/PERSONEL_PIC_u.h"
#include "platform/ComboBox.h"
#include "platform/DataError.h"
#include "platform/DbGrid.h"
#include "platform/Guard.h"
#include "platform/Platform.h"
#include "platform/Query.h"
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// The table keeps five characters of an extension and twenty of a password.
const int ExtensionLength = 5;
const int PasswordLength = 20;
const QString ExtensionTooLong = QStringLiteral("خطا، پسوند فايل بيش از پنج حرف است و قابل ثبت نيست");
const QString ListAll = QStringLiteral("select * from zamaem ");

QByteArray readWholeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DataError(fileNotRead(path, file.errorString()));
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw DataError(fileNotRead(path, file.errorString()));
    return content;
}

void writeWholeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size() || !file.flush())
        throw DataError(fileNotWritten(path, file.errorString()));
}

} // namespace

Tzamaem::Tzamaem(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("zamaem"));
    // Its opener clears what is typed here; Esc must not throw that away.
    ignoreEscape(this);
    setWindowTitle(QStringLiteral("ضمائم"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setLayoutDirection(Qt::RightToLeft);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    resize(536, 497);

    auto named = [](auto *object, const char *name) {
        object->setObjectName(QLatin1String(name));
        return object;
    };

    Label3 = named(new QLabel(QStringLiteral("شرح ضميمه"), this), "Label3");
    Combo_type = named(new ComboBox(false, this), "Combo_type");
    Combo_type->setItems({QStringLiteral("آرم")});

    Label1 = named(new QLabel(QStringLiteral("رمز ضميمه جهت دسترسي"), this), "Label1");
    ramz = named(new QLineEdit(this), "ramz");
    ramz->setMaxLength(PasswordLength);
    ins_btn = named(new QPushButton(style()->standardIcon(QStyle::SP_DirOpenIcon), QStringLiteral("انتخاب و ثبت ضميمه (Browse)"), this),
                    "ins_btn");
    ins_btn->setAutoDefault(false);

    DBGrid1 = named(new DbGrid(this), "DBGrid1");
    DBGrid1->setQuery(app::dm->ADOQ_zamaem);
    DBGrid1->setColumns({
        {QStringLiteral("id"), QString(), 0, true},
        {QStringLiteral("ramz"), QStringLiteral("رمز"), 80},
        {QStringLiteral("cmt"), QStringLiteral("شرح ضميمه"), 300},
        {QStringLiteral("pictype"), QStringLiteral("فرمت تصوير"), 64, false, true},
        {QStringLiteral("pic"), QString(), 0, true},
    });
    DBGrid1->setMinimumSize(481, 265);

    PopupMenu1 = named(new QMenu(this), "PopupMenu1");
    PopupMenu1->setLayoutDirection(Qt::RightToLeft);
    N1 = named(PopupMenu1->addAction(QStringLiteral("حذف")), "N1");
    DBGrid1->setPopupMenu(PopupMenu1);

    Label4 = named(new QLabel(QStringLiteral("*جهت حذف هر مورد بر روي آن کليک راست نماييد."), this), "Label4");
    Label2 = named(new QLabel(QStringLiteral("*جهت مشاهده هر ضميمه بر روي آن كليك نماييد"), this), "Label2");

    auto *descriptionRow = new QHBoxLayout;
    descriptionRow->addWidget(Label3);
    descriptionRow->addWidget(Combo_type, 1);
    auto *passwordRow = new QHBoxLayout;
    passwordRow->addWidget(Label1);
    passwordRow->addWidget(ramz, 1);
    passwordRow->addWidget(ins_btn);
    // The two captions take one width so that the inputs line up.
    const int captionWidth = qMax(Label3->sizeHint().width(), Label1->sizeHint().width());
    Label3->setFixedWidth(captionWidth);
    Label1->setFixedWidth(captionWidth);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(descriptionRow);
    layout->addLayout(passwordRow);
    layout->addWidget(DBGrid1, 1);
    layout->addWidget(Label4);
    layout->addWidget(Label2);

    connectGuarded(ins_btn, &QPushButton::clicked, this, [this] { ins_btnClick(); });
    connectGuarded(DBGrid1, &DbGrid::cellClicked, this, [this] { DBGrid1CellClick(); });
    connectGuarded(N1, &QAction::triggered, this, [this] { N1Click(); });
}

QString Tzamaem::viewedFilePath(const QString &storedExtension)
{
    return QDir::temp().filePath(QStringLiteral("Quellarindo") + TPERSONEL_PIC::safeExtension(storedExtension));
}

void Tzamaem::listAll()
{
    Query &q = *app::dm->ADOQ_zamaem;
    q.clear();
    q.add(ListAll);
    q.open();
}

void Tzamaem::ins_btnClick()
{
    // Every check runs and says what it found; the file is asked for even
    // after a failed check, and nothing is stored unless all passed.
    Query &q = *app::dm->ADOQ_zamaem;
    const QString description = Combo_type->text();
    bool failed = false;
    q.clear();
    q.add(QStringLiteral("select * from zamaem where cmt=") + quoted(description));
    q.open();
    if (q.recordCount() > 0) {
        showMessage(QStringLiteral("شرح ضميمه تكراري است"));
        failed = true;
    }
    if (description.isEmpty()) {
        showMessage(QStringLiteral("خطا، ابتدا شرح ضميمه را وارد نماييد"));
        failed = true;
    }
    const QString fileName = platform().openFileName(QString(), QString());
    if (fileName.isEmpty() || failed)
        return;
    // A longer extension would be cut short and the file never open again
    // with its program.
    const QString extension = TPERSONEL_PIC::fileExtension(fileName);
    if (extension.size() > ExtensionLength) {
        showMessage(ExtensionTooLong);
        return;
    }

    const QByteArray content = readWholeFile(fileName);
    q.append();
    try {
        q.field(QStringLiteral("cmt")).setText(description);
        q.field(QStringLiteral("ramz")).setText(ramz->text());
        q.field(QStringLiteral("pictype")).setText(extension);
        q.field(QStringLiteral("pic")).setBytes(content);
        q.post();
    } catch (...) {
        q.cancel();
        throw;
    }
    showMessage(QStringLiteral("ثبت شد"));
    listAll();
}

void Tzamaem::DBGrid1CellClick()
{
    Query &q = *app::dm->ADOQ_zamaem;
    if (!q.isOpen() || q.recNo() < 1)
        return;
    // The file goes to the temporary folder under one fixed name, replacing
    // the one viewed before, and stays there for the program that shows it.
    const QString target = viewedFilePath(q.field(QStringLiteral("pictype")).asString());
    writeWholeFile(target, q.field(QStringLiteral("pic")).asBytes());
    if (!platform().openWithAssociatedProgram(target))
        showFileLeftAt(QStringLiteral("برنامه اي براي باز کردن اين ضميمه پيدا نشد."), target);
}

void Tzamaem::N1Click()
{
    // With no stored file in the grid there is nothing to delete.
    Query &q = *app::dm->ADOQ_zamaem;
    if (!q.isOpen() || q.recNo() < 1)
        return;
    const QString id = q.field(QStringLiteral("id")).asString();
    q.clear();
    q.add(QStringLiteral("delete from zamaem where id=") + quoted(id));
    reportDeletion(q.execute());
    listAll();
}
