#include "widgets/TrayIcon.h"

#include "widgets/MainIcons.h"

#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>

namespace {
std::optional<bool> g_available;
}

TrayIcon::TrayIcon(QWidget* window, QMenu* menu) : QObject(window), m_window(window), m_menu(menu) {}

bool TrayIcon::Available() {
    return g_available ? *g_available : QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::OverrideAvailable(std::optional<bool> available) {
    g_available = available;
}

void TrayIcon::Minimize() {
    if (!Available()) {
        m_window->showMinimized();
        return;
    }
    if (!m_icon) {
        // Never a blank entry: a hidden window is reached only through it.
        const QIcon own = QApplication::windowIcon();
        m_icon = new QSystemTrayIcon(own.isNull() ? ApplicationIcon() : own, this);
        m_icon->setToolTip(QApplication::applicationName());
        m_icon->setContextMenu(m_menu);
        connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::DoubleClick)
                Q_EMIT restoreRequested();
        });
    }
    m_window->hide();
    m_icon->show();
}

void TrayIcon::Restore() {
    Remove();
    m_window->showNormal();
    m_window->raise();
    m_window->activateWindow();
}

void TrayIcon::Remove() {
    if (m_icon)
        m_icon->hide();
}

bool TrayIcon::IconShown() const {
    return m_icon && m_icon->isVisible();
}
