#include "ui/desktop_services.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>
#include <cstdio>

namespace velora::ui {
namespace {

void showBox(QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok);
    box.exec();
}

void printBox(const char* kind, const QString& title, const QString& text) {
    std::fprintf(stderr, "[%s box] %s: %s\n", kind, title.toUtf8().constData(),
                 text.toUtf8().constData());
    std::fflush(stderr);
}

}  // namespace

void MessageBoxDialogs::information(const QString& title, const QString& text) {
    showBox(QMessageBox::NoIcon, title, text);
}

void MessageBoxDialogs::error(const QString& title, const QString& text) {
    showBox(QMessageBox::Critical, title, text);
}

void StderrDialogs::information(const QString& title, const QString& text) {
    printBox("information", title, text);
}

void StderrDialogs::error(const QString& title, const QString& text) {
    printBox("error", title, text);
}

void DesktopShell::open(const QString& address) {
    // The listener's browser decides how to show it; failures open nothing.
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

void StderrShell::open(const QString& address) {
    std::fprintf(stderr, "[shell open] %s\n", address.toUtf8().constData());
    std::fflush(stderr);
}

}  // namespace velora::ui
