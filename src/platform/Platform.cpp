#include "Platform.h"
#include "ReportPreview.h"
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPrintDialog>
#include <QProcess>
#include <QAbstractButton>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>
#include <QTreeView>
#include <QUrl>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {
DesktopPlatform desktopPlatform;
Platform *current = &desktopPlatform;

QMessageBox::StandardButton toStandard(Platform::Button b)
{
    switch (b) {
    case Platform::Button::Ok: return QMessageBox::Ok;
    case Platform::Button::Yes: return QMessageBox::Yes;
    case Platform::Button::No: return QMessageBox::No;
    case Platform::Button::Cancel: return QMessageBox::Cancel;
    case Platform::Button::None: break;
    }
    return QMessageBox::NoButton;
}

QWidget *activeWindow() { return QApplication::activeWindow(); }

// Qt's own file dialog is laid out right to left with the program, and each
// cell is read as a right-to-left paragraph: a size "1.97 KiB" came out as
// "KiB 1.97" and a date's parts were reordered. The size and date columns are
// therefore embedded as left-to-right runs.
class LeftToRightColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex &index, int role) const override
    {
        QVariant value = QIdentityProxyModel::data(index, role);
        if (role != Qt::DisplayRole || (index.column() != sizeColumn && index.column() != dateColumn))
            return value;
        const QString text = value.toString();
        return text.isEmpty() ? value : QVariant(QChar(0x202A) + text + QChar(0x202C));
    }

    // The columns of Qt's file-system model: name, size, type, date modified.
    static constexpr int sizeColumn = 1;
    static constexpr int dateColumn = 3;
};

// A path shown as a right-to-left paragraph reads mirrored: "/home/ali"
// came out as "home/ali/" in the file dialog's folder box. The folder box,
// file name box and print-to-file box of Qt's file and print dialogs are
// turned left to right at the first event they receive, while the dialog is
// still being built and before Qt fills them: a box turned only when the
// dialog was shown read a long path differently at each scroll position.
class LeftToRightPathBoxes : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *) override
    {
        if (!watched->isWidgetType())
            return false;
        const QString name = watched->objectName();
        if (name != QLatin1String("lookInCombo") && name != QLatin1String("fileNameEdit") && name != QLatin1String("filename"))
            return false;
        auto *box = static_cast<QWidget *>(watched);
        const QWidget *dialog = box->window();
        if (box->layoutDirection() != Qt::LeftToRight && (qobject_cast<const QFileDialog *>(dialog) || qobject_cast<const QPrintDialog *>(dialog)))
            box->setLayoutDirection(Qt::LeftToRight);
        return false;
    }
};

// The window manager cuts a caption that does not fit beside the title bar's
// icon and buttons ("Delete Password" read "Delet... sword"): a small box is
// made wide enough for its caption whole. The title font is the window
// manager's; it is taken as the program's own in bold, and the icon and the
// three buttons, with the margins between them, as eight squares as high as
// a title bar (some desktops draw buttons twice as wide as they are high).
void fitCaption(QWidget &window)
{
    QFont bold = window.font();
    bold.setBold(true);
    const int furniture = 8 * window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    // Sized now, the window keeps this size when shown (a minimum width
    // would give way to the one its layout sets).
    window.adjustSize();
    window.resize(std::max(window.width(), QFontMetrics(bold).horizontalAdvance(window.windowTitle()) + furniture), window.height());
}

// Runs a file or folder dialog; the empty text when cancelled.
QString runFileDialog(QFileDialog &dialog)
{
    dialog.setLayoutDirection(Qt::RightToLeft);
    dialog.setProxyModel(new LeftToRightColumns(&dialog));
    // The date column is as wide as its dates, which are otherwise cut in the middle.
    if (auto *details = dialog.findChild<QTreeView *>(QStringLiteral("treeView")))
        details->header()->setSectionResizeMode(LeftToRightColumns::dateColumn, QHeaderView::ResizeToContents);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
} // namespace

Platform &platform() { return *current; }
void installLeftToRightPathBoxes() { qApp->installEventFilter(new LeftToRightPathBoxes(qApp)); }
void installPlatform(Platform *p) { current = p ? p : &desktopPlatform; }

void showMessage(const QString &text) { platform().messageBox(Platform::BoxKind::Plain, text, {Platform::Button::Ok}); }
void showWarning(const QString &text) { platform().messageBox(Platform::BoxKind::Warning, text, {Platform::Button::Yes}); }
void showConfirmation(const QString &text) { platform().messageBox(Platform::BoxKind::Confirmation, text, {Platform::Button::Yes}); }
void showDefaultError(const QString &text) { platform().messageBox(Platform::BoxKind::Error, text, {Platform::Button::Ok}); }
void showFileLeftAt(const QString &noProgram, const QString &path)
{
    showDefaultError(noProgram + QStringLiteral(" فايل در اين مسير ذخيره شده است:") + pathLine(path));
}
QString pathLine(const QString &path)
{
    return QLatin1Char('\n') + leftToRightPath(path);
}
QString leftToRightPath(const QString &path)
{
    // Each folder and file name is a left-to-right isolate of its own within
    // the path's: without that, two Persian names joined across the "/"
    // between them into one right-to-left run and read swapped.
    // Inside a name, digits after Persian letters would still join the
    // letters' right-to-left run: "ليست پرسنل 1405-09-16 (4).xlsx" read as
    // "(4) 16-09-1405 ليست پرسنل.xlsx". A left-to-right mark before such
    // digits keeps them, and what follows them, in the name's own order; the
    // Persian words themselves still read right to left.
    const QChar leftToRightIsolate(0x2066);
    const QChar popIsolate(0x2069);
    const QChar separator = QDir::separator();
    QString out = leftToRightIsolate;
    bool inName = false;
    bool afterRightToLeft = false;
    for (const QChar c : QDir::toNativeSeparators(path)) {
        if (c == separator) {
            if (inName)
                out += popIsolate;
            inName = false;
            out += c;
            continue;
        }
        if (!inName) {
            out += leftToRightIsolate;
            inName = true;
            afterRightToLeft = false;
        }
        const QChar::Direction direction = c.direction();
        if (direction == QChar::DirEN && afterRightToLeft)
            out += QChar(0x200E); // left-to-right mark
        if (direction == QChar::DirR || direction == QChar::DirAL)
            afterRightToLeft = true;
        else if (direction == QChar::DirL || direction == QChar::DirEN)
            afterRightToLeft = false;
        out += c;
    }
    if (inName)
        out += popIsolate;
    return out + popIsolate;
}
QString fileNotWritten(const QString &path, const QString &reason)
{
    return QStringLiteral("فايل در اين مسير ذخيره نشد:") + pathLine(path) + QLatin1Char('\n') + reason;
}
QString fileNotRead(const QString &path, const QString &reason)
{
    return QStringLiteral("فايل در اين مسير خوانده نشد:") + pathLine(path) + QLatin1Char('\n') + reason;
}
Platform::Button askYesNoCancel(const QString &text)
{
    return platform().messageBox(Platform::BoxKind::Warning, text,
                                 {Platform::Button::Yes, Platform::Button::No, Platform::Button::Cancel});
}

Platform::Button DesktopPlatform::messageBox(BoxKind kind, const QString &text, const QList<Button> &buttons)
{
    QMessageBox box(activeWindow());
    box.setLayoutDirection(Qt::RightToLeft);
    box.setWindowTitle(QApplication::applicationDisplayName());
    box.setText(text);
    switch (kind) {
    case BoxKind::Plain: box.setIcon(QMessageBox::NoIcon); break;
    case BoxKind::Warning: box.setIcon(QMessageBox::Warning); break;
    case BoxKind::Confirmation: box.setIcon(QMessageBox::Question); break;
    case BoxKind::Error: box.setIcon(QMessageBox::Critical); break;
    }
    QMessageBox::StandardButtons standard;
    for (Button b : buttons)
        standard |= toStandard(b);
    box.setStandardButtons(standard ? standard : QMessageBox::Ok);
    // Persian captions: the program loads no translations of Qt's own.
    const QPair<QMessageBox::StandardButton, const char16_t *> captions[] = {
        {QMessageBox::Ok, u"تاييد"}, {QMessageBox::Yes, u"بله"}, {QMessageBox::No, u"خير"}, {QMessageBox::Cancel, u"انصراف"}};
    for (const auto &caption : captions)
        if (QAbstractButton *button = box.button(caption.first))
            button->setText(QString::fromUtf16(caption.second));
    if (!buttons.isEmpty())
        box.setDefaultButton(toStandard(buttons.first()));
    const int answer = box.exec();
    switch (answer) {
    case QMessageBox::Ok: return Button::Ok;
    case QMessageBox::Yes: return Button::Yes;
    case QMessageBox::No: return Button::No;
    case QMessageBox::Cancel: return Button::Cancel;
    default: return buttons.contains(Button::Cancel) ? Button::Cancel : Button::None;
    }
}

std::optional<QString> DesktopPlatform::inputBox(const QString &caption, const QString &prompt, const QString &defaultText)
{
    QInputDialog dialog(activeWindow());
    dialog.setLayoutDirection(Qt::RightToLeft);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QStringLiteral("تاييد"));
    dialog.setCancelButtonText(QStringLiteral("انصراف"));
    fitCaption(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QString DesktopPlatform::openFileName(const QString &caption, const QString &filter)
{
    QFileDialog dialog(activeWindow(), caption, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return runFileDialog(dialog);
}

QString DesktopPlatform::saveFileName(const QString &caption, const QString &proposedName, const QString &filter)
{
    QFileDialog dialog(activeWindow(), caption, proposedName, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    return runFileDialog(dialog);
}

QString DesktopPlatform::chooseFolder(const QString &caption)
{
    QFileDialog dialog(activeWindow(), caption, QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return runFileDialog(dialog);
}

bool DesktopPlatform::openWithAssociatedProgram(const QString &path)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // The desktop's opener (xdg-open) is started and left: it says nothing
    // when no program takes the file. Ask first which program would.
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (!query.isEmpty()) {
        QProcess process;
        process.start(query, {QStringLiteral("query"), QStringLiteral("default"), QMimeDatabase().mimeTypeForFile(path).name()});
        if (process.waitForFinished(5000) && process.exitStatus() == QProcess::NormalExit
            && process.readAllStandardOutput().trimmed().isEmpty())
            return false;
    }
#endif
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool DesktopPlatform::openSpreadsheet(const QString &path)
{
    return openWithAssociatedProgram(path);
}

void DesktopPlatform::playSystemSound(const QString &)
{
    QApplication::beep();
}

void DesktopPlatform::activateKeyboardLayout(const QString &layoutId)
{
#ifdef Q_OS_WIN
    // The layout is named by its identifier ("00000429" is Persian); Windows
    // loads it if needed and makes it the input language of this process.
    // When the layout is not installed nothing changes.
    const std::wstring id = layoutId.toStdWString();
    if (HKL layout = LoadKeyboardLayoutW(id.c_str(), KLF_ACTIVATE | KLF_SETFORPROCESS))
        ActivateKeyboardLayout(layout, KLF_SETFORPROCESS);
#else
    // Keyboard layouts belong to the desktop session outside Windows: the
    // user switches to Persian there.
    Q_UNUSED(layoutId);
#endif
}

int DesktopPlatform::showModal(QWidget *window)
{
    if (auto *dialog = qobject_cast<QDialog *>(window))
        return dialog->exec();
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    return 0;
}

void DesktopPlatform::printPreview(Report &report)
{
    ReportPreview preview(report, activeWindow());
    preview.exec();
}
