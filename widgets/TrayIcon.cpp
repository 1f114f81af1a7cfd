#include "widgets/TrayIcon.h"

#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>

TrayIcon::TrayIcon(QWidget* window, QMenu* menu) : QObject(window), m_window(window), m_menu(menu) {}

bool TrayIcon::Available() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::Minimize() {
    if (!Available()) {
        m_window->showMinimized();
        return;
    }
    if (!m_icon) {
        m_icon = new QSystemTrayIcon(QApplication::windowIcon(), this);
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
