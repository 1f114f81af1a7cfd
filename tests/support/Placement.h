#pragma once

#include <QCoreApplication>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QWidget>

#include <map>

// Where the named controls of a window stand and how big the window is, once
// its pending layout work has run. Two placements taken around a change show
// what jumped or grew.
class Placement {
public:
    explicit Placement(const QWidget* window) {
        QCoreApplication::processEvents();
        m_size = window->size();
        for (const QWidget* control : window->findChildren<QWidget*>()) {
            const QString name = control->objectName();
            if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && control->isVisibleTo(window))
                m_places[name] = QRect(control->mapTo(window, QPoint()), control->size());
        }
    }

    // The controls shown in both placements that moved or changed size, and
    // the window when it changed size, each as "name before -> after".
    [[nodiscard]] QStringList ChangedSince(const Placement& before) const {
        QStringList changed;
        if (m_size != before.m_size)
            changed << QStringLiteral("window %1 -> %2").arg(text(before.m_size), text(m_size));
        for (const auto& [name, place] : m_places) {
            const auto then = before.m_places.find(name);
            if (then != before.m_places.end() && then->second != place)
                changed << QStringLiteral("%1 %2 -> %3").arg(name, text(then->second), text(place));
        }
        return changed;
    }

private:
    static QString text(const QSize& size) {
        return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
    }
    static QString text(const QRect& r) {
        return QStringLiteral("%1,%2 %3").arg(r.x()).arg(r.y()).arg(text(r.size()));
    }

    QSize m_size;
    std::map<QString, QRect> m_places;
};
