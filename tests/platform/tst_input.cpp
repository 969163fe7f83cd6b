// The masked edit as the windows use it: digits of a Persian keyboard, and
// the refusal to leave a half-filled field.
#include "TestSupport.h"
#include "platform/ComboBox.h"
#include "platform/MaskEdit.h"
#include "platform/SingleLine.h"
#include "platform/Style.h"
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>
#include <functional>

namespace {

const QString DateMask = QStringLiteral("!9999/99/00;1;_");

// A window with the masked edit under test, a plain edit and a button.
struct Form {
    QWidget window;
    MaskEdit *masked;
    QLineEdit *other = new QLineEdit(&window);
    QPushButton *button = new QPushButton(QStringLiteral("ثبت"), &window);
    int clicks = 0;

    explicit Form(const QString &mask) : masked(new MaskEdit(mask, &window))
    {
        auto *layout = new QHBoxLayout(&window);
        layout->addWidget(masked);
        layout->addWidget(other);
        layout->addWidget(button);
        QObject::connect(button, &QPushButton::clicked, [this] { ++clicks; });
        window.show();
        window.activateWindow();
    }
    // Enters the masked field and types into it.
    void type(const QString &text)
    {
        masked->setFocus(Qt::TabFocusReason);
        typeText(masked, text);
    }
    // Moves on to the plain edit as Tab would and lets the window react.
    void leave()
    {
        other->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }
};

} // namespace

class InputTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Typed, and pasted.
    void maskedFieldsTakePersianDigits_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("digits");
        QTest::addColumn<QString>("text");
        QTest::newRow("date") << DateMask << QStringLiteral("۱۴۰۳۰۵۱۲") << QStringLiteral("1403/05/12");
        QTest::newRow("time") << QStringLiteral("!90:00;1;_") << QStringLiteral("٠٧٣٠") << QStringLiteral("07:30");
        QTest::newRow("year") << QStringLiteral("0000;1;_") << QStringLiteral("١٣٩٨") << QStringLiteral("1398");
    }
    void maskedFieldsTakePersianDigits()
    {
        QFETCH(QString, mask);
        QFETCH(QString, digits);
        QFETCH(QString, text);
        Form form(mask);
        QVERIFY(QTest::qWaitForWindowActive(&form.window));
        form.type(digits);
        QCOMPARE(form.masked->text(), text);
        QCOMPARE(form.masked->displayText(), text);
        form.masked->clear();
        QApplication::clipboard()->setText(digits);
        form.masked->paste();
        QCOMPARE(form.masked->displayText(), text);
    }

    void halfFilledMaskCannotBeLeft_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("blank");
        QTest::newRow("day") << DateMask << QStringLiteral("1403051") << QStringLiteral("1403/05/1 ") << QStringLiteral("    /  /  ");
        QTest::newRow("year") << QStringLiteral("0000;1;_") << QStringLiteral("13") << QStringLiteral("13  ") << QStringLiteral("    ");
        QTest::newRow("minute") << QStringLiteral("!90:00;1;_") << QStringLiteral("073") << QStringLiteral("07:3 ") << QStringLiteral("  :  ");
        // A one-digit month or a two-digit year before the slash would be
        // stored with a blank inside, which no search or check matches.
        QTest::newRow("one-digit month") << DateMask << QStringLiteral("1403/5/12") << QStringLiteral("1403/5 /12") << QStringLiteral("    /  /  ");
        QTest::newRow("two-digit year") << DateMask << QStringLiteral("03/05/12") << QStringLiteral("03  /05/12") << QStringLiteral("    /  /  ");
    }
    void halfFilledMaskCannotBeLeft()
    {
        QFETCH(QString, mask);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(QString, blank);
        ScopedScriptedPlatform ui;
        Form form(mask);
        QVERIFY(QTest::qWaitForWindowActive(&form.window));

        form.type(typed);
        form.leave();
        QTRY_VERIFY(form.masked->hasFocus());
        QCOMPARE(ui.messages(), QStringList{MaskEdit::InvalidInput});
        QCOMPARE(ui.calls.first().kind, Platform::BoxKind::Error);
        QCOMPARE(form.masked->text(), kept);

        // A button pressed on the way out gets no click.
        ui.reset();
        QTest::mousePress(form.button, Qt::LeftButton);
        QTRY_VERIFY(form.masked->hasFocus());
        QTest::mouseRelease(form.button, Qt::LeftButton);
        QCOMPARE(form.clicks, 0);
        QCOMPARE(ui.messages(), QStringList{MaskEdit::InvalidInput});

        // Escape abandons the edits: the field is as it was entered and may be left.
        ui.reset();
        QTest::keyClick(form.masked, Qt::Key_Escape);
        form.leave();
        QVERIFY(form.other->hasFocus());
        QCOMPARE(ui.messages(), QStringList());
        QCOMPARE(form.masked->text(), blank);
    }

    // A date or time stored in another shape of the same groups comes into
    // the field with every digit in its group, so that saving the row again
    // does not store a date or time with digits dropped.
    void storedShapesKeepEveryDigit_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        const QString time = QStringLiteral("!90:00;1;_");
        QTest::newRow("one-digit month") << DateMask << QStringLiteral("1403/5/12") << QStringLiteral("1403/05/12");
        QTest::newRow("one-digit day") << DateMask << QStringLiteral("1403/11/۵") << QStringLiteral("1403/11/05");
        QTest::newRow("one-digit hour") << time << QStringLiteral("7:30") << QStringLiteral("07:30");
        // The mask's own shape, blanks included, stays as it is.
        QTest::newRow("full date") << DateMask << QStringLiteral("1403/05/12") << QStringLiteral("1403/05/12");
        QTest::newRow("blank inside") << DateMask << QStringLiteral("1403/ 1/05") << QStringLiteral("1403/ 1/05");
        QTest::newRow("blank date") << DateMask << QStringLiteral("    /  /  ") << QStringLiteral("    /  /  ");
        QTest::newRow("empty") << DateMask << QString() << QStringLiteral("    /  /  ");
        QTest::newRow("other separators") << DateMask << QStringLiteral("1403-05-12") << QStringLiteral("1403/05/12");
        QTest::newRow("short year") << QStringLiteral("0000;1;_") << QStringLiteral("95") << QStringLiteral("95  ");
        QTest::newRow("Persian digits") << QStringLiteral("0000;1;_") << QStringLiteral("۱۴۰۲") << QStringLiteral("1402");
    }
    void storedShapesKeepEveryDigit()
    {
        QFETCH(QString, mask);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        MaskEdit field(mask);
        field.setText(stored);
        QCOMPARE(field.text(), shown);
        QVERIFY(!field.isModified());
    }

    void untouchedOrCompleteMaskMayBeLeft()
    {
        ScopedScriptedPlatform ui;
        Form form(DateMask);
        QVERIFY(QTest::qWaitForWindowActive(&form.window));
        // Untouched, or emptied again.
        form.masked->setFocus(Qt::TabFocusReason);
        form.leave();
        form.type(QStringLiteral("14"));
        form.masked->selectAll();
        QTest::keyClick(form.masked, Qt::Key_Backspace);
        form.leave();
        // Complete, or with the optional positions left blank.
        form.masked->clear();
        form.type(QStringLiteral("14030512"));
        form.leave();
        form.masked->clear();
        form.masked->setFocus(Qt::TabFocusReason);
        form.masked->setCursorPosition(8);
        typeText(form.masked, QStringLiteral("12"));
        form.leave();
        QVERIFY(form.other->hasFocus());
        // A half-filled text set by the program and not edited is left alone.
        form.masked->setText(QStringLiteral("1403/05/1 "));
        form.masked->setFocus(Qt::TabFocusReason);
        form.leave();
        QVERIFY(form.other->hasFocus());
        QCOMPARE(ui.messages(), QStringList());
    }

    // Text pasted into a single-line edit (a plain edit or a combo box's)
    // arrives as one line: a spreadsheet cell's closing line break goes, also
    // when pasted between two characters, breaks inside become one blank, and
    // listeners hear only the text as kept. Every widget keeps its own menu.
    void pastedTextIsOneLine()
    {
        QCOMPARE(singleLine(QStringLiteral("\r\n1234567891\r\n")), QStringLiteral("1234567891"));
        QCOMPARE(singleLine(QStringLiteral("خيابان آزادي\r\n\r\nکوچه 5\n")), QStringLiteral("خيابان آزادي کوچه 5"));
        QCOMPARE(singleLine(QStringLiteral(" a\tb ")), QStringLiteral(" a\tb "));

        installSingleLineEdits();
        QWidget window;
        auto *edit = new QLineEdit(&window);
        auto *combo = new ComboBox(true, &window);
        auto *spin = new QSpinBox(&window);
        auto *silent = new QLineEdit(&window);
        silent->setContextMenuPolicy(Qt::NoContextMenu);
        QStringList heard;
        QObject::connect(edit, &QLineEdit::textEdited, [&](const QString &text) { heard << text; });
        QObject::connect(combo, &ComboBox::changed, [&] { heard << combo->text(); });
        window.show();
        // Pasted by the paste key, and through the edit's menu, into each.
        const auto byKeys = [](QLineEdit *into) { QTest::keyClick(into, Qt::Key_V, Qt::ControlModifier); };
        const auto rightClick = [](QWidget *on) {
            QContextMenuEvent menuRequest(QContextMenuEvent::Mouse, QPoint(2, 2), on->mapToGlobal(QPoint(2, 2)));
            QCoreApplication::sendEvent(on, &menuRequest);
        };
        const auto byMenu = [&](QLineEdit *into) {
            rightClick(into);
            QTRY_VERIFY(QApplication::activePopupWidget());
            for (QAction *action : QApplication::activePopupWidget()->actions())
                if (action->text().startsWith(QCoreApplication::translate("QLineEdit", "&Paste")))
                    action->trigger();
            QApplication::activePopupWidget()->close();
        };
        struct Paste { QString clipboard, before; int cursor; QString after; };
        using Way = std::function<void(QLineEdit *)>;
        for (const Paste &p : {Paste{QStringLiteral("1234567891\r\n"), QStringLiteral("x"), 1, QStringLiteral("x1234567891")},
                               Paste{QStringLiteral("123\n"), QStringLiteral("XY"), 1, QStringLiteral("X123Y")}})
            for (QLineEdit *into : {edit, combo->lineEdit()})
                for (const Way &paste : {Way(byKeys), Way(byMenu)}) {
                    QApplication::clipboard()->setText(p.clipboard);
                    into->setText(p.before);
                    into->setCursorPosition(p.cursor);
                    heard.clear();
                    paste(into);
                    QCOMPARE(into->text(), p.after);
                    QCOMPARE(into->cursorPosition(), p.cursor + p.after.size() - p.before.size());
                    QVERIFY(into->isModified());
                    QCOMPARE(heard, QStringList{p.after});
                }
        // Other menus stay their own: a spin box's with its steps (it runs
        // until closed), none where the menu is turned off.
        QStringList captions;
        QTimer::singleShot(0, [&] {
            for (QAction *action : QApplication::activePopupWidget()->actions())
                captions << action->text();
            QApplication::activePopupWidget()->close();
        });
        rightClick(spin->findChild<QLineEdit *>());
        QTRY_VERIFY(captions.contains(QCoreApplication::translate("QAbstractSpinBox", "&Step up")));
        rightClick(silent);
        QVERIFY(!QApplication::activePopupWidget());
    }

    // What the clerk reads of a box: a long name picked or set shows its
    // first words; an input box's caption is not cut by the title bar;
    // access letters are underlined only while Alt is held.
    void textsShownWhole()
    {
        QWidget window;
        auto *combo = new ComboBox(true, &window);
        const QString name = QStringLiteral("سواري پژو پارس ايکس يو هفت سفيد رنگ مدل هزار و چهارصد و دو");
        combo->setItems({QStringLiteral("پژو"), name});
        combo->setFixedWidth(120);
        window.show();
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->text(), QStringLiteral("پژو"));
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->text(), name);
        QCOMPARE(combo->lineEdit()->cursorPosition(), 0);
        combo->setText(QString());
        combo->setText(name);
        QCOMPARE(combo->lineEdit()->cursorPosition(), 0);

        const QString caption = QStringLiteral("Delete Password");
        int width = 0, needed = 0;
        QTimer::singleShot(0, [&] {
            QWidget *box = QApplication::activeModalWidget();
            QFont bold = box->font();
            bold.setBold(true);
            // The caption beside the title bar's icon and three buttons.
            needed = QFontMetrics(bold).horizontalAdvance(caption) + 6 * box->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, box);
            width = box->width();
            box->close();
        });
        DesktopPlatform().inputBox(caption, QStringLiteral("لطفا رمز حذف را وارد نماييد:"), QStringLiteral("?"));
        QVERIFY2(width >= needed, qPrintable(QStringLiteral("%1 < %2").arg(width).arg(needed)));

        installProgramStyle();
        const auto underlined = [&] { return QApplication::style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, &window); };
        QVERIFY(!underlined());
        QTest::keyPress(&window, Qt::Key_Alt);
        QVERIFY(underlined());
        QTest::keyRelease(&window, Qt::Key_Alt);
        QVERIFY(!underlined());
    }
};

QTEST_MAIN(InputTest)
#include "tst_input.moc"
