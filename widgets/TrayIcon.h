#pragma once

#include <QObject>

#include <optional>

class QMenu;
class QSystemTrayIcon;
class QWidget;

// Hides a window into the system tray where the desktop has one; elsewhere
// (offscreen, a bare X server) the window is simply minimised, and the tray
// menu's commands stay reachable from the window itself.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    TrayIcon(QWidget* window, QMenu* menu);

    [[nodiscard]] static bool Available();
    // Tests stand in for a desktop with (true) or without (false) a tray;
    // nullopt asks the desktop again.
    static void OverrideAvailable(std::optional<bool> available);
    // Hides the window into the tray (or minimises it).
    void Minimize();
    // Shows the window again and removes the icon.
    void Restore();
    void Remove();
    [[nodiscard]] bool IconShown() const;

Q_SIGNALS:
    void restoreRequested();

private:
    QWidget* m_window;
    QMenu* m_menu;
    QSystemTrayIcon* m_icon = nullptr;
};
