#include "Platform.h"
#include "Report.h"
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QAbstractButton>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

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
} // namespace

Platform &platform() { return *current; }
void installPlatform(Platform *p) { current = p ? p : &desktopPlatform; }

void showMessage(const QString &text) { platform().messageBox(Platform::BoxKind::Plain, text, {Platform::Button::Ok}); }
void showWarning(const QString &text) { platform().messageBox(Platform::BoxKind::Warning, text, {Platform::Button::Yes}); }
void showConfirmation(const QString &text) { platform().messageBox(Platform::BoxKind::Confirmation, text, {Platform::Button::Yes}); }
void showDefaultError(const QString &text) { platform().messageBox(Platform::BoxKind::Error, text, {Platform::Button::Ok}); }
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

QString DesktopPlatform::inputBox(const QString &caption, const QString &prompt, const QString &defaultText)
{
    QInputDialog dialog(activeWindow());
    dialog.setLayoutDirection(Qt::RightToLeft);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QStringLiteral("تاييد"));
    dialog.setCancelButtonText(QStringLiteral("انصراف"));
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : defaultText;
}

QString DesktopPlatform::openFileName(const QString &caption, const QString &filter)
{
    return QFileDialog::getOpenFileName(activeWindow(), caption, QString(), filter);
}

QString DesktopPlatform::saveFileName(const QString &caption, const QString &proposedName, const QString &filter)
{
    return QFileDialog::getSaveFileName(activeWindow(), caption, proposedName, filter);
}

QString DesktopPlatform::chooseFolder(const QString &caption)
{
    return QFileDialog::getExistingDirectory(activeWindow(), caption,
                                             QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

bool DesktopPlatform::openWithAssociatedProgram(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void DesktopPlatform::openSpreadsheet(const QString &path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void DesktopPlatform::playSystemSound(const QString &)
{
    QApplication::beep();
}

void DesktopPlatform::activateKeyboardLayout(const QString &)
{
    // Keyboard layouts belong to the desktop session outside Windows: the
    // user switches to Persian there.
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
    QPrinter printer(QPrinter::HighResolution);
    report.preparePrinter(printer);
    QPrintPreviewDialog dialog(&printer, activeWindow());
    dialog.setWindowState(Qt::WindowMaximized);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&report](QPrinter *p) { report.print(*p); });
    dialog.exec();
}
