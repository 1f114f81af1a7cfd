#pragma once

#include <QColor>
#include <QIcon>

// The pictures of the main window's buttons, drawn rather than shipped so
// they stay sharp at any scale and need no resource files.
enum class Glyph {
    ChevronDown,
    ChevronUp,
    Minimize,
    Close,
    Find,
    Add,
    Delete,
    Edit,
    Chest,
    Reload,
    Bag,
    Friends,
    Key,
    Log,
    Menu,
    Castle,
    Info,
    Users,
    Chart,
};

[[nodiscard]] QIcon GlyphIcon(Glyph glyph, const QColor& colour);

// The program's own icon (window, task bar and tray): a chest on a blue
// rounded square, drawn at the sizes desktops ask for.
[[nodiscard]] QIcon ApplicationIcon();
