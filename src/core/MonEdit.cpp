#include "MonEdit.h"
#include "platform/DataError.h"
#include "platform/Digits.h"
#include "platform/Guard.h"
#include <limits>

TMonEdit::TMonEdit(QWidget *parent) : QLineEdit(parent)
{
    resize(100, 50);
    OnChange = [this](TMonEdit *sender) { FormatOnChange(sender); };
    connect(this, &QLineEdit::textChanged, this, &TMonEdit::textChangedNotification);
    takeLocalDigits(this);
}

void TMonEdit::textChangedNotification()
{
    // Until the window exists (while a window is being built and filled) a
    // change of the text is no change event.
    if (!testAttribute(Qt::WA_WState_Created) || !OnChange)
        return;
    runGuarded([this] { OnChange(this); });
}

QString TMonEdit::DigitsOnly(const QString &S, int L)
{
    if (S.isEmpty())
        return QStringLiteral("0");
    QString digits;
    const int end = std::min<int>(L, int(S.size()));
    for (int i = 0; i < end; ++i) {
        const QChar c = asciiDigit(S[i]);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits += c;
    }
    return digits;
}

QString TMonEdit::InsertChar(const QString &S, int L, int P, QChar Ch)
{
    return S.left(P - 1) + Ch + S.mid(P - 1, L - P + 1);
}

QString TMonEdit::GroupDigits(const QString &S, int L)
{
    if (S == LastText)
        return S;
    if (L == 0)
        return QString();
    QString R = DigitsOnly(S, L);
    int n = int(R.size());
    int g = n / 3;
    if (n % 3 == 0)
        --g;
    int p = n - 3 * g + 1;
    for (int i = 0; i < g; ++i) {
        R = InsertChar(R, n, p, QLatin1Char(','));
        ++n;
        p += 4;
    }
    LastText = R;
    return R;
}

void TMonEdit::FormatOnChange(TMonEdit *)
{
    const QString T = text();
    const QString R = GroupDigits(T, int(T.size()));
    setText(R);
    setCursorPosition(int(R.size()));
}

Money TMonEdit::amount() const
{
    Money m;
    if (!text().isEmpty() && !Money::parse(text(), &m))
        throw DataError(QStringLiteral("'%1' يك عدد معتبر نيست").arg(text()));
    return m;
}

qint32 TMonEdit::GetValue() const
{
    // A number text is read as every number field reads it ("1e3" is 1000,
    // "1e-400" is 0), and the digits before its decimal point taken, without
    // the sign (a rate stored as "1500.00" is 1500). Any other text counts its
    // digits alone ("1500 ریال" is 1500), up to a decimal point.
    Decimal number;
    if (Decimal::read(text(), &number)) {
        number.negative = false;
        if (number.exponent < 0) {
            number.digits.resize(size_t(std::max<qsizetype>(0, qsizetype(number.digits.size()) + number.exponent)));
            number.exponent = 0;
            number.normalise();
        }
        qint64 whole = 0;
        if (!number.toWhole(&whole) || whole > std::numeric_limits<qint32>::max())
            throw DataError(QStringLiteral("'%1' يك عدد صحيح معتبر نيست").arg(text()));
        return qint32(whole);
    }
    QString t = text();
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i] == QLatin1Char('.') || t[i] == QChar(0x066B)) { // the Arabic decimal separator too
            t.truncate(i);
            break;
        }
    }
    const QString digits = DigitsOnly(t, int(t.size()));
    if (digits.isEmpty())
        return 0;
    bool ok = false;
    const qint32 value = digits.toInt(&ok);
    if (!ok)
        throw DataError(QStringLiteral("'%1' يك عدد صحيح معتبر نيست").arg(digits));
    return value;
}
